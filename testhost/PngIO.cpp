#include "testhost/PngIO.h"

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string_view>

#include <stb_image.h>
#include <stb_image_write.h>

#include "HuxLib/HUXUTIL/HuxFiles.h"
#include "HuxLib/HUXUTIL/HuxQuote.h"
#include "testhost/DocumentConversion.h"
#include "testhost/PngIntegrity.h"
#include "testhost/PngWriter16.h"

namespace SquelmHost {

namespace {

struct StbFree {
    void operator()(void* p) const { stbi_image_free(p); }
};
template <typename Sample>
using StbPixels = std::unique_ptr<Sample, StbFree>;

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

// The file, checked, and what stb says of it.
struct PngFile {
    std::string bytes;
    int width = 0, height = 0, channels = 0;
    bool sixteenBits = false;

    const stbi_uc* Data() const { return reinterpret_cast<const stbi_uc*>(bytes.data()); }
    int Length() const { return static_cast<int>(bytes.size()); }
};

PngFile Open(const std::string& path)
{
    PngFile png{HuxReadFile(path, kPngFileLimit, "PNG")};
    static_assert(kPngFileLimit <= size_t(INT32_MAX), "stb takes the length as an int");
    if (const std::string fault = PngIntegrityFault(png.bytes); !fault.empty())
        CannotRead(path, fault);
    if (!stbi_info_from_memory(png.Data(), png.Length(), &png.width, &png.height, &png.channels))
        CannotRead(path, Explain(stbi_failure_reason()));
    if (png.width > kPngSideLimit || png.height > kPngSideLimit || int64_t(png.width) * png.height > kPngPixelLimit)
        CannotRead(path, std::to_string(png.width) + " by " + std::to_string(png.height) +
                             " pixels is more than this host takes (" + std::to_string(kPngSideLimit) +
                             " a side, " + std::to_string(kPngPixelLimit) + " in all)");
    png.sixteenBits = stbi_is_16_bit_from_memory(png.Data(), png.Length()) != 0;
    return png;
}

// Decodes with stb into `channels` components per pixel (0: the file's):
// stb drops alpha, spreads grey to RGB and reduces RGB to luma as asked.
StbPixels<stbi_uc> Decode8(const std::string& path, const PngFile& png, int channels)
{
    int w = 0, h = 0, n = 0;
    StbPixels<stbi_uc> pixels(stbi_load_from_memory(png.Data(), png.Length(), &w, &h, &n, channels));
    if (!pixels)
        CannotRead(path, Explain(stbi_failure_reason()));
    return pixels;
}

StbPixels<stbi_us> Decode16(const std::string& path, const PngFile& png)
{
    int w = 0, h = 0, n = 0;
    StbPixels<stbi_us> pixels(stbi_load_16_from_memory(png.Data(), png.Length(), &w, &h, &n, 0));
    if (!pixels)
        CannotRead(path, Explain(stbi_failure_reason()));
    return pixels;
}

// Hosts scale 16-bit data to 0..32768, and back.
uint32_t ToHostScale(uint32_t v) { return (v * 32768 + 32767) / 65535; }
uint32_t ToFileScale(uint32_t v) { return (v * 65535 + 16384) / 32768; }

void AppendToString(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

void Write8(const std::string& path, int width, int height, int channels, const uint8_t* data)
{
    std::string file;
    if (width <= 0 || height <= 0 ||
        !stbi_write_png_to_func(AppendToString, &file, width, height, channels, data, width * channels))
        throw std::runtime_error("cannot write PNG " + HuxQuote(path, 200) + ": cannot encode the image");
    HuxWriteFile(path, file, "PNG");
}

} // namespace

HostImage LoadPng(const std::string& path, const PngDocument& how)
{
    const PngFile png = Open(path);
    const bool colour = png.channels >= 3, alpha = png.channels % 2 == 0;
    HostImage image(png.width, png.height, colour ? ColourSpace::RGB : ColourSpace::Grey, png.sixteenBits ? 16 : 8,
                    alpha ? how.alpha : Transparency::None);
    const size_t samples = size_t(png.width) * size_t(png.height) * size_t(png.channels);
    if (png.sixteenBits) {
        const StbPixels<stbi_us> pixels = Decode16(path, png);
        for (size_t i = 0; i < samples; ++i) {
            const uint32_t v = ToHostScale(pixels.get()[i]);
            image.pixels[2 * i] = uint8_t(v);
            image.pixels[2 * i + 1] = uint8_t(v >> 8);
        }
    } else {
        std::memcpy(image.pixels.data(), Decode8(path, png, 0).get(), samples);
    }
    if (!how.colour)
        return image;
    if (!colour)
        CannotRead(path, "a grey image cannot be made CMYK or Lab; give a colour PNG");
    return ConvertFromRgb(image, *how.colour);
}

RgbImage LoadRgbPng(const std::string& path)
{
    const PngFile png = Open(path);
    RgbImage image(png.width, png.height);
    std::memcpy(image.pixels.data(), Decode8(path, png, 3).get(), image.pixels.size());
    return image;
}

GreyImage LoadGreyPng(const std::string& path)
{
    const PngFile png = Open(path);
    GreyImage image(png.width, png.height);
    std::memcpy(image.pixels.data(), Decode8(path, png, 1).get(), image.pixels.size());
    return image;
}

void SavePng(const std::string& path, const HostImage& document)
{
    const HostImage image = ConvertToRgb(document);
    if (image.depth == 8) {
        Write8(path, image.width, image.height, image.Planes(), image.pixels.data());
        return;
    }
    std::vector<uint16_t> samples(image.pixels.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = uint16_t(ToFileScale(image.pixels[2 * i] | image.pixels[2 * i + 1] << 8));
    HuxWriteFile(path, EncodePng16(image.width, image.height, image.Planes(), samples), "PNG");
}

void SaveGreyPng(const std::string& path, const GreyImage& image)
{
    Write8(path, image.width, image.height, 1, image.pixels.data());
}

} // namespace SquelmHost
