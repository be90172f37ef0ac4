#pragma once

// The program's one persistent configuration: the main window's size and the last lookup mode,
// in the profile file "Lexivanedr.ini" in the program's directory.

#include "core/Status.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tellaria {

inline constexpr std::string_view SettingsFileName = "Lexivanedr.ini";

// The conversion a stored integer must pass, to its last byte: leading spaces, at most one sign,
// then either a hexadecimal number ("$", "x", "X", "0x" or "0X" and at most 8 significant digits,
// taken as a signed 32-bit two's-complement value) or decimal digits within the signed 32-bit
// range. Nothing when the text does not match.
std::optional<std::int32_t> ParseProfileInt(std::string_view text);

class SettingsFile
{
public:
    // Remembers the file's full path; does not touch the file.
    explicit SettingsFile(std::string path);

    const std::string &Path() const { return m_path; }

    // The stored value, or `defaultValue` when the file, section or key is missing or the value
    // does not convert. Never fails.
    std::int32_t ReadIntValue(std::string_view section,
                              std::string_view key,
                              std::int32_t defaultValue) const;

    // Stores `value` as plain decimal text. CannotCreateFile when the file cannot be written; the
    // file then stays as it was.
    Status WriteIntValue(std::string_view section, std::string_view key, std::int32_t value);

private:
    std::string m_path;
};

struct WindowSize
{
    int Width = 0;
    int Height = 0;

    bool operator==(const WindowSize &) const = default;
};

// The stored window size checked against the primary screen: a width below 10 or above the
// screen width becomes the screen width; a height below 10 or more than 10 above the screen
// height becomes the screen height.
WindowSize CorrectWindowSize(WindowSize stored, WindowSize screen);

} // namespace tellaria
