#pragma once

// The record of every look-up and the vocabulary notebook, as the main window offers them: it
// owns their database, hears each query once its requests have left (whichever way the query
// came), and provides the commands: File › 记录查询 and 查询记录, Edit › 加入生词本 and 生词本,
// the ☆ beside the query box, and the record's part in clearing the history. The database is
// opened on first need, so start-up does not wait for it; what is wrong with it is said once.

#include "desktop/WordStore.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>
#include <string>

class QAction;
class QToolButton;

namespace tellaria {

class TNotebookWindow;
class TQueryEntry;
class TRecordWindow;
class TCommands;
class TQueryBand;
class TResultPages;

class TWordKeeping : public QObject
{
    Q_OBJECT
public:
    // The database and the settings file live in `directory` (with its trailing separator).
    // Runs its commands of `commands`; the ☆ joins the query box of `queryBand`; a query's
    // reference works are the tabs of `pages`.
    TWordKeeping(QWidget *form,
                 TCommands &commands,
                 TQueryBand *queryBand,
                 TResultPages *pages,
                 TQueryEntry *entry,
                 const QString &directory);
    ~TWordKeeping() override;

    // The database, opened (and its problem told) on the first call.
    WordStore &Store();
    bool Recording() const;

signals:
    // The user asked for `term` again in lookup mode `mode`, from the record or the notebook.
    void AskedAgain(const QString &term, int mode);

private:
    // The ☆ at the end of the query box's field, and what runs the commands.
    void AddCommands(TCommands &commands);
    void Heard(const QString &term);
    void Write();
    void KeepCurrent();
    void ShowRecord();
    void ShowNotebook();
    void AskAgain(const QString &term, int mode);
    void RecordingToggled(bool on);
    void RefreshStar();
    void TellProblem();

    QWidget *m_form;
    TQueryBand *m_queryBand;
    TResultPages *m_pages;
    std::string m_settingsPath;
    WordStore m_store;
    bool m_opened = false;
    std::optional<Lookup> m_heard;
    QAction *m_recording = nullptr;
    QAction *m_keep = nullptr;
    QAction *m_starAction = nullptr;
    QToolButton *m_star = nullptr; // the field's button for it, for its description
    QPointer<TRecordWindow> m_recordWindow;
    QPointer<TNotebookWindow> m_notebookWindow;
};

} // namespace tellaria
