// Four doubles side by side in an AVX register: HuxLanesSse2's operations,
// for a translation unit of its own that enables AVX for everything it
// defines (#pragma GCC target("avx") before its first include) and is run
// only where the processor has it (HuxCpuHasAvx). Nothing compiled so may
// be shared with the rest of the program, or the linker could keep the AVX
// copy of it.
#pragma once

#include <immintrin.h>

struct HuxLanesAvx {
    using Vector = __m256d;
    static constexpr int kCount = 4;

    static Vector Set(double value) { return _mm256_set1_pd(value); }
    static Vector Load(const double* values) { return _mm256_loadu_pd(values); }
    static void Store(double* out, Vector v) { _mm256_storeu_pd(out, v); }
    static Vector Add(Vector a, Vector b) { return _mm256_add_pd(a, b); }
    static Vector Sub(Vector a, Vector b) { return _mm256_sub_pd(a, b); }
    static Vector Mul(Vector a, Vector b) { return _mm256_mul_pd(a, b); }
    static Vector Div(Vector a, Vector b) { return _mm256_div_pd(a, b); }
    static Vector And(Vector a, Vector b) { return _mm256_and_pd(a, b); }
    static Vector Or(Vector a, Vector b) { return _mm256_or_pd(a, b); }
    static Vector Min(Vector a, Vector b) { return _mm256_min_pd(b, a); }
    static Vector Max(Vector a, Vector b) { return _mm256_max_pd(b, a); }
    static Vector SwapPairs(Vector a) { return _mm256_permute_pd(a, 0x5); }
    static Vector Clear(Vector mask, Vector a) { return _mm256_andnot_pd(mask, a); }
    static Vector Less(Vector a, Vector b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
    static Vector LessEqual(Vector a, Vector b) { return _mm256_cmp_pd(a, b, _CMP_LE_OQ); }
    static Vector Greater(Vector a, Vector b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
    static Vector GreaterEqual(Vector a, Vector b) { return _mm256_cmp_pd(a, b, _CMP_GE_OQ); }
    // Not blendv: GCC turns that into a branch per lane.
    static Vector Select(Vector mask, Vector a, Vector b)
    {
        return _mm256_or_pd(_mm256_and_pd(mask, a), _mm256_andnot_pd(mask, b));
    }
    static int Bits(Vector mask) { return _mm256_movemask_pd(mask); }
    // (x0, y0, x1, y1, x2, y2, x3, y3) to out.
    static void StorePairs(double* out, Vector x, Vector y)
    {
        const Vector even = _mm256_unpacklo_pd(x, y); // x0 y0 x2 y2
        const Vector odd = _mm256_unpackhi_pd(x, y);  // x1 y1 x3 y3
        _mm256_storeu_pd(out, _mm256_permute2f128_pd(even, odd, 0x20));
        _mm256_storeu_pd(out + 4, _mm256_permute2f128_pd(even, odd, 0x31));
    }
};
