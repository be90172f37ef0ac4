#include "ui/SearchPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace tellaria {

namespace {

constexpr int Spacing = 4;
constexpr int Margin = 1;

} // namespace

TSearchPanel::TSearchPanel(QWidget *parent)
    : QFrame(parent)
    , m_layout(new QHBoxLayout(this))
{
    setObjectName(QStringLiteral("Panel1"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_layout->setContentsMargins(DesignIndent, Margin, Margin, Margin);
    m_layout->setSpacing(Spacing);
}

void TSearchPanel::SetControls(QComboBox *selector, QLabel *label, QWidget *box)
{
    m_selector = selector;
    m_label = label;
    m_box = box;
    // Wide enough for its longest label in the font in use.
    selector->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_layout->addWidget(selector);
    m_layout->addWidget(label);
    m_layout->addWidget(box);
    m_layout->addStretch();
    // Never wider than designed: the room beyond is the toolbar's.
    setMaximumWidth(sizeHint().width());
    Arrange();
}

int TSearchPanel::FixedWidth() const
{
    return 2 * frameWidth() + 2 * Margin + 2 * Spacing + m_label->sizeHint().width()
           + m_box->sizeHint().width();
}

int TSearchPanel::SelectorMinimum() const
{
    return m_selector->sizeHint().width();
}

int TSearchPanel::SelectorPreferred() const
{
    return std::max(SelectorDesignWidth, SelectorMinimum());
}

QSize TSearchPanel::sizeHint() const
{
    const int height = QFrame::sizeHint().height();
    if (!m_selector)
        return {DesignWidth, height};
    return {std::max(DesignWidth, FixedWidth() + SelectorPreferred()), height};
}

QSize TSearchPanel::minimumSizeHint() const
{
    const int height = QFrame::minimumSizeHint().height();
    if (!m_selector)
        return {0, height};
    return {FixedWidth() + SelectorMinimum(), height};
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
    const int room = width() - FixedWidth();
    const int selector = std::clamp(room, SelectorMinimum(), SelectorPreferred());
    m_selector->setFixedWidth(selector);
    m_layout->setContentsMargins(std::clamp(room - selector, 0, DesignIndent), Margin, Margin,
                                 Margin);
    // Now, not at the next turn of the event loop: the resize that called is being laid out.
    m_layout->activate();
}

} // namespace tellaria
