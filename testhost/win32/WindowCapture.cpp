#include "testhost/win32/WindowCapture.h"

#include <windows.h>

#include <stdexcept>

#include "testhost/PngIO.h"

namespace SquelmHost {

namespace {

// Releases what the capture holds however it ends.
struct ScreenCopy {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = nullptr;
    ~ScreenCopy()
    {
        if (bitmap)
            DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
};

} // namespace

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

    ScreenCopy copy;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    copy.bitmap = CreateDIBSection(copy.screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!copy.bitmap || !bits)
        throw std::runtime_error("CaptureScreen: no bitmap for the capture");
    HGDIOBJ previous = SelectObject(copy.memory, copy.bitmap);
    const BOOL copied = BitBlt(copy.memory, 0, 0, width, height, copy.screen, rect.left, rect.top, SRCCOPY);
    SelectObject(copy.memory, previous);
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
    SaveRgbPng(path, image);
}

} // namespace SquelmHost
