#pragma once

// A check list laid out in columns: one check box per row, raising Click when a row is clicked
// with the mouse (after its check box has toggled) or when the selection moves to another row.
// Toggling with the space bar raises nothing.

#include <QListWidget>

namespace tellaria {

class TCheckListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit TCheckListBox(QWidget *parent = nullptr);

    // Lays the rows out in `columns` columns of equal width.
    void SetColumns(int columns);
    int Columns() const { return m_columns; }

    void AddRow(const QString &text, bool checked);
    bool Checked(int row) const;
    void SetChecked(int row, bool checked);
    // The checked rows, one bit per row (row 0 the lowest).
    int CheckedRows() const;

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void UpdateColumnWidth();

    int m_columns = 1;
};

} // namespace tellaria
