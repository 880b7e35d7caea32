#include "testhost/PngIO.h"

#include <cstring>
#include <memory>
#include <stdexcept>

#include <stb_image.h>
#include <stb_image_write.h>

namespace SquelmHost {

namespace {

struct StbFree {
    void operator()(unsigned char* p) const { stbi_image_free(p); }
};
using StbPixels = std::unique_ptr<unsigned char, StbFree>;

// Decodes with stb into `channels` components per pixel: stb drops alpha,
// spreads grey to RGB and reduces RGB to luma as the count asks.
StbPixels Decode(const std::string& path, int channels, int& width, int& height)
{
    int fileChannels = 0;
    StbPixels pixels(stbi_load(path.c_str(), &width, &height, &fileChannels, channels));
    if (!pixels) {
        const char* reason = stbi_failure_reason();
        throw std::runtime_error("cannot read PNG '" + path + "': " + (reason ? reason : "unknown error"));
    }
    return pixels;
}

void Write(const std::string& path, int width, int height, int channels, const uint8_t* data)
{
    if (width <= 0 || height <= 0 || !stbi_write_png(path.c_str(), width, height, channels, data, width * channels))
        throw std::runtime_error("cannot write PNG '" + path + "'");
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
