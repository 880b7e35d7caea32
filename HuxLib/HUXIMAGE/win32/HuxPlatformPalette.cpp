#include "HuxLib/HUXIMAGE/win32/HuxPlatformPalette.h"

#include <cstddef>

static_assert(offsetof(LOGPALETTE, palVersion) == 0 && offsetof(LOGPALETTE, palNumEntries) == 2 &&
              offsetof(LOGPALETTE, palPalEntry) == 4 && sizeof(PALETTEENTRY) == 4);

void HuxPlatformPalette::BuildRecord()
{
    const int count = Count();
    m_record.assign(offsetof(LOGPALETTE, palPalEntry) + size_t(count) * sizeof(PALETTEENTRY), 0);
    auto* record = reinterpret_cast<LOGPALETTE*>(m_record.data());
    record->palVersion = 0x300;
    record->palNumEntries = WORD(count);
    const HuxRGBQuad* entries = Entries();
    PALETTEENTRY* out = record->palPalEntry;
    for (int i = 0; i < count; ++i)
        out[i] = {entries[i].red, entries[i].green, entries[i].blue, 0};
}

HPALETTE HuxPlatformPalette::Handle()
{
    if (!IsValid())
        return nullptr;
    if (!m_handle.Get()) {
        if (m_record.empty())
            BuildRecord();
        m_handle = HuxGdiObject<HPALETTE>(CreatePalette(reinterpret_cast<const LOGPALETTE*>(m_record.data())));
    }
    return m_handle.Get();
}
