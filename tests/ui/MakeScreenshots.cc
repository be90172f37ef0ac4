// Makes the README's screenshots of a real query: the window behind the local proxy, which
// serves small fixture pages in place of the reference sites. Run under Xvfb by
// `make screenshots`; takes the output directory as its argument.

#include "platform/CheckListBox.h"
#include "platform/WebBrowser.h"
#include "tests/support/TestProxy.h"
#include "ui/UnitMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

using namespace tellaria;
using namespace tellaria::test;

namespace {

QByteArray FixturePage(const char *site, const char *body)
{
    return QByteArray("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>") + site
           + "</title><style>body{font-family:sans-serif;margin:1.5em;color:#222}"
             "h1{font-weight:normal;border-bottom:1px solid #aaa}</style></head><body><h1>"
           + site + "</h1>" + body + "</body></html>";
}

} // namespace

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    QApplication application(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(output);

    TestProxy proxy;
    proxy.SetPage("http://www.tellaria.example/",
                  FixturePage("Tellaria", "<p>欢迎使用 Tellaria。</p>"));
    proxy.SetPage(
        "http://zh.wikipedia.org/",
        FixturePage("猫 - 维基百科",
                    "<p><b>猫</b>（学名：Felis catus），通常指家猫，是一种小型食肉哺乳动物。"
                    "</p><p>（本地示例页面）</p>"));
    proxy.SetPage("http://www.baike.com/", FixturePage("猫 - 互动百科", "<p>（本地示例页面）</p>"));
    proxy.SetPage("http://www.infoplease.com/",
                  FixturePage("cat - Infoplease", "<p>(local fixture page)</p>"));

    QTemporaryDir directory;
    TfrmMain window(directory.path() + QLatin1Char('/'));
    window.resize(900, 600);
    window.show();
    window.CkLstBookshop->SetChecked(1, false);
    window.CkLstBookshop->SetChecked(3, false);
    window.CmbBook->lineEdit()->setText(QStringLiteral("猫"));
    window.BtnBookOK->click();
    window.PageControl1->setCurrentIndex(0);
    TestProxy::WaitFor([&] {
        TWebBrowser *browser = window.ActiveBrowser();
        return browser && browser->HasDocument();
    });
    // A real event loop, so that the idle-time action update runs as in the program.
    QEventLoop idle;
    QTimer::singleShot(1500, &idle, &QEventLoop::quit); // let the engine paint
    idle.exec();
    const QString file = output + QStringLiteral("/query.png");
    if (!window.grab().save(file))
        return 1;
    return 0;
}
