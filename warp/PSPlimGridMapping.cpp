#include "warp/PSPlimGridMapping.h"

namespace {

constexpr int64_t kMaxTabled = int64_t(1) << 20;

} // namespace

void PSPlimGridMapping::SetRectangle(const HuxRect& rect)
{
    rect_ = rect;
    width_ = int64_t(rect.right) - rect.left;
    height_ = int64_t(rect.bottom) - rect.top;
    gridWidth_ = grid_->Width();
    gridHeight_ = grid_->Height();
    cornersX_.clear();
    cornersY_.clear();
    // Rectangles too large to table are computed corner by corner.
    if (width_ <= 0 || height_ <= 0 || width_ > kMaxTabled || height_ > kMaxTabled)
        return;
    for (int64_t k = 0; k <= width_ + 1; ++k)
        cornersX_.push_back(ToGrid(double(rect.left) - 0.5 + double(k), rect.left, width_, gridWidth_));
    for (int64_t k = 0; k <= height_ + 1; ++k)
        cornersY_.push_back(ToGrid(double(rect.top) - 0.5 + double(k), rect.top, height_, gridHeight_));
}
