#include "browser/WebBrowser.h"

#include "browser/DocumentRequestWatch.h"
#include "browser/ExternalLinks.h"
#include "browser/PageAccessibility.h"
#include "browser/PageFiles.h"
#include "browser/PageState.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QWebChannel>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

namespace tellaria {

namespace {

// Tells the browser whether the focused element is editable and whether it holds a selection,
// each time either may have changed, over the page's web channel. The engine has no signal for
// either, and a status query must not wait for a script, so the page reports instead.
const char EditStateScript[] = R"JS(
(function () {
    function editable(e) {
        if (!e) return false;
        if (e.isContentEditable) return true;
        if (e.disabled || e.readOnly) return false;
        if (e.tagName === 'TEXTAREA') return true;
        if (e.tagName !== 'INPUT') return false;
        var t = (e.getAttribute('type') || 'text').toLowerCase();
        return ['text', 'search', 'url', 'tel', 'email', 'password', 'number'].indexOf(t) >= 0;
    }
    function selectionInside(e) {
        if (!editable(e)) return false;
        if (e.isContentEditable) {
            var s = window.getSelection();
            return !!s && !s.isCollapsed && e.contains(s.anchorNode);
        }
        try { return e.selectionStart !== e.selectionEnd; } catch (x) { return false; }
    }
    var receiver = null;
    var last = '00';
    function report() {
        var e = document.activeElement;
        var focusEditable = editable(e), selection = selectionInside(e);
        var state = (focusEditable ? '1' : '0') + (selection ? '1' : '0');
        if (state === last) return;
        last = state;
        if (receiver) receiver.report(focusEditable, selection);
    }
    new QWebChannel(qt.webChannelTransport, function (channel) {
        receiver = channel.objects.editState;
        // What changed before the channel was up is told now.
        if (last !== '00') receiver.report(last[0] === '1', last[1] === '1');
    });
    ['focusin', 'selectionchange', 'select', 'input', 'keyup', 'mouseup']
        .forEach(function (name) { document.addEventListener(name, report, true); });
    // While focusout runs the element losing the focus is still the active one.
    document.addEventListener('focusout', function () { setTimeout(report, 0); }, true);
})();
)JS";

// The client side of Qt's web channel, which the script above needs in its own world.
QString WebChannelClientScript()
{
    QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool g_clipboardHasText = false;
bool g_clipboardRead = false;

void ReadClipboard()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    g_clipboardHasText = data && data->hasText() && !data->text().isEmpty();
    g_clipboardRead = true;
}

void TrackClipboard()
{
    static bool tracking = false;
    if (tracking)
        return;
    tracking = true;
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, qApp, ReadClipboard);
}

// Reads the clipboard the first time its content matters (a page's editable element has the
// focus): asking the program that owns it can take a moment, which start-up should not wait for.
void EnsureClipboardRead()
{
    if (!g_clipboardRead)
        ReadClipboard();
}

} // namespace

void DeleteWhenIdle(QObject *holder, TWebBrowser *browser)
{
    if (browser && browser->Printing()) {
        QObject::connect(browser, &TWebBrowser::PrintJobFinished, holder, &QObject::deleteLater,
                         Qt::SingleShotConnection);
        return;
    }
    holder->deleteLater();
}

bool ClipboardHasText()
{
    return g_clipboardHasText;
}

void ConfigureBrowserProfile()
{
    static bool configured = false;
    if (configured)
        return;
    configured = true;
    QWebEngineProfile *profile = QWebEngineProfile::defaultProfile();
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                     [](QWebEngineDownloadRequest *download) {
                         // Only the save command writes files; it is accepted by the engine.
                         if (!download->isSavePageDownload())
                             download->cancel();
                     });
    QWebEngineSettings *settings = profile->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    // The pages' icons are never shown: fetching one for every page would only cost a request.
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    // Windows a script opens by itself are blocked; a window the user asks for by a click
    // still opens, in the same page (createWindow).
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // A link to a scheme the engine does not know would otherwise start whatever program the
    // desktop has for it (ssh:, smb:, steam: …); no page of a site we do not control may.
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);

    QWebEngineScript script;
    script.setName(QStringLiteral("tellaria-edit-state"));
    script.setSourceCode(WebChannelClientScript() + QString::fromLatin1(EditStateScript));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(false);
    profile->scripts()->insert(script);
    TrackClipboard();
}

// ---------------------------------------------------------------------------------------------

// The object the edit-state script reports to.
class TEditStateReceiver : public QObject
{
    Q_OBJECT
public:
    explicit TEditStateReceiver(TWebBrowser *browser)
        : QObject(browser)
        , m_browser(browser)
    {}

    Q_INVOKABLE void report(bool focusEditable, bool editableSelection)
    {
        m_browser->SetEditState(focusEditable, editableSelection);
    }

private:
    TWebBrowser *m_browser;
};

