#pragma once

// What a query takes in and keeps. The term is made one line and capped as it enters, whichever
// way it came (typed, pasted, picked from the history, the command line, the selection, another
// start); once the query's requests have left, the history with the term is written, so a crash
// or a power cut afterwards loses no query already made. And what a page asked for and was
// refused (a link to another program) is told in the status bar.

#include <QObject>
#include <QString>
#include <QUrl>

#include <string>

class QComboBox;

namespace tellaria {

class QueryHistory;
class TQueryCompletion;
class TResultPages;
class TWebBrowser;

class TQueryEntry : public QObject
{
    Q_OBJECT
public:
    // `history` and `completion` outlive this; the history file lives in `directory`. The
    // refusals of `startPage` are told as those of the result pages.
    TQueryEntry(QueryHistory &history,
                TQueryCompletion *completion,
                TResultPages *pages,
                TWebBrowser *startPage,
                std::string directory,
                QObject *parent);

    // The text of `box` as a query takes it, in UTF-8: control characters made single spaces
    // (none at either end), cut to the longest term (Note tells). The box then shows it.
    std::string Take(QComboBox *box);

    // Records `termUtf8`, called once the query's pages were asked for; the history file is
    // written when their requests have left (at once for a query with no page).
    void Record(const std::string &termUtf8);

signals:
    // Something for the status bar.
    void Note(const QString &text);
    // Every query as Record takes it, while its mode and pages are still the window's own; and,
    // once its requests have left and the history is written, RequestsLeft.
    void Queried(const QString &term);
    void RequestsLeft();

private:
    void Keep();

    QueryHistory &m_history;
    TQueryCompletion *m_completion;
    TResultPages *m_pages;
    std::string m_directory;
    bool m_unsaved = false;
    bool m_queried = false;
};

} // namespace tellaria
