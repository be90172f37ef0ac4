#pragma once

// One pixel of the X screen, read back as a user would see it: the bench's way to tell the moment
// a page is on the screen, the same for every program it measures.

#include <QPoint>
#include <QString>

struct _XDisplay;

namespace tellaria::bench {

class ScreenPixel
{
public:
    explicit ScreenPixel(const QString &display);
    ~ScreenPixel();
    ScreenPixel(const ScreenPixel &) = delete;
    ScreenPixel &operator=(const ScreenPixel &) = delete;

    bool IsOpen() const { return m_display != nullptr; }

    // The colour at `point` of the screen (0xRRGGBB); -1 when it cannot be read.
    long At(const QPoint &point) const;

private:
    ::_XDisplay *m_display = nullptr;
};

} // namespace tellaria::bench
