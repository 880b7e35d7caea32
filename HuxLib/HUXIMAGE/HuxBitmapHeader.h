// The platform's device-independent bitmap header and colour-table entry,
// declared with the same binary layout so buffers can be handed to the
// system's drawing functions unchanged.
#pragma once

#include <cstdint>

struct HuxBitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight; // negative: rows stored top-down
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
static_assert(sizeof(HuxBitmapInfoHeader) == 40);

// Colour-table entry: blue, green, red, reserved.
struct HuxRGBQuad {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t reserved;
};
static_assert(sizeof(HuxRGBQuad) == 4);

constexpr uint32_t kHuxBiRGB = 0;
constexpr uint32_t kHuxBiBitFields = 3;
