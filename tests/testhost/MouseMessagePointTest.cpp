// A mouse message carries 16 bits of each client coordinate; the window
// reads them sign-extended.
#include <gtest/gtest.h>

#include "testhost/scripting/PSPlimImageToClient.h"

TEST(MouseMessagePoint, KeepsTheLow16BitsOfEachCoordinateSignExtended)
{
    const struct {
        int32_t sent, received;
    } cases[] = {{0, 0},           {-1, -1},          {32767, 32767}, {32768, -32768},
                 {-32768, -32768}, {-32769, 32767},   {65596, 60},    {7648, 7648},
                 {1 << 30, 0},     {-(1 << 30), 0},   {-70000, -4464}};
    for (const auto& c : cases) {
        EXPECT_EQ(PSPlimMouseMessagePoint({c.sent, 5}), (HuxPointI{c.received, 5})) << c.sent;
        EXPECT_EQ(PSPlimMouseMessagePoint({5, c.sent}), (HuxPointI{5, c.received})) << c.sent;
    }
}
