// Meshes out of a grid and back, the mesh file's bytes, and every kind of
// damaged file refused with the grid left as it was.
#include "GridTestSupport.h"

#include "HuxLib/HUXUTIL/HuxCrc32.h"
#include "HuxLib/HUXUTIL/HuxLittleEndian.h"
#include "grid/PSPlimMeshFile.h"

#include <cmath>
#include <functional>
#include <limits>

using gridtest::HuxPoint2D;
using gridtest::MakeGrid;
using gridtest::SameBits;

namespace {

// 0.8 x 0.6 grid units: a 4:3 image, whose diagonal is 1.
constexpr double kWidth = 0.8, kHeight = 0.6;

// 3 x 4 visible points, locked edges, every inner point moved differently.
PSPlimGrid DeformedGrid()
{
    PSPlimGrid grid = MakeGrid(kWidth, kHeight, 5, 6, PSPlimEdgeMode::Locked);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 3; ++c)
            grid.At(c, r) = {grid.Point(c, r).x + 0.01 * c, grid.Point(c, r).y - 0.002 * r * r};
    grid.ApplyEdgeMode();
    return grid;
}

void PutField(std::string& bytes, size_t at, uint32_t value)
{
    std::string field;
    HuxPutUint32(field, value);
    bytes.replace(at, 4, field);
}

// A change made as a writer would, with the checksum made to match.
std::function<void(std::string&)> Rewritten(std::function<void(std::string&)> change)
{
    return [change](std::string& bytes) {
        change(bytes);
        PutField(bytes, bytes.size() - 4, HuxCrc32(std::string_view(bytes).substr(0, bytes.size() - 4)));
    };
}

std::function<void(std::string&)> DoubleAt(size_t at, double value)
{
    return Rewritten([at, value](std::string& bytes) {
        std::string field;
        HuxPutDouble(field, value);
        bytes.replace(at, 8, field);
    });
}

} // namespace

TEST(PSPlimMeshTest, SavedAndLoadedTheGridAndItsBytesComeBackExactly)
{
    const PSPlimGrid made = DeformedGrid();
    const std::string bytes = PSPlimEncodeMesh(PSPlimMeshOf(made));
    ASSERT_EQ(bytes.size(), 240u);
    EXPECT_EQ(bytes.substr(0, 24), std::string("SQLMMESH\1\0\0\0\xF0\0\0\0\3\0\0\0\4\0\0\0", 24));
    EXPECT_EQ(HuxGetUint32(bytes, 24), 1u) << "locked";
    EXPECT_EQ(HuxGetDouble(bytes, 28), kWidth);
    EXPECT_EQ(HuxGetDouble(bytes, 44 + 16 * 4 + 8), made.Point(2, 2).y) << "point 2 of row 2";

    PSPlimGrid loaded = MakeGrid(kWidth, kHeight, 52, 52);
    PSPlimFitMesh(PSPlimDecodeMesh(bytes), loaded);
    EXPECT_TRUE(SameBits(made, loaded));
    EXPECT_EQ(loaded.EdgeMode(), PSPlimEdgeMode::Locked);
    EXPECT_EQ(PSPlimEncodeMesh(PSPlimMeshOf(loaded)), bytes);

    const std::string text = PSPlimEncodeMeshText(PSPlimMeshOf(made));
    EXPECT_EQ(text.substr(0, 11), "U1FMTU1FU0g") << "Base64 of the magic";
    EXPECT_EQ(PSPlimEncodeMesh(PSPlimDecodeMeshText(text)), bytes);
}

