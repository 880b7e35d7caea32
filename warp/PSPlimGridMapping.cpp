#include "warp/PSPlimGridMapping.h"

namespace {

constexpr int64_t kMaxTabled = int64_t(1) << 20;

} // namespace

void PSPlimGridMapping::SetRectangle(const HuxRect& rect)
{
    rect_ = rect;
    const int64_t width = int64_t(rect.right) - rect.left;
    const int64_t height = int64_t(rect.bottom) - rect.top;
    x_ = Axis(rect.left, width, grid_->Width());
    y_ = Axis(rect.top, height, grid_->Height());
    cornersX_.clear();
    cornersY_.clear();
    // Rectangles too large to table are computed corner by corner.
    if (width <= 0 || height <= 0 || width > kMaxTabled || height > kMaxTabled)
        return;
    for (int64_t k = 0; k <= width + 1; ++k)
        cornersX_.push_back(x_.ToGrid(double(rect.left) - 0.5 + double(k)));
    for (int64_t k = 0; k <= height + 1; ++k)
        cornersY_.push_back(y_.ToGrid(double(rect.top) - 0.5 + double(k)));
}
