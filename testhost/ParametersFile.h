// The file in which squelm-host keeps the parameters handle between runs:
// a 16-byte header of our own, then the block's bytes as the plug-in left
// them.
//
//   offset 0   "SQUELMPB"           signature
//   offset 8   version, 32-bit LE   1
//   offset 12  length, 32-bit LE    bytes of the block that follow
//   offset 16  the block
//
// The header is what lets the host refuse to overwrite a file that is not
// its own (a photograph named by mistake). Files of earlier versions were
// the bare 96-byte record of the effect, or empty when there was no block;
// both are still read, and saving rewrites them with the header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace SquelmHost {

// Larger files are refused unread: a parameters block is small.
inline constexpr size_t kParametersFileLimit = 1 << 20;
inline constexpr size_t kParametersHeaderSize = 16;
// The size of the effect's record, the one header-less form that is read.
inline constexpr size_t kHeaderlessRecordSize = 96;

std::string EncodeParametersFile(const std::vector<uint8_t>& block);

// The block a file holds; throws std::runtime_error naming `path` for
// anything that is not a parameters file (or is cut short).
std::vector<uint8_t> DecodeParametersFile(std::string_view file, const std::string& path);

} // namespace SquelmHost
