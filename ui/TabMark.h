#pragma once

// How a result page is loading, shown on its tab: a busy mark beside the caption while the page
// loads, a failure mark when the load failed or the page's process ended, none once it has
// loaded or was stopped, all read from the page's state. The caption itself never changes; the
// tab's tooltip is the page's own title and URL.

#include <QIcon>
#include <QObject>
#include <QPointer>

class QTabWidget;

namespace tellaria {

class TPageState;

class TTabMark : public QObject
{
    Q_OBJECT
public:
    enum class TState { Idle, Loading, Failed };

    // Follows `state`, shown in `tabs` as the tab of `page`, at once. A child of the state: it
    // ends with it.
    TTabMark(QTabWidget *tabs, QWidget *page, TPageState *state);

    // The mark shown for the page's load.
    TState State() const;
    const QIcon &BusyIcon() const { return m_busyIcon; }
    const QIcon &FailedIcon() const { return m_failedIcon; }

    // A line the tooltip adds after the page's title and address (what the reading aids found);
    // empty for none. A screen reader reads it as the tab's description.
    void SetNote(const QString &note);

signals:
    // The tab's icon or tooltip may have changed.
    void Refreshed();

private:
    void ScheduleRefresh();
    void Refresh();

    QPointer<QTabWidget> m_tabs;
    QPointer<QWidget> m_page;
    TPageState *m_pageState;
    TState m_shownState = TState::Idle; // the state the tab's icon shows
    bool m_refreshScheduled = false;
    QIcon m_busyIcon;
    QIcon m_failedIcon;
    QString m_note;
};

} // namespace tellaria
