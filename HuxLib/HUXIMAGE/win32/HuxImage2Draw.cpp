// Drawing a preview image on the screen: a plain scaled copy on true-colour
// devices; on palette devices the scaled picture dithered to the default
// palette, so that the preview keeps its shades with 256 colours.
#include <windows.h>

#include <cstddef>

#include "HuxLib/HUXIMAGE/HuxDitherer.h"
#include "HuxLib/HUXIMAGE/HuxImage2.h"
#include "HuxLib/HUXIMAGE/win32/HuxOffscreenDIBSection.h"
#include "HuxLib/HUXIMAGE/win32/HuxPlatformPalette.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiSelection.h"

static_assert(sizeof(HuxBitmapInfoHeader) == sizeof(BITMAPINFOHEADER) &&
              offsetof(BITMAPINFOHEADER, biHeight) == offsetof(HuxBitmapInfoHeader, biHeight) &&
              offsetof(BITMAPINFOHEADER, biBitCount) == offsetof(HuxBitmapInfoHeader, biBitCount) &&
              offsetof(BITMAPINFOHEADER, biClrImportant) == offsetof(HuxBitmapInfoHeader, biClrImportant));

namespace {

const BITMAPINFO* InfoOf(const HuxDIBBuffer& picture)
{
    return reinterpret_cast<const BITMAPINFO*>(picture.Header());
}

// Copies the source rectangle of the picture, scaled, to (x, y, width,
// height) of the device context. The system counts the source rows from
// the picture's last row upwards, for top-down pictures too.
void StretchPicture(HDC dc, int x, int y, int width, int height, const HuxDIBBuffer& picture, const HuxRect& source)
{
    const int sourceY = picture.AbsHeight() - source.bottom;
    StretchDIBits(dc, x, y, width, height, source.left, sourceY, source.Width(), source.Height(), picture.Pixels(),
                  InfoOf(picture), DIB_RGB_COLORS, SRCCOPY);
}

void DrawOnPaletteDevice(HDC dc, const HuxRect& destination, const HuxDIBBuffer& picture, const HuxRect& source)
{
    HuxPlatformPalette palette;
    palette.SetDefault();
    // Declared after the palette: the context gets its own palette back
    // before the object is deleted.
    const HuxPaletteSelection selected(dc, palette.Handle());

    const int width = destination.Width();
    const int height = destination.Height();
    HuxOffscreenDIBSection scaled;
    scaled.Create(width, height, 24, nullptr);
    if (!scaled.DC())
        return;
    SetStretchBltMode(scaled.DC(), COLORONCOLOR);
    StretchPicture(scaled.DC(), 0, 0, width, height, picture, source);
    GdiFlush();

    HuxDIBBuffer scaledView;
    scaledView.Attach(reinterpret_cast<HuxBitmapInfoHeader*>(scaled.Header()), static_cast<uint8_t*>(scaled.Pixels()));
    HuxDIBBuffer indexed;
    HuxDitherToPalette(scaledView, indexed, palette);
    StretchDIBits(dc, destination.left, destination.top, width, height, 0, 0, width, height, indexed.Pixels(),
                  InfoOf(indexed), DIB_RGB_COLORS, SRCCOPY);
}

} // namespace

void HuxImage2::Draw(HDC__* dc, const HuxRect& destination, const HuxRect& source) const
{
    Draw(dc, destination, source, GetDeviceCaps(dc, BITSPIXEL));
}

void HuxImage2::Draw(HDC__* dc, const HuxRect& destination, const HuxRect& source, int deviceBitsPerPixel) const
{
    if (IsEmpty() || !DrawsAnything(destination, source))
        return;
    SetStretchBltMode(dc, COLORONCOLOR);
    if (deviceBitsPerPixel != 8)
        StretchPicture(dc, destination.left, destination.top, destination.Width(), destination.Height(), *this, source);
    else
        DrawOnPaletteDevice(dc, destination, *this, source);
}
