#pragma once

// A user's drag of the standard toolbar, with mouse events on the real widgets: what the docking
// tests check and the screenshot of the floating toolbar shows.

#include "ui/Unit2.h"
#include "ui/UnitMain.h"

#include <QApplication>
#include <QList>
#include <QPoint>
#include <QTest>
#include <QToolBar>

#include <functional>

namespace tellaria::test {

inline QList<TfrmFloating *> FloatingWindows()
{
    QList<TfrmFloating *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<TfrmFloating *>(widget))
            windows << window;
    }
    return windows;
}

inline QPoint ScreenCentre(const QWidget *widget)
{
    return widget->mapToGlobal(widget->rect().center());
}

// A point of the toolbar itself, right of its last button, where a press is the toolbar's own.
inline QPoint BareToolBarPoint(const QToolBar *toolBar)
{
    return QPoint(toolBar->width() - 6, toolBar->height() / 2);
}

// Press on `handle` at `press`, move in a few steps to each point of `path` (screen coordinates)
// and release on the last. `atEachStop` runs after each stop with the button still held.
inline void Drag(QWidget *handle,
                 const QPoint &press,
                 const QList<QPoint> &path,
                 const std::function<void(const QPoint &)> &atEachStop = {})
{
    QTest::mousePress(handle, Qt::LeftButton, {}, press);
    QPoint from = handle->mapToGlobal(press);
    for (const QPoint &to : path) {
        for (int step = 1; step <= 4; ++step) {
            const QPoint at = from + (to - from) * step / 4;
            QTest::mouseMove(handle, handle->mapFromGlobal(at));
        }
        if (atEachStop)
            atEachStop(to);
        from = to;
    }
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFromGlobal(from));
}

} // namespace tellaria::test
