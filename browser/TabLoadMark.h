#pragma once

// How a result page is loading, shown on its tab: a busy mark beside the caption while the page
// loads, a failure mark when the load failed or the page's process ended, none once it has
// loaded or was stopped. The
// caption itself never changes; the tab's tooltip is the page's own title and URL.

#include <QIcon>
#include <QObject>
#include <QPointer>

class QTabWidget;
class QWebEngineView;
class QWebEngineLoadingInfo;

namespace tellaria {

class TTabLoadMark : public QObject
{
    Q_OBJECT
public:
    enum class TState { Idle, Loading, Failed };

    // Follows `browser`, shown in `tabs` as the tab of `page`, which is about to load: the mark
    // shows it busy at once. A child of the browser: it ends with it.
    TTabLoadMark(QTabWidget *tabs, QWidget *page, QWebEngineView *browser);

    // The mark of `browser`'s tab, if it has one.
    static TTabLoadMark *Of(const QWebEngineView *browser);

    TState State() const { return m_state; }
    const QIcon &BusyIcon() const { return m_busyIcon; }
    const QIcon &FailedIcon() const { return m_failedIcon; }

    // A line the tooltip adds after the page's title and address (what the reading aids found);
    // empty for none. A screen reader reads it as the tab's description.
    void SetNote(const QString &note);
    // The user stopped the page's load: the tab says so (no failure) until the next load.
    void MarkStopped();

signals:
    // The tab's icon or tooltip may have changed.
    void Refreshed();

private:
    void LoadingChanged(const QWebEngineLoadingInfo &info);
    void ProcessEnded();
    void ScheduleRefresh();
    void Refresh();

    QPointer<QTabWidget> m_tabs;
    QPointer<QWidget> m_page;
    QWebEngineView *m_browser;
    TState m_state = TState::Idle;
    TState m_shownState = TState::Idle; // the state the tab's icon shows
    bool m_processEnded = false;
    bool m_stopped = false;
    bool m_refreshScheduled = false;
    QIcon m_busyIcon;
    QIcon m_failedIcon;
    QString m_note;
};

} // namespace tellaria
