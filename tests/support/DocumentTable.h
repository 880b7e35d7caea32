// The documents of the end-to-end table: each kind of document Squelm
// takes, as a PNG and the test host's options that make the document of
// it, the grey pattern they all carry and the stroke played on them. The
// native table runs every kind; the Windows table a few of them by name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "testhost/HostImage.h"

namespace DocumentTable {

using SquelmHost::ColourSpace;
using SquelmHost::HostImage;
using SquelmHost::Transparency;

constexpr int kWidth = 48;
constexpr int kHeight = 36;
constexpr const char* kStroke = "preview 96 72\ntool left squelm\nsize 0.25\npower 1.0\ndrag left 12,10 24,16 36,22\n";
// The same stroke, then Cancel.
inline std::string CancelScript() { return std::string(kStroke) + "cancel\n"; }

// Grey with structure in both directions, on the depth's scale.
inline uint32_t GreyAt(int x, int y, uint32_t white)
{
    return (uint32_t(x * 37 + y * 53 + (x * y) % 29) % 256) * white / 255;
}
// A layer's transparency: a ramp with a fully transparent and a fully opaque band.
inline uint32_t AlphaAt(int x, int y, uint32_t white)
{
    return x < 8 ? 0 : x > 40 ? white : uint32_t(x * 5 + y) % 256 * white / 255;
}

// The grey pattern in every colour plane; transparency opaque where the
// warp moves it (so that the colour warps as a flat image's), the ramp
// where it is protected.
inline HostImage Document(ColourSpace space, int depth, Transparency transparency)
{
    HostImage image(kWidth, kHeight, space, depth, transparency);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            for (int p = 0; p < image.ColourPlanes(); ++p)
                image.SetSample(x, y, p, GreyAt(x, y, image.White()));
            if (transparency != Transparency::None)
                image.SetSample(x, y, image.ColourPlanes(),
                                transparency == Transparency::Editable ? image.White() : AlphaAt(x, y, image.White()));
        }
    }
    return image;
}

struct Kind {
    const char* name;
    int depth;
    Transparency transparency;
    std::vector<std::string> options; // how the host makes the document of the PNG
    bool channelsAlike;               // each output channel is the grey result (not so through Lab)

    // The PNG the host reads: RGB, with transparency on a layer.
    HostImage Png() const { return Document(ColourSpace::RGB, depth, transparency); }
};

inline const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        {"rgb", 8, Transparency::None, {}, true},
        {"rgb-layer", 8, Transparency::Editable, {}, true},
        {"rgb-protected", 8, Transparency::Protected, {"--protect-transparency"}, true},
        {"cmyk", 8, Transparency::None, {"--as", "cmyk"}, true},
        {"cmyk-protected", 8, Transparency::Protected, {"--as", "cmyk", "--protect-transparency"}, true},
        {"lab", 8, Transparency::None, {"--as", "lab"}, false},
        {"rgb16", 16, Transparency::None, {}, true},
        {"rgb16-layer", 16, Transparency::Editable, {}, true},
        {"cmyk16", 16, Transparency::None, {"--as", "cmyk"}, true},
        {"lab16-protected", 16, Transparency::Protected, {"--as", "lab", "--protect-transparency"}, false},
    };
    return kinds;
}

// The kind of that name, or null.
inline const Kind* FindKind(std::string_view name)
{
    for (const Kind& kind : Kinds())
        if (name == kind.name)
            return &kind;
    return nullptr;
}

} // namespace DocumentTable
