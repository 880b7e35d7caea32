// A window's remembered placement: its text, and where it opens again when
// the monitors it was on have changed.
#include <gtest/gtest.h>

#include "HuxLib/HUXWIN/HuxWindowPlacement.h"

namespace {

TEST(WindowPlacement, TextRoundTripsAndAnythingElseIsRefused)
{
    const HuxWindowPlacement placement{{-1700, 20, -100, 1020}, true};
    EXPECT_EQ(HuxPlacementText(placement), "-1700,20,-100,1020,1");
    EXPECT_EQ(HuxParsePlacement("-1700,20,-100,1020,1"), placement);
    EXPECT_EQ(HuxParsePlacement("5,6,700,800,0"), (HuxWindowPlacement{{5, 6, 700, 800}, false}));
    for (const char* bad : {"", "1,2,3,4", "1,2,300,400,2", "1,2,300,400,0,", "1,2,300,400,0 ", "300,2,1,400,0",
                            "1;2;300;400;0", "1,2,300,99999999999,0", " 1,2,300,400,0"})
        EXPECT_EQ(HuxParsePlacement(bad), std::nullopt) << bad;
}

TEST(WindowPlacement, RestoredWhereItWasWhileItsCaptionIsOnAMonitorElseWholeOnTheOwners)
{
    const std::vector<HuxRect> monitors{{0, 0, 1920, 1040}, {-1280, 0, 0, 1024}};
    const HuxRect owner{100, 100, 900, 700};
    const HuxPointI minimum{500, 480};
    struct Case {
        HuxWindowPlacement remembered;
        HuxWindowPlacement restored;
    };
    const Case cases[] = {
        // On either monitor, partly off it, or maximised: as remembered.
        {{{200, 100, 1800, 1100}, false}, {{200, 100, 1800, 1100}, false}},
        {{{-1200, 50, -400, 650}, true}, {{-1200, 50, -400, 650}, true}},
        {{{1000, 900, 2500, 1500}, false}, {{1000, 900, 2500, 1500}, false}},
        // Smaller than the minimum: grown from its top-left corner.
        {{{300, 200, 400, 300}, false}, {{300, 200, 800, 680}, false}},
        // The monitor it was on is gone: centred on the owner, whole.
        {{{2000, 100, 2800, 700}, true}, {{100, 100, 900, 700}, true}},
        {{{-3000, -900, -1000, 900}, false}, {{0, 0, 1920, 1040}, false}},
        // Its caption above every monitor.
        {{{100, -300, 700, 300}, false}, {{200, 100, 800, 700}, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(HuxPlacementText(c.remembered));
        EXPECT_EQ(HuxRestoredPlacement(c.remembered, minimum, monitors, owner, monitors[0]), c.restored);
    }
    // Without an owner: centred in the work area of the primary monitor.
    EXPECT_EQ(HuxRestoredPlacement({{2000, 100, 2800, 700}, false}, minimum, monitors, std::nullopt, monitors[0]),
              (HuxWindowPlacement{{560, 220, 1360, 820}, false}));
}

} // namespace
