#include "core/ProfileFile.h"
#include "tests/support/FaultText.h"

#include "tests/support/TestDirectory.h"

#include <cctype>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace tellaria {
namespace {

using test::ReadFile;
using test::TestDirectory;
using test::WriteFile;
using namespace std::string_view_literals;

struct LookupCase
{
    const char *Description;
    std::string_view Content;
    std::string_view Section;
    std::string_view Key;
    std::string Expected;
};

class ProfileLookupTest : public testing::TestWithParam<LookupCase>
{};

TEST_P(ProfileLookupTest, ReadsAsTheProfileFunctionsDo)
{
    const LookupCase &c = GetParam();
    EXPECT_EQ(ProfileLookup(c.Content, c.Section, c.Key, "DEF"), c.Expected) << c.Description;
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ProfileLookupTest,
    testing::Values(
        LookupCase{"plain", "[Form]\r\nWidth=800\r\n", "Form", "Width", "800"},
        LookupCase{"names ignore case", "[FORM]\r\nWIDTH=800\r\n", "form", "width", "800"},
        LookupCase{"missing key", "[Form]\r\nWidth=800\r\n", "Form", "Height", "DEF"},
        LookupCase{"missing section", "[Form]\r\nWidth=800\r\n", "Dictionary", "Width", "DEF"},
        LookupCase{"empty content", "", "Form", "Width", "DEF"},
        LookupCase{"blanks in the file are trimmed", " \t[ Form \v]  \r\n\t Width \t=\t 800 \v\r\n",
                   "Form", "Width", "800"},
        LookupCase{"spaces around the caller's names are trimmed", "[Form]\r\nWidth=1\r\n",
                   " Form ", " Width ", "1"},
        LookupCase{"tabs around the caller's names are not", "[Form]\r\nWidth=1\r\n", "\tForm",
                   "Width", "DEF"},
        LookupCase{"double quotes removed", "[S]\r\nK=\"800\"\r\n", "S", "K", "800"},
        LookupCase{"single quotes removed", "[S]\r\nK= '8 0' \r\n", "S", "K", "8 0"},
        LookupCase{"only one pair removed", "[S]\r\nK=\"\"x\"\"\r\n", "S", "K", "\"x\""},
        LookupCase{"mismatched quotes stay", "[S]\r\nK=\"800'\r\n", "S", "K", "\"800'"},
        LookupCase{"a lone quote stays", "[S]\r\nK=\"\r\n", "S", "K", "\""},
        LookupCase{"empty value", "[S]\r\nK=\r\n", "S", "K", ""},
        LookupCase{"text after ] holds no key", "[S]K=V\r\n", "S", "K", "DEF"},
        LookupCase{"missing ] accepted", "[S   \r\nK=V\r\n", "S", "K", "V"},
        LookupCase{"comment lines never match", "[S]\r\n;K=V\r\n  ;K=W\r\n", "S", "K", "DEF"},
        LookupCase{"; inside a value is text", "[S]\r\nK=a;b\r\n", "S", "K", "a;b"},
        LookupCase{"# is no comment", "[S]\r\n#K=V\r\n", "S", "#K", "V"},
        LookupCase{"a line without = is no key", "[S]\r\nK\r\nK=V\r\n", "S", "K", "V"},
        LookupCase{"= in a value", "[S]\r\nK=a=b\r\n", "S", "K", "a=b"},
        LookupCase{"first key wins", "[S]\r\nK=1\r\nk=2\r\n", "S", "K", "1"},
        LookupCase{"only the first section is searched", "[S]\r\nA=1\r\n[s]\r\nK=2\r\n", "S", "K",
                   "DEF"},
        LookupCase{"a section ends at the next header", "[S]\r\n[T]\r\nK=V\r\n", "S", "K", "DEF"},
        LookupCase{"a key before any section cannot be read", "K=V\r\n[S]\r\n", "S", "K", "DEF"},
        LookupCase{"[] is a section with an empty name", "[]\r\nK=V\r\n", "", "K", "V"},
        LookupCase{"=v is a key with an empty name", "[S]\r\n=v\r\n", "S", "", "v"},
        LookupCase{"[ inside a value is no header", "[A]\r\nx=[S]\r\nK=V\r\n", "S", "K", "DEF"},
        LookupCase{"the key after a [ in a value", "[A]\r\nx=[S]\r\nK=V\r\n", "A", "K", "V"},
        LookupCase{"LF line ends", "[S]\n\nK=V\n", "S", "K", "V"},
        LookupCase{"CR line ends", "[S]\rK=V\rL=W", "S", "L", "W"},
        LookupCase{"LF CR is two breaks", "[S]\n\rK=V\n\r", "S", "K", "V"},
        LookupCase{"no final line end", "[S]\r\nK=V", "S", "K", "V"},
        LookupCase{"a byte-order mark hides the first header", "\xEF\xBB\xBF[S]\r\nK=V\r\n", "S",
                   "K", "DEF"},
        LookupCase{"a byte-order mark hides only the first header",
                   "\xEF\xBB\xBF[S]\r\nK=V\r\n[T]\r\nK=W\r\n", "T", "K", "W"},
        LookupCase{"garbage lines around", "\x01\x02garbage\r\n[\r\n]]]\r\n[S]\r\n@@@\r\nK=V\r\n",
                   "S", "K", "V"},
        LookupCase{"NUL bytes are ordinary", "[S]\r\nA=\0\r\nK=V\r\n"sv, "S", "K", "V"},
        LookupCase{"the key's name inside a value is skipped", "[S]\r\nx=Width\r\n  width = 5\r\n",
                   "S", "Width", "5"},
        LookupCase{"longer names are other keys", "[S]\r\nWidths=1\r\nWidth x=2\r\nWidth=3", "S",
                   "Width", "3"},
        LookupCase{"a name cut off by the end", "[S]\r\nWid", "S", "Width", "DEF"},
        LookupCase{"a tab inside a key name", "[S]\r\na\tb = 1\r\n", "S", "a\tb", "1"},
        LookupCase{"a key named like a comment never matches", "[S]\r\n;k=1\r\n", "S", ";k", "DEF"},
        LookupCase{"a key name with a tab in front never matches", "[S]\r\n\tK=1\r\n", "S", "\tK",
                   "DEF"},
        LookupCase{"a key name holding = never matches", "[S]\r\na=b=1\r\n", "S", "a=b", "DEF"},
        LookupCase{"names sharing the first letter",
                   "[Fo]\r\nK=1\r\n[Formula]\r\nK=2\r\n[form]\r\nK=3", "Form", "K", "3"},
        LookupCase{"a second [ on a header line starts nothing", "[A] [S]\r\nK=V\r\n", "S", "K",
                   "DEF"}));

TEST(ProfileLookup, ValueIsCutToTheBuffer)
{
    const std::string value(10000, 'v');
    const std::string content = "[S]\r\nK=" + value + "\r\n";
    EXPECT_EQ(ProfileLookup(content, "S", "K", ""), std::string(2047, 'v'));
    // Quotes go before the cut: the closing one lies beyond it.
    EXPECT_EQ(ProfileLookup("[S]\r\nK=\"" + value + "\"\r\n", "S", "K", ""),
              std::string(2047, 'v'));
    // The default is cut the same way.
    EXPECT_EQ(ProfileLookup("", "S", "K", value), std::string(2047, 'v'));
}

// Whatever breaks part the lines, and whichever case the letters of a key and of the lines
// around it take, each key is found with its own value; commented-out keys and values that hold
// the key's name are passed over.
TEST(ProfileLookup, FindsEveryKeyAmongMixedBreaksAndLetterCases)
{
    std::mt19937 random(3);
    const std::string_view breaks[] = {"\r\n", "\n", "\r"};
    const auto anyCase = [&](std::string text) {
        for (char &c : text)
            c = random() % 2 ? static_cast<char>(std::toupper(c)) : c;
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        std::string content = "[S]";
        const int count = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) {
            const std::string name = anyCase("width") + std::to_string(i);
            content += breaks[random() % 3];
            if (random() % 3 == 0)
                content += ";" + name + "=commented" + std::string(breaks[random() % 3]);
            if (random() % 3 == 0)
                content += "other=" + anyCase("width") + std::to_string(i) + "="
                           + std::string(breaks[random() % 3]);
            content += std::string(random() % 3, ' ') + name + "=" + std::to_string(i);
        }
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(ProfileLookup(content, "s", anyCase("width") + std::to_string(i), "DEF"),
                      std::to_string(i))
                << testing::PrintToString(content);
        }
    }
}

