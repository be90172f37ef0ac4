#include "widgets/ApplicationHint.h"

#include "widgets/Application.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>

namespace tellaria {

namespace {

class THighlightDisabledStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint,
                  const QStyleOption *option,
                  const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Menu_AllowActiveAndDisabled)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

TApplicationHint &TApplicationHint::Instance()
{
    static QPointer<TApplicationHint> instance;
    if (!instance)
        instance = new TApplicationHint;
    return *instance;
}

TApplicationHint::TApplicationHint()
    : QObject(QCoreApplication::instance())
{
    QCoreApplication::instance()->installEventFilter(this);
}

void TApplicationHint::MarkStale()
{
    if (m_stale)
        return;
    m_stale = true;
    // Once the events at hand are handled: a burst of pointer moves costs one recomputation.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_stale)
                Update();
        },
        Qt::QueuedConnection);
}

bool TApplicationHint::eventFilter(QObject *watched, QEvent *event)
{
    // What can change the widget under the pointer or the highlighted menu item. The browser
    // engine's tasks are none of these, so a page loading costs the hint nothing. A widget
    // shown or hidden under the pointer gets Enter or Leave from Qt itself; only a window
    // appearing, going or moving is looked for here.
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::HoverLeave:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::StatusTip:
        MarkStale();
        break;
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
        if (watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
            MarkStale();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TApplicationHint::StartOver()
{
    m_hint.clear();
    m_stale = false;
    MarkStale();
}

QString TApplicationHint::LongHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QString TApplicationHint::HintOf(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        QString hint = LongHint(widget->statusTip());
        if (!hint.isEmpty())
            return hint;
    }
    return {};
}

void TApplicationHint::HighlightDisabledItems(QMenu *menu)
{
    // One style for every menu, owned with the hint by the application object.
    static QPointer<QStyle> style;
    if (!style) {
        style = new THighlightDisabledStyle;
        style->setParent(&Instance());
    }
    menu->setStyle(style);
}

QString TApplicationHint::CurrentHint() const
{
    if (const auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
        const QAction *item = menu->activeAction();
        return item ? LongHint(item->statusTip()) : QString();
    }
    // widgetAt finds disabled widgets too, which is what a hint wants.
    return HintOf(QApplication::widgetAt(QCursor::pos()));
}

void TApplicationHint::Update()
{
    NoteTime("hint update");
    m_stale = false;
    const QString hint = CurrentHint();
    if (hint == m_hint)
        return;
    m_hint = hint;
    emit Changed(m_hint);
}

} // namespace tellaria
