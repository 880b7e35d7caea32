// A mapper whose mapping is a test's function, recording every call.
#pragma once

#include "warp/HuxPSNonLinearTextureMapper.h"

#include <functional>
#include <utility>
#include <vector>

namespace WarpTest {

class ScriptedMapper : public HuxPSNonLinearTextureMapper {
public:
    using Function = std::function<HuxGeometry::HuxPoint2D(HuxGeometry::HuxPoint2D)>;

    explicit ScriptedMapper(Function map = [](HuxGeometry::HuxPoint2D p) { return p; }) : map_(std::move(map)) {}

    HuxGeometry::HuxPoint2D MapPoint(HuxGeometry::HuxPoint2D destination) override
    {
        calls.push_back(destination);
        return map_(destination);
    }

    std::vector<HuxGeometry::HuxPoint2D> calls;

private:
    Function map_;
};

} // namespace WarpTest
