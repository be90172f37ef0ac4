#include "widgets/CheckListBox.h"

#include <QResizeEvent>

namespace tellaria {

TCheckListBox::TCheckListBox(QWidget *parent)
    : QListWidget(parent)
{
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTextElideMode(Qt::ElideRight);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        // A click on a row's check box also makes it the current row, as on the label, so
        // that the keyboard goes on from there.
        setCurrentItem(item);
        emit Click();
    });
}

void TCheckListBox::keyPressEvent(QKeyEvent *event)
{
    // Only a move of the selection by the user raises Click; the space bar's toggle does not.
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        emit Click();
}

void TCheckListBox::SetColumns(int columns)
{
    m_columns = qMax(1, columns);
    UpdateColumnWidth();
}

void TCheckListBox::AddRow(const QString &text, bool checked)
{
    auto *item = new QListWidgetItem(text, this);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    UpdateColumnWidth();
}

bool TCheckListBox::Checked(int row) const
{
    const QListWidgetItem *rowItem = item(row);
    return rowItem && rowItem->checkState() == Qt::Checked;
}

int TCheckListBox::CheckedRows() const
{
    int rows = 0;
    for (int row = 0; row < count(); ++row) {
        if (Checked(row))
            rows |= 1 << row;
    }
    return rows;
}

void TCheckListBox::SetChecked(int row, bool checked)
{
    if (QListWidgetItem *rowItem = item(row))
        rowItem->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TCheckListBox::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    UpdateColumnWidth();
}

void TCheckListBox::UpdateColumnWidth()
{
    // A grid of exactly the columns asked for: sizing the items instead lets rounding and text
    // wider than its column wrap the last row out of sight.
    // The view wraps an item that would reach its right edge exactly, hence the pixel spared.
    const int width = qMax(1, (viewport()->width() - 1) / m_columns);
    const int height = qMax(18, fontMetrics().height() + 4);
    setGridSize(QSize(width, height));
}

} // namespace tellaria
