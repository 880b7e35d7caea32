// A device-independent bitmap in memory: header, colour table and pixel rows.
// Either empty, owning one packed block (after Create), or a view of memory
// owned elsewhere (after Attach).
#pragma once

#include "HuxLib/HUXIMAGE/HuxBitmapHeader.h"

#include <cstdint>

class HuxPalette;

class HuxDIBBuffer {
public:
    HuxDIBBuffer() = default;
    ~HuxDIBBuffer();
    HuxDIBBuffer(const HuxDIBBuffer&) = delete;
    HuxDIBBuffer& operator=(const HuxDIBBuffer&) = delete;

    // A new zero-filled picture; height < 0 stores it top-down. Depths 1, 2,
    // 4, 8, 16, 24, 32; the colour table as HuxBitmapHeaderBlock makes it.
    // Throws std::bad_alloc when the memory cannot be had (sizes that
    // overflow included); the buffer is then empty.
    void Create(int32_t width, int32_t height, int bitsPerPixel, const HuxPalette* palette);

    // Makes the buffer a view of a header and pixel rows owned elsewhere.
    void Attach(HuxBitmapInfoHeader* header, uint8_t* pixels);

    // The byte holding pixel (x, y), y counted from the top of the picture;
    // null outside the picture or while empty. For depths below 8, bitPlace
    // receives the pixel's place in the byte from the low end, in pixels.
    uint8_t* PixelAddress(int32_t x, int32_t y, int* bitPlace = nullptr) const;

    bool IsEmpty() const { return m_header == nullptr; }
    const HuxBitmapInfoHeader* Header() const { return m_header; }
    const HuxRGBQuad* ColourTable() const;
    uint8_t* Pixels() const { return m_pixels; }
    int32_t Width() const;
    int32_t Height() const; // as stored: negative for top-down
    int32_t AbsHeight() const;
    int BitsPerPixel() const;
    int32_t RowStride() const { return m_rowStride; }
    int32_t ImageSize() const { return m_imageSize; }
    bool OwnsMemory() const { return m_ownsMemory; }
    bool IsPacked() const { return m_packed; }

    // Bytes per row for a width and depth, rounded up to a multiple of 4.
    // Throws std::bad_alloc when the result does not fit 32 bits.
    static int32_t RowStrideFor(int32_t width, int bitsPerPixel);
    // Header plus colour table, from the header's own fields.
    static int32_t HeaderSizeFor(const HuxBitmapInfoHeader& header);

private:
    void Release();

    HuxBitmapInfoHeader* m_header = nullptr;
    uint8_t* m_pixels = nullptr;
    int32_t m_imageSize = 0;
    int32_t m_rowStride = 0;
    bool m_ownsMemory = false;
    bool m_packed = false;
};
