#pragma once

// A reference work's article page as sites make them, for timing the reading aids: a site header
// with its menu and search form, a side menu, the article, a column of other links, comments,
// a cookie notice and a footer, some 200 KB of HTML in all. The same text every time.

#include <QByteArray>
#include <QString>

namespace tellaria::bench {

// The page for `term`, which occurs `occurrences` times in its body (a few in the header, the
// side column and the footer; the rest through the article's paragraphs). Its side menu, at the
// page's left edge, is `SideMenuColour` all the way down.
QByteArray ReadingArticleHtml(const QString &term, int occurrences);

inline constexpr long SideMenuColour = 0xe9eef4;

} // namespace tellaria::bench
