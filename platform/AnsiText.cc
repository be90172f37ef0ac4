#include "platform/AnsiText.h"

#include "core/CodePage.h"

namespace tellaria {

QString FromAnsi(std::string_view ansi)
{
    const std::string utf8 = Utf8(ansi);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string ToAnsi(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return AnsiFromUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

} // namespace tellaria
