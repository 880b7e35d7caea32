// Base64 and CRC-32 against their published check values.
#include "HuxLib/HUXUTIL/HuxBase64.h"
#include "HuxLib/HUXUTIL/HuxCrc32.h"

#include <gtest/gtest.h>

TEST(EncodingTest, Crc32GivesTheStandardCheckValue)
{
    EXPECT_EQ(HuxCrc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(HuxCrc32(""), 0u);
}

TEST(EncodingTest, Base64EncodesTheRfcVectorsAndReadsThemBack)
{
    const std::pair<const char*, const char*> vectors[] = {{"", ""},          {"f", "Zg=="},         {"fo", "Zm8="},
                                                           {"foo", "Zm9v"},   {"foob", "Zm9vYg=="},  {"fooba", "Zm9vYmE="},
                                                           {"foobar", "Zm9vYmFy"}};
    for (const auto& [bytes, text] : vectors) {
        EXPECT_EQ(HuxBase64Encode(bytes), text);
        EXPECT_EQ(HuxBase64Decode(text), bytes);
    }
    const std::string high = "\xFF\x00\xFB\xEF";
    EXPECT_EQ(HuxBase64Decode(HuxBase64Encode(high)), high);
}

TEST(EncodingTest, Base64RefusesTextThatIsNotCanonical)
{
    for (const char* text : {"Zg=", "Zh==", "Zm9=", "Zm9v\n", " Zm9v", "Z===", "Zg==Zg==", "Zm9*", "Zm=v"})
        EXPECT_FALSE(HuxBase64Decode(text).has_value()) << text;
}
