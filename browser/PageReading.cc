#include "browser/PageReading.h"

#include "browser/WebBrowser.h"
#include "widgets/Application.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace tellaria {

namespace {

QString Resource(const QString &name)
{
    QFile file(QStringLiteral(":/tellaria/reading/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Readability, mark.js and the page's side of the reading aids, as one script: read from the
// resources once per process.
const QWebEngineScript &ReadingScript()
{
    static const QWebEngineScript script = [] {
        QWebEngineScript made;
        made.setName(QStringLiteral("tellaria-reading"));
        made.setWorldId(QWebEngineScript::ApplicationWorld);
        // Compiled while the document still loads; it applies the view once it is parsed.
        made.setInjectionPoint(QWebEngineScript::DocumentCreation);
        made.setRunsOnSubFrames(false);
        made.setSourceCode(Resource(QStringLiteral("Readability.js"))
                           + Resource(QStringLiteral("mark.js"))
                           + Resource(QStringLiteral("reading.js")));
        return made;
    }();
    return script;
}

// Holds the page as served off the screen: its body neither laid out nor painted. A load that
// never ends (stopped, or a part that never comes) shows it after a moment all the same.
constexpr const char *HoldScript
    = "(function () {"
      "  const hold = new CSSStyleSheet();"
      "  hold.replaceSync('body { display: none !important; }');"
      "  window.TellariaHold = hold;"
      "  document.adoptedStyleSheets = [...document.adoptedStyleSheets, hold];"
      "  const release = () => {"
      "    document.adoptedStyleSheets = document.adoptedStyleSheets.filter((s) => s !== hold);"
      "  };"
      "  window.addEventListener('load', release, {once: true});"
      "  setTimeout(release, 1500);"
      "})();";

} // namespace

TPageReading::TPageReading(TWebBrowser *browser)
    : QObject(browser)
    , m_browser(browser)
{
    browser->page()->scripts().insert(ReadingScript());
    // The document has been given the view as it was made; its load tells what that gave (or
    // applies it, where the document came before the view).
    connect(browser->page(), &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (ok)
            Apply(QStringLiteral("current"));
    });
}

int TPageReading::Marks() const
{
    return m_browser->State()->TermCount();
}

TPageReading::TArticle TPageReading::Article() const
{
    return m_browser->State()->Article();
}

void TPageReading::SetView(const TReadingView &view)
{
    if (view == m_view)
        return;
    m_view = view;
    // What is asked counts at once; what it gives, once the document has answered.
    TPageState *state = m_browser->State();
    state->SetReading(view.Reader, !view.Term.isEmpty(), state->Article(), state->TermCount());
    // Every document from now on is given the view as it is made.
    QWebEngineScriptCollection &scripts = m_browser->page()->scripts();
    for (const QWebEngineScript &old : scripts.find(QStringLiteral("tellaria-reading-options")))
        scripts.remove(old);
    QWebEngineScript given;
    given.setName(QStringLiteral("tellaria-reading-options"));
    given.setWorldId(QWebEngineScript::ApplicationWorld);
    given.setInjectionPoint(QWebEngineScript::DocumentCreation);
    given.setRunsOnSubFrames(false);
    // A document made for the reader view is held off the screen until the view is applied
    // (reading.js), and at its load or after a moment whatever happens.
    given.setSourceCode(
        QStringLiteral("window.TellariaReadingOptions = %1;%2")
            .arg(Options(), view.Reader ? QString::fromLatin1(HoldScript) : QString()));
    scripts.insert(given);
    if (m_browser->HasDocument())
        Apply(QStringLiteral("apply"));
}

QString TPageReading::Options() const
{
    // As JSON, which is a script's literal: no text of the user's is ever code.
    const QJsonObject options{
        {QStringLiteral("reader"), m_view.Reader},
        {QStringLiteral("term"), m_view.Term},
        {QStringLiteral("site"), m_view.Site},
        {QStringLiteral("noArticle"),
         QCoreApplication::translate("ReaderView", "This page has no main text to extract")}};
    return QString::fromUtf8(QJsonDocument(options).toJson(QJsonDocument::Compact));
}

void TPageReading::Apply(const QString &how)
{
    const QString code
        = QStringLiteral("window.TellariaReading ? window.TellariaReading.%1(%2) : null")
              .arg(how, Options());
    const int asked = ++m_pending;
    NoteTime("reading asked");
    TPageReading *self = this;
    m_browser->page()->runJavaScript(
        code, QWebEngineScript::ApplicationWorld,
        WhileOpen(*m_browser, this, [self, asked](const QVariant &result) {
            if (asked != self->m_pending)
                return;
            const QVariantMap answer = result.toMap();
            if (answer.isEmpty())
                return;
            const int article = answer.value(QStringLiteral("article")).toInt();
            const TReadingView &view = self->m_view;
            self->m_browser->State()->SetReading(view.Reader, !view.Term.isEmpty(),
                                                 article > 0    ? TArticle::Shown
                                                 : article == 0 ? TArticle::None
                                                                : TArticle::NotAsked,
                                                 answer.value(QStringLiteral("marks")).toInt());
            NoteTime("reading applied");
        }));
}

} // namespace tellaria
