// Every text a user sees is Chinese: the window, its menus, its message boxes, the buttons of
// the dialogs its commands open, a page's context menu and the engine's own error page. The
// only Latin words are the program's name, the one service named in Latin letters, and the
// language menu's title and its English, each in its own words so that its reader finds it.

#include "browser/WebBrowser.h"
#include "tests/support/TestProxy.h"
#include "tests/support/WindowParts.h"
#include "ui/UnitMain.h"
#include "widgets/Application.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEventLoop>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

using namespace tellaria;
using namespace tellaria::test;

namespace {

// The language menu names itself and English in English too, for a reader of no Chinese.
const QStringList AllowedWords{"Tellaria", "Bing", "Language", "English"};

// The Latin words of `text`. Left out: mnemonic markers ("(&F)" names a key, it is not a word)
// and a menu item's shortcut column after the tab, which spells the keys as their caps are
// printed ("Ctrl+C").
QStringList LatinWords(QString text)
{
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&[A-Za-z]\\)")));
    QStringList words;
    QRegularExpressionMatchIterator it
        = QRegularExpression(QStringLiteral("[A-Za-z]{2,}")).globalMatch(text);
    while (it.hasNext()) {
        const QString word = it.next().captured();
        if (!AllowedWords.contains(word))
            words << word;
    }
    return words;
}

void AddMenuTexts(const QMenu *menu, QStringList &texts)
{
    for (const QAction *action : menu->actions()) {
        if (action->isVisible() && !action->isSeparator())
            texts << action->text() << action->toolTip();
    }
}

// What a user can read in `root` and the widgets inside it that are shown: captions, labels,
// button texts (an icon-only button's text is never shown, its tool tip is), items of lists
// and menus.
QStringList VisibleTexts(const QWidget *root, bool buttonsOnly = false)
{
    QStringList texts;
    if (!buttonsOnly)
        texts << root->windowTitle();
    QList<const QWidget *> widgets{root};
    for (const QWidget *child : root->findChildren<QWidget *>())
        widgets << child;
    for (const QWidget *widget : widgets) {
        if (!widget->isVisibleTo(root) && widget != root)
            continue;
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
            const auto *tool = qobject_cast<const QToolButton *>(button);
            if (!tool || tool->toolButtonStyle() != Qt::ToolButtonIconOnly
                || button->icon().isNull())
                texts << button->text();
            texts << button->toolTip();
        }
        if (buttonsOnly)
            continue;
        texts << widget->toolTip();
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            texts << label->text();
        // The query box's list holds the user's own terms.
        const auto *combo = qobject_cast<const QComboBox *>(widget);
        if (combo && combo->isEditable())
            continue;
        if (combo) {
            for (int index = 0; index < combo->count(); ++index)
                texts << combo->itemText(index);
        }
        if (const auto *list = qobject_cast<const QListWidget *>(widget)) {
            for (int row = 0; row < list->count(); ++row)
                texts << list->item(row)->text();
        }
        if (const auto *tabs = qobject_cast<const QTabBar *>(widget)) {
            for (int index = 0; index < tabs->count(); ++index)
                texts << tabs->tabText(index);
        }
        if (const auto *bar = qobject_cast<const QMenuBar *>(widget)) {
            for (const QAction *action : bar->actions()) {
                texts << action->text();
                if (action->menu())
                    AddMenuTexts(action->menu(), texts);
            }
        }
        if (const auto *menu = qobject_cast<const QMenu *>(widget))
            AddMenuTexts(menu, texts);
    }
    texts.removeAll(QString());
    return texts;
}

// The context menu that opens next, or null when none does.
QMenu *WaitForPopupMenu()
{
    QMenu *menu = nullptr;
    TestProxy::WaitFor([&] {
        menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        return menu != nullptr;
    });
    return menu;
}

// Runs `trigger`, waits for the modal dialog it opens, reads it and closes it.
QStringList TextsOfModal(const std::function<void()> &trigger, bool buttonsOnly)
{
    QStringList texts;
    bool seen = false;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || seen)
            return;
        seen = true;
        // Every text is there once the dialog is on the screen.
        texts = QTest::qWaitForWindowExposed(modal) ? VisibleTexts(modal, buttonsOnly)
                                                    : QStringList{"<dialog never shown>"};
        modal->close();
    });
    poll.start();
    trigger();
    TestProxy::WaitFor([&] { return seen; }, 15000);
    return seen ? texts : QStringList{"<no dialog appeared>"};
}

} // namespace

class TextsTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    QTemporaryDir m_directory;
    std::unique_ptr<TfrmMain> m_window;

    // A window showing one loaded result page.
    bool OpenResultPage()
    {
        m_window = std::make_unique<TfrmMain>(m_directory.path() + QLatin1Char('/'));
        m_window->show();
        CmbBoxType(*m_window)->setCurrentIndex(3);
        CmbBook(*m_window)->lineEdit()->setText("cat");
        BtnBookOK(*m_window)->click();
        return TestProxy::WaitFor([&] {
            TWebBrowser *browser = m_window->ActiveBrowser();
            return browser && browser->HasDocument() && ActSave(*m_window)->isEnabled();
        });
    }

