#pragma once

// The start page panel's browser (WbAd): sent once to the program's start page, with a page of
// our own in its place when that one cannot be loaded (no network, an unknown host, an HTTP
// error). The window's first show waits for the engine to begin on it.

#include <QObject>

class QTimer;
class QWidget;

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

    // Shows `window` once the engine has begun loading the start page, and at most `limitMs`
    // from now; then emits WindowShown. Once only, whichever comes first; a window closed
    // meanwhile (WindowClosed: a termination signal may close it before it was ever shown) is
    // never shown. Until the engine has begun, a paint of the window would hold up its work on
    // this thread, and the start page's request with it.
    void ShowWindowOnceStarted(QWidget *window, int limitMs);
    // Between ShowWindowOnceStarted and the show it promises.
    bool ShowPending() const { return bool(m_window); }

    // The window was closed: it is not to be shown any more.
    void WindowClosed() { m_windowClosed = true; }

signals:
    // The engine has begun loading the start page (once).
    void LoadStarted();
    // The load has ended, loaded or not (each time).
    void LoadEnded();
    // ShowWindowOnceStarted has shown the window.
    void WindowShown();

private:
    void ShowFallback();
    void ShowWindow();

    TWebBrowser *m_browser;
    bool m_started = false;
    QWidget *m_window = nullptr; // waiting to be shown
    bool m_windowClosed = false;
    QTimer *m_showLimit;
};

} // namespace tellaria
