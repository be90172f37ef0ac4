#include "ui/RecordWindow.h"

#include "desktop/WordStore.h"
#include "ui/SearchRow.h"
#include "ui/WordFiles.h"
#include "widgets/Application.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tellaria {

namespace {

// Rows read at a time: a few screenfuls; more as the list scrolls.
constexpr std::size_t PageRows = 120;

enum Column { TimeColumn, ModeColumn, TermColumn, CountColumn };
enum Role { IdRole = Qt::UserRole, ModeRole };

} // namespace

TRecordWindow::TRecordWindow(WordStore &store, QWidget *owner)
    : QWidget(owner, Qt::Window)
    , m_store(store)
{
    setObjectName(QStringLiteral("frmRecord"));
    setWindowTitle(tr("Look-up Record"));
    resize(560, 480);
    const TSearchRow search
        = MakeSearchRow(this, tr("&Search:"), "EdtRecordSearch", tr("Search the record"));
    m_search = search.Field;
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("LstRecord"));
    m_list->setAccessibleName(tr("Look-up Record"));
    m_list->setHeaderLabels({tr("Time"), tr("Mode"), tr("Term looked up"), tr("Times")});
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(TermColumn, QHeaderView::Stretch);
    m_list->header()->setStretchLastSection(false);
    m_list->installEventFilter(this);
    auto *exportButton = new QPushButton(tr("&Export..."), this);
    exportButton->setObjectName(QStringLiteral("BtnRecordExport"));
    exportButton->setStatusTip(
        tr("Export every term looked up, with its dates and times asked, to a file"));
    auto *closeButton = new QPushButton(tr("Close"), this);
    closeButton->setObjectName(QStringLiteral("BtnRecordClose"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(exportButton);
    bottom->addStretch();
    bottom->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(search.Row);
    layout->addWidget(m_list);
    layout->addLayout(bottom);

    connect(m_search, &QLineEdit::textChanged, this, &TRecordWindow::Refresh);
    connect(m_list->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value >= m_list->verticalScrollBar()->maximum() - 2)
            LoadMore();
    });
    ConnectUserAction(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { AskChosen(); });
    ConnectUserAction(exportButton, &QPushButton::clicked, this, [this] { Export(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    // Esc closes it, as it does a dialog.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
}

void TRecordWindow::Present()
{
    Refresh();
    show();
    raise();
    activateWindow();
    m_search->setFocus(Qt::OtherFocusReason);
    m_search->selectAll();
}

void TRecordWindow::Refresh()
{
    m_list->clear();
    m_day = nullptr;
    m_lastTime = m_lastId = 0;
    m_complete = false;
    LoadMore();
    if (m_list->topLevelItemCount() > 0 && m_list->topLevelItem(0)->childCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0)->child(0));
}

void TRecordWindow::LoadMore()
{
    if (m_complete)
        return;
    const std::vector<RecordRow> rows
        = m_store.RecordRows(m_search->text(), PageRows, m_lastTime, m_lastId);
    m_complete = rows.size() < PageRows;
    // The day's heading in the language spoken, whose locale is the default.
    const QLocale locale;
    const QString dayFormat = tr("dddd, d MMMM yyyy");
    QList<QTreeWidgetItem *> days;
    for (const RecordRow &row : rows) {
        const QDateTime time = QDateTime::fromSecsSinceEpoch(row.Time);
        if (!m_day || m_day->data(TimeColumn, Qt::UserRole).toDate() != time.date()) {
            m_day = new QTreeWidgetItem({locale.toString(time.date(), dayFormat)});
            m_day->setData(TimeColumn, Qt::UserRole, time.date());
            m_day->setFirstColumnSpanned(false);
            m_day->setFlags(Qt::ItemIsEnabled);
            days << m_day;
        }
        auto *item = new QTreeWidgetItem(m_day, {time.toString(QStringLiteral("HH:mm")),
                                                 ModeName(row.Mode), row.Term,
                                                 QString::number(row.TermCount)});
        item->setData(TimeColumn, IdRole, qint64(row.Id));
        item->setData(TimeColumn, ModeRole, row.Mode);
        m_lastTime = row.Time;
        m_lastId = row.Id;
    }
    m_list->addTopLevelItems(days);
    for (QTreeWidgetItem *day : days)
        day->setExpanded(true);
}

bool TRecordWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunReportingErrors([this] { AskChosen(); });
            return true;
        }
        if (key == Qt::Key_Delete) {
            RunReportingErrors([this] { RemoveChosen(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TRecordWindow::AskChosen()
{
    const QTreeWidgetItem *item = m_list->currentItem();
    if (!item || !item->parent())
        return;
    emit AskAgain(item->text(TermColumn), item->data(TimeColumn, ModeRole).toInt());
}

void TRecordWindow::RemoveChosen()
{
    std::vector<std::int64_t> ids;
    const QList<QTreeWidgetItem *> chosen = m_list->selectedItems();
    for (const QTreeWidgetItem *item : chosen) {
        if (item->parent())
            ids.push_back(item->data(TimeColumn, IdRole).toLongLong());
    }
    if (ids.empty())
        return;
    if (!m_store.RemoveLookups(ids)) {
        TApplication::ReportError(tr("Cannot remove from the record: %1").arg(m_store.LastError()));
        return;
    }
    Refresh();
}

void TRecordWindow::Export()
{
    ExportWordsToFile(this, tr("Export the Record"), tr("record.tsv"), m_store.RecordTerms());
}

} // namespace tellaria
