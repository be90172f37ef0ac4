#pragma once

// The frame a window manager draws around a top-level window, known before the window is shown.

#include <QMargins>

#include <optional>

class QWidget;

namespace tellaria {

// Asks the window manager what frame it will draw around `window`, which is not yet shown, so
// that the window can be given its outer size before it appears rather than be resized once it
// is on the screen (a second layout and paint, and a visible jump). Nothing when there is no
// answer: not X11, no window manager, or one that does not offer the estimate or does not give
// it within a few milliseconds. Creates the window's native window.
std::optional<QMargins> AskFrameMargins(QWidget *window);

} // namespace tellaria
