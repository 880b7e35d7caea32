// The CRC-32 that zlib, PNG and ZIP use (reflected polynomial 0xEDB88320,
// initial value and final XOR 0xFFFFFFFF), for files that check their own
// integrity.
#pragma once

#include <cstdint>
#include <string_view>

uint32_t HuxCrc32(std::string_view bytes);
