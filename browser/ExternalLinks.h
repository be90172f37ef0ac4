#pragma once

// Where a page lives outside the program: its address handed to the desktop's default web
// browser, or put on the clipboard.

#include <QObject>
#include <QUrl>

namespace tellaria {

// Opens `url` in the user's default web browser, through the desktop's handler for its scheme
// (xdg-open). Only web addresses go: a page's address could be anything its site made it. False
// for any other; a handler that cannot open it is told later, by TExternalLinks::OpenFailed.
bool OpenInDefaultBrowser(const QUrl &url);

// Puts `url` on the clipboard as text, as the address bar of a browser shows it.
void CopyAddress(const QUrl &url);

// Tells of what OpenInDefaultBrowser could not do, for the window to say.
class TExternalLinks : public QObject
{
    Q_OBJECT
public:
    static TExternalLinks &Instance();

signals:
    // The desktop has no program to open `url` with (xdg-open missing, or it found no browser).
    void OpenFailed(const QUrl &url);
};

} // namespace tellaria
