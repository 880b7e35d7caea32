// The host with a document beyond the 16-bit coordinates: the 32-bit fields
// it fills, and which request fields it honours.
#include "HostTestSupport.h"

namespace SquelmHostTest {
namespace {

using SquelmHost::EventKind;
using SquelmHost::Rect32;

constexpr int kWide = 40000;

class BigDocumentTest : public ::testing::Test {
protected:
    void Build(bool bigDocument)
    {
        host.Options().bigDocument = bigDocument;
        host.SetImage(Pattern(kWide, 3));
        host.BuildRecord();
    }

    PS::BigDocumentStruct& Big() { return *host.Record().bigDocumentData; }

    FakePlugin plugin;
    SquelmHost::TestHost host{FakePlugin::Entry()};
};

TEST_F(BigDocumentTest, TheDocumentIsDescribedInThe32BitFieldsAndCutInTheOldOnes)
{
    Build(true);
    const PS::FilterRecord& r = host.Record();
    ASSERT_TRUE(r.bigDocumentData != nullptr);
    const PS::BigDocumentStruct& big = *r.bigDocumentData;
    EXPECT_EQ(big.PluginUsing32BitCoordinates, 0);
    EXPECT_EQ(big.imageSize32.h, kWide);
    EXPECT_EQ(big.imageSize32.v, 3);
    EXPECT_EQ(big.wholeSize32.h, kWide);
    EXPECT_EQ(big.wholeSize32.v, 3);
    EXPECT_EQ(SquelmHost::FromHostRect(big.filterRect32), (Rect32{0, 0, kWide, 3}));
    EXPECT_EQ(SquelmHost::FromHostRect(big.inRect32), Rect32{});
    EXPECT_EQ(r.imageSize.h, 32767);
    EXPECT_EQ(r.imageSize.v, 3);
    EXPECT_EQ(SquelmHost::FromHostRect(r.filterRect), (Rect32{0, 0, 32767, 3}));
}

TEST_F(BigDocumentTest, AnOldHostHasNoBigDocumentData)
{
    Build(false);
    EXPECT_TRUE(host.Record().bigDocumentData == nullptr);
    EXPECT_EQ(host.Record().imageSize.h, 32767);
}

TEST_F(BigDocumentTest, The32BitRequestIsServedOnceThePluginSaysItUsesThem)
{
    Build(true);
    Big().inRect32 = SquelmHost::ToHostRect32(Rect32{39990, 1, 40000, 3});
    Request(host.Record(), {}, {}, {});
    host.ClearLog();

    // Not yet announced: the host reads the (empty) 16-bit fields.
    ASSERT_EQ(host.Record().advanceState(), PS::noErr);
    EXPECT_TRUE(host.Record().inData == nullptr);

    Big().PluginUsing32BitCoordinates = 1;
    ASSERT_EQ(host.Record().advanceState(), PS::noErr);
    const auto* p = static_cast<const uint8_t*>(host.Record().inData);
    ASSERT_TRUE(p != nullptr);
    // Red is x mod 256 (39990 = 156 * 256 + 54), green y.
    EXPECT_EQ(p[0], 54);
    EXPECT_EQ(p[1], 1);
    const auto* lastRow = p + host.Record().inRowBytes + 9 * 3;
    EXPECT_EQ(lastRow[0], 63);
    EXPECT_EQ(lastRow[1], 2);

    const auto events = host.Log().OfKind(EventKind::AdvanceState);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_FALSE(events[0].wideCoordinates);
    EXPECT_TRUE(events[0].inRect.Empty());
    EXPECT_TRUE(events[1].wideCoordinates);
    EXPECT_EQ(events[1].inRect, (Rect32{39990, 1, 40000, 3}));
}

TEST_F(BigDocumentTest, OutputThroughThe32BitFieldsLandsBeyondThe16BitRange)
{
    Build(true);
    Big().PluginUsing32BitCoordinates = 1;
    Request(host.Record(), {}, {}, {});
    Big().outRect32 = SquelmHost::ToHostRect32(Rect32{39998, 1, 40000, 2});
    ASSERT_EQ(host.Record().advanceState(), PS::noErr);
    auto* out = static_cast<uint8_t*>(host.Record().outData);
    ASSERT_TRUE(out != nullptr);
    for (int i = 0; i < 6; ++i)
        out[i] = uint8_t(200 + i);
    Big().outRect32 = {};
    ASSERT_EQ(host.Record().advanceState(), PS::noErr);
    const uint8_t* stored = host.Image().At(39998, 1);
    EXPECT_EQ(std::vector<uint8_t>(stored, stored + 6), (std::vector<uint8_t>{200, 201, 202, 203, 204, 205}));
    // Its neighbours, and the pixel 32767 a cut 16-bit field would name, keep their values.
    EXPECT_EQ(host.Image().At(39997, 1)[0], uint8_t(39997 % 256));
    EXPECT_EQ(host.Image().At(32767, 1)[0], uint8_t(32767 % 256));
}

TEST_F(BigDocumentTest, A32BitRequestOutsideTheDocumentIsRefused)
{
    Build(true);
    Big().PluginUsing32BitCoordinates = 1;
    Request(host.Record(), {}, {}, {});
    Big().inRect32 = SquelmHost::ToHostRect32(Rect32{39990, 0, 40001, 3});
    EXPECT_EQ(host.Record().advanceState(), PS::paramErr);
}

} // namespace
} // namespace SquelmHostTest
