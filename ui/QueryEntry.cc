#include "ui/QueryEntry.h"

#include "ui/PageNotices.h"

#include "core/QueryHistory.h"
#include "core/TermText.h"
#include "ui/QueryCompletion.h"
#include "ui/ResultPages.h"

#include <QComboBox>
#include <QTimer>

namespace tellaria {

TQueryEntry::TQueryEntry(QueryHistory &history,
                         TQueryCompletion *completion,
                         TResultPages *pages,
                         TWebBrowser *startPage,
                         std::string directory,
                         QObject *parent)
    : QObject(parent)
    , m_history(history)
    , m_completion(completion)
    , m_pages(pages)
    , m_directory(std::move(directory))
{
    // Queued: the write waits until the engine's work on this turn of the event loop is done.
    connect(m_pages, &TResultPages::RequestsSent, this, &TQueryEntry::Keep, Qt::QueuedConnection);
    const auto refused = [this](const QUrl &url) { emit Note(RefusedSchemeNote(url)); };
    connect(m_pages, &TResultPages::NavigationRefused, this, refused);
    connect(startPage, &TWebBrowser::NavigationRefused, this, refused);
}

std::string TQueryEntry::Take(QComboBox *box)
{
    std::string term = OneLineTerm(box->currentText().toStdString());
    if (CapTermLength(term))
        emit Note(tr("The term is longer than %1 characters; only the first %1 were looked up.")
                      .arg(LongestTerm));
    const QString text = QString::fromStdString(term);
    if (text != box->currentText())
        box->setEditText(text);
    return term;
}

void TQueryEntry::Record(const std::string &termUtf8)
{
    emit Queried(QString::fromStdString(termUtf8));
    m_queried = true;
    if (m_history.RecordQuery(termUtf8)) {
        m_completion->RefreshItems();
        m_unsaved = true;
    }
    // A query with no page, or whose requests all left already, waits for nothing.
    if (!m_pages->AwaitingRequests())
        QTimer::singleShot(0, this, &TQueryEntry::Keep);
}

void TQueryEntry::Keep()
{
    // A failure here is told at the close, whose own write is tried again then.
    if (std::exchange(m_unsaved, false))
        (void)m_history.SaveQueryHistory(m_directory);
    if (std::exchange(m_queried, false))
        emit RequestsLeft();
}

} // namespace tellaria
