#include "desktop/CommandLine.h"

#include "core/LookupCatalogue.h"
#include "desktop/CoreWording.h"
#include "desktop/Translations.h"

#include <QCommandLineParser>

namespace tellaria {

TCommandLine ParseCommandLine(const QStringList &arguments)
{
    // The parser's own help and version options would answer in English; these are ours.
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  TEarlyText::translate("CommandLine", "Show this help and exit"));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        TEarlyText::translate("CommandLine", "Show version information and exit"));
    const QCommandLineOption mode({QStringLiteral("m"), QStringLiteral("mode")},
                                  TEarlyText::translate("CommandLine", "Lookup mode"),
                                  QStringLiteral("N"));
    const QCommandLineOption selection(
        {QStringLiteral("s"), QStringLiteral("selection")},
        TEarlyText::translate("CommandLine", "Look up the selected text"));
    parser.addOptions({help, version, mode, selection});

    TCommandLine result;
    const auto refuse = [&result](const QString &error) {
        result.Action = TCommandLine::TAction::Refuse;
        result.Error = error;
        return result;
    };
    if (!parser.parse(arguments.isEmpty() ? QStringList{QStringLiteral("tellaria")} : arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString &name = unknown.first();
            return refuse(TEarlyText::translate("CommandLine", "Unknown option: %1")
                              .arg((name.size() == 1 ? "-" : "--") + name));
        }
        // The only other failure: an option that takes a value was given none.
        return refuse(
            TEarlyText::translate("CommandLine", "The option --mode needs a value (0 to 3)"));
    }
    if (parser.isSet(help)) {
        result.Action = TCommandLine::TAction::ShowHelp;
        return result;
    }
    if (parser.isSet(version)) {
        result.Action = TCommandLine::TAction::ShowVersion;
        return result;
    }
    if (parser.isSet(mode)) {
        bool ok = false;
        const QString value = parser.value(mode);
        const int number = value.trimmed().toInt(&ok);
        if (!ok || number < 0 || number >= LookupModeCount)
            return refuse(
                TEarlyText::translate("CommandLine",
                                      "The lookup mode must be a number from 0 to 3, not \"%1\"")
                    .arg(value));
        result.Request.Mode = number;
    }
    const QStringList words = parser.positionalArguments();
    if (parser.isSet(selection)) {
        if (!words.isEmpty())
            return refuse(TEarlyText::translate("CommandLine",
                                                "The option --selection looks up the selected "
                                                "text; it cannot be given the term \"%1\" too")
                              .arg(words.join(QLatin1Char(' '))));
        result.LookUpSelection = true;
    } else if (!words.isEmpty()) {
        result.Request.Term = words.join(QLatin1Char(' '));
    }
    return result;
}

QString HelpText()
{
    QString modes;
    for (int index = 0; index < LookupModeCount; ++index)
        modes
            += QStringLiteral("                    %1  %2\n").arg(index).arg(LookupModeText(index));
    return TEarlyText::translate("CommandLine",
                                 "Usage: tellaria [OPTION] [TERM]\n"
                                 "  or:  tellaria [-m N] --selection\n"
                                 "Looks a term up in several online reference works at once, each "
                                 "work's result in a tab of its own.\n"
                                 "\n"
                                 "Options:\n"
                                 "  -m, --mode <N>    lookup mode, by default the one last used:\n")
           + modes
           + TEarlyText::translate(
               "CommandLine",
               "  -s, --selection   look up the text selected in any program (the primary\n"
               "                    selection), or the clipboard's text when none is selected.\n"
               "                    Only the first line that is not blank; nothing over 1000\n"
               "                    characters. Not together with a term.\n"
               "  -h, --help        show this help and exit\n"
               "  -v, --version     show version information and exit\n"
               "\n"
               "Arguments:\n"
               "  TERM              put TERM in the query box and look it up at once, as Enter\n"
               "                    does; several words make one term, joined by spaces. Write\n"
               "                    a term that begins with \"-\" after \"--\".\n"
               "\n"
               "When Tellaria is running already, a new Tellaria hands the term (or the selected\n"
               "text) to the open window, brings that window to the front and exits.\n");
}

QString VersionText()
{
    return QStringLiteral("tellaria %1\n").arg(QString::fromLatin1(TELLARIA_VERSION));
}

} // namespace tellaria
