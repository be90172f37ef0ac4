#pragma once

// Keys typed as a user types them: through the X server's XTEST extension, so that they reach
// whichever window has the focus by the X server's own path.

#include <QString>

#include <cstdint>

struct _XDisplay;

namespace tellaria::bench {

class XKeyboard
{
public:
    explicit XKeyboard(const QString &display);
    ~XKeyboard();
    XKeyboard(const XKeyboard &) = delete;
    XKeyboard &operator=(const XKeyboard &) = delete;

    bool IsOpen() const { return m_display != nullptr; }

    // Letters and digits, one tap each.
    void Type(const QString &text);
    // Enter; returns the monotonic time (ns) just before the key went to the server.
    std::int64_t Enter();
    // Alt+F4: the window manager asks the active window to close.
    void CloseWindow();

private:
    void Tap(unsigned long symbol);

    ::_XDisplay *m_display = nullptr;
};

// The monotonic clock the programs note their moments with, in nanoseconds.
std::int64_t MonotonicNanoseconds();

} // namespace tellaria::bench
