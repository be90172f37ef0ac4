#include "widgets/CoolBar.h"

#include <QDragEnterEvent>
#include <QMimeData>
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
    setAcceptDrops(true);
}

void TCoolBar::dragEnterEvent(QDragEnterEvent *event)
{
    // Entered, the site is asked as the drag moves; only our own docking drags count.
    if (event->mimeData()->hasFormat(QString::fromLatin1(DockDragFormat))
        && DragOver(event->position().toPoint(), TDragState::Enter, false))
        event->acceptProposedAction();
    else if (event->mimeData()->hasFormat(QString::fromLatin1(DockDragFormat)))
        event->accept();
}

void TCoolBar::dragMoveEvent(QDragMoveEvent *event)
{
    if (DragOver(event->position().toPoint(), TDragState::Move, false))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TCoolBar::dragLeaveEvent(QDragLeaveEvent *)
{
    DragOver({}, TDragState::Leave, false);
}

void TCoolBar::dropEvent(QDropEvent *event)
{
    if (DragOver(event->position().toPoint(), TDragState::Move, true))
        event->acceptProposedAction();
    DragOver({}, TDragState::Leave, false);
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
