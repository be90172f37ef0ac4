#pragma once

// 查询记录 (Ctrl+H): every look-up, newest first, grouped by day, with its mode, term and how
// often the term was looked up; a search field that filters as one types. Enter or a double click
// asks a term again in its mode, Del removes the chosen look-ups. Rows are read a page at a time
// as the list scrolls, so a record of any length opens at once.

#include <QWidget>

#include <cstdint>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace tellaria {

class WordStore;

class TRecordWindow : public QWidget
{
    Q_OBJECT
public:
    TRecordWindow(WordStore &store, QWidget *owner);

    // Shows the window in front, its search field ready for typing.
    void Present();
    // Reads the record again under the current filter.
    void Refresh();

signals:
    void AskAgain(const QString &term, int mode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LoadMore();
    void AskChosen();
    void RemoveChosen();
    void Export();

    WordStore &m_store;
    QLineEdit *m_search;
    QTreeWidget *m_list;
    QTreeWidgetItem *m_day = nullptr;
    std::int64_t m_lastTime = 0;
    std::int64_t m_lastId = 0;
    bool m_complete = false;
};

} // namespace tellaria
