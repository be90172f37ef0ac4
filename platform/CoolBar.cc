#include "platform/CoolBar.h"

#include <QVBoxLayout>

namespace tellaria {

TCoolBar::TCoolBar(QWidget *parent)
    : QFrame(parent)
    , m_layout(new QVBoxLayout(this))
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_layout->setContentsMargins(1, 1, 1, 1);
    m_layout->setSpacing(1);
    // A layout skips hidden widgets, so the area shrinks and grows with its visible bands.
    m_layout->setSizeConstraint(QLayout::SetMinimumSize);
}

void TCoolBar::AppendBand(QWidget *control)
{
    m_layout->addWidget(control);
}

void TCoolBar::InsertControl(QWidget *control)
{
    const bool hidden = ExplicitlyHidden(control);
    control->setParent(this);
    AppendBand(control);
    control->setVisible(!hidden);
}

QList<QWidget *> TCoolBar::BandControls() const
{
    QList<QWidget *> controls;
    for (int index = 0; index < m_layout->count(); ++index) {
        if (QWidget *control = m_layout->itemAt(index)->widget())
            controls << control;
    }
    return controls;
}

QList<QWidget *> TCoolBar::VisibleBandControls() const
{
    QList<QWidget *> controls;
    for (QWidget *control : BandControls()) {
        if (!control->isHidden())
            controls << control;
    }
    return controls;
}

} // namespace tellaria
