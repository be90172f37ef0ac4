// Holds an X selection for the selection tests, as a program in which the user selected or
// copied text does: `SelectionOwner primary|clipboard`, the text on standard input, the display
// in DISPLAY. Prints "held" once the X server has it as the holder, and holds it until ended.

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return 1;
    const QString text = QString::fromUtf8(input.readAll());
    const bool primary = QCoreApplication::arguments().value(1) == QLatin1String("primary");
    // Qt asks the server who holds the selection before it returns.
    QGuiApplication::clipboard()->setText(text,
                                          primary ? QClipboard::Selection : QClipboard::Clipboard);
    std::puts("held");
    std::fflush(stdout);
    return application.exec();
}
