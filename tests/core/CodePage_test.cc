#include "core/CodePage.h"

#include <gtest/gtest.h>

namespace tellaria {
namespace {

struct CodePageCase
{
    std::string_view Ansi;
    std::string_view Utf8;
};

class CodePageRoundTrip : public testing::TestWithParam<CodePageCase>
{};

TEST_P(CodePageRoundTrip, ConvertsBothWays)
{
    EXPECT_EQ(Utf8(GetParam().Ansi), GetParam().Utf8);
    EXPECT_EQ(AnsiFromUtf8(GetParam().Utf8), GetParam().Ansi);
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases,
    CodePageRoundTrip,
    testing::Values(CodePageCase{""sv, ""sv},
                    CodePageCase{"cat 09+"sv, "cat 09+"sv},
                    // GBK's own bytes are kept: 中
                    CodePageCase{"\xD6\xD0"sv, "\xE4\xB8\xAD"sv},
                    // Characters GBK lacks survive in the four-byte form: an emoji, U+20000.
                    CodePageCase{"\x94\x39\xFC\x36"sv, "\xF0\x9F\x98\x80"sv},
                    CodePageCase{"\x95\x32\x82\x36"sv, "\xF0\xA0\x80\x80"sv},
                    CodePageCase{"a\xD6\xD0 b"sv, "a\xE4\xB8\xAD b"sv}));

TEST(CodePage, InvalidAnsiBytesBecomeReplacementCharacters)
{
    // 0x80 and 0xFF start no character; a lead byte at the very end is cut off.
    EXPECT_EQ(Utf8("a\x80z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(Utf8("a\xFFz"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(Utf8("a\xD6"), "a\xEF\xBF\xBD");
}

TEST(CodePage, InvalidUtf8BecomesQuestionMarks)
{
    EXPECT_EQ(AnsiFromUtf8("a\xC0z"), "a?z");
    EXPECT_EQ(AnsiFromUtf8("a\xE4\xB8"), "a??");
}

TEST(CodePage, LongTextIsConvertedWhole)
{
    std::string ansi;
    std::string utf8;
    for (int i = 0; i < 100000; ++i) {
        ansi += "\xD6\xD0x";
        utf8 += "\xE4\xB8\xADx";
    }
    EXPECT_EQ(Utf8(ansi), utf8);
    EXPECT_EQ(AnsiFromUtf8(utf8), ansi);
}

} // namespace
} // namespace tellaria
