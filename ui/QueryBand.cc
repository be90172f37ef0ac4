#include "ui/QueryBand.h"

#include "core/LookupCatalogue.h"
#include "desktop/CoreWording.h"
#include "ui/Commands.h"
#include "ui/ImageList.h"
#include "ui/SearchPanel.h"
#include "widgets/Docking.h"
#include "widgets/QueryBox.h"
#include "widgets/ToolbarGrip.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace tellaria {

TQueryBand::TQueryBand(const TCommands &commands, QWidget *parent)
    : QToolBar(parent)
{
    setObjectName(QStringLiteral("ToolBar2"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setMinimumHeight(24);
    // Dragging it is a docking drag; its own drag is on while it sits in the band area. The grip
    // shows where to take hold.
    new TDockClient(this);
    addWidget(new TToolbarGrip(this));
    for (const char *button : ButtonOrder())
        addWidget(commands.MakeButton(button, this));

    auto *panel = new TSearchPanel(this);
    m_mode = new QComboBox(panel);
    m_mode->setObjectName(QStringLiteral("CmbBoxType"));
    for (int index = 0; index < LookupModeCount; ++index)
        m_mode->addItem(LookupModeText(index));
    m_mode->setCurrentIndex(-1);
    auto *label = new QLabel(tr("Look up:"), panel);
    label->setObjectName(QStringLiteral("Label2"));
    m_box = new TQueryBox(panel);
    m_box->setObjectName(QStringLiteral("CmbBook"));
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->setDuplicatesEnabled(true);
    m_box->setCompleter(nullptr);
    m_box->setMaxVisibleItems(8);
    m_box->setFixedWidth(128);
    label->setBuddy(m_box);
    // The combo box is named by its label on this platform; its text field by its own name.
    m_box->setAccessibleName(tr("Look up"));
    m_box->lineEdit()->setAccessibleName(tr("Look up"));
    panel->SetControls(m_mode, label, m_box);
    addWidget(panel);

    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("BtnBookOK"));
    m_button->setIcon(ImageList1(9));
    m_button->setToolTip(tr("Look up"));
    m_button->setStatusTip(tr("Look up"));
    m_button->setAccessibleName(tr("Look up"));
    m_button->setAutoRaise(true);
    m_button->setFixedWidth(28);
    addWidget(m_button);
    KeepWhole();
}

void TQueryBand::KeepWhole()
{
    int needed = 0;
    const QList<QAction *> items = actions();
    for (QAction *item : items) {
        if (const QWidget *control = widgetForAction(item))
            needed += std::max(control->minimumWidth(), control->minimumSizeHint().width());
    }
    const QStyle *look = style();
    needed += int(items.size() - 1) * look->pixelMetric(QStyle::PM_ToolBarItemSpacing)
              + 2
                    * (look->pixelMetric(QStyle::PM_ToolBarFrameWidth)
                       + look->pixelMetric(QStyle::PM_ToolBarItemMargin))
              + look->pixelMetric(QStyle::PM_ToolBarExtensionExtent);
    setMinimumWidth(needed);
}

} // namespace tellaria
