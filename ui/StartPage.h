#pragma once

// The start page panel's browser (WbAd): sent once to the program's start page, with a page of
// our own in its place when that one cannot be loaded (no network, an unknown host, an HTTP
// error).

#include <QObject>

namespace tellaria {

class TWebBrowser;

class TStartPage : public QObject
{
    Q_OBJECT
public:
    explicit TStartPage(TWebBrowser *browser);

    // Sends the browser to the start page. Asked as soon as the browser exists, ahead of the
    // rest of the window: the request leaves only once the event loop runs, and the engine's
    // work towards it on its own threads overlaps with building and showing the window.
    void Request();

    // Whether the engine has begun loading it.
    bool Started() const { return m_started; }

signals:
    // The engine has begun loading the start page (once).
    void LoadStarted();
    // The load has ended, loaded or not (each time).
    void LoadEnded();

private:
    void ShowFallback();

    TWebBrowser *m_browser;
    bool m_started = false;
};

} // namespace tellaria
