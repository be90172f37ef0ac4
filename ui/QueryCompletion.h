#pragma once

// The query box's side of the query history: its drop-down list shows the history's entries,
// and what is typed at the end of the text (a key, or an input method's commit) is completed
// from the first entry that begins with it.

#include <QObject>

class QKeyEvent;

namespace tellaria {

class QueryHistory;
class TQueryBox;

class TQueryCompletion : public QObject
{
    Q_OBJECT
public:
    // Serves `box` from `history`, both outliving this. Input-method commits are completed
    // from here on; keys are handed in by the box's owner (KeyPress).
    TQueryCompletion(TQueryBox *box, const QueryHistory &history);

    // Refills the drop-down list from the history, leaving the text being typed alone.
    void RefreshItems();

    // Completes what the key `event`, about to reach the box, types at the end of the text
    // (neither Backspace, Tab, Escape, Enter nor a shortcut ever completes). True when it
    // completed, and so consumed the key.
    bool KeyPress(QKeyEvent *event);

private:
    bool Complete(const QString &typed);

    TQueryBox *m_box;
    const QueryHistory &m_history;
};

} // namespace tellaria
