// 2-D homogeneous transforms.
#include "HuxLib/HuxGeometry/HuxTransform2D.h"

#include <cmath>

namespace HuxGeometry {

void HuxTransform2D::SetTranslation(double tx, double ty)
{
    m_[0][0] = 1.0; m_[0][1] = 0.0; m_[0][2] = tx;
    m_[1][0] = 0.0; m_[1][1] = 1.0; m_[1][2] = ty;
    m_[2][0] = 0.0; m_[2][1] = 0.0; m_[2][2] = 1.0;
}

void HuxTransform2D::SetRotation(double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    m_[0][0] = c;   m_[0][1] = s;   m_[0][2] = 0.0;
    m_[1][0] = -s;  m_[1][1] = c;   m_[1][2] = 0.0;
    m_[2][0] = 0.0; m_[2][1] = 0.0; m_[2][2] = 1.0;
}

void HuxTransform2D::PreMultiply(const HuxTransform2D& other)
{
    double product[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            product[i][j] = other.m_[i][0] * m_[0][j] + other.m_[i][1] * m_[1][j] + other.m_[i][2] * m_[2][j];
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            m_[i][j] = product[i][j];
    }
}

HuxPoint2D HuxTransform2D::Apply(HuxPoint2D p) const
{
    const double w = m_[2][0] * p.x + m_[2][1] * p.y + m_[2][2];
    return {(m_[0][0] * p.x + m_[0][1] * p.y + m_[0][2]) / w, (m_[1][0] * p.x + m_[1][1] * p.y + m_[1][2]) / w};
}

} // namespace HuxGeometry
