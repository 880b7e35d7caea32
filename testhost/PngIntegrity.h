// The checks stb's PNG reader leaves out: every chunk's CRC and the image
// data's Adler-32. A flipped bit anywhere in a chunk is caught here.
#pragma once

#include <string>
#include <string_view>

namespace SquelmHost {

// What is wrong with the file, in words ("damaged PNG data (...)", or that
// it ends too soon), or empty when both checks pass.
// Only the chunk structure and the checksums are judged: a file that is not
// a PNG at all passes for stb to name. The zlib stream's Adler-32 is taken
// from the last four bytes of the image data, where a well-formed file has
// it.
std::string PngIntegrityFault(std::string_view file);

} // namespace SquelmHost
