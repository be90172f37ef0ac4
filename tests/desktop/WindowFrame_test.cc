// The frame estimate, asked of real window managers on a private X display: what the window
// manager says before the window is shown must be the frame it then draws; without a window
// manager there is no estimate. The window is made in a child process of this test, since a
// Qt application connects to one display for its whole life.

#include "desktop/WindowFrame.h"
#include "tests/support/TestProxy.h"
#include "tests/support/XSession.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <cstdio>
#include <memory>

using namespace tellaria;
using namespace tellaria::test;

namespace {

QString Describe(const QMargins &margins)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(margins.left())
        .arg(margins.top())
        .arg(margins.right())
        .arg(margins.bottom());
}

// The child: asks for the estimate, shows the window and prints both, one per line.
int ShowWindow(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The estimate is only waited for a few milliseconds; a window manager slowed by a busy
    // machine may miss that, which is no wrong answer: a new window asks again.
    std::unique_ptr<QWidget> shown;
    std::optional<QMargins> asked;
    for (int attempt = 0; attempt < 20 && !asked; ++attempt) {
        shown = std::make_unique<QWidget>();
        shown->setWindowTitle(QStringLiteral("frame"));
        asked = AskFrameMargins(shown.get());
    }
    QWidget &window = *shown;
    window.resize(400, 300);
    window.show();
    const auto frame = [&] {
        const QRect outer = window.frameGeometry();
        const QRect client = window.geometry();
        return QMargins(client.left() - outer.left(), client.top() - outer.top(),
                        outer.right() - client.right(), outer.bottom() - client.bottom());
    };
    // Without a window manager no frame ever comes: the wait ends at its time-out.
    TestProxy::WaitFor([&] { return !frame().isNull(); }, asked ? 5000 : 1000);
    std::printf("%s\n%s\n", asked ? qPrintable(Describe(*asked)) : "none",
                qPrintable(Describe(frame())));
    return 0;
}

} // namespace

class WindowFrameTest : public QObject
{
    Q_OBJECT

private slots:
    void estimateIsTheFrameDrawn_data()
    {
        QTest::addColumn<WindowManager>("manager");
        QTest::newRow("metacity") << WindowManager::Metacity;
        QTest::newRow("openbox") << WindowManager::Openbox;
        QTest::newRow("no window manager") << WindowManager::None;
    }

    void estimateIsTheFrameDrawn()
    {
        QFETCH(WindowManager, manager);
        XSession session(manager);
        QVERIFY(session.Started());
        QProcess child;
        QProcessEnvironment environment = session.Environment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--show-window")});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        const QStringList lines
            = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        if (manager == WindowManager::None) {
            QCOMPARE(lines[0], QStringLiteral("none"));
            QCOMPARE(lines[1], QStringLiteral("0 0 0 0"));
        } else {
            // A frame with a title bar at least, and the one that was announced.
            QVERIFY2(lines[1] != QStringLiteral("0 0 0 0"), qPrintable(lines[1]));
            QCOMPARE(lines[0], lines[1]);
        }
    }
};

int main(int argc, char *argv[])
{
    if (argc == 2 && QByteArray(argv[1]) == "--show-window")
        return ShowWindow(argc, argv);
    QCoreApplication application(argc, argv);
    WindowFrameTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowFrame_test.moc"
