#pragma once

// The addresses both programs on the bench open: the start page and the encyclopaedias a query
// opens, each served by the bench's proxy.

#include <QString>
#include <QStringList>

namespace tellaria::bench {

inline const QStringList EncyclopaediaHosts
    = {"zh.wikipedia.org", "baike.baidu.com", "www.baike.com", "www.britannica.com",
       "www.infoplease.com"};
inline const QString StartPageUrl
    = QStringLiteral("http://www.tellaria.example/soft/Lexivander.aspx?ver=1.9");

} // namespace tellaria::bench
