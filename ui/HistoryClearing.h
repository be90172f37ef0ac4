#pragma once

// File > 清除查询历史: empties the query history, once the user confirms, so that the history
// file the close writes holds no term. A history that could not be read at start is never
// replaced, so there the item is off, and its hint says why. The record of look-ups is cleared
// with it when the user ticks that in the same question.

#include <QObject>

namespace tellaria {

class QueryHistory;
class TQueryCompletion;
class TCommands;
class TWordKeeping;

class THistoryClearing : public QObject
{
    Q_OBJECT
public:
    THistoryClearing(QWidget *form,
                     TCommands &commands,
                     QueryHistory &history,
                     TQueryCompletion *completion,
                     TWordKeeping *record = nullptr);

private:
    void Clear();

    QWidget *m_form;
    QueryHistory &m_history;
    TQueryCompletion *m_completion;
    TWordKeeping *m_record;
};

} // namespace tellaria