TWebBrowser::TWebBrowser(QWidget *parent)
    : QWebEngineView(parent)
    , m_requestWatch(new TDocumentRequestWatch(this))
{
    ConfigureBrowserProfile();
    HideOffscreenWindowsFromScreenReaders(this);
    auto *page = new TWebBrowserPage(this);
    setPage(page);
    m_state = new TPageState(page);
    connect(m_requestWatch, &TDocumentRequestWatch::DocumentRequested, this, [this] {
        // Watched only up to the request Navigate made: the engine hands each request
        // of a watched page to the watch, which the page's resources need not pay for.
        this->page()->setUrlRequestInterceptor(nullptr);
        emit RequestSent();
    });
    auto *channel = new QWebChannel(page);
    channel->registerObject(QStringLiteral("editState"), new TEditStateReceiver(this));
    page->setWebChannel(channel, QWebEngineScript::ApplicationWorld);
    connect(page, &QWebEnginePage::loadFinished, this, [this] {
        // A navigation that ended without a request (refused, or failed before one) is no
        // longer watched either.
        this->page()->setUrlRequestInterceptor(nullptr);
        m_hasDocument = true;
        emit CommandStateChanged();
    });
    connect(page, &QWebEnginePage::loadStarted, this, [this] { SetEditState(false, false); });
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        // A link to another program's scheme is started, then abandoned by the engine, which
        // hands it to no program (DisallowUnknownUrlSchemes): the page stays as it was.
        if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus
            && !IsEngineScheme(info.url()))
            emit NavigationRefused(info.url());
    });
    // A page whose process has ended has nothing left to save, print or edit.
    connect(page, &QWebEnginePage::renderProcessTerminated, this, [this] {
        m_hasDocument = false;
        m_focusEditable = false;
        m_editableSelection = false;
        emit CommandStateChanged();
    });
    connect(page, &QWebEnginePage::selectionChanged, this, &TWebBrowser::CommandStateChanged);
    // A job ends one way or the other: drawn for a printer, or written as a PDF file.
    connect(this, &QWebEngineView::printFinished, this, &TWebBrowser::EndPrintJob);
    connect(page, &QWebEnginePage::pdfPrintingFinished, this,
            [this](const QString &, bool succeeded) { EndPrintJob(succeeded); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (m_focusEditable)
            emit CommandStateChanged();
    });
}

TWebBrowser::~TWebBrowser()
{
    // What the page still owes (a print job's PDF, a find's matches) may be answered, emptily,
    // as it goes: none of it reaches the window, which may be going too.
    m_closing = true;
    // The page must go before the view it draws into.
    delete page();
}

void TWebBrowser::Navigate(const QString &url)
{
    page()->setUrlRequestInterceptor(m_requestWatch);
    load(QUrl(url, QUrl::TolerantMode));
}

void TWebBrowser::StartProcess()
{
    // Running a script is what makes the engine set the page up, its process included, before a
    // load: the script itself does nothing.
    page()->runJavaScript(QStringLiteral("0"));
}

void TWebBrowser::contextMenuEvent(QContextMenuEvent *event)
{
    // Only what keeps the user on this result and works here: no source view, no new windows,
    // no inspector. Save page goes through the same dialog as the save command.
    const QWebEngineContextMenuRequest *request = lastContextMenuRequest();
    if (!request)
        return;
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QWebEnginePage *page = this->page();
    const auto add = [&](QWebEnginePage::WebAction action) {
        QAction *item = page->action(action);
        if (item->isEnabled())
            menu->addAction(item);
    };
    const bool editable = request->isContentEditable();
    if (editable) {
        add(QWebEnginePage::Undo);
        add(QWebEnginePage::Redo);
        menu->addSeparator();
        add(QWebEnginePage::Cut);
    }
    if (!request->selectedText().isEmpty() || editable)
        add(QWebEnginePage::Copy);
    if (editable)
        add(QWebEnginePage::Paste);
    if (request->linkUrl().isValid()) {
        add(QWebEnginePage::CopyLinkToClipboard);
        const QUrl link = request->linkUrl();
        connect(menu->addAction(tr("Open Link in Browser")), &QAction::triggered, this,
                [link] { OpenInDefaultBrowser(link); });
    }
    add(QWebEnginePage::SelectAll);
    if (!editable) {
        // Shown also when they cannot run yet (greyed), so the menu keeps its shape.
        menu->addSeparator();
        for (auto action : {QWebEnginePage::Back, QWebEnginePage::Forward, QWebEnginePage::Reload})
            menu->addAction(page->action(action));
        menu->addSeparator();
        const QUrl address = page->url();
        QAction *open = menu->addAction(tr("Open in Browser"));
        open->setEnabled(address.scheme().startsWith(QLatin1String("http")));
        connect(open, &QAction::triggered, this, [address] { OpenInDefaultBrowser(address); });
        QAction *copy = menu->addAction(tr("Copy Address"));
        copy->setEnabled(!address.isEmpty());
        connect(copy, &QAction::triggered, this, [address] { CopyAddress(address); });
        QAction *save = menu->addAction(page->action(QWebEnginePage::SavePage)->text());
        save->setEnabled(CommandAvailable(TBrowserCommand::SaveAs));
        connect(save, &QAction::triggered, this, &TWebBrowser::SaveAs);
    }
    menu->popup(event->globalPos());
}

void TWebBrowser::SetEditState(bool focusEditable, bool editableSelection)
{
    if (focusEditable == m_focusEditable && editableSelection == m_editableSelection)
        return;
    m_focusEditable = focusEditable;
    m_editableSelection = editableSelection;
    if (m_focusEditable)
        EnsureClipboardRead();
    emit CommandStateChanged();
}

} // namespace tellaria

#include "WebBrowser.moc"
