#pragma once

// Where a page lives outside the program: its address handed to the desktop's default web
// browser, or put on the clipboard.

#include <QUrl>

namespace tellaria {

// Opens `url` in the user's default web browser, through the desktop's handler for its scheme.
// Only web addresses go: a page's address could be anything its site made it.
bool OpenInDefaultBrowser(const QUrl &url);

// Puts `url` on the clipboard as text, as the address bar of a browser shows it.
void CopyAddress(const QUrl &url);

} // namespace tellaria
