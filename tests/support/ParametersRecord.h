// The effect's parameters record as the test host keeps it: the bytes of
// its handle read as the record, and a record turned into those bytes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "effect/PSPlimParameters.h"
#include "testhost/TestHost.h"

inline PSPlimParameters ParametersOf(const SquelmHost::TestHost& host)
{
    PSPlimParameters p{};
    const std::vector<uint8_t> bytes = host.ParameterBytes();
    EXPECT_EQ(bytes.size(), sizeof p);
    std::memcpy(&p, bytes.data(), std::min(bytes.size(), sizeof p));
    return p;
}

inline std::vector<uint8_t> BytesOf(const PSPlimParameters& p)
{
    std::vector<uint8_t> bytes(sizeof p);
    std::memcpy(bytes.data(), &p, sizeof p);
    return bytes;
}
