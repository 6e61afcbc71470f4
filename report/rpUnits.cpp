#include "rpUnits.h"

#include <cmath>

long long rpRound(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    auto whole = static_cast<long long>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && (whole % 2 != 0)))
        ++whole;
    return whole;
}

double rpRoundTo8(double value) { return static_cast<double>(rpRound(value * 1e8)) / 1e8; }
