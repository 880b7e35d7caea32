// Windows: what a window looks like on the screen, read back through the
// screen's device context (under Xvfb: from the X server's framebuffer), so
// tests see exactly what a user would, overlapping windows included.
#pragma once

#include <cstdint>
#include <string>

#include "testhost/HostImage.h"

namespace SquelmHost {

// The screen pixels under the window's rectangle (frame and caption
// included). Empty when the window does not exist.
RgbImage CaptureWindow(intptr_t window);

// The screen pixels of a rectangle in screen coordinates; empty when the
// rectangle is.
RgbImage CaptureScreen(int left, int top, int right, int bottom);

// CaptureWindow saved as a PNG; throws std::runtime_error on failure.
void SaveWindowPng(intptr_t window, const std::string& path);

} // namespace SquelmHost
