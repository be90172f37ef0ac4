#pragma once

// The seam between Qt's UTF-16 strings and the ANSI byte strings the program keeps.

#include <QString>

#include <string>
#include <string_view>

namespace tellaria {

QString FromAnsi(std::string_view ansi);
std::string ToAnsi(const QString &text);

} // namespace tellaria
