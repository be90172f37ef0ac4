#pragma once

// What the window tests share: the main window opened on a data directory of the test's own, and
// a script run in a page for its value.

#include "browser/WebBrowser.h"
#include "tests/support/TestProxy.h"
#include "ui/UnitMain.h"

#include <QSize>
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