struct ReplaceCase
{
    const char *Description;
    std::string_view Content;
    std::string_view Section;
    std::string_view Key;
    std::string_view Value;
    std::string_view Expected;
};

class ProfileReplaceTest : public testing::TestWithParam<ReplaceCase>
{};

TEST_P(ProfileReplaceTest, ChangesOnlyTheKeyLine)
{
    const ReplaceCase &c = GetParam();
    const std::string replaced = ProfileReplace(c.Content, c.Section, c.Key, c.Value);
    EXPECT_EQ(replaced, c.Expected) << c.Description;
    EXPECT_EQ(ProfileLookup(replaced, c.Section, c.Key, "DEF"), c.Value) << c.Description;
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ProfileReplaceTest,
    testing::Values(
        ReplaceCase{"new file", "", "Form", "width", "729", "[Form]\r\nwidth=729\r\n"},
        ReplaceCase{"keeps the spelling in the file", "[Form]\r\nWidth=800\r\n", "FORM", "WIDTH",
                    "900", "[Form]\r\nWidth=900\r\n"},
        ReplaceCase{"keeps every other line",
                    "; c\r\n[A]\r\nx = 1 \r\n\r\n[Form]\r\n  Width = 800\r\nh=1\n", "Form", "width",
                    "900", "; c\r\n[A]\r\nx = 1 \r\n\r\n[Form]\r\nWidth=900\r\nh=1\n"},
        ReplaceCase{"new key after the section's last key", "[S]\r\na=1\r\n;c\r\n[T]\r\n", "S", "b",
                    "2", "[S]\r\na=1\r\nb=2\r\n;c\r\n[T]\r\n"},
        ReplaceCase{"new key in a section without keys", "[S]\r\n[T]\r\n", "S", "b", "2",
                    "[S]\r\nb=2\r\n[T]\r\n"},
        ReplaceCase{"new section after an unterminated line", "x=1", "S", "k", "v",
                    "x=1\r\n[S]\r\nk=v\r\n"},
        ReplaceCase{"new section after LF", "[A]\n", "S", "k", "v", "[A]\n[S]\r\nk=v\r\n"},
        ReplaceCase{"unterminated key line gains CR LF", "[S]\r\nk=1", "S", "k", "2",
                    "[S]\r\nk=2\r\n"},
        ReplaceCase{"unterminated header", "[S]", "S", "k", "v", "[S]\r\nk=v\r\n"},
        ReplaceCase{"a replaced line keeps its LF", "[S]\nk=1\nz=0\n", "S", "k", "2",
                    "[S]\nk=2\nz=0\n"},
        ReplaceCase{"a replaced line keeps its CR", "[S]\rk=1\r", "S", "k", "2", "[S]\rk=2\r"},
        ReplaceCase{"only the first of duplicate sections", "[S]\r\nk=1\r\n[S]\r\nk=1\r\n", "S",
                    "k", "2", "[S]\r\nk=2\r\n[S]\r\nk=1\r\n"},
        ReplaceCase{"only the first of duplicate keys", "[S]\r\nk=1\r\nK=1\r\n", "S", "k", "2",
                    "[S]\r\nk=2\r\nK=1\r\n"},
        ReplaceCase{"a section behind a byte-order mark is not found", "\xEF\xBB\xBF[S]\r\nk=1\r\n",
                    "S", "k", "2", "\xEF\xBB\xBF[S]\r\nk=1\r\n[S]\r\nk=2\r\n"},
        ReplaceCase{"a key before any section is left alone", "k=1\r\n[S]\r\n", "S", "k", "2",
                    "k=1\r\n[S]\r\nk=2\r\n"},
        ReplaceCase{"a commented-out key is left alone", "[S]\r\n;k=1\r\n", "S", "k", "2",
                    "[S]\r\nk=2\r\n;k=1\r\n"},
        ReplaceCase{"a header without ]", "[S\r\nk=1\r\n", "S", "k", "2", "[S\r\nk=2\r\n"},
        // Whatever stands just above the key line stays, byte for byte.
        ReplaceCase{"a comment just above", "[S]\r\na=1\r\n;note\r\nk=1\r\nz=0\r\n", "S", "k", "2",
                    "[S]\r\na=1\r\n;note\r\nk=2\r\nz=0\r\n"},
        ReplaceCase{"a blank line just above", "[S]\r\na=1\r\n\r\nk=1\r\n", "S", "k", "2",
                    "[S]\r\na=1\r\n\r\nk=2\r\n"},
        ReplaceCase{"a line without = just above", "[S]\na=1\nnot a key\nk=1\n", "S", "k", "2",
                    "[S]\na=1\nnot a key\nk=2\n"},
        ReplaceCase{"an unknown key just above", "[S]\r\nunknown=1\r\nk=1\r\n", "S", "k", "2",
                    "[S]\r\nunknown=1\r\nk=2\r\n"},
        ReplaceCase{"a comment between the header and the key", "[S]\r\n; why\r\n\r\nk=1", "S", "k",
                    "2", "[S]\r\n; why\r\n\r\nk=2\r\n"},
        ReplaceCase{"garbage lines kept; [[ opens a section named [",
                    "[S]\r\n\x01junk\r\n[[\r\nk=1\r\n\xFF", "S", "k", "-1",
                    "[S]\r\nk=-1\r\n\x01junk\r\n[[\r\nk=1\r\n\xFF"}));

