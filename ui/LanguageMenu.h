#pragma once

// Help › Language: follow the desktop's language, or speak one of the program's own, from the
// next start on. The choice is kept as [View] Language= in the settings file, written only once
// the user has chosen (desktop/Translations.h reads it).

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace tellaria {

class TLanguageMenu : public QObject
{
    Q_OBJECT
public:
    // Fills `menu` with the choices; the choice is kept in the settings file at `settingsPath`.
    TLanguageMenu(QMenu *menu, const QString &settingsPath);

private:
    void Choose(const QString &choice);

    QWidget *m_window;
    QString m_settingsPath;
};

} // namespace tellaria
