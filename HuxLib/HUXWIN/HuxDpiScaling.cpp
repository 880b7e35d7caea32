#include "HuxLib/HUXWIN/HuxDpiScaling.h"

#include <cstdint>
#include <stdexcept>

int HuxScaleForDpi(int value, int fromDpi, int toDpi)
{
    if (fromDpi <= 0 || toDpi <= 0)
        throw std::invalid_argument("HuxScaleForDpi: a resolution must be positive");
    const int64_t product = int64_t(value) * toDpi;
    const int64_t half = fromDpi / 2;
    return int(product >= 0 ? (product + half) / fromDpi : -((-product + half) / fromDpi));
}

HuxPointI HuxScalePointForDpi(HuxPointI point, int fromDpi, int toDpi)
{
    return {HuxScaleForDpi(point.x, fromDpi, toDpi), HuxScaleForDpi(point.y, fromDpi, toDpi)};
}

HuxRect HuxScaleRectForDpi(const HuxRect& rect, int fromDpi, int toDpi)
{
    return {HuxScaleForDpi(rect.left, fromDpi, toDpi), HuxScaleForDpi(rect.top, fromDpi, toDpi),
            HuxScaleForDpi(rect.right, fromDpi, toDpi), HuxScaleForDpi(rect.bottom, fromDpi, toDpi)};
}

HuxArtScale HuxArtScaleFor(int dpi)
{
    if (dpi * 100 >= kHuxBaseDpi * int(HuxArtScale::Percent200))
        return HuxArtScale::Percent200;
    if (dpi * 100 >= kHuxBaseDpi * int(HuxArtScale::Percent150))
        return HuxArtScale::Percent150;
    return HuxArtScale::Percent100;
}

HuxPointI HuxArtSize(HuxPointI size, HuxArtScale scale)
{
    return HuxScalePointForDpi(size, int(HuxArtScale::Percent100), int(scale));
}
