#include "core/SettingsFile.h"
#include "tests/support/FaultText.h"

#include "tests/support/TestDirectory.h"

#include <climits>
#include <gtest/gtest.h>
#include <unistd.h>

namespace tellaria {
namespace {

using test::ReadFile;
using test::TestDirectory;
using test::WriteFile;

struct IntCase
{
    std::string_view Text;
    std::optional<std::int32_t> Expected;
};

class ParseProfileIntTest : public testing::TestWithParam<IntCase>
{};

TEST_P(ParseProfileIntTest, ConvertsTheWholeText)
{
    EXPECT_EQ(ParseProfileInt(GetParam().Text), GetParam().Expected)
        << '"' << GetParam().Text << '"';
}

constexpr std::nullopt_t Fails = std::nullopt;

INSTANTIATE_TEST_SUITE_P(Cases,
                         ParseProfileIntTest,
                         testing::Values(IntCase{"800", 800},
                                         IntCase{"0x320", 800},
                                         IntCase{"0X320", 800},
                                         IntCase{"$320", 800},
                                         IntCase{"x320", 800},
                                         IntCase{"X320", 800},
                                         IntCase{"+800", 800},
                                         IntCase{"   800", 800},
                                         IntCase{"  -0x10", -16},
                                         IntCase{"007", 7},
                                         IntCase{"0", 0},
                                         IntCase{"-0", 0},
                                         IntCase{"$abc", 2748},
                                         IntCase{"+$a", 10},
                                         IntCase{"2147483647", INT_MAX},
                                         IntCase{"-2147483648", INT_MIN},
                                         IntCase{"0000000000002147483647", INT_MAX},
                                         IntCase{"$FFFFFFFF", -1},
                                         IntCase{"-$1", -1},
                                         IntCase{"$7FFFFFFF", INT_MAX},
                                         IntCase{"$80000000", INT_MIN},
                                         IntCase{"-$80000000", INT_MIN},
                                         IntCase{"-$FFFFFFFF", 1},
                                         IntCase{"0x00000000FFFFFFFF",
                                                 -1}, // leading zeros are not significant
                                         IntCase{"0x100000000", Fails}, // a ninth significant digit
                                         IntCase{"800px", Fails},
                                         IntCase{"8e2", Fails},
                                         IntCase{"800.0", Fails},
                                         IntCase{"800 ", Fails},
                                         IntCase{"\t800", Fails},
                                         IntCase{"", Fails},
                                         IntCase{"   ", Fails},
                                         IntCase{"+", Fails},
                                         IntCase{"-", Fails},
                                         IntCase{"$", Fails},
                                         IntCase{"0x", Fails},
                                         IntCase{"-x", Fails},
                                         IntCase{"+-1", Fails},
                                         IntCase{"--1", Fails},
                                         IntCase{"- 1", Fails},
                                         IntCase{"$ 1", Fails},
                                         IntCase{"00x1", Fails},
                                         IntCase{"0x1g", Fails},
                                         IntCase{"xx1", Fails},
                                         IntCase{"abc", Fails},
                                         IntCase{"2147483648", Fails},
                                         IntCase{"-2147483649", Fails},
                                         IntCase{"99999999999999999999999", Fails}));

// --- Reading and writing the file ---

class SettingsFileTest : public testing::Test
{
protected:
    std::string Path() const { return m_directory.File("Lexivanedr.ini"); }

    std::int32_t ReadStored(std::string_view stored, std::int32_t defaultValue)
    {
        WriteFile(Path(), "[Form]\r\nWidth=" + std::string(stored) + "\r\n");
        return SettingsFile(Path()).ReadIntValue("Form", "Width", defaultValue);
    }

