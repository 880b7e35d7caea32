#include "HuxLib/HUXIMAGE/HuxPalette.h"
#include "HuxLib/HUXIMAGE/HuxDitherer.h"

#include <algorithm>

namespace {

using EntryTable = std::array<HuxRGBQuad, HuxPalette::kMaxEntries>;

constexpr HuxRGBQuad Rgb(int red, int green, int blue)
{
    return {uint8_t(blue), uint8_t(green), uint8_t(red), 0};
}

// The twenty colours Windows reserves in every system palette: they keep
// their places 0-9 and 246-255 so that realising ours disturbs nothing.
constexpr HuxRGBQuad kStaticLow[10] = {Rgb(0, 0, 0),       Rgb(128, 0, 0),     Rgb(0, 128, 0),   Rgb(128, 128, 0),
                                       Rgb(0, 0, 128),     Rgb(128, 0, 128),   Rgb(0, 128, 128), Rgb(192, 192, 192),
                                       Rgb(192, 220, 192), Rgb(164, 200, 240)};
constexpr HuxRGBQuad kStaticHigh[10] = {Rgb(255, 251, 240), Rgb(160, 160, 164), Rgb(128, 128, 128), Rgb(255, 0, 0),
                                        Rgb(0, 255, 0),     Rgb(255, 255, 0),   Rgb(0, 0, 255),     Rgb(255, 0, 255),
                                        Rgb(0, 255, 255),   Rgb(255, 255, 255)};

constexpr int kGreyFirst = 10;
constexpr int kGreyCount = 20;
constexpr int kHueFirst = 30;
constexpr int kHueCount = 6;
constexpr int kPerHue = 36;
constexpr int kDarkSteps = 16; // dark to full strength
constexpr int kTintSteps = 10; // full strength to nearly white
constexpr int kMutedSteps = kPerHue - 1 - kDarkSteps - kTintSteps;

// A hue as the channels it lights: red, green, blue, yellow, magenta, cyan.
struct Hue {
    bool red, green, blue;
};
constexpr Hue kHues[kHueCount] = {{true, false, false}, {false, true, false}, {false, false, true},
                                  {true, true, false},  {true, false, true}, {false, true, true}};

constexpr HuxRGBQuad Mix(const Hue& hue, int lit, int unlit)
{
    return Rgb(hue.red ? lit : unlit, hue.green ? lit : unlit, hue.blue ? lit : unlit);
}

// Each hue gets 36 places: a strong middle tone, a ramp from nearly black to
// full strength, one on from full strength to nearly white, and muted tones.
constexpr void FillHue(EntryTable& table, int first, const Hue& hue)
{
    int at = first;
    table[at++] = Mix(hue, 192, 0);
    for (int k = 0; k < kDarkSteps; ++k)
        table[at++] = Mix(hue, 24 + (255 - 24) * k / (kDarkSteps - 1), 8);
    for (int k = 1; k <= kTintSteps; ++k)
        table[at++] = Mix(hue, 255, 8 + (240 - 8) * k / kTintSteps);
    for (int k = 0; k < kMutedSteps; ++k) {
        const int lit = 72 + 20 * k;
        table[at++] = Mix(hue, lit, lit / 2);
    }
}

constexpr EntryTable BuildDefaultTable()
{
    EntryTable table{};
    for (int i = 0; i < 10; ++i) {
        table[i] = kStaticLow[i];
        table[246 + i] = kStaticHigh[i];
    }
    for (int k = 0; k < kGreyCount; ++k) {
        const int level = 16 + (224 * k + (kGreyCount - 1) / 2) / (kGreyCount - 1);
        table[kGreyFirst + k] = Rgb(level, level, level);
    }
    for (int h = 0; h < kHueCount; ++h)
        FillHue(table, kHueFirst + h * kPerHue, kHues[h]);
    return table;
}

constexpr EntryTable kDefaultTable = BuildDefaultTable();
static_assert(kHueFirst + kHueCount * kPerHue == 246);
static_assert(kDefaultTable[31].red == 24 && kDefaultTable[31].green == 8);
static_assert(kDefaultTable[56].red == 255 && kDefaultTable[56].green == 240 && kDefaultTable[56].blue == 240);
static_assert(kDefaultTable[29].red == 240);

constexpr int Square(int v) { return v * v; }

} // namespace

HuxPalette::HuxPalette() = default;
HuxPalette::~HuxPalette() = default;

void HuxPalette::SetEntries(const HuxRGBQuad* entries, int count)
{
    m_count = std::clamp(count, 0, kMaxEntries);
    m_entries = {};
    std::copy_n(entries, m_count, m_entries.begin());
    m_valid = true;
    // What was derived from the old entries no longer holds.
    m_inverse.clear();
    m_entries15.clear();
}

void HuxPalette::SetDefault() { SetEntries(kDefaultTable.data(), kMaxEntries); }

void HuxPalette::SetGrey()
{
    EntryTable grey{};
    for (int i = 0; i < kMaxEntries; ++i)
        grey[i] = Rgb(i, i, i);
    SetEntries(grey.data(), kMaxEntries);
}

const HuxRGBQuad* HuxPalette::Entries() const { return m_valid ? m_entries.data() : nullptr; }

int HuxPalette::NearestIndex(uint8_t red, uint8_t green, uint8_t blue) const
{
    int best = -1;
    int bestDistance = 0;
    for (int i = 0; i < m_count; ++i) {
        const HuxRGBQuad& e = m_entries[i];
        const int distance = Square(e.red - red) + Square(e.green - green) + Square(e.blue - blue);
        if (best < 0 || distance <= bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void HuxPalette::BuildInverseTable()
{
    std::vector<uint8_t> inverse(kInverseTableSize);
    for (int i = 0; i < kInverseTableSize - 1; ++i) {
        const auto red = uint8_t((i & 31) * 8);
        const auto green = uint8_t(((i >> 5) & 31) * 8);
        const auto blue = uint8_t(((i >> 10) & 31) * 8);
        inverse[i] = uint8_t(NearestIndex(red, green, blue));
    }
    inverse[kInverseTableSize - 1] = uint8_t(NearestIndex(255, 255, 255));

    std::vector<uint16_t> forms(kMaxEntries, 0);
    for (int j = 0; j < m_count; ++j)
        forms[j] = uint16_t(HuxColour15(m_entries[j].red, m_entries[j].green, m_entries[j].blue));

    m_inverse = std::move(inverse);
    m_entries15 = std::move(forms);
}

const uint8_t* HuxPalette::InverseTable()
{
    if (!m_valid)
        return nullptr;
    if (m_inverse.empty())
        BuildInverseTable();
    return m_inverse.data();
}

const uint16_t* HuxPalette::Entries15()
{
    return InverseTable() ? m_entries15.data() : nullptr;
}

HuxDitherer& HuxPalette::Ditherer()
{
    if (!m_ditherer)
        m_ditherer = std::make_unique<HuxDitherer>();
    return *m_ditherer;
}

void HuxPalette::ReleaseDitherer() { m_ditherer.reset(); }
