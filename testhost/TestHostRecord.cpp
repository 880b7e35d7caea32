// The FilterRecord as a host of the newest generation fills it for a run.
#include <algorithm>
#include <stdexcept>

#include "testhost/DescriptorSession.h"
#include "testhost/HandleTable.h"
#include "testhost/HostCallbacks.h"
#include "testhost/RequestServer.h"
#include "testhost/TestHost.h"

namespace SquelmHost {

namespace {

constexpr int32_t kSerialNumber = 1234567;
constexpr int32_t kMaxSpace = 512 << 20;    // memory the host offers a plug-in
constexpr int32_t kBufferSpace = 256 << 20; // of which buffers may use this
constexpr PS::Fixed kOne = 0x10000;
constexpr PS::Fixed kResolution = 72 * kOne;
// Padding field value meaning "requests outside the image fail".
constexpr int16_t kPaddingErrorOnBounds = -3;
// samplingSupport: the host samples at whole-number rates.
constexpr char kIntegralSampling = 1;
constexpr int16_t kHostTileSize = 256;

PS::Fixed ToFixed(double v)
{
    return PS::Fixed(v * kOne + 0.5);
}

// A monitor with sRGB primaries, D65 white and gamma 2.2.
PS::PlugInMonitor SrgbMonitor()
{
    return PS::PlugInMonitor{ToFixed(2.2),  ToFixed(0.64),   ToFixed(0.33),   ToFixed(0.30), ToFixed(0.60),
                             ToFixed(0.15), ToFixed(0.06),   ToFixed(0.3127), ToFixed(0.3290), ToFixed(0.5)};
}

// Vertical first, each side cut to the 16-bit range.
PS::Point SizePoint(int32_t width, int32_t height)
{
    const PS::Rect cut = ToHostRect(Rect32{0, 0, width, height});
    return PS::Point{cut.bottom, cut.right};
}

int16_t ImageModeOf(const HostImage& image)
{
    const bool deep = image.depth == 16;
    switch (image.space) {
    case ColourSpace::Grey: return deep ? PS::plugInModeGray16 : PS::plugInModeGrayScale;
    case ColourSpace::CMYK: return deep ? PS::plugInModeCMYK64 : PS::plugInModeCMYKColor;
    case ColourSpace::Lab: return deep ? PS::plugInModeLab48 : PS::plugInModeLabColor;
    default: return deep ? PS::plugInModeRGB48 : PS::plugInModeRGBColor;
    }
}

int16_t FilterCaseOf(Transparency transparency, bool selection)
{
    switch (transparency) {
    case Transparency::Editable:
        return selection ? PS::filterCaseEditTransparencyWithSelection : PS::filterCaseEditTransparencyNoSelection;
    case Transparency::Protected:
        return selection ? PS::filterCaseProtectTransparencyWithSelection
                         : PS::filterCaseProtectTransparencyNoSelection;
    default: return selection ? PS::filterCaseFlatImageWithSelection : PS::filterCaseFlatImageNoSelection;
    }
}

// The plane counts: a flat image's channels are non-layer planes; a layer
// has colour planes and its transparency, which only an editable layer may
// write.
void DescribePlanes(PS::FilterRecord& r, const HostImage& image)
{
    const int16_t planes = int16_t(image.Planes()), colour = int16_t(image.ColourPlanes());
    if (image.transparency == Transparency::None) {
        r.inNonLayerPlanes = r.outNonLayerPlanes = r.absNonLayerPlanes = planes;
        return;
    }
    r.inLayerPlanes = r.outLayerPlanes = r.absLayerPlanes = colour;
    r.inTransparencyMask = r.absTransparencyMask = 1;
    r.outTransparencyMask = image.transparency == Transparency::Editable ? 1 : 0;
}

Rect32 SelectionBounds(const GreyImage& mask)
{
    Rect32 bounds{mask.width, mask.height, 0, 0};
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (!mask.At(x, y))
                continue;
            bounds.left = std::min(bounds.left, x);
            bounds.top = std::min(bounds.top, y);
            bounds.right = std::max(bounds.right, x + 1);
            bounds.bottom = std::max(bounds.bottom, y + 1);
        }
    }
    return bounds;
}

} // namespace

