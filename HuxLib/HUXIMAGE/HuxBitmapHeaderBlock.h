// The header block of a new device-independent bitmap, the one builder
// of the in-memory pictures and the system's DIB sections.
#pragma once

#include <cstdint>
#include <vector>

class HuxPalette;

// Header and colour table of a new picture (height < 0: top-down) of the
// depth: a table of 2^depth entries up to depth 8, none above. Depth 8
// takes the palette's entries, or the default palette's when the palette
// is null or not valid; depth 1 is black and white; other tables are zero.
std::vector<uint8_t> HuxBitmapHeaderBlock(int32_t width, int32_t height, int depth, const HuxPalette* palette);
