// What a save of a page leaves: the directories a save would make unasked, and real saves with
// the engine in a home of the test's own.

#include "browser/PageFiles.h"
#include "browser/WebBrowser.h"
#include "tests/support/TestProxy.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tellaria;
using namespace tellaria::test;

namespace {

// The home the engine sees, made before the application object: Chromium asks where its
// download directory is once, at the process's first save.
QTemporaryDir *g_home = nullptr;

QString Home()
{
    return g_home->path();
}

} // namespace

class PageFilesTest : public QObject
{
    Q_OBJECT

private:
    TestProxy *m_proxy = nullptr;
    QTemporaryDir m_elsewhere;

private slots:
    void initTestCase()
    {
        QVERIFY(m_elsewhere.isValid());
        m_proxy = new TestProxy(this);
        m_proxy->SetPage("http://save.example/",
                         "<html><head><title>save</title></head><body>saved words</body></html>");
    }

    void unaskedDirectories_data()
    {
        QTest::addColumn<QString>("directory"); // the engine's download directory, under /base
        QTest::addColumn<QString>("fileName"); // the user's choice, under /base
        QTest::addColumn<QStringList>("made"); // under /base
        QTest::newRow("there already") << ""
                                       << "elsewhere/page.html" << QStringList{};
        QTest::newRow("missing") << "Downloads"
                                 << "elsewhere/page.html" << QStringList{"Downloads"};
        QTest::newRow("missing with its parent")
            << "files/Downloads"
            << "elsewhere/page.html" << QStringList{"files", "files/Downloads"};
        QTest::newRow("the user saves there") << "Downloads"
                                              << "Downloads/page.html" << QStringList{};
        QTest::newRow("the user saves in its missing parent")
            << "files/Downloads"
            << "files/page.html" << QStringList{"files/Downloads"};
        QTest::newRow("the user saves in a folder named alike")
            << "Downloads"
            << "Downloads2/page.html" << QStringList{"Downloads"};
        QTest::newRow("written untidily") << "./x/../Downloads/"
                                          << "elsewhere/page.html" << QStringList{"Downloads"};
    }

    void unaskedDirectories()
    {
        QFETCH(QString, directory);
        QFETCH(QString, fileName);
        QFETCH(QStringList, made);
        QTemporaryDir base;
        const QString root = base.path() + '/';
        QStringList expected;
        for (const QString &path : made)
            expected << root + path;
        QCOMPARE(UnaskedDirectories(root + directory, root + fileName), expected);
        QVERIFY(UnaskedDirectories(QString(), root + fileName).isEmpty());
    }

    void aSaveLeavesNoFolderBehind_data()
    {
        QTest::addColumn<bool>("downloadsThere");
        QTest::addColumn<QString>("fileName"); // "~/" is the home
        QTest::newRow("saved elsewhere") << false << "page.html";
        QTest::newRow("saved elsewhere, the user's own Downloads there") << true << "page.html";
        QTest::newRow("saved in the home's missing Downloads") << false << "~/Downloads/page.html";
    }

    void aSaveLeavesNoFolderBehind()
    {
        QFETCH(bool, downloadsThere);
        QFETCH(QString, fileName);
        const QString downloads = Home() + "/Downloads";
        QDir(downloads).removeRecursively();
        if (downloadsThere)
            QVERIFY(QDir().mkdir(downloads));
        const QString target
            = fileName.startsWith("~/") ? Home() + fileName.mid(1) : m_elsewhere.filePath(fileName);
        QFile::remove(target);
        TWebBrowser browser;
        browser.Navigate("http://save.example/");
        QVERIFY(TestProxy::WaitFor([&] { return browser.title() == "save"; }));

        SavePage(*browser.page(), target, QWebEngineDownloadRequest::SingleHtmlSaveFormat);
        QVERIFY(TestProxy::WaitFor([&] {
            QFile file(target);
            return file.open(QIODevice::ReadOnly) && file.readAll().contains("saved words");
        }));
        QCOMPARE(QFileInfo(downloads).isDir(), downloadsThere || target.startsWith(downloads));
        QFile::remove(target);
    }
};

int main(int argc, char *argv[])
{
    PrepareBrowserTestEnvironment();
    QTemporaryDir home;
    g_home = &home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
    QApplication application(argc, argv);
    PageFilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PageFiles_test.moc"
