#pragma once

// The result pages side by side: one column per page, in the pages' order, with a splitter
// between columns; of equal width, or of the proportions the user gave them last for as many. Above
// each page a header shows its caption, its load mark and, as a tooltip, its title and address, as
// its tab does; the current page's header is highlighted. A column never gets narrower than a page
// can be read at: when the area is too narrow for all of them, it scrolls sideways.
//
// The columns show the pages' own content (their browsers), borrowed from the pages while the
// columns are shown: nothing is made or loaded again.

#include <QScrollArea>

class QSplitter;

namespace tellaria {

class TPageColumn;

class TPageColumns : public QScrollArea
{
    Q_OBJECT
public:
    // The narrowest a column gets.
    static constexpr int MinimumColumnWidth = 240;

    explicit TPageColumns(QWidget *parent = nullptr);

    int Count() const;
    // Shows `content` in a new column at `index`, under a header.
    void Insert(int index, QWidget *content);
    // Takes column `index` off the screen with its content as it is, and returns it: the column
    // then counts no more, and the caller frees it. Nothing is moved, and hiding several columns
    // in a row lays the others out once.
    QWidget *Retire(int index);
    // Gives every column the same width again, or its share of the proportions wanted where they
    // are for as many columns as there are.
    void EvenOut();
    // Each column's share of the row, in thousandths, in order.
    QList<int> Proportions() const;
    // The proportions to lay out as many columns in: those the user gave them before.
    void SetProportions(const QList<int> &permille);

    // The header of column `index` shows `caption`, `icon`, `badge` small beside the caption
    // and, as its tooltip, `tip`.
    void SetHeader(int index,
                   const QString &caption,
                   const QIcon &icon,
                   const QString &tip,
                   const QString &badge = {});
    // Highlights column `index`'s header and keeps that column in view.
    void SetCurrent(int index);

signals:
    // The user clicked column `index`, or put the focus into it.
    void Chosen(int index);
    // The user has moved a splitter: Proportions have changed.
    void Resized();
    // The user asked for column `index`'s menu, on its header, at `globalPos`.
    void MenuRequested(int index, const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TPageColumn *Column(int index) const;
    int IndexOf(const QWidget *widget) const;

    QSplitter *m_splitter;
    // The columns that count, in order; the splitter also holds retired ones, hidden.
    QList<TPageColumn *> m_columns;
    QList<int> m_wanted;
};

} // namespace tellaria
