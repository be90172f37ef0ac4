#pragma once

// The Help menu: 键盘快捷键 (F1), a window listing every key of the program grouped by the menu
// that holds its command, read from the command table so that it cannot drift from the menus;
// and 关于 Tellaria, with the version, the licence, the browser engine's version and the folder
// that holds the settings and history files, which a button opens in the file manager.

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace tellaria {

class TCommands;

class THelpMenu : public QObject
{
    Q_OBJECT
public:
    // Runs the Help menu's commands of `commands`; `dataDirectory` holds the data files.
    THelpMenu(QWidget *form, TCommands &commands, const QString &dataDirectory);

private:
    void ShowKeys();
    void ShowAbout();

    QWidget *m_form;
    const TCommands &m_commands;
    QString m_dataDirectory;
};

} // namespace tellaria
