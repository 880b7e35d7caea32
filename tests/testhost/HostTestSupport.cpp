#include "testhost/HostTestSupport.h"

namespace SquelmHostTest {

SquelmHost::RgbImage Pattern(int width, int height)
{
    SquelmHost::RgbImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.Set(x, y, uint8_t(x), uint8_t(y), uint8_t(3 * x + 5 * y + 1));
    return image;
}

SquelmHost::GreyImage MaskPattern(int width, int height)
{
    SquelmHost::GreyImage mask(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            mask.At(x, y) = uint8_t(20 * x + y + 7);
    return mask;
}

} // namespace SquelmHostTest
