#include "HuxLib/HUXIMAGE/HuxPalette.h"

void HuxPalette::SetGrey()
{
    for (int i = 0; i < kMaxEntries; ++i) {
        const auto level = static_cast<uint8_t>(i);
        m_entries[i] = {level, level, level, 0};
    }
    m_count = kMaxEntries;
    m_valid = true;
}

const HuxRGBQuad* HuxPalette::Entries() const { return m_valid ? m_entries.data() : nullptr; }
