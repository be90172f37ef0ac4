#include "ui/BandArea.h"

#include "ui/Commands.h"
#include "ui/QueryBand.h"
#include "widgets/CheckListBox.h"

#include <QFrame>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace tellaria {

TBandArea::TBandArea(TCommands &commands, TBandDocking &docking, QWidget *parent)
    : TCoolBar(parent)
    , m_docking(docking)
{
    setObjectName(QStringLiteral("CoolBar1"));

    // Band 1: the menu, shown as a toolbar of caption buttons.
    auto *menuBand = new QToolBar(this);
    menuBand->setObjectName(QStringLiteral("ToolBar1"));
    menuBand->setMovable(false);
    menuBand->setFloatable(false);
    menuBand->setToolButtonStyle(Qt::ToolButtonTextOnly);
    AppendBand(menuBand);
    menuBand->addWidget(commands.MakeMenuBar(menuBand));

    // Band 2: the standard buttons and the search panel.
    m_query = new TQueryBand(commands, this);
    AppendBand(m_query);

    // Band 3: the encyclopaedia check list.
    m_siteBand = new QFrame(this);
    m_siteBand->setObjectName(QStringLiteral("PnlBook"));
    m_siteBand->setFrameShape(QFrame::NoFrame);
    auto *layout = new QVBoxLayout(m_siteBand);
    layout->setContentsMargins(0, 0, 0, 0);
    m_sites = new TCheckListBox(m_siteBand);
    m_sites->setObjectName(QStringLiteral("CkLstBookshop"));
    // Named by what its ticks choose; each row keeps its site's name.
    m_sites->setAccessibleName(tr("Encyclopaedias to look in"));
    m_sites->setFixedHeight(18 + 4);
    // The face colour of the band area around it.
    m_sites->viewport()->setBackgroundRole(QPalette::Button);
    layout->addWidget(m_sites, 0, Qt::AlignBottom);
    AppendBand(m_siteBand);
}

bool TBandArea::DockOver(TDragDockObject &source, const QPoint &position, TDragState state)
{
    return m_docking.CoolBar1DockOver(source, position, state);
}

void TBandArea::DockDrop(TDragDockObject &source, const QPoint &position)
{
    m_docking.CoolBar1DockDrop(source, position);
}

} // namespace tellaria
