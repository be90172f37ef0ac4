#include "ui/BandArea.h"

#include "ui/UnitMain.h"

namespace tellaria {

TBandArea::TBandArea(TfrmMain *form)
    : TCoolBar(form)
    , m_form(form)
{}

bool TBandArea::DockOver(TDragDockObject &source, const QPoint &position, TDragState state)
{
    return m_form->CoolBar1DockOver(source, position, state);
}

void TBandArea::DockDrop(TDragDockObject &source, const QPoint &position)
{
    m_form->CoolBar1DockDrop(source, position);
}

} // namespace tellaria
