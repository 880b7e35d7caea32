// a * b / c as the Windows MulDiv computes it, for the arithmetic the
// controls share with the system: the product in 64 bits, the quotient
// rounded half away from zero; -1 when c is 0 or the result does not fit
// 32 bits. Operands of -2^31 and a result of exactly -2^31 give the true
// quotient (Wine's MulDiv negates in 32 bits and gets these wrong).
#pragma once

#include <cstdint>

int32_t HuxMulDiv(int32_t a, int32_t b, int32_t c);

// The same for operands that are differences of 32-bit values (up to 33
// bits each), with b a small factor (|b| < 2^30) so the product still fits.
int32_t HuxMulDivWide(int64_t a, int32_t b, int64_t c);
