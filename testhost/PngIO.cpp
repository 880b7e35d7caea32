#include "testhost/PngIO.h"

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string_view>

#include <stb_image.h>
#include <stb_image_write.h>

#include "HuxLib/HUXUTIL/HuxFiles.h"
#include "HuxLib/HUXUTIL/HuxQuote.h"

namespace SquelmHost {

namespace {

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};
using StbPixels = std::unique_ptr<unsigned char, StbFree>;

[[noreturn]] void CannotRead(const std::string& path, const std::string& reason)
{
    throw std::runtime_error("cannot read PNG " + HuxQuote(path, 200) + ": " + reason);
}

// stb's terse reasons, said in words.
std::string Explain(const char* stbReason)
{
    const std::string_view reason = stbReason ? stbReason : "";
    if (reason == "bad png sig" || reason == "unknown image type")
        return "not a PNG file";
    if (reason == "outofdata" || reason == "no IDAT" || reason == "not enough pixels" ||
        reason == "read past buffer")
        return "the file ends before the image does (truncated?)";
    if (reason == "outofmem")
        return "out of memory";
    if (reason.empty())
        return "damaged PNG data";
    return "damaged PNG data (" + HuxQuote(reason) + ")";
}

// Decodes with stb into `channels` components per pixel: stb drops alpha,
// spreads grey to RGB and reduces RGB to luma as the count asks.
StbPixels Decode(const std::string& path, int channels, int& width, int& height)
{
    const std::string file = HuxReadFile(path, kPngFileLimit, "PNG");
    static_assert(kPngFileLimit <= size_t(INT32_MAX), "stb takes the length as an int");
    const auto* bytes = reinterpret_cast<const stbi_uc*>(file.data());
    const int length = static_cast<int>(file.size());
    int fileChannels = 0;
    if (!stbi_info_from_memory(bytes, length, &width, &height, &fileChannels))
        CannotRead(path, Explain(stbi_failure_reason()));
    if (width > kPngSideLimit || height > kPngSideLimit || int64_t(width) * height > kPngPixelLimit)
        CannotRead(path, std::to_string(width) + " by " + std::to_string(height) + " pixels is more than " +
                             "this host takes (" + std::to_string(kPngSideLimit) + " a side, " +
                             std::to_string(kPngPixelLimit) + " in all)");
    StbPixels pixels(stbi_load_from_memory(bytes, length, &width, &height, &fileChannels, channels));
    if (!pixels)
        CannotRead(path, Explain(stbi_failure_reason()));
    return pixels;
}

void AppendToString(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

void Write(const std::string& path, int width, int height, int channels, const uint8_t* data)
{
    std::string file;
    if (width <= 0 || height <= 0 ||
        !stbi_write_png_to_func(AppendToString, &file, width, height, channels, data, width * channels))
        throw std::runtime_error("cannot write PNG " + HuxQuote(path, 200) + ": cannot encode the image");
    HuxWriteFile(path, file, "PNG");
}

} // namespace

RgbImage LoadRgbPng(const std::string& path)
{
    int width = 0, height = 0;
    StbPixels pixels = Decode(path, 3, width, height);
    RgbImage image(width, height);
    std::memcpy(image.pixels.data(), pixels.get(), image.pixels.size());
    return image;
}

GreyImage LoadGreyPng(const std::string& path)
{
    int width = 0, height = 0;
    StbPixels pixels = Decode(path, 1, width, height);
    GreyImage image(width, height);
    std::memcpy(image.pixels.data(), pixels.get(), image.pixels.size());
    return image;
}

void SaveRgbPng(const std::string& path, const RgbImage& image)
{
    Write(path, image.width, image.height, 3, image.pixels.data());
}

void SaveGreyPng(const std::string& path, const GreyImage& image)
{
    Write(path, image.width, image.height, 1, image.pixels.data());
}

} // namespace SquelmHost
