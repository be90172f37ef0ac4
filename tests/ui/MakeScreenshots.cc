// Makes the README's screenshot of a real query: the window behind the local proxy, which
// answers for the reference sites with fixture pages laid out like real results, each saying at
// its top that it is a local stand-in. The start page is the program's built-in one (the proxy
// refuses the web site's). One site answers late, so its tab shows the busy mark. Run under
// Xvfb by `make screenshots`; takes the output directory as its argument.

#include "browser/WebBrowser.h"
#include "tests/support/TestProxy.h"
#include "tests/support/WindowParts.h"
#include "tests/ui/UserDrag.h"
#include "ui/UnitMain.h"
#include "widgets/CheckListBox.h"

#include "widgets/Application.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace tellaria;
using namespace tellaria::test;

namespace {

// An encyclopaedia article page: a banner saying it is local, the article's title and a fact box
// beside its text.
QByteArray FixturePage(const char *title, const char *heading, const char *facts, const char *text)
{
    return QByteArray("<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>")
           + title
           + "</title><style>"
             "body{font-family:'Noto Sans CJK SC',sans-serif;margin:0;color:#202122;"
             "font-size:14px;line-height:1.6}"
             ".local{background:#fff3cd;border-bottom:1px solid #e0c36c;padding:4px 16px;"
             "font-size:12px;color:#6b5200}"
             "main{padding:8px 20px}"
             "h1{font-family:serif;font-weight:normal;font-size:26px;margin:8px 0 4px;"
             "border-bottom:1px solid #a2a9b1}"
             ".from{font-size:12px;color:#54595d;margin-bottom:10px}"
             ".facts{float:right;width:190px;margin:0 0 10px 16px;border:1px solid #a2a9b1;"
             "background:#f8f9fa;font-size:12px;padding:6px}"
             ".facts b{display:block;text-align:center;background:#d9e6f2;margin:-6px -6px 6px;"
             "padding:4px}"
             ".facts td{padding:1px 4px;vertical-align:top}"
             "</style></head><body><div class=\"local\">"
             "本地示例页面：由 Tellaria 的测试代理提供，并非该网站的真实内容。</div><main><h1>"
           + heading + "</h1>" + facts + text + "</main></body></html>";
}

// Lets the engine paint: it does so on its own threads, with nothing to wait for.
void Pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The main window with the standard-buttons toolbar dragged off into a floating window over it,
// the pointer on its query button so that the status bar shows that button's hint.
bool SaveFloatingToolbar(const QString &file)
{
    QTemporaryDir directory;
    TfrmMain window(directory.path() + QLatin1Char('/'));
    window.setGeometry(40, 40, 760, 520);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    TestProxy::WaitFor([&] { return WbAd(window)->HasDocument(); });
    QToolBar *toolBar = ToolBar2(window);
    Drag(toolBar, BareToolBarPoint(toolBar), {ScreenCentre(Panel2(window))});
    QCoreApplication::processEvents();
    const QList<TfrmFloating *> floating = FloatingWindows();
    if (floating.size() != 1)
        return false;
    QWidget *caption = floating[0]->CaptionStrip();
    const QPoint grab(40, caption->height() / 2);
    Drag(caption, grab, {window.mapToGlobal(QPoint(90, 300)) + grab});
    floating[0]->activateWindow();
    if (!QTest::qWaitForWindowActive(floating[0], 1000))
        qWarning("the floating window did not become active");
    QTest::mouseMove(BtnBookOK(window));
    Pause(1500);
    const QRect shown = window.frameGeometry().united(floating[0]->frameGeometry());
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    return screen.copy(shown.adjusted(-12, -12, 12, 12)).save(file);
}

} // namespace

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    // The program's own application object: its texts, the toolkit's included, are Chinese.
    TApplication application(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(output);

    TestProxy proxy;
    // No web site: the window shows its built-in start page.
    proxy.SetPage("http://www.tellaria.example/", "gone", 404);
    proxy.SetPage(
        "http://zh.wikipedia.org/",
        FixturePage("猫 - 维基百科，自由的百科全书", "猫",
                    "<div class=\"facts\"><b>猫</b><table>"
                    "<tr><td>界</td><td>动物界</td></tr><tr><td>门</td><td>脊索动物门</td></tr>"
                    "<tr><td>纲</td><td>哺乳纲</td></tr><tr><td>目</td><td>食肉目</td></tr>"
                    "<tr><td>科</td><td>猫科</td></tr><tr><td>属</td><td>猫属</td></tr>"
                    "<tr><td>学名</td><td><i>Felis catus</i></td></tr></table></div>",
                    "<div class=\"from\">维基百科，自由的百科全书</div>"
                    "<p><b>猫</b>（学名：<i>Felis catus</i>），通常指家猫，是一种小型食肉哺乳动物，"
                    "也是最常见的宠物之一。猫的祖先一般认为是非洲野猫，人类驯养猫的历史至少已有"
                    "数千年。</p><p>猫的身体柔软，动作敏捷，视觉和听觉都很灵敏，夜间也能看清东西。"
                    "它们的爪子可以伸缩，胡须能帮助感知周围的环境。</p>"
                    "<h2 style=\"font-family:serif;font-weight:normal\">名称</h2>"
                    "<p>汉语中“猫”字最早见于先秦文献……</p>"));
    proxy.SetPage(
        "http://www.baike.com/",
        FixturePage("猫 - 互动百科", "猫", "",
                    "<p>猫，哺乳纲猫科动物，头圆，颜面部短，全身披毛，善于跳跃和攀爬……</p>"));
    proxy.SetPage(
        "http://www.infoplease.com/",
        FixturePage("cat - Columbia Encyclopedia", "cat", "",
                    "<p><b>cat</b>, carnivorous mammal of the family Felidae, domesticated for "
                    "thousands of years……</p>"));
    // Still loading when the picture is taken.
    proxy.SetDelay("http://www.infoplease.com/", 600000);

    QTemporaryDir directory;
    TfrmMain window(directory.path() + QLatin1Char('/'));
    window.resize(900, 600);
    window.show();
    CkLstBookshop(window)->SetChecked(1, false);
    CkLstBookshop(window)->SetChecked(3, false);
    CmbBook(window)->lineEdit()->setText(QStringLiteral("猫"));
    BtnBookOK(window)->click();
    PageControl1(window)->setCurrentIndex(0);
    TestProxy::WaitFor([&] {
        TWebBrowser *browser = window.ActiveBrowser();
        return browser && browser->HasDocument();
    });
    Pause(2000);
    const QString file = output + QStringLiteral("/query.png");
    if (!window.grab().save(file))
        return 1;

    // The page's context menu: Chinese, as every text the window shows.
    TWebBrowser *browser = window.ActiveBrowser();
    QWidget *surface = browser->focusProxy() ? browser->focusProxy() : browser;
    QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(320, 160));
    QMenu *menu = nullptr;
    TestProxy::WaitFor([&] {
        menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        return menu != nullptr;
    });
    if (!menu)
        return 1;
    Pause(500);
    const QRect area = window.frameGeometry().united(menu->geometry());
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    if (!screen.copy(area).save(output + QStringLiteral("/context-menu.png")))
        return 1;
    menu->close();

    // The five encyclopaedias side by side, every page loaded.
    proxy.SetDelay("http://www.infoplease.com/", 0);
    proxy.SetPage(
        "http://baike.baidu.com/",
        FixturePage("猫_百度百科", "猫", "",
                    "<p>猫，属于猫科动物，分家猫、野猫，是全世界家庭中较为广泛的宠物……</p>"));
    proxy.SetPage("http://www.britannica.com/",
                  FixturePage("cat | Britannica", "cat", "",
                              "<p><b>cat</b>, (<i>Felis catus</i>), domesticated member of the "
                              "family Felidae, order Carnivora……</p>"));
    window.resize(1880, 760);
    Part<QAction>(window, "NViewSideBySide")->trigger();
    CkLstBookshop(window)->SetChecked(1, true);
    CkLstBookshop(window)->SetChecked(3, true);
    BtnBookOK(window)->click();
    TestProxy::WaitFor([&] {
        for (int index = 0; index < PageControl1(window)->count(); ++index) {
            auto *page = qobject_cast<TTabSheet *>(PageControl1(window)->widget(index));
            if (!page->Browser() || !page->Browser()->HasDocument())
                return false;
        }
        return true;
    });
    Pause(2000);
    if (!window.grab().save(output + QStringLiteral("/side-by-side.png")))
        return 1;
    window.close();
    return SaveFloatingToolbar(output + QStringLiteral("/floating-toolbar.png")) ? 0 : 1;
}
