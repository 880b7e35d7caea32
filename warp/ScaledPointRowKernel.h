// A row of points each scaled back per axis, as PSPlimGridMapping returns
// grid positions to pixels: x' = factor.x * (x / divisor.x) + offset.x, and
// so for y: the very operations of the scalar form, in its order, on as
// many coordinates at a time as the lanes hold. Included only by the files
// that compile it for one instruction set each (ScaledPointRows).
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"

#include <cstdint>

using PointRowScaler = void (*)(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
                                HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset);

namespace ScaledPointRowKernel {

template <class Lanes>
void Scale(HuxGeometry::HuxPoint2D* points, int32_t count, HuxGeometry::HuxPoint2D divisor,
           HuxGeometry::HuxPoint2D factor, HuxGeometry::HuxPoint2D offset)
{
    static_assert(sizeof(HuxGeometry::HuxPoint2D) == 2 * sizeof(double) && Lanes::kCount % 2 == 0);
    // Lanes alternate x and y, as the points lie.
    double d[Lanes::kCount], f[Lanes::kCount], o[Lanes::kCount];
    for (int i = 0; i < Lanes::kCount; i += 2) {
        d[i] = divisor.x, d[i + 1] = divisor.y;
        f[i] = factor.x, f[i + 1] = factor.y;
        o[i] = offset.x, o[i + 1] = offset.y;
    }
    const auto vd = Lanes::Load(d), vf = Lanes::Load(f), vo = Lanes::Load(o);
    double* p = reinterpret_cast<double*>(points);
    const int64_t values = 2 * int64_t(count > 0 ? count : 0);
    int64_t i = 0;
    for (; i + Lanes::kCount <= values; i += Lanes::kCount)
        Lanes::Store(p + i, Lanes::Add(Lanes::Mul(vf, Lanes::Div(Lanes::Load(p + i), vd)), vo));
    for (; i < values; i += 2) {
        p[i] = factor.x * (p[i] / divisor.x) + offset.x;
        p[i + 1] = factor.y * (p[i + 1] / divisor.y) + offset.y;
    }
}

} // namespace ScaledPointRowKernel
