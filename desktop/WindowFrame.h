#pragma once

// The frame a window manager draws around a top-level window, known before the window is shown.

#include <QMargins>
#include <QObject>

#include <optional>

class QWidget;

namespace tellaria {

// Asks the window manager what frame it will draw around `window`, which is not yet shown, so
// that the window can be given its outer size before it appears rather than be resized once it
// is on the screen (a second layout and paint, and a visible jump). Nothing when there is no
// answer: not X11, no window manager, or one that does not offer the estimate or does not give
// it within a few milliseconds. Creates the window's native window.
std::optional<QMargins> AskFrameMargins(QWidget *window);

// Hears the frame the window manager tells it has drawn around a window.
class TFrameWatch : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void Framed(const QMargins &frame);
};

// A watch, owned by `window`, that emits Framed with the frame the window manager tells it has
// drawn around `window`, each time it tells one (X11's _NET_FRAME_EXTENTS): a window manager too
// busy to answer AskFrameMargins in time still tells its frame, later, this way. Null where there
// is no X11.
TFrameWatch *WatchFrameMargins(QWidget *window);

} // namespace tellaria
