#include "HuxLib/HUXIMAGE/HuxBitmapHeaderBlock.h"
#include "HuxLib/HUXIMAGE/HuxBitmapHeader.h"
#include "HuxLib/HUXIMAGE/HuxPalette.h"

#include <algorithm>
#include <cstring>

std::vector<uint8_t> HuxBitmapHeaderBlock(int32_t width, int32_t height, int depth, const HuxPalette* palette)
{
    const size_t entries = depth <= 8 ? size_t(1) << depth : 0;
    std::vector<uint8_t> block(sizeof(HuxBitmapInfoHeader) + entries * sizeof(HuxRGBQuad), 0);
    HuxBitmapInfoHeader header{};
    header.biSize = sizeof(HuxBitmapInfoHeader);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<uint16_t>(depth);
    std::memcpy(block.data(), &header, sizeof header);

    auto* table = reinterpret_cast<HuxRGBQuad*>(block.data() + sizeof header);
    if (depth == 8) {
        HuxPalette fallback;
        if (!palette || !palette->IsValid()) {
            fallback.SetDefault();
            palette = &fallback;
        }
        const int count = std::min(palette->Count(), HuxPalette::kMaxEntries);
        std::memcpy(table, palette->Entries(), size_t(count) * sizeof(HuxRGBQuad));
    } else if (depth == 1) {
        table[1] = {255, 255, 255, 0};
    }
    return block;
}
