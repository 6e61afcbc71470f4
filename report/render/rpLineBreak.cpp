#include "rpLineBreak.h"

QList<QString> rpBreakParagraph(const QString& line, const QList<double>& advances,
    double charSpacing, double firstLimit, double limit, bool wordWrap)
{
    const qsizetype n = line.size();
    if (n < 2 || !wordWrap)
        return {line};
    // widths[i]: the first i characters with their spacing.
    QList<double> widths(n + 1, 0.0);
    for (qsizetype i = 1; i <= n; ++i)
        widths[i] = widths[i - 1] + advances[i - 1] + charSpacing;
    if (widths[n] < firstLimit)
        return {line};

    QList<QString> lines;
    qsizetype start = 1; // first character of the current output line, counted from 1
    qsizetype space = 1; // last space seen
    double base = 0;
    double width = firstLimit;
    for (qsizetype i = 1; i <= n; ++i) {
        if (line[i - 1] == QLatin1Char(' '))
            space = i;
        if (widths[i] - base <= width)
            continue;
        qsizetype cut;
        if (space == start) {
            cut = i == start ? start : i - 1;
            lines.append(line.mid(start - 1, cut - start + 1));
        } else {
            cut = space;
            lines.append(line.mid(start - 1, space - start));
        }
        base = widths[cut];
        start = space = cut + 1;
        width = limit;
        i = cut;
    }
    if (start <= n)
        lines.append(line.mid(start - 1));
    return lines;
}
