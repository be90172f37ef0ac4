#pragma once

// The main window's commands, made from the command table: one action per row, owned by the
// window; the menu bar and its menus; the standard buttons. A role class asks for a command by
// its name and says what runs it; where the command shows is the table's business.

#include "ui/CommandTable.h"
#include "widgets/Application.h"

#include <QAction>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class QMenu;
class QMenuBar;
class QToolButton;
class QWidget;

namespace tellaria {

class TCommands : public QObject
{
    Q_OBJECT
public:
    // Makes every command's action in `form`, which owns them and hears their keys.
    explicit TCommands(QWidget *form);

    // The command named `id` in the table; a name the table lacks is a programming error.
    QAction *Action(const char *id) const;
    // Has `run` carry out command `id` each time the user chooses it, within `context`'s life;
    // an error it throws is reported to the user, as every user command's is.
    template<typename Run>
    void SetRunner(const char *id, const QObject *context, Run run)
    {
        ConnectUserAction(Action(id), &QAction::triggered, context, std::move(run));
        m_run.insert(QLatin1String(id));
    }
    // Has `run` follow the check of command `id`, whoever changes it, with the new check.
    template<typename Run>
    void SetToggle(const char *id, const QObject *context, Run run)
    {
        connect(Action(id), &QAction::toggled, context, std::move(run));
        m_run.insert(QLatin1String(id));
    }
    // The submenu of command `id`, for its owner to fill.
    QMenu *Submenu(const char *id);
    // Rows of the table nothing runs yet (a bound item is run by its action).
    QStringList WithoutRunner() const;

    // The menu bar "MainMenu1", made in `parent` with every menu of the table; F10 opens it.
    QMenuBar *MakeMenuBar(QWidget *parent);
    // The menu that shows `menu`'s commands; null before MakeMenuBar.
    QMenu *Menu(TMenuName menu) const { return m_menus.value(int(menu)); }
    // A standard button of the table, made in `parent`.
    QToolButton *MakeButton(const char *button, QWidget *parent) const;

private:
    QWidget *m_form;
    QHash<QString, QAction *> m_actions;
    QHash<int, QMenu *> m_menus;
    QSet<QString> m_run;
};

} // namespace tellaria
