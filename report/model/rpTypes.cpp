#include "rpTypes.h"

#include <cstdlib>

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int mulDivRounded(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long quotient = (std::llabs(product) * 2 + c) / (2LL * c);
    return static_cast<int>(product < 0 ? -quotient : quotient);
}

} // namespace

int TrpFont::Size() const { return mulDivRounded(-Height, 72, rp1in); }

void TrpFont::SetSize(int points) { Height = -mulDivRounded(points, rp1in, 72); }
