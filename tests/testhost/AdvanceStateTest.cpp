// Serving advanceState: host-side sampling, refusals, row padding, masks.
#include "testhost/HostTestSupport.h"
#include "testhost/RequestServer.h"

namespace SquelmHostTest {
namespace {

using SquelmHost::RequestServer;

const PS::Rect kNone = HostRect(0, 0, 0, 0);

// Pointer fields of the record may be misaligned (4-byte packing): read them
// by value rather than binding references.
const void* Data(const void* p)
{
    return p;
}

const uint8_t* InPixel(const PS::FilterRecord& r, int x, int y)
{
    return static_cast<const uint8_t*>(r.inData) + y * r.inRowBytes + x * 3;
}

TEST_F(HostTest, ScaleOneDeliversTheRectangleExactly)
{
    ASSERT_EQ(Advance(HostRect(2, 1, 6, 4), kNone, kNone), PS::noErr);
    const PS::FilterRecord& r = host.Record();
    ASSERT_NE(Data(r.inData), nullptr);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const uint8_t* p = InPixel(r, x, y);
            EXPECT_EQ(p[0], 2 + x) << x << "," << y;
            EXPECT_EQ(p[1], 1 + y) << x << "," << y;
            EXPECT_EQ(p[2], 3 * (2 + x) + 5 * (1 + y) + 1) << x << "," << y;
        }
    }
}

TEST_F(HostTest, ScaleThreePointSamplesEveryThirdPixel)
{
    // 10 x 7 at scale 3 is 4 x 3 scaled pixels; scaled (i, j) is (3i, 3j).
    ASSERT_EQ(Advance(HostRect(0, 0, 4, 3), kNone, kNone, 3), PS::noErr);
    const PS::FilterRecord& r = host.Record();
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 4; ++i) {
            const uint8_t* p = InPixel(r, i, j);
            EXPECT_EQ(p[0], 3 * i);
            EXPECT_EQ(p[1], 3 * j);
            EXPECT_EQ(p[2], 9 * i + 15 * j + 1);
        }
    }
    // An offset request at scale 3: scaled (3, 2) is document (9, 6).
    ASSERT_EQ(Advance(HostRect(3, 2, 4, 3), kNone, kNone, 3), PS::noErr);
    EXPECT_EQ(InPixel(host.Record(), 0, 0)[0], 9);
    EXPECT_EQ(InPixel(host.Record(), 0, 0)[1], 6);
}

TEST_F(HostTest, RequestsOutsideTheScaledImageAreRefusedAndDeliverNothing)
{
    struct Case {
        PS::Rect in;
        int scale;
    } cases[] = {
        {HostRect(0, 0, 11, 7), 1}, // one column too wide
        {HostRect(0, 0, 10, 8), 1}, // one row too tall
        {HostRect(-1, 0, 3, 3), 1}, // left of the image
        {HostRect(0, 0, 5, 3), 3},  // scaled width is 4
        {HostRect(0, 0, 4, 4), 3},  // scaled height is 3
        {HostRect(5, 0, 4, 3), 1},  // inverted
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Advance(c.in, kNone, kNone, c.scale), PS::paramErr)
            << c.in.left << "," << c.in.top << "," << c.in.right << "," << c.in.bottom << " @" << c.scale;
        EXPECT_EQ(Data(host.Record().inData), nullptr);
        host.BuildRecord(); // a refusal is sticky within a run
    }
    EXPECT_EQ(Advance(HostRect(0, 0, 10, 7), HostRect(0, 0, 11, 7), kNone), PS::paramErr);
    EXPECT_EQ(Data(host.Record().inData), nullptr) << "nothing is delivered when any part is refused";
    EXPECT_EQ(Data(host.Record().outData), nullptr);
}

TEST_F(HostTest, BadRatesAndPlanesAreRefused)
{
    Request(host.Record(), HostRect(0, 0, 2, 2), kNone, kNone);
    host.Record().inputRate = 0x18000; // 1.5
    EXPECT_EQ(host.Record().advanceState(), PS::paramErr);

    host.BuildRecord();
    Request(host.Record(), HostRect(0, 0, 2, 2), kNone, kNone);
    host.Record().inputRate = 0;
    EXPECT_EQ(host.Record().advanceState(), PS::paramErr);

    host.BuildRecord();
    Request(host.Record(), HostRect(0, 0, 2, 2), kNone, kNone);
    host.Record().inHiPlane = 3;
    EXPECT_EQ(host.Record().advanceState(), PS::paramErr);

    host.BuildRecord();
    Request(host.Record(), kNone, HostRect(0, 0, 2, 2), kNone);
    host.Record().outLoPlane = 2;
    host.Record().outHiPlane = 1;
    EXPECT_EQ(host.Record().advanceState(), PS::paramErr);
}

