#pragma once

// The Help menu: 键盘快捷键 (F1), a window listing every key of the program grouped by the menu
// that holds its command, read from the actions themselves so that it cannot drift from them;
// and 关于 Tellaria, with the version, the licence, the browser engine's version and the folder
// that holds the settings and history files, which a button opens in the file manager.

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace tellaria {

struct TMainControls;

class THelpMenu : public QObject
{
    Q_OBJECT
public:
    // Adds the menu after the others of `ui`'s menu bar; `dataDirectory` holds the data files.
    THelpMenu(QWidget *form, TMainControls &ui, const QString &dataDirectory);

private:
    void ShowKeys();
    void ShowAbout();

    QWidget *m_form;
    TMainControls &m_ui;
    QString m_dataDirectory;
};

} // namespace tellaria
