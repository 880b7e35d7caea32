#include "HuxLib/HUXIMAGE/HuxDitherer.h"
#include "HuxLib/HUXIMAGE/HuxDIBBuffer.h"
#include "HuxLib/HUXIMAGE/HuxPalette.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kChannels = 3; // blue, green, red, as the pixels hold them

// Integer division truncates toward zero, so negative errors split
// slightly differently from positive ones; the tables keep that exact.
constexpr HuxDitherer::Split SplitError(int e)
{
    const int a = (e + 8) / 16;
    const int b = (2 * (e - a) + 5) / 10;
    const int c = (5 * (e - a - b) + 6) / 12;
    const int d = e - a - b - c;
    return {int16_t(a), int16_t(b), int16_t(c), int16_t(d)};
}

} // namespace

HuxDitherer::HuxDitherer()
{
    for (int e = -kMaxError; e <= kMaxError; ++e)
        m_splits[size_t(e + kMaxError)] = SplitError(e);
}

void HuxDitherer::Convert(const HuxDIBBuffer& source, HuxDIBBuffer& target, HuxPalette& palette)
{
    if (source.BitsPerPixel() != 24 || target.BitsPerPixel() != 8 || source.Width() != target.Width() ||
        source.AbsHeight() != target.AbsHeight())
        throw std::invalid_argument("HuxDitherer::Convert: a 24-bit source and an 8-bit target of one size");
    m_inverse = palette.InverseTable();
    m_entries = palette.Entries();
    if (!m_inverse)
        throw std::invalid_argument("HuxDitherer::Convert: the palette has no entries");

    m_width = source.Width();
    const int32_t height = source.AbsHeight();
    if (m_width == 0 || height == 0)
        return;
    m_current.assign(size_t(m_width) * kChannels, 0);
    m_below.assign(size_t(m_width) * kChannels, 0);
    for (int32_t y = 0; y < height; ++y) {
        ConvertRow(source.PixelAddress(0, y), target.PixelAddress(0, y), y + 1 == height);
        std::swap(m_current, m_below);
    }
}

// The row below is written as this row goes: its first place only receives
// added shares, so it starts at zero; every later place is first reached by
// the below-right share of its left neighbour, which stores rather than adds
// and so clears what the buffer held two rows ago.
void HuxDitherer::ConvertRow(const uint8_t* source, uint8_t* target, bool lastRow)
{
    int carry[kChannels] = {0, 0, 0};
    for (int k = 0; k < kChannels; ++k)
        m_below[size_t(k)] = 0;

    for (int32_t x = 0; x < m_width; ++x) {
        const size_t at = size_t(x) * kChannels;
        int value[kChannels];
        for (int k = 0; k < kChannels; ++k)
            value[k] = std::clamp(source[at + k] + carry[k] + m_current[at + k], 0, 255);

        const int blue = value[0], green = value[1], red = value[2];
        const uint8_t index = m_inverse[HuxColour15(uint8_t(red), uint8_t(green), uint8_t(blue))];
        target[x] = index;

        const HuxRGBQuad& chosen = m_entries[index];
        const int entry[kChannels] = {chosen.blue, chosen.green, chosen.red};
        for (int k = 0; k < kChannels; ++k) {
            const Split& split = SplitOf(value[k] - entry[k]);
            carry[k] = split.d;
            if (lastRow)
                continue;
            if (x > 0)
                m_below[at - kChannels + k] += split.b;
            m_below[at + k] += split.c;
            if (x + 1 < m_width)
                m_below[at + kChannels + k] = split.a;
        }
    }
}

void HuxDitherToPalette(const HuxDIBBuffer& source, HuxDIBBuffer& target, HuxPalette& palette)
{
    // The tables are wanted for this one picture only, also when it fails.
    struct ReleaseAfterwards {
        HuxPalette& palette;
        ~ReleaseAfterwards() { palette.ReleaseDitherer(); }
    } release{palette};
    target.Create(source.Width(), source.AbsHeight(), 8, &palette);
    palette.Ditherer().Convert(source, target, palette);
}
