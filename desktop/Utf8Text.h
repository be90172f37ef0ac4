#pragma once

// The program's own texts, written in the source as UTF-8.

#include <QString>

namespace tellaria {

inline QString Utf8Text(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace tellaria
