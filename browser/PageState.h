#pragma once

// The state of one page as the rest of the window sees it: how its load went, what the reading
// aids made of it, its title and address. Each part says when it changes, so that whatever shows
// the page (a tab, a column's header, a command) follows it without asking the engine again.

#include <QObject>
#include <QString>
#include <QUrl>

class QWebEngineLoadingInfo;
class QWebEnginePage;

namespace tellaria {

class TPageState : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TLoad load READ Load NOTIFY LoadChanged)
    Q_PROPERTY(bool loading READ IsLoading NOTIFY LoadChanged)
    Q_PROPERTY(QString title READ Title NOTIFY TitleChanged)
    Q_PROPERTY(QUrl address READ Address NOTIFY AddressChanged)
    Q_PROPERTY(bool reader READ Reader NOTIFY ReadingChanged)
    Q_PROPERTY(bool marking READ Marking NOTIFY ReadingChanged)
    Q_PROPERTY(TArticle article READ Article NOTIFY ReadingChanged)
    Q_PROPERTY(int termCount READ TermCount NOTIFY ReadingChanged)
    Q_PROPERTY(int findCount READ FindCount NOTIFY ReadingChanged)
    Q_PROPERTY(int zoom READ Zoom NOTIFY ZoomChanged)
public:
    // Idle: nothing asked of it yet. Stopped: the user stopped it, which is no failure.
    // RendererGone: the page's display process ended (killed, or crashed).
    enum class TLoad { Idle, Loading, Loaded, Failed, Stopped, RendererGone };
    Q_ENUM(TLoad)
    // What the reader view made of the document shown.
    enum class TArticle { NotAsked, Shown, None };
    Q_ENUM(TArticle)

    // Follows `page`; a child of it.
    explicit TPageState(QWebEnginePage *page);

    TLoad Load() const { return m_load; }
    bool IsLoading() const { return m_load == TLoad::Loading; }
    QString Title() const;
    // Until the first answer arrives the page has no address of its own: the one asked for.
    // After a failure, the one that failed, whatever page says so in its place.
    QUrl Address() const;
    // The program's page that says why the load failed is showing: what it says stays a
    // failure, and loading the page again asks for the address that failed.
    void ShowingFailure() { m_failurePage = true; }

    // Whether the reader view and the term's marks were asked for, what the reader view found,
    // and how often the term was marked: of the document shown, once the aids have run on it.
    bool Reader() const { return m_reader; }
    bool Marking() const { return m_marking; }
    TArticle Article() const { return m_article; }
    int TermCount() const { return m_termCount; }
    // How often the find bar's text was found in the page; -1 while nothing is being found.
    int FindCount() const { return m_findCount; }

    // The page's zoom in percent of its actual size.
    int Zoom() const { return m_zoom; }
    // Zooms the page to `percent`, now and for every document it shows later.
    void SetZoom(int percent);

    // A load is about to be asked for: busy from now, before the engine says so.
    void LoadAsked();
    // The user stopped the load: so until the next one.
    void MarkStopped();
    // What the reading aids gave, for the reading aids to tell.
    void SetReading(bool reader, bool marking, TArticle article, int termCount);
    // What the find bar found, for the find bar to tell.
    void SetFindCount(int count);

signals:
    void LoadChanged(tellaria::TPageState::TLoad load);
    void TitleChanged(const QString &title);
    void AddressChanged(const QUrl &address);
    // What the reading aids or the find bar found has changed.
    void ReadingChanged();
    void ZoomChanged(int percent);

private:
    void LoadingChanged(const QWebEngineLoadingInfo &info);
    void SetLoad(TLoad load);

    QWebEnginePage *m_page;
    TLoad m_load = TLoad::Idle;
    QUrl m_failed;
    bool m_failurePage = false;
    bool m_reader = false;
    bool m_marking = false;
    TArticle m_article = TArticle::NotAsked;
    int m_termCount = 0;
    int m_findCount = -1;
    int m_zoom = 100;
};

} // namespace tellaria
