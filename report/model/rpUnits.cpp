#include "rpUnits.h"

#include <cmath>
#include <limits>

long long rpRound(double value)
{
    // A length no page can have (a margin typed as 1e300) saturates instead of overflowing.
    constexpr double limit = 9.0e18;
    if (std::isnan(value))
        return 0;
    if (value >= limit)
        return std::numeric_limits<long long>::max();
    if (value <= -limit)
        return std::numeric_limits<long long>::min();
    const double floor = std::floor(value);
    const double fraction = value - floor;
    auto whole = static_cast<long long>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && (whole % 2 != 0)))
        ++whole;
    return whole;
}

double rpRoundTo8(double value) { return static_cast<double>(rpRound(value * 1e8)) / 1e8; }
