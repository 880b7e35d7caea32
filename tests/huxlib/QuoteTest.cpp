// Quoting untrusted text into messages: escaped and bounded.
#include "HuxLib/HUXUTIL/HuxQuote.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(QuoteTest, PrintableTextAndUtf8PassAsTheyAre)
{
    EXPECT_EQ(HuxQuote(""), "''");
    EXPECT_EQ(HuxQuote("smear 1,2"), "'smear 1,2'");
    EXPECT_EQ(HuxQuote("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x96\x8C"), "'caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x96\x8C'");
}

TEST(QuoteTest, ControlCharactersAndBrokenUtf8AreEscaped)
{
    EXPECT_EQ(HuxQuote("a\nb\tc\rd"), "'a\\nb\\tc\\rd'");
    EXPECT_EQ(HuxQuote("it's a\\b"), "'it\\'s a\\\\b'");
    EXPECT_EQ(HuxQuote("x\0y"s), "'x\\x00y'") << "a NUL does not cut the message";
    EXPECT_EQ(HuxQuote("\x1B[2J\x7F"), "'\\x1B[2J\\x7F'");
    EXPECT_EQ(HuxQuote("\xC2\x9B" "31m"), "'\\xC2\\x9B31m'") << "C1 controls, which some terminals obey";
    EXPECT_EQ(HuxQuote("\xFF\xC0\x80"), "'\\xFF\\xC0\\x80'") << "a stray byte and an overlong NUL";
    EXPECT_EQ(HuxQuote("\xED\xA0\x80"), "'\\xED\\xA0\\x80'") << "a surrogate";
    EXPECT_EQ(HuxQuote("\xE2\x82"), "'\\xE2\\x82'") << "a sequence cut short";
}

TEST(QuoteTest, LongTextIsCutAtACharacterAndItsLengthGiven)
{
    EXPECT_EQ(HuxQuote(std::string(2000000, 'w'), 5), "'wwwww...' (2000000 bytes)");
    EXPECT_EQ(HuxQuote("abcde", 5), "'abcde'") << "exactly the bound is not cut";
    // The euro sign's three bytes would end past the bound: it is left out whole.
    EXPECT_EQ(HuxQuote("abcd\xE2\x82\xAC", 5), "'abcd...' (7 bytes)");
    // The bound counts input bytes, however long their escapes.
    EXPECT_EQ(HuxQuote("\n\n\nxyz", 4), "'\\n\\n\\nx...' (6 bytes)");
}
