#include "ui/LanguageMenu.h"

#include "core/ProfileFile.h"
#include "desktop/CoreWording.h"
#include "desktop/DataDirectory.h"
#include "desktop/Translations.h"
#include "widgets/Application.h"

#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>

namespace tellaria {

namespace {

const char *const RestartNote = QT_TRANSLATE_NOOP(
    "tellaria::TLanguageMenu", "The interface language changes when Tellaria is next started.");

QString StoredChoice(const QString &settingsPath)
{
    return QString::fromStdString(GetPrivateProfileString(LanguageSection, LanguageKey, "",
                                                          FileSystemPath(settingsPath)))
        .trimmed();
}

} // namespace

TLanguageMenu::TLanguageMenu(QMenu *menu, const QString &settingsPath)
    : QObject(menu)
    , m_window(menu->parentWidget() ? menu->parentWidget()->window() : nullptr)
    , m_settingsPath(settingsPath)
{
    menu->setObjectName(QStringLiteral("mnuLanguage"));
    auto *group = new QActionGroup(menu);
    const QString stored = StoredChoice(settingsPath);
    // The program's own language first, the others as their files sort.
    QStringList languages = ShippedLanguages();
    if (languages.removeAll(QLatin1String(HomeLanguage)) > 0)
        languages.prepend(QLatin1String(HomeLanguage));
    const auto add = [&](const QString &text, const QString &choice) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QStringLiteral("mnuLanguage_") + choice);
        action->setCheckable(true);
        action->setActionGroup(group);
        action->setStatusTip(tr(RestartNote));
        action->setChecked(
            choice == stored
            || (choice == QLatin1String(FollowSystemLanguage) && !languages.contains(stored)));
        connect(action, &QAction::triggered, this, [this, choice] { Choose(choice); });
    };
    add(tr("Follow the &System"), QLatin1String(FollowSystemLanguage));
    // Each language named in its own words, so that its reader finds it whatever is spoken now.
    for (const QString &language : languages)
        add(LanguageOwnName(language), language);
}

void TLanguageMenu::Choose(const QString &choice)
{
    const Status written = WritePrivateProfileString(
        LanguageSection, LanguageKey, choice.toStdString(), FileSystemPath(m_settingsPath));
    if (!written.Ok()) {
        TApplication::ReportError(StatusText(written));
        return;
    }
    // Said in the language chosen, which its reader can read.
    const QString language = ChooseLanguage(
        choice, [](const char *name) { return qEnvironmentVariable(name); }, ShippedLanguages());
    QMessageBox::information(m_window, QString::fromLatin1(ApplicationTitle),
                             TranslateInto(language, "tellaria::TLanguageMenu", RestartNote));
}

} // namespace tellaria
