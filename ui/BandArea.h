#pragma once

// The main window's band area: a band area whose docking decisions are the window's own
// (TfrmMain::CoolBar1DockOver and CoolBar1DockDrop).

#include "widgets/CoolBar.h"

namespace tellaria {

class TfrmMain;

class TBandArea : public TCoolBar
{
    Q_OBJECT
public:
    // `form` decides what docks here; it is also the parent.
    explicit TBandArea(TfrmMain *form);

    bool DockOver(TDragDockObject &source, const QPoint &position, TDragState state) override;
    void DockDrop(TDragDockObject &source, const QPoint &position) override;

private:
    TfrmMain *m_form;
};

} // namespace tellaria
