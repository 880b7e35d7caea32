#include "HuxLib/HUXUTIL/HuxMulDiv.h"

#include <limits>

int32_t HuxMulDiv(int32_t a, int32_t b, int32_t c) { return HuxMulDivWide(a, b, c); }

int32_t HuxMulDivWide(int64_t a, int32_t b, int64_t c)
{
    if (c == 0)
        return -1;
    // |a * b| < 2^63 for the operands allowed, and negating c cannot overflow.
    int64_t product = a * b;
    if (c < 0) {
        product = -product;
        c = -c;
    }
    const int64_t half = c / 2;
    const int64_t quotient = product >= 0 ? (product + half) / c : (product - half) / c;
    if (quotient > std::numeric_limits<int32_t>::max() || quotient < std::numeric_limits<int32_t>::min())
        return -1;
    return int32_t(quotient);
}
