// Both coordinates of a point as one value: one SSE2 register where the
// build has SSE2 (every x86 build), else two doubles. Each operation is one
// IEEE operation per coordinate, so code written with it gives the bits of
// the same code written for x and y apart.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>

class PointPair {
public:
    static PointPair Of(const HuxGeometry::HuxPoint2D& p) { return PointPair(_mm_loadu_pd(&p.x)); }
    static PointPair Both(double value) { return PointPair(_mm_set1_pd(value)); }

    friend PointPair operator+(PointPair a, PointPair b) { return PointPair(_mm_add_pd(a.v_, b.v_)); }
    friend PointPair operator-(PointPair a, PointPair b) { return PointPair(_mm_sub_pd(a.v_, b.v_)); }
    friend PointPair operator*(PointPair a, PointPair b) { return PointPair(_mm_mul_pd(a.v_, b.v_)); }
    // std::min(a, b) and std::max(a, b) of each coordinate: a NaN in b
    // passes a on.
    friend PointPair Min(PointPair a, PointPair b) { return PointPair(_mm_min_pd(b.v_, a.v_)); }
    friend PointPair Max(PointPair a, PointPair b) { return PointPair(_mm_max_pd(b.v_, a.v_)); }
    PointPair Abs() const { return PointPair(_mm_andnot_pd(_mm_set1_pd(-0.0), v_)); }

    double X() const { return _mm_cvtsd_f64(v_); }
    double Y() const { return _mm_cvtsd_f64(_mm_unpackhi_pd(v_, v_)); }
    // Both coordinates within -limit .. limit (not NaN).
    bool Within(double limit) const
    {
        const __m128d inside = _mm_and_pd(_mm_cmpge_pd(v_, _mm_set1_pd(-limit)), _mm_cmple_pd(v_, _mm_set1_pd(limit)));
        return _mm_movemask_pd(inside) == 3;
    }
    // Both truncated toward zero; only for coordinates Within a limit
    // below 2^31.
    void Truncate(int32_t& x, int32_t& y) const
    {
        const __m128i both = _mm_cvttpd_epi32(v_);
        x = _mm_cvtsi128_si32(both);
        y = _mm_cvtsi128_si32(_mm_shuffle_epi32(both, 1));
    }

private:
    explicit PointPair(__m128d v) : v_(v) {}
    __m128d v_;
};

#else

class PointPair {
public:
    static PointPair Of(const HuxGeometry::HuxPoint2D& p) { return PointPair(p.x, p.y); }
    static PointPair Both(double value) { return PointPair(value, value); }

    friend PointPair operator+(PointPair a, PointPair b) { return PointPair(a.x_ + b.x_, a.y_ + b.y_); }
    friend PointPair operator-(PointPair a, PointPair b) { return PointPair(a.x_ - b.x_, a.y_ - b.y_); }
    friend PointPair operator*(PointPair a, PointPair b) { return PointPair(a.x_ * b.x_, a.y_ * b.y_); }
    friend PointPair Min(PointPair a, PointPair b) { return PointPair(std::min(a.x_, b.x_), std::min(a.y_, b.y_)); }
    friend PointPair Max(PointPair a, PointPair b) { return PointPair(std::max(a.x_, b.x_), std::max(a.y_, b.y_)); }
    PointPair Abs() const { return PointPair(std::fabs(x_), std::fabs(y_)); }

    double X() const { return x_; }
    double Y() const { return y_; }
    bool Within(double limit) const { return x_ >= -limit && x_ <= limit && y_ >= -limit && y_ <= limit; }
    void Truncate(int32_t& x, int32_t& y) const
    {
        x = int32_t(x_);
        y = int32_t(y_);
    }

private:
    PointPair(double x, double y) : x_(x), y_(y) {}
    double x_;
    double y_;
};

#endif
