#pragma once

#include <QList>

// Spreads a whole-pixel difference over a row of advances (line advances of a text block,
// character advances of a line) so that their sum changes by exactly `difference`.
// Every entry first gets the same share (difference div count); the remaining units go to
// entries picked by halving: one unit lands in the middle entry of the first half, and
// larger amounts are split between the two halves, the second half taking the odd unit.
// Nothing changes for an empty row.
void rpSpread(QList<int>& values, int difference);
