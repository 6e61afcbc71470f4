#pragma once

#include <QList>
#include <QString>

// Breaks one paragraph into output lines by measured widths. `advances` holds one width per
// character (UTF-16 unit) of `line`; `charSpacing` is added after every character. The first
// output line may be `firstLimit` wide, every further one `limit`. A line breaks at its last
// space that fits (the space itself is dropped, spaces before it stay); a word wider than
// the line is cut between characters, and a character wider than the line gets a line of
// its own. Without word wrap, or with fewer than two characters, the paragraph stays whole.
QList<QString> rpBreakParagraph(const QString& line, const QList<double>& advances,
    double charSpacing, double firstLimit, double limit, bool wordWrap);
