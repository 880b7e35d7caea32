// Two doubles side by side in an SSE2 register, the baseline of every x86
// build: the operations the vector kernels are written in (see
// HuxLanesAvx.h for four). Each operation is the one IEEE operation per lane
// that the scalar code performs, so a kernel gives the scalar bits; a
// comparison is ordered (false where either side is NaN), as in C++, and
// gives a lane of all ones or all zeros.
#pragma once

#include <emmintrin.h>

struct HuxLanesSse2 {
    using Vector = __m128d;
    static constexpr int kCount = 2;

    static Vector Set(double value) { return _mm_set1_pd(value); }
    static Vector Load(const double* values) { return _mm_loadu_pd(values); }
    static void Store(double* out, Vector v) { _mm_storeu_pd(out, v); }
    static Vector Add(Vector a, Vector b) { return _mm_add_pd(a, b); }
    static Vector Sub(Vector a, Vector b) { return _mm_sub_pd(a, b); }
    static Vector Mul(Vector a, Vector b) { return _mm_mul_pd(a, b); }
    static Vector Div(Vector a, Vector b) { return _mm_div_pd(a, b); }
    static Vector And(Vector a, Vector b) { return _mm_and_pd(a, b); }
    static Vector Or(Vector a, Vector b) { return _mm_or_pd(a, b); }
    // std::min(a, b) and std::max(a, b) of each lane: a NaN in b passes a on.
    static Vector Min(Vector a, Vector b) { return _mm_min_pd(b, a); }
    static Vector Max(Vector a, Vector b) { return _mm_max_pd(b, a); }
    // Each pair of lanes (0 and 1, 2 and 3 ...) swapped.
    static Vector SwapPairs(Vector a) { return _mm_shuffle_pd(a, a, 1); }
    // a's lanes cleared where mask is set.
    static Vector Clear(Vector mask, Vector a) { return _mm_andnot_pd(mask, a); }
    static Vector Less(Vector a, Vector b) { return _mm_cmplt_pd(a, b); }
    static Vector LessEqual(Vector a, Vector b) { return _mm_cmple_pd(a, b); }
    static Vector Greater(Vector a, Vector b) { return _mm_cmpgt_pd(a, b); }
    static Vector GreaterEqual(Vector a, Vector b) { return _mm_cmpge_pd(a, b); }
    // a where mask is set, else b.
    static Vector Select(Vector mask, Vector a, Vector b) { return _mm_or_pd(_mm_and_pd(mask, a), _mm_andnot_pd(mask, b)); }
    // Bit k set where lane k of mask is.
    static int Bits(Vector mask) { return _mm_movemask_pd(mask); }
    // (x0, y0, x1, y1) to out.
    static void StorePairs(double* out, Vector x, Vector y)
    {
        _mm_storeu_pd(out, _mm_unpacklo_pd(x, y));
        _mm_storeu_pd(out + 2, _mm_unpackhi_pd(x, y));
    }
};
