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
        item->setStatusTip(
            failed ? QString::fromUtf8("查询历史文件启动时无法读取，为保留其内容不予清除")
                   : QString::fromUtf8("清除所有查询过的词语"));
    });
    commands.SetRunner("mnuClearHistory", this, [this] { Clear(); });
}

void THistoryClearing::Clear()
{
    if (m_history.LoadFailed())
        return;
    QMessageBox question(QMessageBox::Question, QString::fromLatin1(ApplicationTitle),
                         QString::fromUtf8("确实要清除所有查询历史吗？此操作无法撤销。"),
                         QMessageBox::Ok | QMessageBox::Cancel, m_form);
    question.setDefaultButton(QMessageBox::Ok);
    const bool recordClearable
        = m_record && m_record->Store().CurrentState() == WordStore::State::Writable;
    if (recordClearable) {
        auto *alsoRecord
            = new QCheckBox(QString::fromUtf8("同时清除查询记录（每次查询的日期和词语）(&R)"));
        alsoRecord->setObjectName(QStringLiteral("ChkClearRecord"));
        question.setCheckBox(alsoRecord);
    }
    if (question.exec() != QMessageBox::Ok)
        return;
    m_history.SetEntries({});
    m_completion->RefreshItems();
    if (recordClearable && question.checkBox()->isChecked() && !m_record->Store().ClearRecord())
        TApplication::ReportError(
            QString::fromUtf8("无法清除查询记录：%1").arg(m_record->Store().LastError()));
}

} // namespace tellaria