Rect32 TestHost::EffectiveFilterRect() const
{
    const Rect32 whole{0, 0, image_.width, image_.height};
    if (options_.filterRect) {
        const Rect32& r = *options_.filterRect;
        if (r.Empty() || r.left < 0 || r.top < 0 || r.right > whole.right || r.bottom > whole.bottom)
            throw std::invalid_argument("the filter rectangle must be a non-empty part of the image");
        return r;
    }
    if (!mask_.Empty()) {
        const Rect32 selected = SelectionBounds(mask_);
        if (!selected.Empty())
            return selected;
    }
    return whole;
}

void TestHost::BuildRecord()
{
    if (image_.Empty())
        throw std::logic_error("the test host has no image");
    const Rect32 filter = EffectiveFilterRect();
    server_->Release();
    original_ = image_;
    counters_ = {};
    hostError_.clear();
    errorString_.fill(0);

    // Everything this host does not implement stays zero (suites, colour
    // profiles, 3D scenes).
    record_ = PS::FilterRecord{};
    PS::FilterRecord& r = record_;
    r.serialNumber = kSerialNumber;
    r.parameters = parameters_;
    r.imageSize = SizePoint(image_.width, image_.height);
    r.wholeSize = r.imageSize;
    r.planes = options_.claimedPlanes.value_or(int16_t(image_.Planes()));
    r.filterRect = ToHostRect(filter);
    r.background = PS::RGBColor{0xFFFF, 0xFFFF, 0xFFFF};
    r.foreground = PS::RGBColor{0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        r.backColor[i] = 0xFF;
        r.foreColor[i] = 0;
    }
    r.maxSpace = kMaxSpace;
    r.bufferSpace = kBufferSpace;
    r.maxSpace64 = kMaxSpace;
    r.bufferSpace64 = kBufferSpace;
    r.inputRate = kOne;
    r.maskRate = kOne;
    r.inHiPlane = int16_t(image_.ColourPlanes() - 1);
    r.outHiPlane = r.inHiPlane;

    // With a selection the host supplies its mask and, while autoMask stays
    // set, limits the output to it.
    r.haveMask = !mask_.Empty();
    r.autoMask = r.haveMask;
    r.filterCase = FilterCaseOf(image_.transparency, r.haveMask);
    r.isFloating = false;

    r.hostSig = PS::FourCC('8', 'B', 'I', 'M');
    r.imageMode = options_.claimedImageMode.value_or(ImageModeOf(image_));
    r.depth = options_.claimedDepth.value_or(image_.depth);
    r.imageHRes = kResolution;
    r.imageVRes = kResolution;
    r.monitor = SrgbMonitor();

    platformData_.hwnd = options_.ownerWindow;
    r.platformData = options_.nullPlatformData ? nullptr : &platformData_;
    r.errorString = reinterpret_cast<PS::Str255*>(errorString_.data());
    r.descriptorParameters = descriptors_->Prepare(options_.descriptors);

    // No dummy planes; the planes arrive interleaved.
    DescribePlanes(r, image_);
    r.supportsPadding = false;
    r.inputPadding = kPaddingErrorOnBounds;
    r.outputPadding = kPaddingErrorOnBounds;
    r.maskPadding = kPaddingErrorOnBounds;
    r.samplingSupport = kIntegralSampling;
    r.inTileHeight = r.inTileWidth = kHostTileSize;
    r.outTileHeight = r.outTileWidth = kHostTileSize;
    r.absTileHeight = r.absTileWidth = kHostTileSize;
    r.maskTileHeight = r.maskTileWidth = kHostTileSize;

    bigDocument_ = {};
    if (options_.bigDocument) {
        bigDocument_.imageSize32 = PS::VPoint{image_.height, image_.width};
        bigDocument_.wholeSize32 = bigDocument_.imageSize32;
        bigDocument_.filterRect32 = ToHostRect32(filter);
        r.bigDocumentData = &bigDocument_;
    }

    HostCallbacks::Install(*this);
}

} // namespace SquelmHost
