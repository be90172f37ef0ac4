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
    InsertDockedControl(m_layout, control);
}

QList<QWidget *> TCoolBar::BandControls() const
{
    return DockedControls(m_layout);
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
