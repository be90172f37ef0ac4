#include "desktop/Translations.h"

#include "core/ProfileFile.h"
#include "desktop/DataDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace tellaria {

namespace {

const QString CatalogueDirectory = QStringLiteral(":/i18n/");
const QString CataloguePrefix = QStringLiteral("tellaria_");

QString CataloguePath(const QString &language)
{
    return CatalogueDirectory + CataloguePrefix + language + QStringLiteral(".qm");
}

// "en_US.UTF-8@euro" -> "en_US".
QString LocaleName(QString entry)
{
    entry = entry.section(QLatin1Char('@'), 0, 0);
    return entry.section(QLatin1Char('.'), 0, 0);
}

QString LanguageOf(const QString &name)
{
    return name.section(QLatin1Char('_'), 0, 0);
}

QString Served(const QString &entry, const QStringList &shipped)
{
    QString name = LocaleName(entry);
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return {};
    if (shipped.contains(name))
        return name;
    for (const QString &language : shipped) {
        if (LanguageOf(language) == LanguageOf(name))
            return language;
    }
    return {};
}

struct Selection
{
    QString Language;
    std::unique_ptr<QTranslator> Catalogue;
    bool Installed = false;
};

Selection &Selected()
{
    static Selection selection;
    return selection;
}

QLocale LocaleFor(const QString &language)
{
    return language == QLatin1String(HomeLanguage) ? QLocale(QLocale::Chinese, QLocale::China)
                                                   : QLocale(language);
}

} // namespace

QStringList ShippedLanguages()
{
    QStringList languages;
    const QStringList files
        = QDir(CatalogueDirectory)
              .entryList({CataloguePrefix + QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        languages << file.mid(CataloguePrefix.size()).chopped(3);
    return languages;
}

QString ChooseLanguage(const QString &stored,
                       const std::function<QString(const char *)> &environment,
                       const QStringList &shipped)
{
    if (shipped.contains(stored))
        return stored;
    QStringList entries = environment("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    // The first of these that is set decides where messages are shown in, as for the C library.
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const QString value = environment(variable); !value.isEmpty()) {
            entries << value;
            break;
        }
    }
    for (const QString &entry : entries) {
        if (QString language = Served(entry, shipped); !language.isEmpty())
            return language;
    }
    return QLatin1String(HomeLanguage);
}

QString SelectLanguage(const QString &settingsPath)
{
    const QString stored = settingsPath.isEmpty()
                               ? QString()
                               : QString::fromStdString(GetPrivateProfileString(
                                   LanguageSection, LanguageKey, "", FileSystemPath(settingsPath)));
    Selection &selection = Selected();
    selection.Language = ChooseLanguage(
        stored.trimmed(), [](const char *name) { return qEnvironmentVariable(name); },
        ShippedLanguages());
    auto catalogue = std::make_unique<QTranslator>();
    if (!catalogue->load(CataloguePath(selection.Language)))
        catalogue.reset();
    if (selection.Installed && selection.Catalogue)
        QCoreApplication::removeTranslator(selection.Catalogue.get());
    selection.Catalogue = std::move(catalogue);
    selection.Installed = false;
    QLocale::setDefault(LocaleFor(selection.Language));
    return selection.Language;
}

QString SelectedLanguage()
{
    if (Selected().Language.isEmpty())
        SelectLanguage(QString());
    return Selected().Language;
}

bool InstallTranslations()
{
    const QString language = SelectedLanguage();
    Selection &selection = Selected();
    if (selection.Catalogue && !selection.Installed)
        selection.Installed = QCoreApplication::installTranslator(selection.Catalogue.get());
    // The sources speak English, and so do Qt's own texts.
    if (LanguageOf(language) == QLatin1String("en"))
        return true;
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool complete = true;
    // Message box buttons and the standard dialogs come from qtbase, the page actions from
    // qtwebengine.
    for (const char *catalogue : {"qtbase", "qtwebengine"}) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(LocaleFor(language), QLatin1String(catalogue), QStringLiteral("_"),
                             directory))
            QCoreApplication::installTranslator(translator);
        else {
            delete translator;
            complete = false;
        }
    }
    return complete;
}

QString TranslateInto(const QString &language, const char *context, const char *source)
{
    QTranslator catalogue;
    QString text;
    if (catalogue.load(CataloguePath(language)))
        text = catalogue.translate(context, source);
    return text.isEmpty() ? QString::fromUtf8(source) : text;
}

QString LanguageOwnName(const QString &language)
{
    //: The name of the catalogue's language, in that language.
    return TranslateInto(language, "Language", QT_TRANSLATE_NOOP("Language", "English"));
}

QString TEarlyText::translate(const char *context, const char *source)
{
    if (QCoreApplication::instance())
        return QCoreApplication::translate(context, source);
    SelectedLanguage();
    const Selection &selection = Selected();
    QString text;
    if (selection.Catalogue)
        text = selection.Catalogue->translate(context, source);
    return text.isEmpty() ? QString::fromUtf8(source) : text;
}

} // namespace tellaria
