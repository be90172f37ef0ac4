#include "core/TermText.h"

#include <gtest/gtest.h>

namespace tellaria {
namespace {

struct OneLineCase
{
    const char *name;
    std::string text;
    std::string expected;
};

class OneLineTermTest : public testing::TestWithParam<OneLineCase>
{};

TEST_P(OneLineTermTest, MakesEveryRunOfControlCharactersOneSpace)
{
    const OneLineCase &c = GetParam();
    EXPECT_EQ(OneLineTerm(c.text), c.expected);
    EXPECT_FALSE(HasControlCharacter(OneLineTerm(c.text)));
    EXPECT_EQ(HasControlCharacter(c.text), c.text != c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    OneLineTermTest,
    testing::Values(OneLineCase{"Plain", "big cat", "big cat"},
                    OneLineCase{"BlanksKept", "  a  b ", "  a  b "},
                    OneLineCase{"ThreePastedLines", "one\r\ntwo\r\nthree", "one two three"},
                    OneLineCase{"LineCopiedWithItsBreak", "cat\n", "cat"},
                    OneLineCase{"BreaksFirst", "\r\n\r\ncat", "cat"},
                    OneLineCase{"TabsAndEscape", "a\t\t\x1b[31mb", "a [31mb"},
                    OneLineCase{"Delete",
                                "a\x7f"
                                "b",
                                "a b"},
                    OneLineCase{"C1Control",
                                "a\xc2\x85"
                                "b",
                                "a b"},
                    OneLineCase{"LineSeparator",
                                "a\xe2\x80\xa8"
                                "b\xe2\x80\xa9",
                                "a b"},
                    OneLineCase{"NulInside", std::string("a\0b", 3), "a b"},
                    OneLineCase{"OnlyControls", "\r\n\t", ""},
                    // Neighbours of the control characters are letters.
                    OneLineCase{"ChineseAndLatin1", "猫\xc2\xa0\xc3\xa9\xe2\x80\xa7",
                                "猫\xc2\xa0\xc3\xa9\xe2\x80\xa7"}),
    [](const testing::TestParamInfo<OneLineCase> &row) { return row.param.name; });

TEST(TermText, CapCountsCharactersNotBytes)
{
    std::string chinese;
    for (int i = 0; i < 1001; ++i)
        chinese += "猫";
    EXPECT_TRUE(CapTermLength(chinese));
    EXPECT_EQ(chinese.size(), 3000U);

    std::string atTheLongest(1000, 'a');
    EXPECT_FALSE(CapTermLength(atTheLongest));
    EXPECT_EQ(atTheLongest.size(), 1000U);

    // A character outside the BMP counts once and is never split.
    std::string emoji = "ab\xf0\x9f\x98\x80"
                        "cd";
    EXPECT_TRUE(CapTermLength(emoji, 3));
    EXPECT_EQ(emoji, "ab\xf0\x9f\x98\x80");
}

} // namespace
} // namespace tellaria
