#include "core/UrlEncode.h"

#include <gtest/gtest.h>

namespace tellaria {
namespace {

struct EncodeCase
{
    std::string_view Input;
    std::string_view Expected;
};

class UrlEncodeQueryTest : public testing::TestWithParam<EncodeCase>
{};

TEST_P(UrlEncodeQueryTest, EncodesBytes)
{
    EXPECT_EQ(UrlEncodeQuery(GetParam().Input), GetParam().Expected);
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(Cases,
                         UrlEncodeQueryTest,
                         testing::Values(EncodeCase{""sv, ""sv},
                                         EncodeCase{"abc XYZ 09"sv, "abc+XYZ+09"sv},
                                         EncodeCase{"C++"sv, "C%2B%2B"sv},
                                         EncodeCase{"e-mail"sv, "e%2Dmail"sv},
                                         EncodeCase{"a.b"sv, "a%2Eb"sv},
                                         EncodeCase{"\t"sv, "%09"sv},
                                         EncodeCase{"\xA0"sv, "%A0"sv},
                                         EncodeCase{"\xD6\xD0"sv, "%D6%D0"sv},
                                         EncodeCase{"\xE4\xB8\xAD"sv, "%E4%B8%AD"sv},
                                         EncodeCase{"  "sv, "++"sv},
                                         EncodeCase{"_~*/"sv, "%5F%7E%2A%2F"sv},
                                         EncodeCase{"\0\xFF"sv, "%00%FF"sv},
                                         EncodeCase{"a b/"sv, "a+b%2F"sv},
                                         // What common encoders leave alone is escaped here.
                                         EncodeCase{"!'()"sv, "%21%27%28%29"sv}));

} // namespace
} // namespace tellaria
