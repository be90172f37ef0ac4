#include "ui/SearchPanel.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>

#include <algorithm>

namespace tellaria {

namespace {

constexpr int Spacing = 4;
constexpr int Margin = 1;

} // namespace

TSearchPanel::TSearchPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void TSearchPanel::SetControls(QComboBox *selector, QLabel *label, QWidget *box)
{
    m_selector = selector;
    m_label = label;
    m_box = box;
    // Wide enough for its longest label in the font in use.
    selector->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_boxDesignWidth = box->width();
    // The box is as wide as designed and grows with the room to type; the panel places it.
    box->setMaximumWidth(QWIDGETSIZE_MAX);
    m_designWidth = sizeHint().width();
    // Never wider than designed, but for the room to type (eventFilter).
    setMaximumWidth(m_designWidth);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    if (parentWidget())
        parentWidget()->installEventFilter(this);
    Arrange();
}

bool TSearchPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        const QWidget *top = window();
        const int beyond = top->objectName() == QLatin1String("frmMain")
                               ? std::max(0, top->width() - DesignWindowWidth)
                               : QWIDGETSIZE_MAX - m_designWidth;
        setMaximumWidth(m_designWidth + beyond);
    }
    return QFrame::eventFilter(watched, event);
}

int TSearchPanel::FixedWidth() const
{
    return 2 * frameWidth() + Margin + 2 * Spacing + m_label->sizeHint().width() + m_boxDesignWidth;
}

int TSearchPanel::SelectorMinimum() const
{
    return m_selector->sizeHint().width();
}

int TSearchPanel::SelectorPreferred() const
{
    return std::max(SelectorDesignWidth, SelectorMinimum());
}

int TSearchPanel::ContentHeight() const
{
    return std::max({m_selector->sizeHint().height(), m_label->sizeHint().height(),
                     m_box->sizeHint().height()});
}

QSize TSearchPanel::sizeHint() const
{
    if (!m_selector)
        return {DesignWidth, QFrame::sizeHint().height()};
    return {std::max(DesignWidth, DesignIndent + FixedWidth() + SelectorPreferred()),
            ContentHeight() + 2 * (frameWidth() + Margin)};
}

QSize TSearchPanel::minimumSizeHint() const
{
    if (!m_selector)
        return QFrame::minimumSizeHint();
    return {FixedWidth() + Margin + SelectorMinimum(),
            ContentHeight() + 2 * (frameWidth() + Margin)};
}

void TSearchPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    Arrange();
}

void TSearchPanel::Arrange()
{
    if (!m_selector)
        return;
    // The controls are placed here rather than by a layout: the stretch must give all its room
    // before the selector gives any.
    // The room for the stretch (the selector's indent, at least the margin) and the selector.
    const int room = width() - FixedWidth();
    const int selector = std::clamp(room - Margin, SelectorMinimum(), SelectorPreferred());
    const int indent = std::clamp(room - selector, Margin, DesignIndent);
    const QRect inside = contentsRect().adjusted(0, Margin, -Margin, -Margin);
    int x = inside.left() + indent;
    const auto place = [&](QWidget *control, int controlWidth) {
        control->setGeometry(x, inside.top(), controlWidth, inside.height());
        x += controlWidth + Spacing;
    };
    place(m_selector, selector);
    place(m_label, m_label->sizeHint().width());
    // Whatever the panel has beyond its design is room to type.
    place(m_box, m_boxDesignWidth + std::max(0, width() - m_designWidth));
}

} // namespace tellaria
