// Every form of the row scaling gives the plain one's bits, for every row
// length a vector form splits differently and for values that are not
// ordinary numbers.
#include "warp/ScaledPointRow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using HuxGeometry::HuxPoint2D;

TEST(ScaledPointRow, EveryFormGivesThePlainBits)
{
    const std::vector<PointRowScaler> scalers = ScaledPointRows::Available();
    ASSERT_GE(scalers.size(), 1u);
    const double special[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                              -0.0, 1e300, -3.5, 4097.25};
    std::mt19937 random(7);
    std::uniform_real_distribution<double> any(-5000.0, 5000.0);
    for (int32_t count = 0; count <= 9; ++count) {
        std::vector<HuxPoint2D> row(static_cast<size_t>(count));
        for (size_t k = 0; k < row.size(); ++k)
            row[k] = {k % 3 == 1 ? special[k % 6] : any(random), k % 4 == 2 ? special[(k + 1) % 6] : any(random)};
        std::vector<HuxPoint2D> expected = row;
        scalers.front()(expected.data(), count, {4096.0, 3.0}, {1333.0, 1000.0}, {-0.5, 12.0});
        for (size_t s = 1; s < scalers.size(); ++s) {
            std::vector<HuxPoint2D> scaled = row;
            scalers[s](scaled.data(), count, {4096.0, 3.0}, {1333.0, 1000.0}, {-0.5, 12.0});
            EXPECT_TRUE(row.empty() || std::memcmp(scaled.data(), expected.data(), sizeof(HuxPoint2D) * row.size()) == 0)
                << "form " << s << ", " << count << " points";
        }
    }
}
