// Requests and rectangles through the record's 16-bit fields and through a
// big-document host's 32-bit ones.
#include "host/HuxPSRequest.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

HuxRect From16(const PS::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
HuxRect From32(const PS::VRect& r) { return {r.left, r.top, r.right, r.bottom}; }

struct Records {
    PS::FilterRecord old{};    // 16-bit fields only
    PS::FilterRecord big{};    // with bigDocumentData filled
    PS::BigDocumentStruct bigData{};

    Records()
    {
        old.imageSize = {200, 300};
        old.filterRect = {10, 20, 190, 280}; // top, left, bottom, right
        big.imageSize = {200, 32767};
        big.filterRect = {0, 0, 200, 32767};
        bigData.imageSize32 = {200, 40000};
        bigData.filterRect32 = {5, 33000, 200, 40000};
        big.bigDocumentData = &bigData;
    }
};

std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const char* message) {
        return message;
    }
    return "";
}

TEST(RequestTest, SixteenBitHostsGetEveryFieldOfTheRequest)
{
    Records r;
    r.old.outLoPlane = 1; // a stale plane range from the host is replaced
    HuxPSSetRequest(r.old, {{1, 2, 30, 40}, {3, 4, 50, 60}, {5, 6, 70, 80}, 3});
    EXPECT_EQ(From16(r.old.inRect), (HuxRect{1, 2, 30, 40}));
    EXPECT_EQ(From16(r.old.maskRect), (HuxRect{3, 4, 50, 60}));
    EXPECT_EQ(From16(r.old.outRect), (HuxRect{5, 6, 70, 80}));
    EXPECT_EQ(r.old.inLoPlane, 0);
    EXPECT_EQ(r.old.inHiPlane, 2);
    EXPECT_EQ(r.old.outLoPlane, 0);
    EXPECT_EQ(r.old.outHiPlane, 2);
    EXPECT_EQ(r.old.inputRate, 3 << 16);
    EXPECT_EQ(r.old.maskRate, 3 << 16);
}

TEST(RequestTest, ARectangleASixteenBitHostCannotHoldIsReportedAsTooLarge)
{
    Records r;
    HuxPSSetRequest(r.old, {{0, 0, 32767, 10}, {}, {}, 1});
    EXPECT_EQ(r.old.inRect.right, 32767);
    const std::string message = MessageOf([&] { HuxPSSetRequest(r.old, {{}, {}, {0, 0, 32768, 10}, 1}); });
    EXPECT_EQ(message, kHuxPSImageTooLarge);
    EXPECT_EQ(message.rfind("The image is too large for this host: ", 0), 0u);
}

TEST(RequestTest, BigDocumentHostsGetThe32BitFieldsAndAShadowWhereItFits)
{
    Records r;
    HuxPSSetRequest(r.big, {{32700, 1, 32828, 129}, {10, 2, 20, 3}, {39936, 128, 40000, 200}, 1});
    EXPECT_EQ(From32(r.bigData.inRect32), (HuxRect{32700, 1, 32828, 129}));
    EXPECT_EQ(From32(r.bigData.maskRect32), (HuxRect{10, 2, 20, 3}));
    EXPECT_EQ(From32(r.bigData.outRect32), (HuxRect{39936, 128, 40000, 200}));
    // Beyond the 16-bit range the old fields ask for nothing at all.
    EXPECT_EQ(From16(r.big.inRect), (HuxRect{}));
    EXPECT_EQ(From16(r.big.outRect), (HuxRect{}));
    EXPECT_EQ(From16(r.big.maskRect), (HuxRect{10, 2, 20, 3}));
    EXPECT_EQ(r.big.inputRate, 1 << 16);
}

TEST(RequestTest, RatesOutsideTheFixedPointRangeAreRefusedBeforeAnyFieldChanges)
{
    Records r;
    EXPECT_THROW(HuxPSSetRequest(r.old, {{0, 0, 5, 5}, {}, {}, 0}), std::out_of_range);
    EXPECT_THROW(HuxPSSetRequest(r.old, {{0, 0, 5, 5}, {}, {}, 32768}), std::out_of_range);
    EXPECT_EQ(From16(r.old.inRect), (HuxRect{}));
    HuxPSSetRequest(r.old, {{0, 0, 5, 5}, {}, {}, 32767});
    EXPECT_EQ(r.old.inputRate, PS::Fixed(0x7FFF0000));
}

TEST(RequestTest, TheFilterRectangleComesFromTheWidestFieldsTheHostFilled)
{
    Records r;
    EXPECT_EQ(HuxPSFilterRectOf(r.old), (HuxRect{20, 10, 280, 190}));
    EXPECT_EQ(HuxPSFilterRectOf(r.big), (HuxRect{33000, 5, 40000, 200}));

    // A block the host never filled: the old fields hold the document.
    r.bigData.filterRect32 = {};
    r.big.filterRect = {1, 2, 100, 150};
    r.big.imageSize = {100, 150};
    EXPECT_FALSE(HuxPSUsesBigDocument(r.big));
    EXPECT_EQ(HuxPSFilterRectOf(r.big), (HuxRect{2, 1, 150, 100}));
    HuxPSAnnounceCoordinates(r.big);
    EXPECT_EQ(r.bigData.PluginUsing32BitCoordinates, 0);
    HuxPSSetRequest(r.big, {{0, 0, 8, 8}, {}, {}, 1});
    EXPECT_EQ(From16(r.big.inRect), (HuxRect{0, 0, 8, 8}));
    EXPECT_EQ(From32(r.bigData.inRect32), (HuxRect{}));
}

TEST(RequestTest, OnlyABigDocumentHostIsToldThe32BitFieldsAreInUse)
{
    Records r;
    HuxPSAnnounceCoordinates(r.old);
    HuxPSAnnounceCoordinates(r.big);
    EXPECT_EQ(r.bigData.PluginUsing32BitCoordinates, 1);
}

// Cut to 32767, or wrapped negative: either way the old fields no longer
// describe the document.
TEST(RequestTest, ASixteenBitDocumentAtTheEdgeOfItsRangeIsTooLarge)
{
    for (auto cut : {+[](PS::FilterRecord& f) { f.imageSize.h = 32767; },
                     +[](PS::FilterRecord& f) { f.imageSize.v = 32767; },
                     +[](PS::FilterRecord& f) { f.imageSize.h = -25536; },
                     +[](PS::FilterRecord& f) { f.filterRect.right = 32767; },
                     +[](PS::FilterRecord& f) { f.filterRect.bottom = 32767; }}) {
        Records r;
        cut(r.old);
        EXPECT_EQ(MessageOf([&] { HuxPSFilterRectOf(r.old); }), kHuxPSImageTooLarge);
    }
    Records r;
    r.old.imageSize = {32766, 32766};
    r.old.filterRect = {0, 0, 32766, 32766};
    EXPECT_EQ(HuxPSFilterRectOf(r.old), (HuxRect{0, 0, 32766, 32766}));
}

} // namespace
