#pragma once

// The desktop session's message bus, connected to ahead of need.

#include <memory>

class QThread;

namespace tellaria {

// Connects to the session bus on a thread of its own for as long as the object lives, and waits
// for that thread at its end. The accessibility bridge connects to the bus as the first widget
// is made, and the window's construction waits until it has: tens of milliseconds where no bus
// runs yet and one is started for the display. Made at start-up while the browser engine sets
// itself up, the connection is there when the window is built. Does nothing on a platform
// without a desktop session (offscreen, say), where nothing would connect.
class TSessionBusWarmUp
{
public:
    TSessionBusWarmUp();
    ~TSessionBusWarmUp();
    TSessionBusWarmUp(const TSessionBusWarmUp &) = delete;
    TSessionBusWarmUp &operator=(const TSessionBusWarmUp &) = delete;

    // Whether a connection is being made (or was made) by this object.
    bool Started() const { return m_thread != nullptr; }

private:
    std::unique_ptr<QThread> m_thread;
};

} // namespace tellaria
