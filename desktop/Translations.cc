#include "desktop/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tellaria {

bool InstallChineseTranslations()
{
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool complete = true;
    // Message box buttons and the standard dialogs come from qtbase, the page actions from
    // qtwebengine.
    for (const char *catalogue : {"qtbase", "qtwebengine"}) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(chinese, QLatin1String(catalogue), QStringLiteral("_"), directory))
            QCoreApplication::installTranslator(translator);
        else {
            delete translator;
            complete = false;
        }
    }
    return complete;
}

} // namespace tellaria
