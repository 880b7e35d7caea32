#include <gtest/gtest.h>

#ifdef _WIN32
#include "testhost/AddressSpace.h"
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Before anything else allocates: see AddressSpace.h.
    SquelmHost::ReserveLowAddressSpace();
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
