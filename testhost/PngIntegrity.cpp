#include "testhost/PngIntegrity.h"

#include <cstdint>
#include <memory>

#include <stb_image.h>

#include "HuxLib/HUXUTIL/HuxQuote.h"
#include "testhost/PngChecksums.h"

namespace SquelmHost {

namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
constexpr size_t kChunkFrame = 12; // length, type, CRC
constexpr size_t kAdlerBytes = 4;
constexpr const char* kTruncated = "the file ends before the image does (truncated?)";

uint32_t BigEndian(std::string_view bytes, size_t at)
{
    return uint32_t(uint8_t(bytes[at])) << 24 | uint32_t(uint8_t(bytes[at + 1])) << 16 |
           uint32_t(uint8_t(bytes[at + 2])) << 8 | uint32_t(uint8_t(bytes[at + 3]));
}

struct StbFree {
    void operator()(char* p) const { stbi_image_free(p); }
};

// The zlib stream's own trailer against the data it inflates to; stb
// inflates without looking at it.
std::string AdlerFault(const std::string& stream)
{
    if (stream.size() <= kAdlerBytes)
        return "damaged PNG data (the image data are missing)";
    int length = 0;
    const std::unique_ptr<char, StbFree> raw(stbi_zlib_decode_malloc_guesssize_headerflag(
        stream.data(), int(stream.size()), 1 << 16, &length, 1));
    if (!raw)
        return "damaged PNG data (the image data cannot be inflated)";
    const uint32_t stored = BigEndian(stream, stream.size() - kAdlerBytes);
    if (ZlibAdler32(std::string_view(raw.get(), size_t(length))) != stored)
        return "damaged PNG data (the image data fail their Adler-32 check)";
    return {};
}

} // namespace

std::string PngIntegrityFault(std::string_view file)
{
    if (!file.starts_with(kSignature))
        return {};
    std::string stream;
    size_t at = kSignature.size();
    for (;;) {
        if (file.size() - at < kChunkFrame)
            return kTruncated;
        const uint32_t length = BigEndian(file, at);
        if (length > file.size() - at - kChunkFrame)
            return kTruncated;
        const std::string_view typeAndData = file.substr(at + 4, 4 + size_t(length));
        const std::string type(typeAndData.substr(0, 4));
        if (HuxCrc32(typeAndData) != BigEndian(file, at + 8 + length))
            return "damaged PNG data (chunk " + HuxQuote(type) + " fails its CRC check)";
        if (type == "IDAT")
            stream.append(typeAndData.substr(4));
        at += kChunkFrame + length;
        if (type == "IEND")
            return AdlerFault(stream);
    }
}

} // namespace SquelmHost
