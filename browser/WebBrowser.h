#pragma once

// The embedded browser of a result page and of the start page panel: a QWebEngineView offering
// the operations the window relies on (tag, silence, navigation, the routed commands with their
// availability pushed by signal, and a before-navigate handler that can cancel).

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>

class QPrinter;

namespace tellaria {

class TDocumentRequestWatch;
class TPageState;

// The commands the window routes to the current page, in the order the action update asks them.
enum class TBrowserCommand {
    SaveAs,
    PrintPreview,
    Print,
    PageSetup,
    Copy,
    Cut,
    Paste,
    SelectAll,
};

class TWebBrowser;

// Whether `url` is a document the engine shows itself: http, https, about, data and blob. Any
// other scheme is another program's.
bool IsEngineScheme(const QUrl &url);

// Whether a navigation to `url` may go ahead, whoever asked for it: web pages (http, https)
// anywhere; in a sub-frame also about:, data: and blob: documents; in the main frame about: and
// data: documents only where the program asked for them, never from a page's link, form or
// redirect. Everything else (ssh:, file:, mailto: …) would leave the engine for another program.
bool NavigationSchemeAllowed(const QUrl &url,
                             QWebEnginePage::NavigationType type,
                             bool isMainFrame);

// What a navigation policy decides of a navigation.
enum class TNavigation { Allow, Refuse };

// Asked by the browser's page before each navigation it starts, for the main frame and for
// sub-frames (acceptNavigationRequest): Refuse stops that navigation.
using NavigationPolicy
    = std::function<TNavigation(TWebBrowser *sender, const QUrl &url, bool isMainFrame)>;

// A browser's page: NavigationSchemeAllowed, then the browser's navigation filter, decide each
// navigation, and a silent browser's page shows no dialog and grants no request of its own
// (WebBrowserPage.cc).
class TWebBrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit TWebBrowserPage(TWebBrowser *browser);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &message) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &message) override;
    bool javaScriptPrompt(const QUrl &securityOrigin,
                          const QString &message,
                          const QString &defaultValue,
                          QString *result) override;
    QStringList chooseFiles(FileSelectionMode mode,
                            const QStringList &oldFiles,
                            const QStringList &acceptedMimeTypes) override;

private:
    TWebBrowser *m_browser;
};

class TWebBrowser : public QWebEngineView
{
    Q_OBJECT
public:
    explicit TWebBrowser(QWidget *parent = nullptr);
    ~TWebBrowser() override;

    // Identifies the result page the browser belongs to; 0 for the start page browser.
    int Tag = 0;

    // A silent browser never shows a dialog of the page's own: script dialogs are answered
    // without showing anything, certificate errors refused, authentication and permission
    // requests refused, file choosers return nothing.
    bool Silent() const { return m_silent; }
    void SetSilent(bool silent) { m_silent = silent; }

    // The policy every navigation of the browser is asked of; none allows them all.
    void SetNavigationPolicy(NavigationPolicy policy) { m_navigationPolicy = std::move(policy); }
    TNavigation DecideNavigation(const QUrl &url, bool isMainFrame)
    {
        return m_navigationPolicy ? m_navigationPolicy(this, url, isMainFrame) : TNavigation::Allow;
    }

    // Navigates to `url`, given as text; the engine escapes it. RequestSent tells when the
    // request for it has left.
    void Navigate(const QString &url);

    // Starts the page's display process now, on its empty first document, which no navigation
    // or load signal tells of: the first navigation then uses that process instead of waiting
    // for one to start.
    void StartProcess();

    // Whether `command` can run now. Read from state the engine's signals and the page's edit
    // state keep current, so it never blocks; CommandStateChanged tells when it may have changed.
    bool CommandAvailable(TBrowserCommand command) const;
    // Carries `command` out when it is available (the dialog of a save or print command, or the
    // page's own editing action); does nothing otherwise.
    void RunCommand(TBrowserCommand command);

    // How its page loads, what the reading aids made of it, its title and address.
    TPageState *State() const { return m_state; }

    // The printer the print, preview and page-setup commands share; not owned.
    void SetPrinter(QPrinter *printer) { m_printer = printer; }

    // What the page is called where the user keeps it: the name the save dialog offers, the
    // print job's title and the name a PDF is offered under, with what a file name cannot hold
    // made "_". Until one is set, the page's own title.
    void SetDocumentName(const QString &name) { m_documentName = name; }
    QString DocumentName() const;

    bool HasDocument() const { return m_hasDocument; }
    bool Printing() const { return m_printing; }
    // The browser is being destroyed: its page answers what it still owes, emptily, as it goes.
    bool Closing() const { return m_closing; }

    // A print job of the caller's on this browser's page (a preview's PDF): Printing() holds
    // from the first to the second, which emits PrintJobFinished.
    void BeginPrintJob();
    void EndPrintJob(bool succeeded);

signals:
    // The print job that Printing() told of has ended, on a printer or in a PDF file.
    void PrintJobFinished(bool succeeded);

    // Whether some command is available may have changed: a load began or ended, the selection
    // or the focused element changed, a print job began or ended, the clipboard changed while an
    // editable element has the focus.
    void CommandStateChanged();

    // The request for the document Navigate asked for has been handed to the network (once per
    // Navigate; not at all when the navigation ends before it gets that far).
    void RequestSent();

    // A navigation to `url` was refused for its scheme (NavigationSchemeAllowed), or a link to
    // another program's scheme was not handed to it.
    void NavigationRefused(const QUrl &url);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    friend class TEditStateReceiver;
    void SetEditState(bool focusEditable, bool editableSelection);
    void SaveAs();
    void Print();

    NavigationPolicy m_navigationPolicy;
    bool m_silent = false;
    bool m_hasDocument = false;
    bool m_focusEditable = false;
    bool m_editableSelection = false;
    bool m_printing = false;
    bool m_closing = false;
    QPrinter *m_printer = nullptr;
    QString m_documentName;
    TDocumentRequestWatch *m_requestWatch;
    TPageState *m_state = nullptr;
};

// Wraps `answer`, the callback of a request to the engine about `browser`'s page (a PDF, a find,
// a script's result), so that it runs only while `receiver` lives and the browser is not being
// destroyed. A page that goes answers every request still pending from its destructor, emptily:
// that is no answer to act on, and what it would update may be half gone by then.
template<typename Answer>
auto WhileOpen(TWebBrowser &browser, const QObject *receiver, Answer answer)
{
    return [browser = QPointer<TWebBrowser>(&browser), receiver = QPointer<const QObject>(receiver),
            answer = std::move(answer)](const auto &...result) {
        if (browser && !browser->Closing() && receiver)
            answer(result...);
    };
}

// Settings that hold for every browser of the process: downloads a page starts by itself are
// refused (only the save command writes files) and pages cannot read local files. Idempotent.
void ConfigureBrowserProfile();

// Frees `holder` (the browser, or a widget that holds it) with deleteLater, but not while a
// print job of `browser` still runs: the engine cannot drop a page it is printing, so then it
// goes when the job ends (PrintJobFinished).
void DeleteWhenIdle(QObject *holder, TWebBrowser *browser);

// Whether the clipboard holds text, kept from the clipboard's change notifications so that a
// status query never waits on another program.
bool ClipboardHasText();

} // namespace tellaria
