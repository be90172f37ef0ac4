#pragma once

// What the settings file keeps of the main window: the outer size it opens at, the lookup mode
// it shows, the encyclopaedias ticked, whether its pages are side by side and the columns' widths
// there, read at start and
// written at close. A key the program added later (the ticked sites, the layout) is written only
// where the file already holds it or the user chose other than its default, so that the file of
// a user who never chose stays as it was. The stored size
// is the outer one, frame included; the window gets it as soon as the window manager tells its
// frame.

#include "core/LookupCatalogue.h"
#include "core/SettingsFile.h"

#include <QList>
#include <QObject>
#include <QSize>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace tellaria {

// How the result pages are read: the reader view, the term's marks, and each reference work's
// zoom in percent, by the host of its pages.
struct TReadingSettings
{
    bool Reader = false;
    bool Highlight = true;
    std::map<std::string, int> Zoom;
};

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
    // The ticked encyclopaedias of a list of `count`, one bit per check-list row (row 0 the
    // lowest); all of them when the settings say nothing.
    int StoredSites(int count) const;
    // The reader view and the marks as stored; the zoom of no site yet (StoredZoom).
    TReadingSettings StoredReading() const;
    // The zoom the settings keep for the reference work at `host`, 100 when none.
    int StoredZoom(const std::string &host) const;

    // The side-by-side columns' shares of the row in thousandths, as the user last gave them;
    // empty when the settings keep none.
    QList<int> StoredColumnWidths() const;
    // The columns have been resized: their shares are written at close.
    void SetColumnWidths(const QList<int> &permille);

    // What the window writes at close besides its size.
    struct View
    {
        int Mode = -1; // the mode selector's index, -1 for none
        int Sites = AllSites(ShippedSiteCount);
        int SiteCount = ShippedSiteCount; // the check list's rows
        bool SideBySide = false;
        // The zoom of the sites whose zoom the user changed.
        TReadingSettings Reading;
    };
    // Every row of a list of `count` ticked.
    static constexpr int AllSites(int count) { return int((1U << unsigned(count)) - 1U); }

    // Writes the window's outer size and `view`, each value on its own, and releases the
    // settings file; adds the message of each write that failed to `failures`, once. A window
    // never shown (a logout while the program starts) has neither its frame nor a mode of its
    // own yet: it writes the size and mode it was given.
    void Save(bool shown, const View &view, QStringList &failures);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::unique_ptr<SettingsFile> m_settings;
    // The outer size the window was given.
    QSize m_outerSize;
    // Whether the window still waits for its frame to reach that outer size.
    bool m_awaitingFrame = false;
    // The columns' shares the user gave them this time, written at close.
    std::optional<QList<int>> m_columnWidths;
};

} // namespace tellaria
