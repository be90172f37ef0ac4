#pragma once

// 生词本 (Ctrl+Shift+D): the kept terms with their notes, mode, first and last look-up and how
// often they were looked up; a search field over terms and notes; the note edited in place; Del
// removes, Enter or a double click on a term asks it again; export and import.

#include <QWidget>

class QLineEdit;
class QTableWidget;

namespace tellaria {

class WordStore;

class TNotebookWindow : public QWidget
{
    Q_OBJECT
public:
    TNotebookWindow(WordStore &store, QWidget *owner);

    // Shows the window in front, its search field ready for typing.
    void Present();
    // Reads the notebook again under the current filter.
    void Refresh();

signals:
    void AskAgain(const QString &term, int mode);
    // A term was removed, noted or imported.
    void Changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void NoteEdited(int row, int column);
    void RemoveChosen();

    WordStore &m_store;
    QLineEdit *m_search;
    QTableWidget *m_table;
    bool m_filling = false;
};

} // namespace tellaria
