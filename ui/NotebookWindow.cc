#include "ui/NotebookWindow.h"

#include "desktop/WordStore.h"
#include "ui/SearchRow.h"
#include "ui/WordFiles.h"
#include "widgets/Application.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tellaria {

namespace {

enum Column { TermColumn, NoteColumn, ModeColumn, FirstColumn, LastColumn, CountColumn };
constexpr int ModeRole = Qt::UserRole;

QPushButton *Button(QWidget *parent, const char *name, const QString &text, const QString &tip)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setStatusTip(tip);
    return button;
}

} // namespace

TNotebookWindow::TNotebookWindow(WordStore &store, QWidget *owner)
    : QWidget(owner, Qt::Window)
    , m_store(store)
{
    setObjectName(QStringLiteral("frmNotebook"));
    setWindowTitle(tr("Vocabulary Notebook"));
    resize(640, 440);
    const TSearchRow search
        = MakeSearchRow(this, tr("&Search:"), "EdtNotebookSearch", tr("Search the notebook"));
    m_search = search.Field;
    m_table = new QTableWidget(0, 6, this);
    m_table->setObjectName(QStringLiteral("LstNotebook"));
    m_table->setAccessibleName(tr("Vocabulary Notebook"));
    m_table->setHorizontalHeaderLabels(
        {tr("Term"), tr("Note"), tr("Mode"), tr("First look-up"), tr("Last look-up"), tr("Times")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_table->horizontalHeader()->setSectionResizeMode(NoteColumn, QHeaderView::Stretch);
    m_table->verticalHeader()->hide();
    m_table->installEventFilter(this);
    QPushButton *exportButton = Button(this, "BtnNotebookExport", tr("&Export..."),
                                       tr("Export the notebook as tab-separated text (which "
                                          "flash-card programs import) or as a CSV file"));
    QPushButton *importButton
        = Button(this, "BtnNotebookImport", tr("&Import..."),
                 tr("Import words from tab-separated text, merging them with those already kept"));
    QPushButton *removeButton = Button(this, "BtnNotebookRemove", tr("&Remove"),
                                       tr("Remove the chosen words from the notebook"));
    QPushButton *closeButton
        = Button(this, "BtnNotebookClose", tr("Close"), tr("Close the notebook"));

    auto *bottom = new QHBoxLayout;
    for (QPushButton *button : {exportButton, importButton, removeButton})
        bottom->addWidget(button);
    bottom->addStretch();
    bottom->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(search.Row);
    layout->addWidget(m_table);
    layout->addLayout(bottom);

    connect(m_search, &QLineEdit::textChanged, this, &TNotebookWindow::Refresh);
    ConnectUserAction(m_table, &QTableWidget::cellChanged, this,
                      [this] { NoteEdited(m_table->currentRow(), m_table->currentColumn()); });
    ConnectUserAction(m_table, &QTableWidget::cellDoubleClicked, this, [this] {
        const int row = m_table->currentRow();
        if (row >= 0 && m_table->currentColumn() != NoteColumn)
            emit AskAgain(m_table->item(row, TermColumn)->text(),
                          m_table->item(row, TermColumn)->data(ModeRole).toInt());
    });
    ConnectUserAction(exportButton, &QPushButton::clicked, this, [this] {
        ExportWordsToFile(this, tr("Export the Notebook"), tr("notebook.tsv"), m_store.Words());
    });
    ConnectUserAction(importButton, &QPushButton::clicked, this, [this] {
        if (ImportWordsFromFile(this, m_store)) {
            Refresh();
            emit Changed();
        }
    });
    ConnectUserAction(removeButton, &QPushButton::clicked, this, [this] { RemoveChosen(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    // Esc closes it, as it does a dialog.
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
}

void TNotebookWindow::Present()
{
    Refresh();
    show();
    raise();
    activateWindow();
    m_search->setFocus(Qt::OtherFocusReason);
    m_search->selectAll();
}

void TNotebookWindow::Refresh()
{
    const std::vector<WordEntry> words = m_store.Words(m_search->text());
    m_filling = true;
    m_table->setRowCount(int(words.size()));
    for (int row = 0; row < int(words.size()); ++row) {
        const WordEntry &word = words[std::size_t(row)];
        const QString texts[] = {QString::fromStdString(word.Term),
                                 QString::fromStdString(word.Note),
                                 ModeName(word.Mode),
                                 LocalTimeText(word.First),
                                 LocalTimeText(word.Last),
                                 QString::number(word.Count)};
        for (int column = 0; column < int(std::size(texts)); ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            if (column != NoteColumn)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            m_table->setItem(row, column, item);
        }
        m_table->item(row, TermColumn)->setData(ModeRole, word.Mode);
    }
    m_filling = false;
    if (!words.empty() && m_table->currentRow() < 0)
        m_table->setCurrentCell(0, TermColumn);
}

void TNotebookWindow::NoteEdited(int row, int column)
{
    if (m_filling || column != NoteColumn || row < 0)
        return;
    if (!m_store.SetNote(m_table->item(row, TermColumn)->text(),
                         m_table->item(row, NoteColumn)->text()))
        TApplication::ReportError(tr("Cannot save the note: %1").arg(m_store.LastError()));
    emit Changed();
}

bool TNotebookWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A note's editor takes its own keys: only the table's reach here.
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const int row = m_table->currentRow();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && row >= 0) {
            emit AskAgain(m_table->item(row, TermColumn)->text(),
                          m_table->item(row, TermColumn)->data(ModeRole).toInt());
            return true;
        }
        if (key == Qt::Key_Delete) {
            RunReportingErrors([this] { RemoveChosen(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TNotebookWindow::RemoveChosen()
{
    QStringList terms;
    const QList<QTableWidgetItem *> chosen = m_table->selectedItems();
    for (const QTableWidgetItem *item : chosen) {
        if (item->column() == TermColumn)
            terms << item->text();
    }
    for (const QString &term : terms) {
        if (!m_store.RemoveWord(term)) {
            TApplication::ReportError(tr("Cannot remove: %1").arg(m_store.LastError()));
            break;
        }
    }
    Refresh();
    emit Changed();
}

} // namespace tellaria
