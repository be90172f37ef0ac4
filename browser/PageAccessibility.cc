#include "browser/PageAccessibility.h"

#include <QChildEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace tellaria {

namespace {

// A screen reader lists every top-level window but popups; a window never shown is drawn the
// same either way.
void MarkOffscreenWindowsAsPopups()
{
    const QWindowList windows = QGuiApplication::topLevelWindows();
    for (QWindow *window : windows) {
        if (window->inherits("QQuickWidgetOffscreenWindow") && window->type() != Qt::Popup)
            window->setFlags(Qt::Popup);
    }
}

class TOffscreenWindowWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The engine's drawing surface comes as a child of the view, with its offscreen window.
        if (event->type() == QEvent::ChildPolished
            && static_cast<QChildEvent *>(event)->child()->inherits("QQuickWidget"))
            MarkOffscreenWindowsAsPopups();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void ExposePagesToScreenReaders()
{
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
}

void HideOffscreenWindowsFromScreenReaders(QWidget *view)
{
    view->installEventFilter(new TOffscreenWindowWatch(view));
    MarkOffscreenWindowsAsPopups();
}

} // namespace tellaria
