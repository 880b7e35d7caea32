// Eight doubles side by side in an AVX-512 register: HuxLanesSse2's
// operations, a comparison again giving a lane of all ones or all zeros
// (AVX-512 compares into a mask register; it is widened back). For a
// translation unit of its own that enables AVX-512 F and DQ for everything
// it defines (#pragma GCC target("avx512f,avx512dq") before its first
// include) and is run only where the processor has them
// (HuxCpuHasAvx512); see HuxLanesAvx.h.
#pragma once

#include <immintrin.h>

struct HuxLanesAvx512 {
    using Vector = __m512d;
    static constexpr int kCount = 8;

    static Vector Set(double value) { return _mm512_set1_pd(value); }
    static Vector Load(const double* values) { return _mm512_loadu_pd(values); }
    static void Store(double* out, Vector v) { _mm512_storeu_pd(out, v); }
    static Vector Add(Vector a, Vector b) { return _mm512_add_pd(a, b); }
    static Vector Sub(Vector a, Vector b) { return _mm512_sub_pd(a, b); }
    static Vector Mul(Vector a, Vector b) { return _mm512_mul_pd(a, b); }
    static Vector Div(Vector a, Vector b) { return _mm512_div_pd(a, b); }
    static Vector And(Vector a, Vector b) { return _mm512_and_pd(a, b); }
    static Vector Or(Vector a, Vector b) { return _mm512_or_pd(a, b); }
    // Min, Max and SwapPairs take the masked forms, every lane kept: GCC 12
    // warns that the plain ones' unused source is uninitialised.
    static Vector Min(Vector a, Vector b) { return _mm512_mask_min_pd(a, 0xFF, b, a); }
    static Vector Max(Vector a, Vector b) { return _mm512_mask_max_pd(a, 0xFF, b, a); }
    static Vector SwapPairs(Vector a) { return _mm512_mask_permute_pd(a, 0xFF, a, 0x55); }
    static Vector Clear(Vector mask, Vector a) { return _mm512_andnot_pd(mask, a); }
    static Vector Less(Vector a, Vector b) { return Widen(_mm512_cmp_pd_mask(a, b, _CMP_LT_OQ)); }
    static Vector LessEqual(Vector a, Vector b) { return Widen(_mm512_cmp_pd_mask(a, b, _CMP_LE_OQ)); }
    static Vector Greater(Vector a, Vector b) { return Widen(_mm512_cmp_pd_mask(a, b, _CMP_GT_OQ)); }
    static Vector GreaterEqual(Vector a, Vector b) { return Widen(_mm512_cmp_pd_mask(a, b, _CMP_GE_OQ)); }
    static Vector Select(Vector mask, Vector a, Vector b) { return _mm512_mask_blend_pd(Narrow(mask), b, a); }
    static int Bits(Vector mask) { return int(Narrow(mask)); }
    // (x0, y0, x1, y1, ..., x7, y7) to out.
    static void StorePairs(double* out, Vector x, Vector y)
    {
        const __m512i low = _mm512_set_epi64(11, 3, 10, 2, 9, 1, 8, 0);
        const __m512i high = _mm512_set_epi64(15, 7, 14, 6, 13, 5, 12, 4);
        _mm512_storeu_pd(out, _mm512_permutex2var_pd(x, low, y));
        _mm512_storeu_pd(out + 8, _mm512_permutex2var_pd(x, high, y));
    }

private:
    static Vector Widen(__mmask8 mask) { return _mm512_castsi512_pd(_mm512_movm_epi64(mask)); }
    static __mmask8 Narrow(Vector mask) { return _mm512_movepi64_mask(_mm512_castpd_si512(mask)); }
};
