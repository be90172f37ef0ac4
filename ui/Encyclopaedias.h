#pragma once

// The encyclopaedias the window consults: the shipped five, or the user's own list from the
// settings file, shown as the check list's rows. Edit > 管理百科全书 (also on the check list's
// right-click menu) edits the list (TEncyclopaediaDialog); the ticks follow their rows. The list
// is written at close only once the user has changed it, so a file broken by hand stays as it is
// until then.

#include "core/LookupCatalogue.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <string>

namespace tellaria {

class TWindowPlacement;
class TCheckListBox;
class TCommands;

class TEncyclopaedias : public QObject
{
    Q_OBJECT
public:
    // Reads the list from the settings file at `settingsPath` and fills `list` with it, ticked as
    // `placement` keeps; `queryButton` is on while some row is ticked. Runs 管理百科全书 of
    // `commands`.
    TEncyclopaedias(QWidget *form,
                    TCommands &commands,
                    TCheckListBox *list,
                    QWidget *queryButton,
                    const TWindowPlacement &placement,
                    std::string settingsPath);

    const SiteTable &Sites() const { return m_sites; }
    // What of a stored list could not be read, for the user; empty when all of it was.
    const QString &Problem() const { return m_problem; }
    // Writes the list when the user changed it; adds the message of a failure to `failures`.
    void Save(QStringList &failures) const;

private:
    void Fill(int ticks);
    void Manage();

    QWidget *m_form;
    TCheckListBox *m_list;
    QWidget *m_queryButton;
    std::string m_path;
    SiteTable m_sites;
    QString m_problem;
    bool m_changed = false;
};

} // namespace tellaria
