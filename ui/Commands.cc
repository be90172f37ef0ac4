#include "ui/Commands.h"

#include "ui/ImageList.h"
#include "widgets/ApplicationHint.h"

#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include <cstring>
#include <stdexcept>

namespace tellaria {

namespace {

QString Translated(const char *text)
{
    return *text ? QCoreApplication::translate("Commands", text) : QString();
}

QList<QKeySequence> Keys(const char *keys)
{
    QList<QKeySequence> sequences;
    for (const QString &key : QString::fromLatin1(keys).split(QLatin1Char(';'), Qt::SkipEmptyParts))
        sequences << QKeySequence(key, QKeySequence::PortableText);
    return sequences;
}

// Makes `item` follow `action` as a menu item bound to an action does: caption, icon, hint and
// enabled state come from the action, and choosing the item runs it.
void Follow(QAction *item, QAction *action)
{
    item->setText(action->text());
    const auto follow = [item, action] {
        item->setIcon(action->icon());
        item->setStatusTip(action->statusTip());
        item->setEnabled(action->isEnabled());
    };
    follow();
    QObject::connect(action, &QAction::changed, item, follow);
    QObject::connect(item, &QAction::triggered, action, [action] { action->trigger(); });
}

} // namespace

TCommands::TCommands(QWidget *form)
    : QObject(form)
    , m_form(form)
{
    for (const TCommandRow &row : CommandTable()) {
        auto *action = new QAction(form);
        action->setObjectName(QLatin1String(row.Id));
        action->setMenuRole(QAction::NoRole);
        if (row.Follows) {
            Follow(action, Action(row.Follows));
        } else {
            action->setText(Translated(row.Text));
            action->setStatusTip(Translated(row.Tip));
            if (row.Button)
                action->setToolTip(Translated(row.Tip));
            if (row.Image >= 0)
                action->setIcon(ImageList1(row.Image));
        }
        if (row.Traits & CommandTrait::Submenu) {
            auto *submenu = new QMenu(form);
            submenu->setTitle(action->text());
            action->setMenu(submenu);
        }
        action->setCheckable(row.Traits & CommandTrait::Checkable);
        action->setChecked(row.Traits & CommandTrait::Checked);
        if (row.Traits & CommandTrait::Disabled)
            action->setEnabled(false);
        action->setShortcuts(Keys(row.Keys));
        // Without keys of its own an action of the old list is reached through its menu item.
        action->setShortcutContext((row.Traits & CommandTrait::AppWide) ? Qt::ApplicationShortcut
                                   : *row.Keys                          ? Qt::WindowShortcut
                                                                        : Qt::WidgetShortcut);
        // A key without a menu item is the window's own.
        if (row.Menu == TMenuName::None && *row.Keys)
            form->addAction(action);
        m_actions.insert(QLatin1String(row.Id), action);
    }
}

QAction *TCommands::Action(const char *id) const
{
    QAction *action = m_actions.value(QLatin1String(id));
    if (!action)
        throw std::logic_error(std::string("no command ") + id);
    return action;
}

QMenu *TCommands::Submenu(const char *id)
{
    m_run.insert(QLatin1String(id));
    return Action(id)->menu();
}

QStringList TCommands::WithoutRunner() const
{
    QStringList missing;
    for (const TCommandRow &row : CommandTable()) {
        if (!row.Follows && !m_run.contains(QLatin1String(row.Id)))
            missing << QLatin1String(row.Id);
    }
    return missing;
}

QMenuBar *TCommands::MakeMenuBar(QWidget *parent)
{
    // A real menu bar: mnemonics, Alt alone, Left and Right between open menus and Escape
    // behave as the keyboard expects of a menu bar.
    auto *bar = new QMenuBar(parent);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setNativeMenuBar(false);
    for (const TMenuRow &menuRow : MenuTable()) {
        QMenu *menu = bar->addMenu(Translated(menuRow.Text));
        menu->setObjectName(QLatin1String(menuRow.Id));
        TApplicationHint::HighlightDisabledItems(menu);
        m_menus.insert(int(menuRow.Menu), menu);
        for (const TCommandRow &row : CommandTable()) {
            if (row.Menu != menuRow.Menu)
                continue;
            if ((row.Traits & CommandTrait::SeparatorBefore) && !menu->isEmpty())
                menu->addSeparator();
            menu->addAction(Action(row.Id));
        }
    }
    SetRunner("KeyMenuBar", bar, [bar] { bar->setActiveAction(bar->actions().value(0)); });
    return bar;
}

QToolButton *TCommands::MakeButton(const char *button, QWidget *parent) const
{
    for (const TCommandRow &row : CommandTable()) {
        if (!row.Button || std::strcmp(row.Button, button) != 0)
            continue;
        auto *control = new QToolButton(parent);
        control->setObjectName(QLatin1String(button));
        control->setDefaultAction(Action(row.Id));
        control->setAutoRaise(true);
        control->setFixedWidth(28);
        // A screen reader names the button by what it does, never by the action's caption.
        control->setAccessibleName(Translated(row.Tip));
        return control;
    }
    throw std::logic_error(std::string("no button ") + button);
}

} // namespace tellaria
