#pragma once

// The reading aids of one browser: its document shown as its main article (the reader view,
// found by Mozilla's Readability) and the query term marked in what is shown (mark.js). Both run
// in the engine's application world, where the page's own scripts cannot reach them; each
// document is given the view as it is made and shows it once its content is there, before its
// first paint, and the view changes at once whenever it is changed, with no new request.

#include "browser/PageState.h"

#include <QObject>
#include <QString>

namespace tellaria {

class TWebBrowser;

// What a page is asked to show.
struct TReadingView
{
    bool Reader = false;
    // The term to mark; empty marks nothing.
    QString Term;
    // The reference work's name, at the top of the reader view.
    QString Site;

    bool operator==(const TReadingView &) const = default;
};

class TPageReading : public QObject
{
    Q_OBJECT
public:
    using TArticle = TPageState::TArticle;

    // A child of `browser`: it ends with it.
    explicit TPageReading(TWebBrowser *browser);

    void SetView(const TReadingView &view);
    const TReadingView &View() const { return m_view; }

    // Of the document shown, once applied: the term's occurrences marked, and the article. The
    // browser's page state has them too, and says when they change.
    int Marks() const;
    TArticle Article() const;

private:
    QString Options() const;
    // Runs the page side's `how` ("apply", or "current" for what the view last gave).
    void Apply(const QString &how);

    TWebBrowser *m_browser;
    TReadingView m_view;
    // Applies asked and not yet answered: only the last answer counts.
    int m_pending = 0;
};

} // namespace tellaria
