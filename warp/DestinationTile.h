// The block of output pixels a render call fills, in cache coordinates.
#pragma once

#include <cstdint>

struct DestinationTile {
    uint8_t* data = nullptr; // the tile's top-left pixel
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0; // exclusive
    int32_t bottom = 0; // exclusive
    int32_t rowStride = 0; // bytes from one row to the next, downwards

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};
