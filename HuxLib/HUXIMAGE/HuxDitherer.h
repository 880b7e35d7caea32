// Error diffusion of a 24-bit picture onto a palette (Floyd-Steinberg,
// every row left to right), for drawing on 8-bit displays. The error of
// each channel is split in integer steps held in tables for every error
// -255..255, so that a picture dithers the same on every machine.
#pragma once

#include "HuxLib/HUXIMAGE/HuxBitmapHeader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class HuxDIBBuffer;
class HuxPalette;

class HuxDitherer {
public:
    // Shares of an error e: a below right (about 1/16), b below left (3/16),
    // c below (5/16), d to the right (7/16); a + b + c + d = e.
    struct Split {
        int16_t a, b, c, d;
    };
    static constexpr int kMaxError = 255;

    HuxDitherer();

    // The split of e (-255..255), from the table.
    const Split& SplitOf(int e) const { return m_splits[std::size_t(e + kMaxError)]; }

    // Writes into the 8-bit target the palette index of every pixel of the
    // 24-bit (blue, green, red) source, diffusing the errors. Both pictures
    // must have the same width and height; either may be bottom-up. Throws
    // std::invalid_argument otherwise, or when the palette is not valid.
    void Convert(const HuxDIBBuffer& source, HuxDIBBuffer& target, HuxPalette& palette);

private:
    void ConvertRow(const uint8_t* source, uint8_t* target, bool lastRow);

    std::array<Split, 2 * kMaxError + 1> m_splits{};
    // Errors per channel for the row being converted and the row below it.
    std::vector<int> m_current;
    std::vector<int> m_below;
    const uint8_t* m_inverse = nullptr;
    const HuxRGBQuad* m_entries = nullptr;
    int32_t m_width = 0;
};

// The conversion a palette display needs: target becomes a new bottom-up
// 8-bit picture of the source's size whose colour table is the palette,
// filled by the palette's ditherer, whose tables are released afterwards.
void HuxDitherToPalette(const HuxDIBBuffer& source, HuxDIBBuffer& target, HuxPalette& palette);
