// A colour table of up to 256 entries. This holds the entries only; drawing
// on palette displays builds on it.
#pragma once

#include "HuxLib/HUXIMAGE/HuxBitmapHeader.h"

#include <array>

class HuxPalette {
public:
    static constexpr int kMaxEntries = 256;

    HuxPalette() = default;
    virtual ~HuxPalette() = default;

    // 256 entries (i, i, i); marks the palette valid.
    void SetGrey();

    // The entries, or null while the palette is not valid.
    const HuxRGBQuad* Entries() const;
    int Count() const { return m_count; }
    bool IsValid() const { return m_valid; }

private:
    std::array<HuxRGBQuad, kMaxEntries> m_entries{};
    int m_count = 0;
    bool m_valid = false;
};
