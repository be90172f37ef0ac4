#include "desktop/CoreWording.h"

#include "desktop/Translations.h"

#include <QCoreApplication>

#include <iterator>

namespace tellaria {

namespace {

QString Utf8(const std::string &text)
{
    return QString::fromStdString(text);
}

QString AddressText(const SiteError &error)
{
    switch (error.Fault) {
    case SiteFault::NotHttp:
        return QCoreApplication::translate("CoreWording",
                                           "The address must begin with http:// or https://.");
    case SiteFault::AddressTooLong:
        return QCoreApplication::translate(
                   "CoreWording", "The address is too long: saved, it may take at most %1 bytes.")
            .arg(LongestSiteTemplate);
    case SiteFault::AddressControlCharacter:
        return QCoreApplication::translate(
            "CoreWording",
            "The address may not hold control characters such as line breaks or tabs.");
    case SiteFault::AddressInvalid:
        return QCoreApplication::translate("CoreWording", "The address holds invalid characters.");
    case SiteFault::NoHost:
        return QCoreApplication::translate("CoreWording", "The address names no host.");
    case SiteFault::UnknownPlaceholder:
        return QCoreApplication::translate(
                   "CoreWording",
                   "The address holds an unknown placeholder \"%1\": only {term}, {utf8} and "
                   "{gb18030} may be used.")
            .arg(Utf8(error.Value));
    default:
        return {};
    }
}

// In LookupMode's order.
const char *const LookupModeNames[] = {
    QT_TRANSLATE_NOOP("CoreWording", "Encyclopaedias"),
    QT_TRANSLATE_NOOP("CoreWording", "Dictionary of idioms"),
    QT_TRANSLATE_NOOP("CoreWording", "English-Chinese and Chinese-English dictionary"),
    QT_TRANSLATE_NOOP("CoreWording", "Microsoft Bing English-Chinese dictionary"),
};

} // namespace

QString LookupModeText(int index)
{
    if (index < 0 || index >= int(std::size(LookupModeNames)))
        return {};
    return TEarlyText::translate("CoreWording", LookupModeNames[index]);
}

QString StatusText(const Status &status)
{
    switch (status.Fault()) {
    case FileFault::None:
        return {};
    case FileFault::CannotOpen:
        return QCoreApplication::translate("CoreWording", "Cannot open file \"%1\". %2")
            .arg(Utf8(status.Path()), qt_error_string(status.Error()));
    case FileFault::CannotCreate:
        return QCoreApplication::translate("CoreWording", "Cannot create file \"%1\". %2")
            .arg(Utf8(status.Path()), qt_error_string(status.Error()));
    }
    return {};
}

QString SiteErrorText(const SiteError &error)
{
    switch (error.Fault) {
    case SiteFault::None:
        return {};
    case SiteFault::TooManySites:
        return QCoreApplication::translate("CoreWording", "There may be at most %1 encyclopaedias.")
            .arg(MostSites);
    case SiteFault::EmptyName:
        return QCoreApplication::translate("CoreWording",
                                           "An encyclopaedia's name may not be empty.");
    case SiteFault::NameControlCharacter:
        return QCoreApplication::translate(
            "CoreWording",
            "An encyclopaedia's name may not hold control characters such as line breaks or tabs.");
    case SiteFault::NameTooLong:
        return QCoreApplication::translate("CoreWording", "The encyclopaedia's name is too long.");
    case SiteFault::NameTaken:
        return QCoreApplication::translate("CoreWording", "The name \"%1\" is already in use.")
            .arg(Utf8(error.Value));
    default:
        break;
    }
    if (error.Site.empty())
        return AddressText(error);
    return QCoreApplication::translate("CoreWording", "\"%1\": %2")
        .arg(Utf8(error.Site), AddressText(error));
}

QString WordsImportText(const WordsImport &read, const QString &path)
{
    switch (read.Fault) {
    case WordsFault::None:
        return {};
    case WordsFault::TooLarge:
        return QCoreApplication::translate("CoreWording", "File \"%1\" is too large to import.")
            .arg(path);
    case WordsFault::NotUtf8:
        return QCoreApplication::translate("CoreWording",
                                           "File \"%1\" is not UTF-8 text and cannot be imported.")
            .arg(path);
    case WordsFault::UnclosedQuote:
        return QCoreApplication::translate(
                   "CoreWording",
                   "In file \"%1\", the quote on line %2 is never closed; it cannot be imported.")
            .arg(path, QString::number(read.Line));
    case WordsFault::TooManyLines:
        return QCoreApplication::translate("CoreWording",
                                           "File \"%1\" has too many lines to import.")
            .arg(path);
    }
    return {};
}

QString SiteListProblemText(const std::optional<SiteListProblem> &problem)
{
    if (!problem)
        return {};
    if (problem->Error.Ok())
        return QCoreApplication::translate("CoreWording",
                                           "The list of encyclopaedias in the settings file cannot "
                                           "be used; the shipped five are used instead.");
    return QCoreApplication::translate("CoreWording",
                                       "Encyclopaedia %1 in the settings file cannot be used (%2); "
                                       "it and the %3 after it were not read.")
        .arg(QString::number(problem->Row + 1), SiteErrorText(problem->Error),
             QString::number(problem->Unread));
}

} // namespace tellaria
