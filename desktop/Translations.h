#pragma once

// The language the program speaks, and its catalogues. Ours are built in as
// ":/i18n/tellaria_<name>.qm" (translations/), one per language; zh_CN, the program's own language,
// is spoken where the desktop asks for none of them. Qt's own catalogues (qtbase, qtwebengine) and
// the default locale, from which the browser engine takes its interface language and error pages,
// follow the same choice.

#include <QString>
#include <QStringList>

#include <functional>

namespace tellaria {

// The program's own language, spoken when the desktop asks for none we have.
inline constexpr char HomeLanguage[] = "zh_CN";
// [View] Language= in the settings file: "system" (or nothing) follows the desktop, a catalogue's
// name overrides it. Written only once the user has chosen.
inline constexpr char LanguageSection[] = "View";
inline constexpr char LanguageKey[] = "Language";
inline constexpr char FollowSystemLanguage[] = "system";

// The names of our catalogues, e.g. "en", "zh_CN".
QStringList ShippedLanguages();

// The language to speak: `stored` when it names one of `shipped`; otherwise the first entry of the
// desktop's list that one of `shipped` serves, an entry served by the catalogue of its full name
// ("zh_CN") or else of its language ("en_GB" by "en"); otherwise HomeLanguage. The desktop's list
// is LANGUAGE's colon list, then the locale messages are shown in: LC_ALL, else LC_MESSAGES, else
// LANG, as the C library takes them. `environment` gives a variable's value.
QString ChooseLanguage(const QString &stored,
                       const std::function<QString(const char *)> &environment,
                       const QStringList &shipped);

// Chooses with the stored choice of the settings file at `settingsPath` (none when empty) and the
// process environment, loads that catalogue and makes its locale the default. Needs no
// application object; called again it chooses again. Returns the language.
QString SelectLanguage(const QString &settingsPath);
// The language selected (SelectLanguage with no settings file when it was never called).
QString SelectedLanguage();

// Installs the selected catalogue and Qt's own for its language into the application object.
// False when one of Qt's is missing (none are needed for English).
bool InstallTranslations();

// A catalogue's language named in its own words ("English", "中文"), for a menu of languages.
QString LanguageOwnName(const QString &language);
// `source` of `context` as the catalogue of `language` has it, whichever is installed.
QString TranslateInto(const QString &language, const char *context, const char *source);

// The selected catalogue's words where no application object exists yet (--help, the command
// line's errors, a refusal to start); QCoreApplication::translate once one does.
struct TEarlyText
{
    static QString translate(const char *context, const char *source);
};

} // namespace tellaria
