#pragma once

// The application-wide current hint: once the events at hand are handled it is taken from the
// highlighted item of an open menu or, with no menu open, from the widget under the pointer
// (disabled widgets included, falling back to the nearest enclosing widget with a hint). A
// widget's or menu item's hint is its status tip; only the long part is used, the text after
// the first "|" (the whole tip when it holds none). One handler hears every change.
//
// Qt's own status tips travel as QStatusTipEvent to the window under the pointer and are shown
// only by a QMainWindow; the program's windows are not ones, so nothing else writes the hint.

#include <QObject>
#include <QString>

class QMenu;
class QWidget;

namespace tellaria {

class TApplicationHint : public QObject
{
    Q_OBJECT
public:
    // The one instance, made on first use and owned by the application object.
    static TApplicationHint &Instance();

    const QString &Hint() const { return m_hint; }

    // Makes `slot` of `receiver` the one that hears each new hint, for as long as `receiver`
    // lives. The current hint starts over empty, so it also hears the first one it is shown with.
    template<typename Receiver>
    void SetReceiver(Receiver *receiver, void (Receiver::*slot)(const QString &hint))
    {
        disconnect(this, &TApplicationHint::Changed, nullptr, nullptr);
        connect(this, &TApplicationHint::Changed, receiver, slot);
        StartOver();
    }

    // Recomputes the hint now. Otherwise it is recomputed only after an event that can change it
    // (the pointer, a key, a window shown, hidden, moved or resized), once the events at hand are
    // handled: asking the window system where the pointer is costs a round trip, and the browser
    // engine's tasks, which change nothing here, must not pay for it.
    void Update();

    // The text after the first "|" of `hint`, or `hint` when it holds none.
    static QString LongHint(const QString &hint);
    // The long hint of `widget` or of its nearest ancestor with a hint; empty when none has one.
    static QString HintOf(const QWidget *widget);

    // Lets the pointer and the arrow keys highlight the disabled items of `menu` too, as the
    // platform menus the program was made for do, so that their hints show as well.
    static void HighlightDisabledItems(QMenu *menu);

signals:
    void Changed(const QString &hint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TApplicationHint();
    void StartOver();
    QString CurrentHint() const;
    // Has the hint recomputed once the events at hand are handled.
    void MarkStale();

    QString m_hint;
    bool m_stale = false;
};

} // namespace tellaria
