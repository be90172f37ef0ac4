#pragma once

// The main window's place in the settings file: the outer size it opens at, the lookup mode it
// shows and whether its pages are side by side, read at start and written at close. The stored size
// is the outer one, frame included; the window gets it as soon as the window manager tells its
// frame.

#include "core/SettingsFile.h"

#include <QObject>
#include <QSize>
#include <QStringList>

#include <memory>
#include <string>

class QWidget;

namespace tellaria {

class TWindowPlacement : public QObject
{
    Q_OBJECT
public:
    // Opens the settings file at `path` for `window`; the file is not touched yet.
    TWindowPlacement(QWidget *window, const std::string &path);

    // Sizes the window from the stored outer size, corrected against the primary screen (the
    // window's current size where none is stored), and centres it on the screen.
    void RestoreSize();

    // The lookup mode the settings hold (the mode selector's index), or -1 when they hold none of
    // the four.
    int StoredLookupMode() const;
    // Whether the settings have the pages side by side: their value is 1. Tabs when they say
    // nothing, or anything else.
    bool StoredSideBySide() const;

    // Writes the window's outer size, `mode` (-1 for none) and `sideBySide` (only where the file
    // already holds that key, or for side by side: a file that never had it stays as it was
    // for a user who never chose), each on its own, and
    // releases the settings file; adds the message of each write that failed to `failures`, once. A
    // window never shown (a logout while the program starts) has neither its frame nor a mode of
    // its own yet: it writes the size and mode it was given.
    void Save(bool shown, int mode, bool sideBySide, QStringList &failures);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::unique_ptr<SettingsFile> m_settings;
    // The outer size the window was given.
    QSize m_outerSize;
    // Whether the window still waits for its frame to reach that outer size.
    bool m_awaitingFrame = false;
};

} // namespace tellaria
