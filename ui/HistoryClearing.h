#pragma once

// File > 清除查询历史: empties the query history, once the user confirms, so that the history
// file the close writes holds no term. A history that could not be read at start is never
// replaced, so there the item is off, and its hint says why.

#include <QObject>

namespace tellaria {

class QueryHistory;
class TQueryCompletion;
class TCommands;

class THistoryClearing : public QObject
{
    Q_OBJECT
public:
    THistoryClearing(QWidget *form,
                     TCommands &commands,
                     QueryHistory &history,
                     TQueryCompletion *completion);

private:
    void Clear();

    QWidget *m_form;
    QueryHistory &m_history;
    TQueryCompletion *m_completion;
};

} // namespace tellaria