private slots:
    void initTestCase()
    {
        m_proxy = new TestProxy(this);
        m_proxy->SetPage("http://dict.bing.com.cn/",
                         "<!DOCTYPE html><html><head><title>r</title></head><body style=\"height:"
                         "600px\"><a href=\"http://a.example/\">link</a> words</body></html>");
        QVERIFY(OpenResultPage());
    }

    void noLatinWordsAUserCanSee_data()
    {
        QTest::addColumn<QString>("scene");
        for (const char *scene :
             {"main window and its menus", "blank-term message", "close-all question",
              "save dialog", "print dialog", "page setup dialog", "print preview dialog",
              "query box context menu", "page context menu"})
            QTest::newRow(scene) << QString::fromLatin1(scene);
    }
    void noLatinWordsAUserCanSee()
    {
        QFETCH(QString, scene);
        TfrmMain &window = *m_window;
        QStringList texts;
        if (scene == "main window and its menus") {
            texts = VisibleTexts(&window);
        } else if (scene == "blank-term message") {
            texts = TextsOfModal(
                [&] {
                    CmbBook(window)->lineEdit()->setText("  ");
                    QTest::keyClick(CmbBook(window), Qt::Key_Return);
                },
                false);
            CmbBook(window)->lineEdit()->setText("cat");
        } else if (scene == "close-all question") {
            // Closed without an answer: a Cancel, so the page stays.
            texts = TextsOfModal([&] { ActCloseAll(window)->trigger(); }, false);
            QCOMPARE(PageControl1(window)->count(), 1);
        } else if (scene == "save dialog") {
            texts = TextsOfModal([&] { ActSave(window)->trigger(); }, true);
        } else if (scene == "print dialog") {
            texts = TextsOfModal([&] { ActPrint(window)->trigger(); }, true);
        } else if (scene == "page setup dialog") {
            texts = TextsOfModal([&] { ActPageSetup(window)->trigger(); }, true);
        } else if (scene == "print preview dialog") {
            texts = TextsOfModal([&] { ActPreview(window)->trigger(); }, true);
        } else if (scene == "query box context menu") {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    CmbBook(window)->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(CmbBook(window)->lineEdit(), &event);
            QMenu *menu = WaitForPopupMenu();
            QVERIFY(menu);
            AddMenuTexts(menu, texts);
            menu->close();
            QVERIFY(TestProxy::WaitFor([&] { return !QApplication::activePopupWidget(); }));
        } else if (scene == "page context menu") {
            TWebBrowser *browser = window.ActiveBrowser();
            QWidget *surface = browser->focusProxy() ? browser->focusProxy() : browser;
            QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(200, 200));
            QMenu *menu = WaitForPopupMenu();
            QVERIFY(menu);
            AddMenuTexts(menu, texts);
            menu->close();
            QVERIFY(TestProxy::WaitFor([&] { return !QApplication::activePopupWidget(); }));
        }
        QVERIFY(!texts.isEmpty());
        QStringList latin;
        for (const QString &text : std::as_const(texts)) {
            if (!LatinWords(text).isEmpty())
                latin << text;
        }
        QVERIFY2(latin.isEmpty(), qPrintable(latin.join(QStringLiteral(" | "))));
    }

    void thePageContextMenuOffersOnlyWhatKeepsTheResult()
    {
        TWebBrowser *browser = m_window->ActiveBrowser();
        QWidget *surface = browser->focusProxy() ? browser->focusProxy() : browser;
        QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(200, 200));
        QMenu *menu = WaitForPopupMenu();
        QVERIFY(menu);
        QStringList items;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                items << action->text();
        }
        menu->close();
        const QWebEnginePage *page = browser->page();
        for (auto absent : {QWebEnginePage::ViewSource, QWebEnginePage::OpenLinkInNewWindow,
                            QWebEnginePage::OpenLinkInNewTab, QWebEnginePage::InspectElement,
                            QWebEnginePage::DownloadLinkToDisk})
            QVERIFY2(!items.contains(page->action(absent)->text()), qPrintable(items.join('|')));
        for (auto present : {QWebEnginePage::Reload, QWebEnginePage::SelectAll})
            QVERIFY2(items.contains(page->action(present)->text()), qPrintable(items.join('|')));
        QVERIFY2(items.contains(page->action(QWebEnginePage::SavePage)->text()),
                 qPrintable(items.join('|')));
    }

    void theEnginesOwnErrorPageIsChinese()
    {
        m_proxy->SetPage("http://gone.example/", QByteArray(), 502);
        TWebBrowser browser;
        browser.Navigate("http://gone.example/page");
        QVERIFY(TestProxy::WaitFor([&] { return browser.HasDocument(); }));
        QString text;
        QVERIFY(TestProxy::WaitFor([&] {
            browser.page()->toPlainText([&](const QString &plain) { text = plain; });
            return text.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]")));
        }));
    }

    // The key sheet (F1) is as wide as its texts: every column as wide as its widest text, and
    // all of them in view.
    void theKeySheetShowsEveryTextWhole()
    {
        QString cut = QStringLiteral("<no key sheet appeared>");
        QTimer poll;
        poll.setInterval(50);
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            auto *sheet
                = modal ? modal->findChild<QTreeWidget *>(QStringLiteral("KeyList")) : nullptr;
            if (!sheet || !QTest::qWaitForWindowExposed(modal))
                return;
            cut.clear();
            for (int column = 0; column < sheet->columnCount(); ++column) {
                if (sheet->header()->sectionSize(column)
                    < static_cast<QAbstractItemView *>(sheet)->sizeHintForColumn(column))
                    cut += QStringLiteral("column %1 narrower than its texts; ").arg(column);
            }
            if (sheet->header()->length() > sheet->viewport()->width())
                cut += QStringLiteral("columns wider than the list");
            modal->close();
            poll.stop();
        });
        poll.start();
        m_window->findChild<QAction *>(QStringLiteral("mnuKeys"))->trigger();
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
    }

    void cleanupTestCase() { m_window.reset(); }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    TApplication application(argc, argv);
    TextsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "Texts_test.moc"