TEST(PSPlimMeshTest, DamagedFilesAreRefusedWithTheReasonAndTheGridKept)
{
    const std::string good = PSPlimEncodeMesh(PSPlimMeshOf(DeformedGrid()));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* damage;
        std::function<void(std::string&)> change;
        const char* message;
    } cases[] = {
        {"another file", [](std::string& b) { b = "\x89PNG\r\n\x1A\n" + b; }, "it is not a Squelm mesh file"},
        {"empty", [](std::string& b) { b.clear(); }, "it is cut short inside its header (0 bytes)"},
        {"version", Rewritten([](std::string& b) { PutField(b, 8, 2); }), "it has version 2; this program reads version 1"},
        {"cut short", [](std::string& b) { b.pop_back(); }, "gives a length of 240 bytes but it holds 239"},
        {"added to", [](std::string& b) { b += '\0'; }, "gives a length of 240 bytes but it holds 241"},
        {"too short", Rewritten([](std::string& b) { b.resize(100); PutField(b, 12, 100); }),
         "at 100 bytes it is shorter than the smallest mesh (192)"},
        {"a bit flipped", [](std::string& b) { b[100] ^= 0x10; }, "it is damaged: its checksum is 0x"},
        {"grid too large", Rewritten([](std::string& b) { PutField(b, 16, 151); }),
         "its grid of 151 by 4 points is outside 3 to 150 points each way"},
        {"counts and length", Rewritten([](std::string& b) { PutField(b, 16, 4); }),
         "its 240 bytes do not fit its grid of 4 by 4 points (304 bytes)"},
        {"edge mode", Rewritten([](std::string& b) { PutField(b, 24, 3); }), "its edge mode 3 is none of"},
        {"width", DoubleAt(28, nan), "its image size nan by 0.6 grid units is no image's"},
        {"shape", DoubleAt(36, 0.8), "its image size 0.8 by 0.8 grid units is no image's"},
        {"point", DoubleAt(44 + 16 * 4, std::numeric_limits<double>::infinity()),
         "point 2 of row 2 is not a finite number"},
        {"far point", DoubleAt(44 + 16 * 11 + 8, -1e6),
         "point 3 of row 4 lies absurdly far off the image, at (0.8, -1e+06)"},
    };
    for (const auto& c : cases) {
        std::string bytes = good;
        c.change(bytes);
        PSPlimGrid grid = DeformedGrid();
        try {
            PSPlimFitMesh(PSPlimDecodeMesh(bytes), grid);
            ADD_FAILURE() << c.damage << ": accepted";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.damage << ": " << e.what();
        }
        EXPECT_TRUE(SameBits(DeformedGrid(), grid)) << c.damage;
    }
}

TEST(PSPlimMeshTest, AMeshThatIsNoGridsChangesNothing)
{
    PSPlimMesh mesh = PSPlimMeshOf(DeformedGrid());
    mesh.points.pop_back();
    PSPlimGrid grid = DeformedGrid();
    EXPECT_THROW(PSPlimFitMesh(mesh, grid), std::invalid_argument);
    EXPECT_THROW(PSPlimEncodeMesh(mesh), std::runtime_error);
    EXPECT_TRUE(SameBits(DeformedGrid(), grid));
    EXPECT_THROW(PSPlimDecodeMeshText("U1FMTU1FU0g=\n"), std::runtime_error) << "not canonical Base64";
    try {
        PSPlimDecodeMeshText(std::string(480068, 'A'));
        ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "the mesh text is longer than any mesh's (480068 characters)");
    }
}

TEST(PSPlimMeshTest, AMeshOfAnotherShapeIsStretchedAndSaysSo)
{
    // 4:3 onto a square: x by (√½ / 0.8), y by (√½ / 0.6).
    const double side = std::sqrt(0.5);
    PSPlimGrid grid = MakeGrid(side, side, 9, 9);
    const PSPlimMesh mesh = PSPlimMeshOf(DeformedGrid());
    PSPlimFitMesh(mesh, grid);
    ASSERT_EQ(grid.PointsAcross(), 5);
    EXPECT_DOUBLE_EQ(grid.Point(2, 3).x, (0.4 + 0.02) * (side / 0.8));
    EXPECT_DOUBLE_EQ(grid.Point(2, 3).y, (0.4 - 0.018) * (side / 0.6));
    EXPECT_EQ(grid.Point(3, 4).x, side) << "locked edges lie on the new border";
    EXPECT_EQ(grid.Width(), side);

    EXPECT_EQ(PSPlimMeshShapeNote(mesh, 600, 600), "the mesh was made on an image 1.333 times as wide as high, "
                                                   "this one is 1 times: the mesh is stretched to fit");
    EXPECT_EQ(PSPlimMeshShapeNote(mesh, 1600, 1200), "") << "the same shape at another size";
}
