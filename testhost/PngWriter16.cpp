#include "testhost/PngWriter16.h"

#include <cstdlib>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "testhost/PngChecksums.h"

// stb_image_write defines its compressor with C linkage but declares it only
// inside its implementation.
extern "C" unsigned char* stbi_zlib_compress(unsigned char* data, int data_len, int* out_len, int quality);

namespace SquelmHost {

namespace {

constexpr int kQuality = 8; // stb's default for PNG
constexpr uint8_t kColourTypes[] = {0, 0, 4, 2, 6}; // by channel count

void PutBigEndian(std::string& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char(uint8_t(v >> shift));
}

void PutChunk(std::string& out, std::string_view type, std::string_view data)
{
    PutBigEndian(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.append(type);
    out.append(data);
    PutBigEndian(out, HuxCrc32(std::string_view(out).substr(start)));
}

struct Freed {
    void operator()(unsigned char* p) const { std::free(p); }
};

} // namespace

std::string EncodePng16(int width, int height, int channels, const std::vector<uint16_t>& samples)
{
    const size_t rowBytes = 1 + size_t(width) * size_t(channels) * 2;
    if (width <= 0 || height <= 0 || channels < 1 || channels > 4 ||
        samples.size() != size_t(width) * size_t(height) * size_t(channels) ||
        rowBytes * size_t(height) > size_t(std::numeric_limits<int>::max()))
        throw std::runtime_error("cannot encode the image as a 16-bit PNG");
    std::string raw;
    raw.reserve(rowBytes * size_t(height));
    for (size_t i = 0; i < samples.size(); ++i) {
        if (i % (size_t(width) * size_t(channels)) == 0)
            raw += '\0'; // filter: none
        raw += char(uint8_t(samples[i] >> 8));
        raw += char(uint8_t(samples[i]));
    }
    int length = 0;
    const std::unique_ptr<unsigned char, Freed> deflated(
        stbi_zlib_compress(reinterpret_cast<unsigned char*>(raw.data()), int(raw.size()), &length, kQuality));
    if (!deflated)
        throw std::runtime_error("cannot encode the image as a 16-bit PNG");

    std::string header;
    PutBigEndian(header, uint32_t(width));
    PutBigEndian(header, uint32_t(height));
    header += char(16);
    header += char(kColourTypes[channels]);
    header += std::string(3, '\0'); // deflate, adaptive filtering, not interlaced
    std::string file = "\x89PNG\r\n\x1a\n";
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", std::string_view(reinterpret_cast<const char*>(deflated.get()), size_t(length)));
    PutChunk(file, "IEND", {});
    return file;
}

} // namespace SquelmHost
