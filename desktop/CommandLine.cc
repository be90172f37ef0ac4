#include "desktop/CommandLine.h"

#include "desktop/Utf8Text.h"

#include "core/LookupCatalogue.h"

#include <QCommandLineParser>

namespace tellaria {

TCommandLine ParseCommandLine(const QStringList &arguments)
{
    // The parser's own help and version options would answer in English; these are ours.
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  Utf8Text("显示本帮助并退出"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     Utf8Text("显示版本信息并退出"));
    const QCommandLineOption mode({QStringLiteral("m"), QStringLiteral("mode")},
                                  Utf8Text("查询方式"), QStringLiteral("N"));
    const QCommandLineOption selection({QStringLiteral("s"), QStringLiteral("selection")},
                                       Utf8Text("查询选中的文字"));
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
            return refuse(Utf8Text("未知的选项：%1").arg((name.size() == 1 ? "-" : "--") + name));
        }
        // The only other failure: an option that takes a value was given none.
        return refuse(Utf8Text("选项 --mode 需要一个值（0 到 3）"));
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
            return refuse(Utf8Text("查询方式必须是 0 到 3 之间的数字，而不是“%1”").arg(value));
        result.Request.Mode = number;
    }
    const QStringList words = parser.positionalArguments();
    if (parser.isSet(selection)) {
        if (!words.isEmpty())
            return refuse(Utf8Text("选项 --selection 查询选中的文字，不能再给出词语“%1”")
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
        modes += QStringLiteral("                    %1  %2\n")
                     .arg(index)
                     .arg(QString::fromStdString(LookupModeLabel(LookupModeFromIndex(index))));
    return Utf8Text("用法：tellaria [选项] [词语]\n"
                    "　或：tellaria [-m N] --selection\n"
                    "同时在多部网上工具书中查询词语，每部工具书的结果显示在各自的标签页中。\n"
                    "\n"
                    "选项：\n"
                    "  -m, --mode <N>    查询方式，默认为上次使用的方式：\n")
           + modes
           + Utf8Text(
               "  -s, --selection   查询在任何程序中选中的文字（主选区）；没有选中的文字时，\n"
               "                    查询剪贴板中的文字。只查第一个非空行，超过 1000 个字时\n"
               "                    不查询。不能与词语同时使用。\n"
               "  -h, --help        显示本帮助并退出\n"
               "  -v, --version     显示版本信息并退出\n"
               "\n"
               "参数：\n"
               "  词语              启动后把词语填入查询框并立即查询，如同按下回车键；\n"
               "                    多个词以空格连成一个词语。以“-”开头的词语请写在“--”之后。\n"
               "\n"
               "Tellaria 已在运行时，新启动的 Tellaria 把词语（或选中的文字）交给已打开的\n"
               "窗口查询，把该窗口提到最前，然后退出。\n");
}

QString VersionText()
{
    return QStringLiteral("tellaria %1\n").arg(QString::fromLatin1(TELLARIA_VERSION));
}

} // namespace tellaria
