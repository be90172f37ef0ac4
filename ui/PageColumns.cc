#include "ui/PageColumns.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

namespace tellaria {

// One column: a header over the page's content.
class TPageColumn : public QFrame
{
public:
    explicit TPageColumn(QWidget *content)
        : m_header(new QFrame(this))
        , m_icon(new QLabel(m_header))
        , m_caption(new QLabel(m_header))
        , m_badge(new QLabel(m_header))
        , m_content(content)
    {
        setObjectName(QStringLiteral("PageColumn"));
        setMinimumWidth(TPageColumns::MinimumColumnWidth);
        m_header->setObjectName(QStringLiteral("PageHeader"));
        m_header->setAutoFillBackground(true);
        m_header->setFrameShape(QFrame::StyledPanel);
        m_icon->setFixedSize(16, 16);
        auto *headerLayout = new QHBoxLayout(m_header);
        headerLayout->setContentsMargins(6, 3, 6, 3);
        headerLayout->addWidget(m_icon);
        headerLayout->addWidget(m_caption, 1);
        m_badge->setObjectName(QStringLiteral("PageBadge"));
        QFont small = m_badge->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        m_badge->setFont(small);
        m_badge->hide();
        headerLayout->addWidget(m_badge);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(m_header);
        layout->addWidget(content, 1);
        content->show();
        SetCurrent(false);
    }

    QFrame *Header() const { return m_header; }
    QWidget *Content() const { return m_content; }

    void SetHeader(const QString &caption,
                   const QIcon &icon,
                   const QString &tip,
                   const QString &badge)
    {
        m_caption->setText(caption);
        m_badge->setText(badge);
        m_badge->setVisible(!badge.isEmpty());
        m_icon->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(16, 16));
        m_header->setToolTip(tip);
        // A screen reader names the column by its caption and reads the page's title with it.
        m_header->setAccessibleName(caption);
        m_header->setAccessibleDescription(tip);
    }

    void SetCurrent(bool current)
    {
        m_header->setBackgroundRole(current ? QPalette::Highlight : QPalette::Button);
        m_caption->setForegroundRole(current ? QPalette::HighlightedText : QPalette::ButtonText);
        QFont font = m_caption->font();
        font.setBold(current);
        m_caption->setFont(font);
    }

private:
    QFrame *m_header;
    QLabel *m_icon;
    QLabel *m_caption;
    QLabel *m_badge;
    QWidget *m_content;
};

TPageColumns::TPageColumns(QWidget *parent)
    : QScrollArea(parent)
    , m_splitter(new QSplitter(Qt::Horizontal))
{
    setObjectName(QStringLiteral("PageColumns"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_splitter->setObjectName(QStringLiteral("PageSplitter"));
    m_splitter->setChildrenCollapsible(false);
    setWidget(m_splitter);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] {
        m_wanted = Proportions();
        emit Resized();
    });
    // A click into a page gives it the focus: the column it lies in becomes the current one.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        const int index = IndexOf(now);
        if (index >= 0 && isVisible())
            emit Chosen(index);
    });
}

int TPageColumns::Count() const
{
    return int(m_columns.size());
}

TPageColumn *TPageColumns::Column(int index) const
{
    return index >= 0 && index < Count() ? m_columns[index] : nullptr;
}

int TPageColumns::IndexOf(const QWidget *widget) const
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget->parentWidget() == m_splitter)
            return int(
                m_columns.indexOf(static_cast<TPageColumn *>(const_cast<QWidget *>(widget))));
    }
    return -1;
}

void TPageColumns::Insert(int index, QWidget *content)
{
    auto *column = new TPageColumn(content);
    column->Header()->installEventFilter(this);
    // Retired columns may lie between: the place is the next counting column's.
    const int place = index < Count() ? m_splitter->indexOf(m_columns[index]) : m_splitter->count();
    m_splitter->insertWidget(place, column);
    m_columns.insert(index, column);
    EvenOut();
}

QWidget *TPageColumns::Retire(int index)
{
    TPageColumn *column = m_columns.takeAt(index);
    // The splitter gives its room to the others once the hiding is over (a posted layout
    // request), so hiding several in a row lays the rest out once.
    column->hide();
    return column;
}

void TPageColumns::EvenOut()
{
    if (m_columns.isEmpty())
        return;
    // In pixels of the row as wide as it is, where no column is below its narrowest: the
    // splitter would widen such a column at the others' cost.
    const bool kept = m_wanted.size() == Count();
    const int row = std::max(viewport()->width(), int(Count()) * MinimumColumnWidth);
    QList<int> sizes;
    for (int index = 0, column = 0; index < m_splitter->count(); ++index) {
        const bool hidden = m_splitter->widget(index)->isHidden();
        sizes << (hidden ? 0 : kept ? row * m_wanted[column] / 1000 : row / Count());
        column += hidden ? 0 : 1;
    }
    m_splitter->setSizes(sizes);
}

QList<int> TPageColumns::Proportions() const
{
    int total = 0;
    for (const TPageColumn *column : m_columns)
        total += column->width();
    QList<int> permille;
    for (const TPageColumn *column : m_columns)
        permille << (total > 0 ? column->width() * 1000 / total : 1000 / Count());
    return permille;
}

void TPageColumns::SetProportions(const QList<int> &permille)
{
    m_wanted = permille;
    EvenOut();
}

void TPageColumns::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    // Laid out before the area had its width (a query's first columns), the kept proportions
    // come out right once it has it.
    if (!m_wanted.isEmpty() && m_wanted.size() == Count())
        EvenOut();
}

void TPageColumns::SetHeader(
    int index, const QString &caption, const QIcon &icon, const QString &tip, const QString &badge)
{
    if (TPageColumn *column = Column(index))
        column->SetHeader(caption, icon, tip, badge);
}

void TPageColumns::SetCurrent(int index)
{
    for (int i = 0; i < Count(); ++i)
        Column(i)->SetCurrent(i == index);
    if (TPageColumn *column = Column(index))
        ensureWidgetVisible(column->Header(), 0, 0);
}

bool TPageColumns::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        emit Chosen(IndexOf(static_cast<QWidget *>(watched)));
    if (event->type() == QEvent::ContextMenu) {
        emit MenuRequested(IndexOf(static_cast<QWidget *>(watched)),
                           static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}

} // namespace tellaria
