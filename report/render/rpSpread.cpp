#include "rpSpread.h"

#include <cstdlib>

namespace {

// `units` is never more than the entries lo..hi, so every unit finds an entry.
void halve(QList<int>& values, qsizetype lo, qsizetype hi, int units, int sign)
{
    if (units <= 0)
        return;
    const qsizetype half = qMax<qsizetype>((hi - lo + 1) / 2, 1);
    if (units == 1) {
        values[lo + half - 1] += sign;
        return;
    }
    halve(values, lo, lo + half - 1, units / 2, sign);
    halve(values, lo + half, hi, units - units / 2, sign);
}

} // namespace

void rpSpread(QList<int>& values, int difference)
{
    const qsizetype count = values.size();
    if (count == 0 || difference == 0)
        return;
    const int sign = difference < 0 ? -1 : 1;
    const long long units = std::llabs(static_cast<long long>(difference));
    const long long each = units / count;
    if (each > 0) {
        for (int& value : values)
            value += int(each * sign);
    }
    halve(values, 0, count - 1, int(units - each * count), sign);
}
