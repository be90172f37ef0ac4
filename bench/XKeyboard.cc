#include "bench/XKeyboard.h"

#include <chrono>

// After every Qt header: Xlib defines names such as KeyPress and None as macros.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tellaria::bench {

std::int64_t MonotonicNanoseconds()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

XKeyboard::XKeyboard(const QString &display)
    : m_display(XOpenDisplay(display.toLatin1().constData()))
{}

XKeyboard::~XKeyboard()
{
    if (m_display)
        XCloseDisplay(m_display);
}

void XKeyboard::Tap(unsigned long symbol)
{
    const KeyCode code = XKeysymToKeycode(m_display, symbol);
    XTestFakeKeyEvent(m_display, code, True, CurrentTime);
    XTestFakeKeyEvent(m_display, code, False, CurrentTime);
    XFlush(m_display);
}

void XKeyboard::Type(const QString &text)
{
    for (const QChar character : text)
        Tap(XStringToKeysym(QString(character).toLatin1().constData()));
}

std::int64_t XKeyboard::Enter()
{
    const std::int64_t now = MonotonicNanoseconds();
    Tap(XK_Return);
    return now;
}

void XKeyboard::CloseWindow()
{
    const KeyCode alt = XKeysymToKeycode(m_display, XK_Alt_L);
    XTestFakeKeyEvent(m_display, alt, True, CurrentTime);
    Tap(XK_F4);
    XTestFakeKeyEvent(m_display, alt, False, CurrentTime);
    XFlush(m_display);
}

} // namespace tellaria::bench
