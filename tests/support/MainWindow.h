#pragma once

// What the window tests share: the main window opened on a data directory of the test's own, and
// a script run in a page for its value.

#include "browser/WebBrowser.h"
#include "tests/support/TestProxy.h"
#include "tests/support/WindowParts.h"
#include "ui/UnitMain.h"

#include <QLineEdit>
#include <QSize>
#include <QTest>
#include <QVariant>

#include <memory>

namespace tellaria::test {

// The main window with its files in `directory`, at `size` when one is given, shown.
inline std::unique_ptr<TfrmMain> OpenMainWindow(const QString &directory, const QSize &size = {})
{
    auto window = std::make_unique<TfrmMain>(directory + QLatin1Char('/'));
    if (size.isValid())
        window->resize(size);
    window->show();
    return window;
}

// Picks lookup mode `mode` as the keyboard does: Home, then Down to the mode.
inline void ChooseMode(TfrmMain &window, int mode)
{
    QTest::keyClick(CmbBoxType(window), Qt::Key_Home);
    for (int step = 0; step < mode; ++step)
        QTest::keyClick(CmbBoxType(window), Qt::Key_Down);
}

// Runs a query the way a user does: the term in the query box, then Enter where the window system
// delivers it (the combo box, not its inner line edit).
inline void Query(TfrmMain &window, const QString &term)
{
    CmbBook(window)->lineEdit()->setText(term);
    QTest::keyClick(CmbBook(window), Qt::Key_Return);
}

// The same in lookup mode `mode`, chosen first.
inline void Query(TfrmMain &window, int mode, const QString &term)
{
    ChooseMode(window, mode);
    Query(window, term);
}

// Runs `script` in `browser`'s page and waits for its value.
inline QVariant RunScript(TWebBrowser *browser, const QString &script)
{
    QVariant result;
    bool done = false;
    browser->page()->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    TestProxy::WaitFor([&] { return done; });
    return result;
}

} // namespace tellaria::test