    TestDirectory m_directory;
};

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndIsNotCreated)
{
    SettingsFile settings(Path());
    EXPECT_EQ(settings.ReadIntValue("Form", "Width", 729), 729);
    EXPECT_EQ(settings.ReadIntValue("Dictionary", "ID", 0), 0);
    EXPECT_EQ(access(Path().c_str(), F_OK), -1);
}

TEST_F(SettingsFileTest, FirstRunWritesTheThreeEntries)
{
    SettingsFile settings(Path());
    ASSERT_TRUE(settings.WriteIntValue("Form", "width", 729).Ok());
    ASSERT_TRUE(settings.WriteIntValue("Form", "Height", 528).Ok());
    ASSERT_TRUE(settings.WriteIntValue("Dictionary", "ID", 0).Ok());
    EXPECT_EQ(ReadFile(Path()), "[Form]\r\nwidth=729\r\nHeight=528\r\n[Dictionary]\r\nID=0\r\n");

    // The next start reads them under the other spellings.
    SettingsFile next(Path());
    EXPECT_EQ(next.ReadIntValue("Form", "Width", 1), 729);
    EXPECT_EQ(next.ReadIntValue("Form", "height", 1), 528);
    EXPECT_EQ(next.ReadIntValue("FORM", "WIDTH", 1), 729);
    EXPECT_EQ(next.ReadIntValue("dictionary", "id", 1), 0);
}

TEST_F(SettingsFileTest, LaterRunsReplaceValuesAndKeepEverythingElse)
{
    const std::string before = "; notes\r\n[Form]\r\nWidth=800\r\nheight=600\r\nLeft=3\r\n\r\n"
                               "[Plugins]\r\nname=\"x y\"\r\n[Dictionary]\r\nid=2\r\n";
    WriteFile(Path(), before);
    SettingsFile settings(Path());
    ASSERT_TRUE(settings.WriteIntValue("Form", "width", 1024).Ok());
    ASSERT_TRUE(settings.WriteIntValue("Form", "Height", 768).Ok());
    ASSERT_TRUE(settings.WriteIntValue("Dictionary", "ID", -1).Ok());
    EXPECT_EQ(ReadFile(Path()), "; notes\r\n[Form]\r\nWidth=1024\r\nheight=768\r\nLeft=3\r\n\r\n"
                                "[Plugins]\r\nname=\"x y\"\r\n[Dictionary]\r\nid=-1\r\n");
}

TEST_F(SettingsFileTest, EveryReadGoesToTheFile)
{
    SettingsFile settings(Path());
    WriteFile(Path(), "[Dictionary]\r\nID=2\r\n");
    EXPECT_EQ(settings.ReadIntValue("Dictionary", "ID", 0), 2);
    WriteFile(Path(), "[Dictionary]\r\nID=3\r\n");
    EXPECT_EQ(settings.ReadIntValue("Dictionary", "ID", 0), 3);
}

TEST_F(SettingsFileTest, StoredTextsConvertOrGiveTheDefault)
{
    EXPECT_EQ(ReadStored("0x320", 729), 800);
    EXPECT_EQ(ReadStored("  800", 729), 800);
    EXPECT_EQ(ReadStored("\"800\"", 729), 800); // quotes are removed on reading
    EXPECT_EQ(ReadStored("800  ", 729), 800); // so are blanks in the file
    EXPECT_EQ(ReadStored("800px", 729), 729);
    EXPECT_EQ(ReadStored("", 729), 729);
    EXPECT_EQ(ReadStored("$FFFFFFFF", 729), -1);
    EXPECT_EQ(ReadStored("abc", 0), 0);
}

TEST_F(SettingsFileTest, LongValueIsCutBeforeConverting)
{
    // 2046 zeros and "800" keep only the zeros and the 8.
    EXPECT_EQ(ReadStored(std::string(2046, '0') + "800", 729), 8);
    EXPECT_EQ(ReadStored(std::string(10 * 1024, '7'), 729), 729);
}

TEST_F(SettingsFileTest, ByteOrderMarkHidesTheFirstSection)
{
    WriteFile(Path(), "\xEF\xBB\xBF[Form]\r\nWidth=640\r\n");
    SettingsFile settings(Path());
    EXPECT_EQ(settings.ReadIntValue("Form", "Width", 729), 729);
    ASSERT_TRUE(settings.WriteIntValue("Form", "width", 700).Ok());
    EXPECT_EQ(ReadFile(Path()), "\xEF\xBB\xBF[Form]\r\nWidth=640\r\n[Form]\r\nwidth=700\r\n");
    EXPECT_EQ(settings.ReadIntValue("Form", "Width", 729), 700);
}

TEST_F(SettingsFileTest, OtherLineEndsRead)
{
    for (const std::string &content : {std::string("[Form]\nWidth=640\nheight=480"),
                                       std::string("[Form]\rWidth=640\rheight=480"),
                                       std::string("garbage\r\n[\r\n[Form]\r\nnothing\r\nWidth=640"
                                                   "\r\nheight=480")}) {
        WriteFile(Path(), content);
        SettingsFile settings(Path());
        EXPECT_EQ(settings.ReadIntValue("Form", "Width", 0), 640) << content;
        EXPECT_EQ(settings.ReadIntValue("Form", "height", 0), 480) << content;
    }
}

TEST_F(SettingsFileTest, WritesPlainDecimal)
{
    SettingsFile settings(Path());
    ASSERT_TRUE(settings.WriteIntValue("S", "a", INT_MIN).Ok());
    ASSERT_TRUE(settings.WriteIntValue("S", "b", INT_MAX).Ok());
    ASSERT_TRUE(settings.WriteIntValue("S", "c", 0).Ok());
    EXPECT_EQ(ReadFile(Path()), "[S]\r\na=-2147483648\r\nb=2147483647\r\nc=0\r\n");
}

TEST_F(SettingsFileTest, RefusedWriteFailsAndKeepsTheOldFile)
{
    WriteFile(m_directory.File("plain"), "[Form]\r\n");
    const std::string path = m_directory.File("plain/Lexivanedr.ini");
    SettingsFile settings(path);
    EXPECT_EQ(FaultText(settings.WriteIntValue("Form", "width", 1)),
              "Cannot create file \"" + path + "\". Not a directory");
    EXPECT_EQ(ReadFile(m_directory.File("plain")), "[Form]\r\n");
}

// --- Window size ---

struct SizeCase
{
    WindowSize Stored;
    WindowSize Screen;
    WindowSize Expected;
};

class CorrectWindowSizeTest : public testing::TestWithParam<SizeCase>
{};

TEST_P(CorrectWindowSizeTest, ReplacesOutOfRangeByTheScreen)
{
    const SizeCase &c = GetParam();
    EXPECT_EQ(CorrectWindowSize(c.Stored, c.Screen), c.Expected)
        << c.Stored.Width << "x" << c.Stored.Height << " on " << c.Screen.Width << "x"
        << c.Screen.Height;
}

constexpr WindowSize Screen800{800, 600};

INSTANTIATE_TEST_SUITE_P(Cases,
                         CorrectWindowSizeTest,
                         testing::Values(SizeCase{{729, 528}, Screen800, {729, 528}},
                                         SizeCase{{729, 528}, {640, 480}, {640, 480}},
                                         SizeCase{{5, 528}, Screen800, {800, 528}},
                                         SizeCase{{9, 528}, Screen800, {800, 528}},
                                         SizeCase{{10, 528}, Screen800, {10, 528}},
                                         SizeCase{{800, 528}, Screen800, {800, 528}},
                                         SizeCase{{801, 528}, Screen800, {800, 528}},
                                         SizeCase{{-1, 528}, Screen800, {800, 528}},
                                         SizeCase{{729, 9}, Screen800, {729, 600}},
                                         SizeCase{{729, 10}, Screen800, {729, 10}},
                                         SizeCase{{729, 610}, Screen800, {729, 610}},
                                         SizeCase{{729, 611}, Screen800, {729, 600}},
                                         SizeCase{{729, INT_MAX}, Screen800, {729, 600}},
                                         SizeCase{{729, INT_MIN}, {800, INT_MAX}, {729, INT_MAX}},
                                         SizeCase{{729, 490}, {640, 480}, {640, 490}},
                                         SizeCase{{729, 491}, {640, 480}, {640, 480}}));

} // namespace
} // namespace tellaria
