#include "core/SettingsFile.h"

#include "core/ProfileFile.h"

#include <string>

namespace tellaria {

namespace {

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::int32_t> ParseProfileInt(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }

    std::size_t digitsStart = at;
    bool hexadecimal = false;
    if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X')) {
        hexadecimal = true;
        digitsStart = at + 1;
    } else if (at + 1 < text.size() && text[at] == '0'
               && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        hexadecimal = true;
        digitsStart = at + 2;
    }
    if (digitsStart == text.size())
        return std::nullopt;

    if (hexadecimal) {
        std::uint32_t value = 0;
        int significant = 0;
        for (std::size_t i = digitsStart; i < text.size(); ++i) {
            const int digit = HexDigitValue(text[i]);
            if (digit < 0)
                return std::nullopt;
            if (significant > 0 || digit != 0)
                ++significant;
            if (significant > 8)
                return std::nullopt;
            value = (value << 4) | static_cast<std::uint32_t>(digit);
        }
        // Two's complement: the digits are the bit pattern, and "-" negates it.
        if (negative)
            value = 0u - value;
        return static_cast<std::int32_t>(value);
    }

    // Up to 2^31 is representable here; anything larger has failed already.
    constexpr std::int64_t Limit = std::int64_t{1} << 31;
    std::int64_t value = 0;
    for (std::size_t i = digitsStart; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > Limit)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value >= Limit)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

SettingsFile::SettingsFile(std::string path)
    : m_path(std::move(path))
{}

std::int32_t SettingsFile::ReadIntValue(std::string_view section,
                                        std::string_view key,
                                        std::int32_t defaultValue) const
{
    const std::string text = GetPrivateProfileString(section, key, "", m_path);
    return ParseProfileInt(text).value_or(defaultValue);
}

Status SettingsFile::WriteIntValue(std::string_view section,
                                   std::string_view key,
                                   std::int32_t value)
{
    return WritePrivateProfileString(section, key, std::to_string(value), m_path);
}

WindowSize CorrectWindowSize(WindowSize stored, WindowSize screen)
{
    WindowSize corrected = stored;
    if (stored.Width < 10 || stored.Width > screen.Width)
        corrected.Width = screen.Width;
    if (stored.Height < 10 || std::int64_t{stored.Height} > std::int64_t{screen.Height} + 10)
        corrected.Height = screen.Height;
    return corrected;
}

} // namespace tellaria
