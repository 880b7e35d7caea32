// A colour table of up to 256 entries, with what drawing on a palette
// display derives from it: the nearest entry to a colour, a 15-bit inverse
// table and the ditherer. The derived data is built on first use and kept.
// The platform palette object made from the entries belongs to the Windows
// layer, which reads Entries() and Count().
#pragma once

#include "HuxLib/HUXIMAGE/HuxBitmapHeader.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class HuxDitherer;

class HuxPalette {
public:
    static constexpr int kMaxEntries = 256;
    static constexpr int kInverseTableSize = 32768;

    HuxPalette();
    virtual ~HuxPalette();
    HuxPalette(const HuxPalette&) = delete;
    HuxPalette& operator=(const HuxPalette&) = delete;

    // The fixed 256-entry table for 8-bit displays; marks the palette valid.
    void SetDefault();
    // 256 entries (i, i, i); marks the palette valid.
    void SetGrey();
    // The first min(count, 256) of the given entries (a bitmap's colour
    // table, say); marks the palette valid.
    void SetEntries(const HuxRGBQuad* entries, int count);

    // The entries, or null while the palette is not valid.
    const HuxRGBQuad* Entries() const;
    int Count() const { return m_count; }
    bool IsValid() const { return m_valid; }

    // The entry nearest to the colour by squared distance; the highest
    // index wins a tie; -1 for a palette without entries.
    int NearestIndex(uint8_t red, uint8_t green, uint8_t blue) const;

    // 32768 indices, one per 15-bit colour (red >> 3) | (green >> 3) << 5 |
    // (blue >> 3) << 10; the last one is nearest to white itself.
    const uint8_t* InverseTable();
    // Every entry in that 15-bit form, built with the inverse table.
    const uint16_t* Entries15();

    // The error-diffusion tables, built on first use; ReleaseDitherer frees
    // them once a draw is done.
    HuxDitherer& Ditherer();
    void ReleaseDitherer();
    bool HasDitherer() const { return m_ditherer != nullptr; }

private:
    void BuildInverseTable();

    std::array<HuxRGBQuad, kMaxEntries> m_entries{};
    std::vector<uint8_t> m_inverse;
    std::vector<uint16_t> m_entries15;
    bool m_valid = false;
    int m_count = 0;
    std::unique_ptr<HuxDitherer> m_ditherer;
};

// 15-bit form of a colour: five bits each of red (low), green, blue (high).
constexpr int HuxColour15(uint8_t red, uint8_t green, uint8_t blue)
{
    return (red >> 3) | (green >> 3) << 5 | (blue >> 3) << 10;
}
