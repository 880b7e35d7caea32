#include "testhost/win32/WindowCapture.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "HuxLib/HUXIMAGE/HuxBitmapHeader.h"
#include "HuxLib/HUXIMAGE/HuxBitmapHeaderBlock.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiObject.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiSelection.h"
#include "HuxLib/HUXUTIL/win32/HuxMemoryDC.h"
#include "HuxLib/HUXUTIL/win32/HuxWindowDC.h"
#include "testhost/PngIO.h"

namespace SquelmHost {

RgbImage CaptureWindow(intptr_t handle)
{
    HWND window = reinterpret_cast<HWND>(handle);
    RECT rect{};
    if (!IsWindow(window) || !GetWindowRect(window, &rect))
        return {};
    return CaptureScreen(rect.left, rect.top, rect.right, rect.bottom);
}

RgbImage CaptureScreen(int left, int top, int right, int bottom)
{
    const RECT rect{left, top, right, bottom};
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return {};
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;

    const HuxWindowDC screen(nullptr);
    const HuxMemoryDC memory(screen.Get());
    const std::vector<uint8_t> header = HuxBitmapHeaderBlock(width, -height, 32, nullptr); // top-down
    void* bits = nullptr;
    const HuxGdiObject<HBITMAP> bitmap(CreateDIBSection(
        screen.Get(), reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap.Get() || !bits)
        throw std::runtime_error("CaptureScreen: no bitmap for the capture");
    BOOL copied = FALSE;
    {
        const HuxSelection selected(memory.Get(), bitmap.Get());
        copied = BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
    }
    if (!copied)
        throw std::runtime_error("CaptureScreen: the screen could not be read");
    GdiFlush();

    RgbImage image(width, height);
    const auto* pixels = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* bgrx = pixels + (size_t(y) * size_t(width) + size_t(x)) * 4;
            image.Set(x, y, bgrx[2], bgrx[1], bgrx[0]);
        }
    }
    return image;
}

void SaveWindowPng(intptr_t window, const std::string& path)
{
    const RgbImage image = CaptureWindow(window);
    if (image.Empty())
        throw std::runtime_error("SaveWindowPng: no such window");
    SavePng(path, image);
}

} // namespace SquelmHost
