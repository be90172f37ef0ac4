#include "ui/HistoryClearing.h"

#include "core/QueryHistory.h"
#include "ui/Commands.h"
#include "ui/QueryCompletion.h"
#include "ui/WordKeeping.h"
#include "widgets/Application.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMessageBox>

namespace tellaria {

THistoryClearing::THistoryClearing(QWidget *form,
                                   TCommands &commands,
                                   QueryHistory &history,
                                   TQueryCompletion *completion,
                                   TWordKeeping *record)
    : QObject(form)
    , m_form(form)
    , m_history(history)
    , m_completion(completion)
    , m_record(record)
{
    QAction *item = commands.Action("mnuClearHistory");
    // Decided as the menu opens: the history is loaded after the menus are made.
    connect(commands.Menu(TMenuName::File), &QMenu::aboutToShow, item, [this, item] {
        const bool failed = m_history.LoadFailed();
        item->setEnabled(!failed);
        item->setStatusTip(failed ? tr("The history file could not be read at start-up; it is not "
                                       "cleared, to keep what it holds")
                                  : tr("Clear every term looked up"));
    });
    commands.SetRunner("mnuClearHistory", this, [this] { Clear(); });
}

void THistoryClearing::Clear()
{
    if (m_history.LoadFailed())
        return;
    QMessageBox question(
        QMessageBox::Question, QString::fromLatin1(ApplicationTitle),
        tr("Do you really want to clear the whole query history? This cannot be undone."),
        QMessageBox::Ok | QMessageBox::Cancel, m_form);
    question.setDefaultButton(QMessageBox::Ok);
    const bool recordClearable
        = m_record && m_record->Store().CurrentState() == WordStore::State::Writable;
    if (recordClearable) {
        auto *alsoRecord = new QCheckBox(
            tr("Also clear the look-up &record (the date and term of every look-up)"));
        alsoRecord->setObjectName(QStringLiteral("ChkClearRecord"));
        question.setCheckBox(alsoRecord);
    }
    if (question.exec() != QMessageBox::Ok)
        return;
    m_history.SetEntries({});
    m_completion->RefreshItems();
    if (recordClearable && question.checkBox()->isChecked() && !m_record->Store().ClearRecord())
        TApplication::ReportError(
            tr("Cannot clear the look-up record: %1").arg(m_record->Store().LastError()));
}

} // namespace tellaria
