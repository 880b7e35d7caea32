// Documents of every mode the test host offers: the record a host fills for
// each, their planes served and stored at both depths, the PNGs they come
// from and go back to, and damaged PNGs.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gmock/gmock.h>

#include "testhost/DocumentConversion.h"
#include "testhost/HostTestSupport.h"
#include "testhost/PngChecksums.h"
#include "testhost/PngIO.h"

namespace SquelmHostTest {
namespace {

using SquelmHost::ColourSpace;
using SquelmHost::HostImage;
using SquelmHost::Transparency;

// Every sample distinct and asymmetric: plane p of (x, y), scaled so that
// 16-bit samples use their high byte too.
HostImage Samples(int w, int h, ColourSpace space, int depth, Transparency t)
{
    HostImage image(w, h, space, depth, t);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int p = 0; p < image.Planes(); ++p)
                image.SetSample(x, y, p, (uint32_t(x * 37 + y * 11 + p * 61 + 3) * (depth == 16 ? 97 : 1)) %
                                             (image.White() + 1));
    return image;
}

struct Kind {
    ColourSpace space;
    int depth;
    Transparency transparency;
    int16_t mode, planes, filterCase, layerPlanes, outTransparency;
};

const Kind kKinds[] = {
    {ColourSpace::RGB, 8, Transparency::None, 3, 3, 1, 0, 0},
    {ColourSpace::RGB, 16, Transparency::None, 11, 3, 1, 0, 0},
    {ColourSpace::Grey, 8, Transparency::None, 1, 1, 1, 0, 0},
    {ColourSpace::Grey, 16, Transparency::Editable, 10, 2, 4, 1, 1},
    {ColourSpace::RGB, 8, Transparency::Editable, 3, 4, 4, 3, 1},
    {ColourSpace::RGB, 16, Transparency::Protected, 11, 4, 6, 3, 0},
    {ColourSpace::CMYK, 8, Transparency::None, 4, 4, 1, 0, 0},
    {ColourSpace::CMYK, 16, Transparency::Editable, 13, 5, 4, 4, 1},
    {ColourSpace::Lab, 8, Transparency::Protected, 9, 4, 6, 3, 0},
    {ColourSpace::Lab, 16, Transparency::None, 12, 3, 1, 0, 0},
};

std::string Name(const Kind& k)
{
    return "mode " + std::to_string(k.mode) + " with " + std::to_string(k.planes) + " planes";
}

TEST_F(HostTest, EachDocumentIsDescribedAsAHostDescribesIt)
{
    for (const Kind& k : kKinds) {
        host.SetImage(Samples(5, 4, k.space, k.depth, k.transparency));
        host.BuildRecord();
        const PS::FilterRecord& r = host.Record();
        EXPECT_EQ(r.imageMode, k.mode) << Name(k);
        EXPECT_EQ(r.depth, k.depth) << Name(k);
        EXPECT_EQ(r.planes, k.planes) << Name(k);
        EXPECT_EQ(r.filterCase, k.filterCase) << Name(k);
        EXPECT_EQ(r.inLayerPlanes, k.layerPlanes) << Name(k);
        EXPECT_EQ(r.inTransparencyMask, k.layerPlanes ? 1 : 0) << Name(k);
        EXPECT_EQ(r.outTransparencyMask, k.outTransparency) << Name(k);
        EXPECT_EQ(r.inNonLayerPlanes, k.layerPlanes ? 0 : k.planes) << Name(k);
    }
}

// Every plane in, inverted out; a protected transparency plane may be read
// but a request to write it is refused.
TEST_F(HostTest, EveryPlaneIsServedAndStoredAtEitherDepth)
{
    for (const Kind& k : kKinds) {
        const HostImage source = Samples(5, 4, k.space, k.depth, k.transparency);
        host.SetImage(source);
        host.BuildRecord();
        PS::FilterRecord& r = host.Record();
        const int16_t writable = int16_t(k.planes - (k.outTransparency || !k.layerPlanes ? 0 : 1));
        const auto request = [&](int16_t outPlanes) {
            Request(r, HostRect(1, 1, 4, 3), HostRect(1, 1, 4, 3), HostRect(0, 0, 0, 0));
            r.inHiPlane = int16_t(k.planes - 1);
            r.outHiPlane = int16_t(outPlanes - 1);
            return r.advanceState();
        };
        EXPECT_EQ(request(int16_t(writable + 1)), PS::paramErr) << Name(k);
        host.BuildRecord();
        ASSERT_EQ(request(writable), PS::noErr) << Name(k);
        const size_t pixelBytes = size_t(source.PixelBytes()), sample = size_t(source.SampleBytes());
        const auto* in = static_cast<const uint8_t*>(r.inData);
        auto* out = static_cast<uint8_t*>(r.outData);
        for (int y = 0; y < 2; ++y) {
            EXPECT_EQ(std::memcmp(in + y * r.inRowBytes, source.At(1, 1 + y), 3 * pixelBytes), 0) << Name(k);
            for (size_t i = 0; i < 3 * size_t(writable) * sample; ++i)
                out[y * r.outRowBytes + i] ^= 0xFF;
        }
        host.CallSelector(PS::filterSelectorContinue);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                for (int p = 0; p < k.planes; ++p) {
                    const bool written = x >= 1 && x < 4 && y >= 1 && y < 3 && p < writable;
                    const uint32_t inverted = k.depth == 16 ? 0xFFFF : 0xFF;
                    EXPECT_EQ(host.Image().Sample(x, y, p), source.Sample(x, y, p) ^ (written ? inverted : 0))
                        << Name(k) << " at " << x << "," << y << " plane " << p;
                }
    }
}

TEST_F(HostTest, PngsKeepTheirDepthChannelsAndColourThroughAConversion)
{
    const std::string path = (std::filesystem::path(::testing::TempDir()) / "squelm-modes.png").string();
    for (const Kind& k : kKinds) {
        const HostImage original = Samples(6, 5, k.space == ColourSpace::Grey ? k.space : ColourSpace::RGB,
                                           k.depth, k.transparency);
        SquelmHost::PngDocument how{k.transparency == Transparency::None ? Transparency::Editable : k.transparency, {}};
        if (k.space == ColourSpace::CMYK || k.space == ColourSpace::Lab)
            how.colour = k.space;
        SquelmHost::SavePng(path, original);
        const HostImage loaded = SquelmHost::LoadPng(path, how);
        EXPECT_EQ(loaded.space, k.space) << Name(k);
        EXPECT_EQ(loaded.depth, k.depth) << Name(k);
        EXPECT_EQ(loaded.transparency, k.transparency) << Name(k);
        SquelmHost::SavePng(path, loaded);
        const HostImage back = SquelmHost::LoadPng(path, {k.transparency, {}});
        // Lab's steps are coarse (DocumentConversion.h); CMYK is exact.
        const int tolerance = k.space == ColourSpace::Lab ? (k.depth == 16 ? 25 : 23) : 0;
        for (size_t i = 0; i < original.pixels.size(); i += original.SampleBytes()) {
            const int a = original.pixels[i] | (k.depth == 16 ? original.pixels[i + 1] << 8 : 0);
            const int b = back.pixels[i] | (k.depth == 16 ? back.pixels[i + 1] << 8 : 0);
            ASSERT_LE(std::abs(a - b), tolerance) << Name(k) << " sample " << i / original.SampleBytes();
        }
    }
    std::filesystem::remove(path);
}

TEST(DocumentConversion, KnownColoursTakeTheirDocumentedValues)
{
    const struct {
        uint8_t r, g, b;
        uint32_t cmyk[4], lab[3];
    } cases[] = {
        {255, 255, 255, {255, 255, 255, 255}, {255, 128, 128}},
        {0, 0, 0, {255, 255, 255, 0}, {0, 128, 128}},
        {255, 0, 0, {255, 0, 0, 255}, {136, 208, 195}},
        {40, 120, 200, {95, 175, 255, 200}, {126, 133, 80}},
    };
    for (const auto& c : cases) {
        HostImage rgb(1, 1);
        rgb.Set(0, 0, c.r, c.g, c.b);
        const HostImage cmyk = SquelmHost::ConvertFromRgb(rgb, ColourSpace::CMYK);
        const HostImage lab = SquelmHost::ConvertFromRgb(rgb, ColourSpace::Lab);
        for (int p = 0; p < 4; ++p)
            EXPECT_EQ(cmyk.Sample(0, 0, p), c.cmyk[p]) << int(c.r) << " plane " << p;
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(lab.Sample(0, 0, p), c.lab[p]) << int(c.r) << " plane " << p;
        EXPECT_EQ(SquelmHost::ConvertToRgb(cmyk).pixels, rgb.pixels);
    }
}

// A bit flipped in the header, and one in the image data's Adler-32 with
// the chunk's CRC made to fit again: only the Adler-32 check can tell.
TEST(PngIntegrity, ADamagedChunkAndDamagedImageDataAreNamed)
{
    const std::string path = (std::filesystem::path(::testing::TempDir()) / "squelm-damaged.png").string();
    SquelmHost::SavePng(path, Samples(9, 7, ColourSpace::RGB, 16, Transparency::None));
    std::ifstream in(path, std::ios::binary);
    const std::string good(std::istreambuf_iterator<char>(in), {});
    const size_t idat = good.find("IDAT"), length = uint8_t(good[idat - 2]) << 8 | uint8_t(good[idat - 1]);
    for (const bool refit : {false, true}) {
        std::string file = good;
        file[refit ? idat + length : 20] ^= 0x10;
        const uint32_t crc = HuxCrc32(std::string_view(file).substr(idat, 4 + length));
        for (size_t i = 0; refit && i < 4; ++i)
            file[idat + 4 + length + i] = char(uint8_t(crc >> (24 - 8 * i)));
        std::ofstream(path, std::ios::binary) << file;
        try {
            SquelmHost::LoadPng(path);
            ADD_FAILURE() << "read without a word";
        } catch (const std::runtime_error& e) {
            EXPECT_THAT(e.what(), ::testing::HasSubstr(refit ? "(the image data fail their Adler-32 check)"
                                                             : "(chunk 'IHDR' fails its CRC check)"));
        }
    }
    std::filesystem::remove(path);
}

} // namespace
} // namespace SquelmHostTest
