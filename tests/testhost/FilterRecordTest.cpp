// The record as a current host fills it, read through raw offsets as well as
// through the declared fields, so a slip in either shows.
#include <cstring>

#include "host/PSDescriptorInterface.h"
#include "testhost/HostTestSupport.h"

namespace SquelmHostTest {
namespace {

template <typename T>
T At(const PS::FilterRecord& r, size_t offset)
{
    T value;
    std::memcpy(&value, reinterpret_cast<const char*>(&r) + offset, sizeof value);
    return value;
}

TEST_F(HostTest, RecordDescribesAnEightBitRgbDocument)
{
    const PS::FilterRecord& r = host.Record();
    EXPECT_EQ(r.hostSig, 0x3842494Du);
    EXPECT_EQ(r.imageMode, 3);
    EXPECT_EQ(r.planes, 3);
    EXPECT_EQ(r.depth, 8);
    EXPECT_EQ(r.imageSize.h, 10);
    EXPECT_EQ(r.imageSize.v, 7);
    EXPECT_EQ(r.wholeSize.h, 10);
    EXPECT_EQ(r.wholeSize.v, 7);
    EXPECT_EQ(SquelmHost::FromHostRect(r.filterRect), (SquelmHost::Rect32{0, 0, 10, 7}));
    EXPECT_EQ(r.filterCase, 1);
    EXPECT_FALSE(r.haveMask);
    EXPECT_FALSE(r.autoMask);
    EXPECT_FALSE(r.supportsPadding);
    EXPECT_EQ(r.inputPadding, -3);
    EXPECT_EQ(r.outputPadding, -3);
    EXPECT_EQ(r.maskPadding, -3);
    EXPECT_EQ(r.inputRate, 0x10000);
    EXPECT_EQ(r.maskRate, 0x10000);
    EXPECT_GT(r.maxSpace, 0);
    EXPECT_GT(r.bufferSpace, 0);
    EXPECT_NE(r.serialNumber, 0);
}

TEST_F(HostTest, FieldsLandAtTheirBinaryOffsets)
{
    const PS::FilterRecord& r = host.Record();
    // Point is vertical first: imageSize.v (height) at +0, .h (width) at +2.
    EXPECT_EQ(At<int16_t>(r, PS::Off(16, 28)), 7);
    EXPECT_EQ(At<int16_t>(r, PS::Off(18, 30)), 10);
    EXPECT_EQ(At<uint32_t>(r, PS::Off(120, 144)), 0x3842494Du);
    EXPECT_EQ(At<int16_t>(r, PS::Off(128, 156)), 3);
    EXPECT_EQ(At<int16_t>(r, PS::Off(238, 302)), -3);
    EXPECT_EQ(At<int32_t>(r, PS::Off(380, 480)), 8);
    // filterRect right (+6) is the width.
    EXPECT_EQ(At<int16_t>(r, PS::Off(22, 34) + 6), 10);
}

TEST_F(HostTest, UnimplementedFieldsAreZero)
{
    const PS::FilterRecord& r = host.Record();
    // Scripting is offered, with nothing to play.
    const auto* scripting = static_cast<const PS::PIDescriptorParameters*>(r.descriptorParameters);
    ASSERT_TRUE(scripting != nullptr);
    EXPECT_TRUE(scripting->descriptor == nullptr);
    EXPECT_TRUE(r.bufferProcs == nullptr);
    EXPECT_TRUE(r.resourceProcs == nullptr);
    EXPECT_TRUE(r.sSPBasic == nullptr);
    EXPECT_TRUE(r.propertyProcs == nullptr);
    EXPECT_TRUE(r.hostProc == nullptr);
    EXPECT_TRUE(r.iCCprofileData == nullptr);
    EXPECT_TRUE(r.parameters == nullptr);
    EXPECT_EQ(r.createNewLayer, 0);
    for (char c : r.reserved)
        EXPECT_EQ(c, 0);
}

TEST_F(HostTest, ErrorStringIsAnEmpty256ByteBuffer)
{
    PS::Str255* text = host.Record().errorString;
    ASSERT_TRUE(text != nullptr);
    EXPECT_EQ((*text)[0], 0);
    std::memset(*text, 'x', 256); // the whole buffer is the host's to give
    (*text)[0] = 3;
    EXPECT_EQ(host.ErrorStringText(), "xxx");
    host.BuildRecord();
    EXPECT_EQ(host.ErrorStringText(), "") << "cleared for every run";
}

TEST_F(HostTest, PlatformDataCarriesTheConfiguredWindow)
{
    auto* platform = static_cast<PS::PlatformData*>(host.Record().platformData);
    ASSERT_TRUE(platform != nullptr);
    EXPECT_EQ(platform->hwnd, 0);
    host.Options().ownerWindow = 0x00ABCDEF;
    host.BuildRecord();
    platform = static_cast<PS::PlatformData*>(host.Record().platformData);
    EXPECT_EQ(platform->hwnd, 0x00ABCDEF);
}

TEST_F(HostTest, ConfiguredFilterRectangleMayBeOffset)
{
    host.Options().filterRect = SquelmHost::Rect32{3, 2, 9, 6};
    host.BuildRecord();
    EXPECT_EQ(SquelmHost::FromHostRect(host.Record().filterRect), (SquelmHost::Rect32{3, 2, 9, 6}));
    host.Options().filterRect = SquelmHost::Rect32{3, 2, 11, 6};
    EXPECT_THROW(host.BuildRecord(), std::invalid_argument);
    host.Options().filterRect = SquelmHost::Rect32{3, 2, 3, 6};
    EXPECT_THROW(host.BuildRecord(), std::invalid_argument);
}

TEST_F(HostTest, AnEmptySelectionFiltersTheWholeImage)
{
    host.SetMask(SquelmHost::GreyImage(10, 7, 0));
    host.BuildRecord();
    EXPECT_EQ(SquelmHost::FromHostRect(host.Record().filterRect), (SquelmHost::Rect32{0, 0, 10, 7}));
    EXPECT_THROW(host.SetMask(SquelmHost::GreyImage(7, 10, 0)), std::invalid_argument);
}

TEST(TestHostDocumentTest, ImagesMustHaveASizeHostsOpen)
{
    SquelmHost::TestHost host(nullptr);
    EXPECT_THROW(host.SetImage(SquelmHost::RgbImage(SquelmHost::TestHost::kMaxImageSide + 1, 1)),
                 std::invalid_argument);
    EXPECT_THROW(host.SetImage(SquelmHost::RgbImage(1, SquelmHost::TestHost::kMaxImageSide + 1)),
                 std::invalid_argument);
    EXPECT_THROW(host.SetImage(SquelmHost::RgbImage()), std::invalid_argument);
    EXPECT_THROW(host.BuildRecord(), std::logic_error);
    host.SetImage(SquelmHost::RgbImage(2, 2));
    EXPECT_EQ(host.CallSelector(PS::filterSelectorPrepare), PS::paramErr);
    EXPECT_FALSE(host.HostError().empty());
}

TEST(TestHostDocumentTest, CallbacksAnswerForTheNewestLiveHost)
{
    SquelmHost::TestHost first(nullptr);
    EXPECT_EQ(SquelmHost::TestHost::Current(), &first);
    {
        SquelmHost::TestHost second(nullptr);
        EXPECT_EQ(SquelmHost::TestHost::Current(), &second);
    }
    EXPECT_EQ(SquelmHost::TestHost::Current(), &first);
}

} // namespace
} // namespace SquelmHostTest
