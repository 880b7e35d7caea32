// A plain image in memory as a pixel source, for warp tests without a host:
// the pixels of a rectangle copied from an image (sampled every `scale`
// pixels, as a host reduces one), handed out in blocks of a chosen size so
// that reads cross block seams as they cross a tile cache's. Outside the
// rectangle the nearest edge pixel repeats. Any document: its planes as
// the warp reads them, editable transparency weighting the colour and
// protected transparency kept.
#pragma once

#include "HuxLib/HUXIMAGE/HuxPixelSource.h"
#include "testhost/HostImage.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace TestSupport {

struct MemorySourceOptions {
    int32_t scale = 1;
    int32_t blockSize = 1 << 20; // square blocks, aligned to the rectangle's top-left corner
    bool swapped = false;        // blue-green-red
    const SquelmHost::GreyImage* mask = nullptr;
};

class MemoryPixelSource final : public HuxPixelSource {
public:
    // `bounds` in scaled coordinates: scaled pixel (x, y) is image pixel
    // (x * scale, y * scale).
    MemoryPixelSource(const SquelmHost::HostImage& image, const HuxRect& bounds, const MemorySourceOptions& options = {})
        : bounds_(bounds), options_(options), width_(std::max(bounds.Width(), 0)), height_(std::max(bounds.Height(), 0)),
          layout_{image.ColourPlanes(), AlphaOf(image.transparency), image.SampleBytes()},
          pixelBytes_(layout_.PixelBytes())
    {
        const int32_t s = options.scale;
        for (int32_t y = bounds.top; y < bounds.bottom; ++y) {
            for (int32_t x = bounds.left; x < bounds.right; ++x) {
                const uint8_t* p = image.At(x * s, y * s);
                const size_t at = pixels_.size();
                pixels_.insert(pixels_.end(), p, p + pixelBytes_);
                if (options.swapped)
                    std::swap(pixels_[at], pixels_[at + 2]);
                if (options.mask)
                    mask_.push_back(options.mask->At(x * s, y * s));
            }
        }
    }

    HuxRect Bounds() const override { return bounds_; }
    HuxPixelBlock BlockAt(int32_t x, int32_t y) override
    {
        ++fetches;
        const int32_t size = options_.blockSize;
        const int32_t left = (x - bounds_.left) / size * size, top = (y - bounds_.top) / size * size;
        HuxPixelBlock block;
        block.pixels = pixels_.data() + (size_t(top) * size_t(width_) + size_t(left)) * size_t(pixelBytes_);
        block.mask = mask_.empty() ? nullptr : mask_.data() + size_t(top) * size_t(width_) + size_t(left);
        block.rowBytes = width_ * pixelBytes_;
        block.maskRowBytes = width_;
        block.left = bounds_.left + left;
        block.top = bounds_.top + top;
        block.width = uint32_t(std::min(size, width_ - left));
        block.height = uint32_t(std::min(size, height_ - top));
        return block;
    }
    const uint8_t* OutsidePixel(int32_t x, int32_t y) override
    {
        const int32_t dx = std::clamp<int64_t>(int64_t(x) - bounds_.left, 0, width_ - 1);
        const int32_t dy = std::clamp<int64_t>(int64_t(y) - bounds_.top, 0, height_ - 1);
        return pixels_.data() + (size_t(dy) * size_t(width_) + size_t(dx)) * size_t(pixelBytes_);
    }
    bool HasMask() const override { return options_.mask != nullptr; }
    bool SwapsRedAndBlue() const override { return options_.swapped; }
    HuxPixelLayout Layout() const override { return layout_; }

    int64_t fetches = 0; // BlockAt calls

private:
    static HuxAlpha AlphaOf(SquelmHost::Transparency transparency)
    {
        return transparency == SquelmHost::Transparency::Editable    ? HuxAlpha::Weighted
               : transparency == SquelmHost::Transparency::Protected ? HuxAlpha::Kept
                                                                     : HuxAlpha::None;
    }

    HuxRect bounds_;
    MemorySourceOptions options_;
    int32_t width_;
    int32_t height_;
    HuxPixelLayout layout_;
    int32_t pixelBytes_;
    std::vector<uint8_t> pixels_;
    std::vector<uint8_t> mask_;
};

} // namespace TestSupport
