#pragma once

// Find across all result pages, below them as browsers put their find bar: what is typed is
// searched in every open page at once by the engine; the bar counts the matches of all of them
// and Enter (F3) and Shift+Enter (Shift+F3) go through them page after page, the page that holds
// the match made current, wrapping round after the last. Esc closes the bar and gives the focus
// back to where it was.

#include <QFrame>
#include <QHash>
#include <QPointer>

class QLabel;
class QLineEdit;
class QToolButton;

namespace tellaria {

class TResultPages;
class TTabSheet;

class TFindBar : public QFrame
{
    Q_OBJECT
public:
    TFindBar(TResultPages *pages, QWidget *parent);

    // Shows the bar with `text` in its field, selected, and searches for it.
    void Open(const QString &text);
    // Stops finding in every page, hides the bar and gives the focus back.
    void Close();
    // The next match, or the previous one; opens the bar first when it is closed.
    void FindNext() { Go(true); }
    void FindPrior() { Go(false); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct TFound
    {
        int Matches = 0;
        int Active = 0; // 1-based; 0 before the engine has told
    };

    void Search();
    void SearchPage(TTabSheet *page, bool backward, bool restart);
    void Go(bool forward);
    void ShowStatus();
    // The matches of `page` for the text searched, while the bar is open; -1 when nothing is
    // searched.
    int MatchesOf(const TTabSheet *page) const;
    // Gives every page's state its count, which its tab and column header show.
    void PublishCounts();

    TResultPages *m_pages;
    QLineEdit *m_field;
    QLabel *m_status;
    QToolButton *m_prior;
    QToolButton *m_next;
    QHash<const TTabSheet *, TFound> m_found;
    // Bumped by each new search: answers to an older one are dropped.
    int m_generation = 0;
    QPointer<QWidget> m_returnFocus;
};

} // namespace tellaria
