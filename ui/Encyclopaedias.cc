#include "ui/Encyclopaedias.h"

#include "core/SiteList.h"
#include "desktop/CoreWording.h"
#include "ui/Commands.h"
#include "ui/EncyclopaediaDialog.h"
#include "ui/WindowPlacement.h"
#include "widgets/CheckListBox.h"

namespace tellaria {

namespace {

// The check list shows this many rows side by side, then wraps to a further line.
constexpr int RowsSideBySide = 5;
constexpr int RowHeight = 18;

} // namespace

TEncyclopaedias::TEncyclopaedias(QWidget *form,
                                 TCommands &commands,
                                 TCheckListBox *list,
                                 QWidget *queryButton,
                                 const TWindowPlacement &placement,
                                 std::string settingsPath)
    : QObject(form)
    , m_form(form)
    , m_list(list)
    , m_queryButton(queryButton)
    , m_path(std::move(settingsPath))
{
    SiteListReading reading = ReadSiteList(m_path);
    m_sites = std::move(reading.Sites);
    m_problem = SiteListProblemText(reading.Problem);
    Fill(placement.StoredSites(int(m_sites.size())));

    // Also on the check list's own right-click menu.
    list->addAction(commands.Action("mnuManageSites"));
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    commands.SetRunner("mnuManageSites", this, [this] { Manage(); });
}

void TEncyclopaedias::Fill(int ticks)
{
    TCheckListBox *list = m_list;
    const int count = int(m_sites.size());
    const int columns = std::clamp(count, 1, RowsSideBySide);
    list->setFixedHeight((count + columns - 1) / columns * RowHeight + 4);
    list->SetColumns(columns);
    list->clear();
    for (int row = 0; row < count; ++row)
        list->AddRow(QString::fromStdString(m_sites[std::size_t(row)].Name), ticks & (1 << row));
    // The query button follows the ticks, as it does for a tick by the user.
    m_queryButton->setEnabled(list->CheckedRows() != 0);
}

void TEncyclopaedias::Manage()
{
    TEncyclopaediaDialog dialog(m_sites, m_form);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int ticks = MoveSiteTicks(m_list->CheckedRows(), dialog.Origins());
    m_sites = dialog.Sites();
    m_changed = true;
    Fill(ticks);
}

void TEncyclopaedias::Save(QStringList &failures) const
{
    if (!m_changed)
        return;
    const Status written = WriteSiteList(m_path, m_sites);
    if (!written.Ok() && !failures.contains(StatusText(written)))
        failures << StatusText(written);
}

} // namespace tellaria
