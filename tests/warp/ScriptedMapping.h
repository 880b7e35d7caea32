// A mapping that is a test's function, recording every call.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"

#include <functional>
#include <utility>
#include <vector>

namespace WarpTest {

class ScriptedMapping {
public:
    using Function = std::function<HuxGeometry::HuxPoint2D(HuxGeometry::HuxPoint2D)>;

    explicit ScriptedMapping(Function map = [](HuxGeometry::HuxPoint2D p) { return p; }) : map_(std::move(map)) {}

    HuxGeometry::HuxPoint2D MapPoint(HuxGeometry::HuxPoint2D destination)
    {
        calls.push_back(destination);
        return map_(destination);
    }

    std::vector<HuxGeometry::HuxPoint2D> calls;

private:
    Function map_;
};

} // namespace WarpTest
