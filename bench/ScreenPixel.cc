#include "bench/ScreenPixel.h"

#include <QString>

// After every Qt header: Xlib defines names such as KeyPress and None as macros.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace tellaria::bench {

ScreenPixel::ScreenPixel(const QString &display)
    : m_display(XOpenDisplay(display.toLatin1().constData()))
{}

ScreenPixel::~ScreenPixel()
{
    if (m_display)
        XCloseDisplay(m_display);
}

long ScreenPixel::At(const QPoint &point) const
{
    if (!m_display)
        return -1;
    XImage *image = XGetImage(m_display, DefaultRootWindow(m_display), point.x(), point.y(), 1, 1,
                              AllPlanes, ZPixmap);
    if (!image)
        return -1;
    // A true-colour screen of 24 bits, as the private display is.
    const long colour = long(XGetPixel(image, 0, 0) & 0xffffff);
    XDestroyImage(image);
    return colour;
}

} // namespace tellaria::bench
