#pragma once

// The main window's band area (CoolBar1) and its three bands: the menu (ToolBar1 holding the
// menu bar), the standard buttons with the search panel (TQueryBand), and the encyclopaedia
// check list (PnlBook). What may dock here, and what a drop does, its docking host decides.

#include "widgets/CoolBar.h"

class QFrame;
class QToolBar;

namespace tellaria {

class TCheckListBox;
class TCommands;
class TQueryBand;

// Decides a drag over the band area and a drop on it.
class TBandDocking
{
public:
    virtual bool CoolBar1DockOver(TDragDockObject &source, const QPoint &position, TDragState state)
        = 0;
    virtual void CoolBar1DockDrop(TDragDockObject &source, const QPoint &position) = 0;

protected:
    ~TBandDocking() = default;
};

class TBandArea : public TCoolBar
{
    Q_OBJECT
public:
    // Makes the bands in `parent`, the menu bar and buttons from `commands`.
    TBandArea(TCommands &commands, TBandDocking &docking, QWidget *parent);

    TQueryBand *QueryBand() const { return m_query; }
    TCheckListBox *SiteList() const { return m_sites; }
    // The check list's band, shown in the encyclopaedia mode alone.
    QFrame *SiteBand() const { return m_siteBand; }

    bool DockOver(TDragDockObject &source, const QPoint &position, TDragState state) override;
    void DockDrop(TDragDockObject &source, const QPoint &position) override;

private:
    TBandDocking &m_docking;
    TQueryBand *m_query;
    QFrame *m_siteBand;
    TCheckListBox *m_sites;
};

} // namespace tellaria
