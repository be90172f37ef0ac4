#include "platform/ApplicationHint.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
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
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TApplicationHint::Update);
}

void TApplicationHint::SetHandler(QObject *receiver,
                                  std::function<void(const QString &hint)> handler)
{
    m_receiver = receiver;
    m_handler = std::move(handler);
    m_hint.clear();
}

QString TApplicationHint::LongHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QString TApplicationHint::HintOf(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QString hint = LongHint(widget->statusTip());
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
    const QString hint = CurrentHint();
    if (hint == m_hint)
        return;
    m_hint = hint;
    if (m_receiver && m_handler)
        m_handler(m_hint);
}

} // namespace tellaria
