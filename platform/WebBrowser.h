#pragma once

// The embedded browser of a result page and of the start page panel: a QWebEngineView offering
// the operations the window relies on (tag, Resizable/Silent, the two navigate forms, the command
// status/execute pair and a before-navigate handler that can cancel).

#include <QPointer>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>

class QPrinter;

namespace tellaria {

// Command identifiers of the browser commands the window routes to the current page.
enum OleCommandId : int {
    OLECMDID_SAVEAS = 4,
    OLECMDID_PRINT = 6,
    OLECMDID_PRINTPREVIEW = 7,
    OLECMDID_PAGESETUP = 8,
    OLECMDID_CUT = 11,
    OLECMDID_COPY = 12,
    OLECMDID_PASTE = 13,
    OLECMDID_SELECTALL = 17,
};

// Status flags a command status query returns.
enum OleCommandFlag : int {
    OLECMDF_SUPPORTED = 1,
    OLECMDF_ENABLED = 2,
    OLECMDF_LATCHED = 4,
    OLECMDF_NINCHED = 8,
    OLECMDF_INVISIBLE = 16,
    OLECMDF_DEFHIDEONCTXTMENU = 32,
};

inline constexpr int OLECMDEXECOPT_DODEFAULT = 0;

class TWebBrowser;

// Called before each navigation the browser starts, for the main frame and for sub-frames.
// Whatever it leaves in `cancel` decides: true stops that navigation.
using BeforeNavigate2Handler
    = std::function<void(TWebBrowser *sender, const QUrl &url, bool isMainFrame, bool &cancel)>;

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
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                  const QString &message,
                                  int lineNumber,
                                  const QString &sourceId) override;

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

    // Kept as the embedding asks; the view always follows its page's size.
    bool Resizable() const { return m_resizable; }
    void SetResizable(bool resizable) { m_resizable = resizable; }

    // A silent browser never shows a dialog of the page's own: script dialogs are answered
    // without showing anything, certificate errors refused, authentication and permission
    // requests refused, file choosers return nothing.
    bool Silent() const { return m_silent; }
    void SetSilent(bool silent) { m_silent = silent; }

    BeforeNavigate2Handler OnBeforeNavigate2;

    // Navigates to `url`, given as text; the engine escapes it.
    void Navigate(const QString &url);
    // The full form: an empty (invalid) variant for flags, target frame, post data and headers
    // means "none". Post data (QByteArray) makes it a POST; headers are "Name: value" lines.
    void Navigate(const QString &url,
                  const QVariant &flags,
                  const QVariant &targetFrameName,
                  const QVariant &postData,
                  const QVariant &headers);

    // The OLECMDF flags of command `commandId`: supported for the eight routed commands, enabled
    // when the page's current state allows it. Read from state kept up to date by the engine's
    // signals, so it never blocks.
    virtual int QueryStatusWB(int commandId) const;
    // Carries out command `commandId` (option OLECMDEXECOPT_DODEFAULT): the dialog of a save or
    // print command, or the page's own editing action.
    virtual void ExecWB(int commandId, int option);

    // The printer the print, preview and page-setup commands share; not owned.
    void SetPrinter(QPrinter *printer) { m_printer = printer; }

    bool HasDocument() const { return m_hasDocument; }
    bool Printing() const { return m_printing; }
    bool FocusIsEditable() const { return m_focusEditable; }
    bool EditableSelection() const { return m_editableSelection; }

    // Prints on `printer` and waits until the engine has finished, at most `timeoutMs`; false
    // when the job failed, did not finish in time, the browser went away meanwhile, or another
    // print of this browser is still running. For print preview, which must paint before it
    // returns.
    bool PrintAndWait(QPrinter &printer, int timeoutMs = 60000);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    friend class TWebBrowserPage;
    void ReceiveEditState(const QString &state);
    void SaveAs();
    void Print();
    void BeginPrintJob();

    bool m_resizable = false;
    bool m_silent = false;
    bool m_hasDocument = false;
    bool m_focusEditable = false;
    bool m_editableSelection = false;
    bool m_printing = false;
    QPrinter *m_printer = nullptr;
};

// Settings that hold for every browser of the process: downloads a page starts by itself are
// refused (only the save command writes files) and pages cannot read local files. Idempotent.
void ConfigureBrowserProfile();

// Frees `holder` (the browser, or a widget that holds it) with deleteLater, but not while a
// print job of `browser` still runs: the engine cannot drop a page it is printing, so then it
// goes when the job ends.
void DeleteWhenIdle(QObject *holder, TWebBrowser *browser);

// Whether the clipboard holds text, kept from the clipboard's change notifications so that a
// status query never waits on another program.
bool ClipboardHasText();

} // namespace tellaria