TEST_F(HostTest, RatesOfEmptyRequestsAreNotChecked)
{
    Request(host.Record(), kNone, kNone, kNone);
    host.Record().inputRate = 0x18000;
    host.Record().maskRate = 0;
    EXPECT_EQ(host.Record().advanceState(), PS::noErr);
    EXPECT_EQ(Data(host.Record().inData), nullptr);
    EXPECT_EQ(Data(host.Record().outData), nullptr);
    EXPECT_EQ(Data(host.Record().maskData), nullptr);
}

TEST_F(HostTest, RowsArePaddedWithTheMarker)
{
    ASSERT_EQ(Advance(HostRect(0, 0, 5, 2), kNone, kNone), PS::noErr);
    const PS::FilterRecord& r = host.Record();
    // 15 packed bytes: rounded to 16 plus 16 more.
    EXPECT_EQ(r.inRowBytes, 32);
    const uint8_t* row0 = static_cast<const uint8_t*>(r.inData);
    for (int i = 15; i < 32; ++i)
        EXPECT_EQ(row0[i], RequestServer::kPaddingMarker) << i;
    EXPECT_EQ(row0[32], 0) << "the second row starts after the padding";
    EXPECT_EQ(row0[33], 1);
    EXPECT_EQ(RequestServer::PaddedRowBytes(16), 32);
    EXPECT_EQ(RequestServer::PaddedRowBytes(17), 48);
    EXPECT_EQ(RequestServer::PaddedRowBytes(1), 32);
}

TEST_F(HostTest, PlaneSubsetsAreInterleavedFromTheLowPlane)
{
    Request(host.Record(), HostRect(4, 3, 6, 4), kNone, kNone);
    host.Record().inLoPlane = 1;
    host.Record().inHiPlane = 2;
    ASSERT_EQ(host.Record().advanceState(), PS::noErr);
    const uint8_t* p = static_cast<const uint8_t*>(host.Record().inData);
    EXPECT_EQ(p[0], 3);                 // green of (4, 3)
    EXPECT_EQ(p[1], 3 * 4 + 5 * 3 + 1); // blue of (4, 3)
    EXPECT_EQ(p[2], 3);                 // green of (5, 3)
    EXPECT_EQ(p[3], 3 * 5 + 5 * 3 + 1);
    EXPECT_EQ(host.Record().inRowBytes, 32);
}

TEST_F(HostTest, MaskIsSampledAtTheMaskRate)
{
    host.SetMask(MaskPattern(10, 7));
    host.BuildRecord();
    Request(host.Record(), HostRect(0, 0, 4, 3), kNone, HostRect(1, 1, 4, 3), 1);
    host.Record().maskRate = 3 << 16;
    ASSERT_EQ(host.Record().advanceState(), PS::noErr);
    const PS::FilterRecord& r = host.Record();
    ASSERT_NE(Data(r.maskData), nullptr);
    EXPECT_EQ(r.maskRowBytes, 32);
    const uint8_t* m = static_cast<const uint8_t*>(r.maskData);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(m[j * r.maskRowBytes + i], uint8_t(20 * 3 * (1 + i) + 3 * (1 + j) + 7)) << i << "," << j;
    // The input of the same call used its own rate (1).
    EXPECT_EQ(InPixel(r, 3, 2)[0], 3);
    EXPECT_EQ(InPixel(r, 3, 2)[1], 2);
}

TEST_F(HostTest, NoMaskIsDeliveredWithoutASelection)
{
    ASSERT_EQ(Advance(kNone, kNone, HostRect(0, 0, 2, 2)), PS::noErr);
    EXPECT_EQ(Data(host.Record().maskData), nullptr);
    EXPECT_EQ(host.Record().maskRowBytes, 0);
}

TEST_F(HostTest, OutputBufferHoldsTheCurrentDocumentPixels)
{
    ASSERT_EQ(Advance(kNone, HostRect(7, 5, 10, 7), kNone), PS::noErr);
    const PS::FilterRecord& r = host.Record();
    ASSERT_NE(Data(r.outData), nullptr);
    EXPECT_EQ(r.outRowBytes, 32);
    const uint8_t* p = static_cast<const uint8_t*>(r.outData) + r.outRowBytes + 2 * 3;
    EXPECT_EQ(p[0], 9);
    EXPECT_EQ(p[1], 6);
    EXPECT_EQ(p[2], 27 + 30 + 1);
}

TEST_F(HostTest, EachRequestIsLogged)
{
    host.ClearLog();
    ASSERT_EQ(Advance(HostRect(0, 0, 4, 3), HostRect(1, 2, 3, 4), kNone, 3), PS::noErr);
    const auto events = host.Log().OfKind(SquelmHost::EventKind::AdvanceState);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].inRect, (SquelmHost::Rect32{0, 0, 4, 3}));
    EXPECT_EQ(events[0].outRect, (SquelmHost::Rect32{1, 2, 3, 4}));
    EXPECT_TRUE(events[0].maskRect.Empty());
    EXPECT_EQ(events[0].inputRate, 3 << 16);
    EXPECT_EQ(events[0].result, PS::noErr);
}

} // namespace
} // namespace SquelmHostTest