// --- On files ---

TEST(PrivateProfileFile, MissingFileGivesTheDefaultAndIsNotCreated)
{
    TestDirectory directory;
    const std::string path = directory.File("Lexivanedr.ini");
    EXPECT_EQ(GetPrivateProfileString("Form", "Width", "d", path), "d");
    EXPECT_EQ(access(path.c_str(), F_OK), -1);
}

TEST(PrivateProfileFile, DirectoryInPlaceOfTheFileGivesTheDefault)
{
    TestDirectory directory;
    const std::string path = directory.File("Lexivanedr.ini");
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    EXPECT_EQ(GetPrivateProfileString("Form", "Width", "d", path), "d");
    EXPECT_EQ(FaultText(WritePrivateProfileString("Form", "Width", "1", path)),
              "Cannot create file \"" + path + "\". Is a directory");
}

TEST(PrivateProfileFile, WriteKeepsEveryOtherByte)
{
    TestDirectory directory;
    const std::string path = directory.File("Lexivanedr.ini");
    const std::string big(10 * 1024, 'b');
    const std::string before
        = "\xEF\xBB\xBF;top\n[Other]\rbig=" + big + "\r\n[Form\r\nwidth=1\r\nno equals\n[x";
    WriteFile(path, before);
    ASSERT_TRUE(WritePrivateProfileString("Form", "width", "640", path).Ok());
    EXPECT_EQ(ReadFile(path),
              "\xEF\xBB\xBF;top\n[Other]\rbig=" + big + "\r\n[Form\r\nwidth=640\r\nno equals\n[x");
    EXPECT_EQ(GetPrivateProfileString("other", "BIG", "", path), big.substr(0, 2047));
}

} // namespace
} // namespace tellaria
