// The toolbar resource and the editor's bitmaps and cursor as compiled:
// sizes, depths, palettes, backgrounds, and that every image is drawn.
#include <array>
#include <compare>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/ResourceFile.h"
#include "resources/ResourceIds.h"
#include "ui/PSPlimArtwork.h"

namespace {

using ResourceFile::Reader;

constexpr int RT_CURSOR = 1, RT_BITMAP = 2, RT_GROUP_CURSOR = 12;

struct Rgb {
    int r, g, b;
    auto operator<=>(const Rgb&) const = default;
};

// The 16-colour VGA palette in its index order.
const std::array<Rgb, 16> kVga = {{{0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
                                   {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                   {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
                                   {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255}}};
constexpr Rgb kLightGrey{192, 192, 192};
constexpr Rgb kMagenta{255, 0, 255};

// A 4-bit bitmap resource: BITMAPINFOHEADER, palette, bottom-up rows.
struct Bitmap {
    int width = 0, height = 0, bitCount = 0;
    std::vector<Rgb> palette;
    std::vector<std::vector<Rgb>> rows;   // top row first
    Rgb At(int x, int y) const { return rows[y][x]; }
};

Bitmap ReadBitmap(const std::vector<uint8_t>& data)
{
    Reader r(data);
    EXPECT_EQ(r.U32(), 40u) << "BITMAPINFOHEADER";
    Bitmap bitmap;
    bitmap.width = r.S32();
    bitmap.height = r.S32();
    EXPECT_EQ(r.U16(), 1) << "planes";
    bitmap.bitCount = r.U16();
    EXPECT_EQ(r.U32(), 0u) << "uncompressed";
    r.Skip(12);
    uint32_t colours = r.U32();
    r.U32();
    if (colours == 0) {
        colours = 1u << bitmap.bitCount;
    }
    for (uint32_t i = 0; i < colours; ++i) {
        const int b = r.U8(), g = r.U8(), red = r.U8();
        r.U8();
        bitmap.palette.push_back({red, g, b});
    }
    if (bitmap.bitCount != 4 || bitmap.height <= 0) {
        return bitmap;
    }
    const size_t stride = (static_cast<size_t>(bitmap.width) * 4 + 31) / 32 * 4;
    bitmap.rows.resize(bitmap.height);
    for (int y = bitmap.height - 1; y >= 0; --y) {
        const size_t rowStart = r.Offset();
        for (int x = 0; x < bitmap.width; x += 2) {
            const uint8_t pair = r.U8();
            bitmap.rows[y].push_back(bitmap.palette.at(pair >> 4));
            if (x + 1 < bitmap.width) {
                bitmap.rows[y].push_back(bitmap.palette.at(pair & 15));
            }
        }
        r.Skip(rowStart + stride - r.Offset());
    }
    return bitmap;
}

Bitmap LoadBitmap(int id)
{
    const auto resources = ResourceFile::Read(SQUELM_EDITOR_RES);
    return ReadBitmap(ResourceFile::Find(resources, RT_BITMAP, id).data);
}

// The pixels of one cell that are not background.
int DrawnPixels(const Bitmap& bitmap, int left, int width, Rgb background)
{
    int drawn = 0;
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = left; x < left + width; ++x) {
            drawn += !(bitmap.At(x, y) == background);
        }
    }
    return drawn;
}

std::vector<std::vector<Rgb>> Cell(const Bitmap& bitmap, int left, int width)
{
    std::vector<std::vector<Rgb>> cell;
    for (const auto& row : bitmap.rows) {
        cell.emplace_back(row.begin() + left, row.begin() + left + width);
    }
    return cell;
}

// Checks size, depth, palette and background, and that each cell is drawn
// and unlike every other cell.
void ExpectImageStrip(int id, int width, int height, int cells, Rgb background)
{
    SCOPED_TRACE("bitmap " + std::to_string(id));
    const Bitmap bitmap = LoadBitmap(id);
    ASSERT_EQ(bitmap.width, width);
    ASSERT_EQ(bitmap.height, height);
    ASSERT_EQ(bitmap.bitCount, 4);
    EXPECT_EQ(bitmap.palette, std::vector<Rgb>(kVga.begin(), kVga.end()));
    const int cellWidth = width / cells;
    std::set<std::vector<std::vector<Rgb>>> distinct;
    for (int cell = 0; cell < cells; ++cell) {
        const int left = cell * cellWidth;
        SCOPED_TRACE("cell " + std::to_string(cell));
        // The image list takes its mask colour from the caller, and the
        // bitmap button its face colour: the art is drawn on the colour
        // both expect, which shows at the bottom corners of every image.
        EXPECT_EQ(bitmap.At(left, height - 1), background);
        EXPECT_EQ(bitmap.At(left + cellWidth - 1, height - 1), background);
        const int drawn = DrawnPixels(bitmap, left, cellWidth, background);
        EXPECT_GT(drawn, cellWidth * height / 10) << "hardly anything drawn";
        EXPECT_LT(drawn, cellWidth * height * 3 / 4) << "hardly any background";
        distinct.insert(Cell(bitmap, left, cellWidth));
    }
    EXPECT_EQ(distinct.size(), static_cast<size_t>(cells)) << "two images are the same";
}

TEST(CompiledArtwork, ToolbarResourceListsTheCommandsInButtonOrder)
{
    const auto resources = ResourceFile::Read(SQUELM_EDITOR_RES);
    const auto& toolbar = ResourceFile::Find(resources, RT_SQUELM_TOOLBAR, IDR_EDITOR_TOOLBAR);
    Reader r(toolbar.data);
    std::vector<int> words;
    while (!r.AtEnd()) {
        words.push_back(r.U16());
    }
    EXPECT_EQ(words, (std::vector<int>{1, 16, 15, 16, 57643, 57644, 0, 32776, 32779, 32788, 0, 32782, 32783, 32784, 0,
                                       32785, 32786, 32787, 0, 32781}));
}

TEST(CompiledArtwork, ToolbarBitmapHasTwelveButtonImagesOnLightGrey)
{
    ExpectImageStrip(IDR_EDITOR_TOOLBAR, 192, 15, 12, kLightGrey);
}

TEST(CompiledArtwork, ToolImagesAreSixCellsOnMagenta)
{
    ExpectImageStrip(IDB_TOOL_IMAGES, 96, 16, 6, kMagenta);
}

TEST(CompiledArtwork, ZoomButtonImagesAreOnLightGrey)
{
    for (int id : {IDB_ZOOM_IN, IDB_ZOOM_OUT, IDB_ZOOM_LOCATOR}) {
        ExpectImageStrip(id, 16, 16, 1, kLightGrey);
    }
}

// Each picture at each scale the editor picks from: the 100 % picture's
// cells, each as large as the scale makes it, on the same background.
TEST(CompiledArtwork, EveryPictureIsDrawnAtEveryScale)
{
    struct Picture {
        PSPlimArt art;
        HuxPointI cell; // at 100 %
        int cells;
        Rgb background;
    };
    const Picture pictures[] = {
        {PSPlimArt::Toolbar, {16, 15}, 12, kLightGrey},   {PSPlimArt::ToolImages, {16, 16}, 6, kMagenta},
        {PSPlimArt::ZoomIn, {16, 16}, 1, kLightGrey},     {PSPlimArt::ZoomOut, {16, 16}, 1, kLightGrey},
        {PSPlimArt::ZoomLocator, {16, 16}, 1, kLightGrey},
    };
    for (const HuxArtScale scale : {HuxArtScale::Percent100, HuxArtScale::Percent150, HuxArtScale::Percent200})
        for (const Picture& picture : pictures) {
            SCOPED_TRACE(int(scale));
            const HuxPointI cell = HuxArtSize(picture.cell, scale);
            ExpectImageStrip(PSPlimArtBitmap(picture.art, scale), cell.x * picture.cells, cell.y, picture.cells,
                             picture.background);
        }
}

TEST(CompiledArtwork, ZoomInAndOutDifferOnlyByTheRedUpright)
{
    const Bitmap in = LoadBitmap(IDB_ZOOM_IN);
    const Bitmap out = LoadBitmap(IDB_ZOOM_OUT);
    const Rgb red{255, 0, 0};
    int differences = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (!(in.At(x, y) == out.At(x, y))) {
                ++differences;
                EXPECT_EQ(in.At(x, y), red) << "at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(differences, 0);
}

// Light grey is the colour the bitmap button turns into the button face,
// and so is any colour within 7 of it: the art must not use one by accident.
TEST(CompiledArtwork, NoArtColourIsMistakenForTheButtonFace)
{
    for (int id : {IDR_EDITOR_TOOLBAR, IDB_ZOOM_IN, IDB_ZOOM_OUT, IDB_ZOOM_LOCATOR}) {
        const Bitmap bitmap = LoadBitmap(id);
        for (const auto& row : bitmap.rows) {
            for (const Rgb& c : row) {
                const bool near = std::abs(c.r - 192) <= 7 && std::abs(c.g - 192) <= 7 && std::abs(c.b - 192) <= 7;
                EXPECT_TRUE(!near || c == kLightGrey) << "bitmap " << id;
            }
        }
    }
}

TEST(CompiledArtwork, PanCursorIsA32PixelMonochromeHandWithItsHotSpotOnIt)
{
    const auto resources = ResourceFile::Read(SQUELM_EDITOR_RES);
    const auto& group = ResourceFile::Find(resources, RT_GROUP_CURSOR, IDC_PAN_CURSOR);
    Reader g(group.data);
    EXPECT_EQ(g.U16(), 0);
    EXPECT_EQ(g.U16(), 2) << "a cursor group";
    ASSERT_EQ(g.U16(), 1) << "one image";
    EXPECT_EQ(g.U16(), 32) << "width";
    EXPECT_EQ(g.U16(), 64) << "height of both masks";
    EXPECT_EQ(g.U16(), 1) << "planes";
    EXPECT_EQ(g.U16(), 1) << "bits per pixel";
    g.U32();
    const int imageId = g.U16();

    const auto& image = ResourceFile::Find(resources, RT_CURSOR, imageId);
    Reader r(image.data);
    const int hotX = r.U16(), hotY = r.U16();
    std::vector<uint8_t> rest(image.data.begin() + 4, image.data.end());
    const Bitmap header = ReadBitmap(rest);
    EXPECT_EQ(header.width, 32);
    EXPECT_EQ(header.height, 64);
    EXPECT_EQ(header.bitCount, 1);
    ASSERT_EQ(header.palette.size(), 2u);
    EXPECT_EQ(header.palette[0], (Rgb{0, 0, 0}));
    EXPECT_EQ(header.palette[1], (Rgb{255, 255, 255}));
    // XOR mask then AND mask, 4 bytes a row, bottom-up; AND 0 is opaque.
    const size_t masks = 4 + 40 + 8;
    ASSERT_EQ(image.data.size(), masks + 2 * 128);
    auto andBit = [&](int x, int y) {
        const uint8_t byte = image.data[masks + 128 + (31 - y) * 4 + x / 8];
        return (byte >> (7 - x % 8)) & 1;
    };
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            opaque += andBit(x, y) == 0;
        }
    }
    EXPECT_GT(opaque, 60);
    ASSERT_LT(hotX, 32);
    ASSERT_LT(hotY, 32);
    EXPECT_EQ(andBit(hotX, hotY), 0) << "the hot spot lies on the hand";
}

}
