#include "ui/UnitMain.h"

#include "browser/WebBrowser.h"
#include "ui/CommandState.h"
#include "ui/Commands.h"
#include "ui/Encyclopaedias.h"
#include "ui/HelpMenu.h"
#include "ui/HistoryClearing.h"
#include "ui/PageArea.h"
#include "ui/PageCommands.h"
#include "ui/QueryBand.h"
#include "ui/QueryCompletion.h"
#include "ui/QueryEntry.h"
#include "ui/ReadingTools.h"
#include "ui/ResultPages.h"
#include "ui/StartPage.h"
#include "ui/StatusLine.h"
#include "ui/ToolbarDock.h"
#include "ui/WindowPlacement.h"
#include "ui/WordKeeping.h"
#include "widgets/Application.h"
#include "widgets/ApplicationHint.h"
#include "widgets/CheckListBox.h"
#include "widgets/QueryBox.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScopeGuard>
#include <QToolButton>
#include <QVBoxLayout>

namespace tellaria {

// The window's outer size as designed, before the settings give it its own.
constexpr int DesignWidth = 729, DesignHeight = 528;

TfrmMain::TfrmMain(const QString &programDirectory, QWidget *parent)
    : QWidget(parent)
    , m_programDirectory(programDirectory)
{
    setObjectName(QStringLiteral("frmMain"));
    if (!m_programDirectory.endsWith(QLatin1Char('/')))
        m_programDirectory += QLatin1Char('/');
    resize(DesignWidth, DesignHeight);
    m_commands = new TCommands(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_bands = new TBandArea(*m_commands, *this, this);
    m_query = m_bands->QueryBand();
    layout->addWidget(m_bands);
    m_pageArea = new TPageArea(this);
    m_pages = m_pageArea->Pages();
    layout->addWidget(m_pageArea, 1);
    m_status = new TStatusLine(this);
    layout->addWidget(m_status);
    m_startPage = new TStartPage(m_pageArea->StartBrowser());
    m_startPage->Request();
    m_completion = new TQueryCompletion(m_query->QueryBox(), m_history);
    m_pages->SetFocusHome(m_query->QueryBox());
    m_pages->SetBrowserFactory([this](QWidget *page) { return CreateBrowser(page); });
    Wire();
    // The window opens ready for typing a term.
    m_query->QueryBox()->setFocus(Qt::OtherFocusReason);
    FormCreate();
    m_commandState = new TCommandState(*m_commands, m_pages);
}

TfrmMain::~TfrmMain()
{
    delete m_commandState; // before the pages: what one reports on its way out reaches no action
}

void TfrmMain::Wire()
{
    const std::pair<const char *, void (TfrmMain::*)()> commands[] = {
        {"ActPrior", &TfrmMain::ActPriorExecute},
        {"ActNext", &TfrmMain::ActNextExecute},
        {"ActClose", &TfrmMain::ActCloseExecute},
        {"ActCloseAll", &TfrmMain::ActCloseAllExecute},
        {"ActSave", &TfrmMain::ActSaveExecute},
        {"ActPreview", &TfrmMain::ActPreviewExecute},
        {"ActPrint", &TfrmMain::ActPrintExecute},
        {"ActPageSetup", &TfrmMain::ActPageSetupExecute},
        {"ActCopy", &TfrmMain::ActCopyExecute},
        {"ActCut", &TfrmMain::ActCutExecute},
        {"ActPaste", &TfrmMain::ActPasteExecute},
        {"ActSelectAll", &TfrmMain::ActSelectAllExecute},
        {"mnuExit", &TfrmMain::mnuExitClick},
        {"mnuQueryBox", &TfrmMain::mnuQueryBoxClick},
        {"mnuRefresh", &TfrmMain::mnuRefreshClick},
        {"NViewSideBySide", &TfrmMain::NViewSideBySideClick},
    };
    for (const auto &[id, execute] : commands)
        m_commands->SetRunner(id, this, [this, run = execute] { (this->*run)(); });
    // Qt inverts a check item's check before `triggered`; the handlers invert it themselves.
    for (const auto &[id, click] : {std::pair{"NViewStatusBar", &TfrmMain::NViewStatusBarClick},
                                    std::pair{"NViewToolBar", &TfrmMain::NViewToolBarClick}}) {
        QAction *check = m_commands->Action(id);
        m_commands->SetRunner(id, this, [this, check, run = click] {
            check->setChecked(!check->isChecked());
            (this->*run)();
        });
    }

    ConnectUserAction(m_query->QueryButton(), &QToolButton::clicked, this,
                      [this] { BtnBookOKClick(); });
    // The box's keys reach the box itself, which hands them to its text field unseen.
    m_query->QueryBox()->installEventFilter(this);
    ConnectUserAction(m_query->ModeSelector(), &QComboBox::activated, this,
                      [this] { CmbBoxTypeChange(); });
    TCheckListBox *sites = m_bands->SiteList();
    ConnectUserAction(sites, &TCheckListBox::Click, this, [this] { CkLstBookshopClick(); });
    // The query button follows every change of a check, by mouse, Space or anything else.
    ConnectUserAction(sites, &QListWidget::itemChanged, this, [this] { CkLstBookshopClick(); });
    connect(m_startPage, &TStartPage::WindowShown, this, &TfrmMain::FirstShown);
    connect(this, &TfrmMain::Closed, m_startPage, &TStartPage::WindowClosed);
    // What a query needs and start-up does not is made once the start page is in.
    connect(m_startPage, &TStartPage::LoadEnded, m_pages, &TResultPages::PrepareQueries);
}

void TfrmMain::FormCreate()
{
    NoteTime("form create");
    m_pages->ResetPageIds();
    m_placement = new TWindowPlacement(this, FileSystemPath(m_programDirectory)
                                                 + std::string(SettingsFileName));
    m_placement->RestoreSize();
    m_reading = new TReadingTools(this, *m_commands, m_pages, m_status, m_query->QueryBox(),
                                  *m_placement);
    new TPageCommands(this, *m_commands, m_pages, *m_placement, m_query);
    m_commands->Action("NViewSideBySide")->setChecked(m_placement->StoredSideBySide());
    NViewSideBySideClick();
    new THelpMenu(this, *m_commands, m_programDirectory);

    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    m_dock = new TToolbarDock(m_query, m_bands, m_query->QueryBox());

    // A history that cannot be read is reported once the steps below have run, so the window is
    // fully usable (check list, start page) with an empty history.
    const Status loaded = m_history.LoadQueryHistory(FileSystemPath(m_programDirectory));
    m_completion->RefreshItems();
    m_entry = new TQueryEntry(m_history, m_completion, m_pages, m_pageArea->StartBrowser(),
                              FileSystemPath(m_programDirectory), this);
    connect(m_entry, &TQueryEntry::Note, this, &TfrmMain::ShowHint);
    auto *keeping
        = new TWordKeeping(this, *m_commands, m_query, m_pages, m_entry, m_programDirectory);
    connect(keeping, &TWordKeeping::AskedAgain, this, &TfrmMain::QueryTerm);
    new THistoryClearing(this, *m_commands, m_history, m_completion, keeping);
    NoteTime("history");

    m_sites = new TEncyclopaedias(
        this, *m_commands, m_bands->SiteList(), m_query->QueryButton(), *m_placement,
        FileSystemPath(m_programDirectory) + std::string(SettingsFileName));
    NoteTime("check list");
    TApplicationHint::Instance().SetReceiver(this, &TfrmMain::ShowHint);
    NoteTime("hint");
    m_pageArea->ShowStartPanelWhenNoPages();

    QStringList problems{m_sites->Problem()};
    if (!loaded.Ok())
        problems << StatusText(loaded);
    problems.removeAll(QString());
    if (!problems.isEmpty())
        TApplication::ReportErrors(problems);
}

void TfrmMain::ShowOnceStartPageStarts(int limitMs)
{
    m_startPage->ShowWindowOnceStarted(this, limitMs);
}

bool TfrmMain::FirstShowPending() const
{
    return m_startPage->ShowPending();
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmMain::FormShow()
{
    m_query->ModeSelector()->setCurrentIndex(m_placement ? m_placement->StoredLookupMode() : 0);
    CmbBoxTypeChange();
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted() || m_closed)
        return;
    m_closed = true;
    FormClose();
    // The floating windows end with the program, unasked.
    if (m_dock)
        m_dock->EndWithProgram();
    emit Closed();
}

void TfrmMain::FormClose()
{
    // Each save is tried on its own, so a file that cannot be written costs only itself, and
    // every failure is reported. A history whose load failed is not saved: its file is kept.
    QStringList failures;
    const Status saved = m_history.SaveQueryHistory(FileSystemPath(m_programDirectory));
    if (!saved.Ok())
        failures << StatusText(saved);
    if (m_placement)
        m_placement->Save(m_shown,
                          {m_query->ModeSelector()->currentIndex(),
                           m_bands->SiteList()->CheckedRows(), m_bands->SiteList()->count(),
                           m_pages->SideBySide(), m_reading->Settings()},
                          failures);
    if (m_sites)
        m_sites->Save(failures);
    if (!failures.isEmpty())
        TApplication::ReportErrors(failures);
}

void TfrmMain::mnuQueryBoxClick()
{
    // A hidden toolbar comes back with the box.
    if (!m_query->QueryBox()->isVisible())
        NViewToolBarClick();
    m_query->QueryBox()->FocusAndSelectAll();
}

void TfrmMain::BtnBookOKClick()
{
    const std::string term = m_entry->Take(m_query->QueryBox());
    if (IsBlankTerm(term)) {
        QMessageBox::information(this, QString::fromLatin1(ApplicationTitle),
                                 tr("Please enter what to look up!"));
        return;
    }
    // Recorded once the pages' navigations are asked for: the engine's work comes first.
    const auto record = qScopeGuard([&] {
        m_entry->Record(term);
        NoteTime("recorded");
    });

    SiteChecks checked;
    for (int row = 0; row < m_bands->SiteList()->count(); ++row)
        checked.push_back(m_bands->SiteList()->Checked(row));
    const QueryPlan plan
        = MakeQueryPlan(LookupModeFromIndex(m_query->ModeSelector()->currentIndex()), term, checked,
                        m_sites->Sites());
    m_reading->SetTerm(m_query->QueryBox()->currentText());

    m_pages->ReplacePages(plan, &TfrmMain::BeforeNavigate2, m_query->QueryBox()->currentText());
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_query->QueryBox() && event->type() == QEvent::KeyPress
        && CmbBookKeyPress(static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool TfrmMain::CmbBookKeyPress(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        NoteTime("enter");
        RunReportingErrors([this] { BtnBookOKClick(); });
        return false;
    }
    return m_completion->KeyPress(event);
}

void TfrmMain::SelectLookupMode(int mode)
{
    if (mode < 0 || mode >= LookupModeCount)
        return;
    m_query->ModeSelector()->setCurrentIndex(mode);
    CmbBoxTypeChange();
}

void TfrmMain::QueryTerm(const QString &term, int mode)
{
    SelectLookupMode(mode);
    m_query->QueryBox()->setEditText(term);
    RunReportingErrors([this] { BtnBookOKClick(); });
}

TWebBrowser *TfrmMain::CreateBrowser(QWidget *page)
{
    return new TWebBrowser(page);
}

TNavigation TfrmMain::BeforeNavigate2(TWebBrowser *, const QUrl &url, bool)
{
    return IsAdServerNavigation(url.toString().toStdString()) ? TNavigation::Refuse
                                                              : TNavigation::Allow;
}

TWebBrowser *TfrmMain::ActiveBrowser() const
{
    return m_pages->ActiveBrowser();
}

void TfrmMain::CmbBoxTypeChange()
{
    m_bands->SiteBand()->setVisible(LookupModeFromIndex(m_query->ModeSelector()->currentIndex())
                                    == LookupMode::Encyclopaedias);
}

void TfrmMain::CkLstBookshopClick()
{
    m_query->QueryButton()->setEnabled(m_bands->SiteList()->CheckedRows() != 0);
}

void TfrmMain::ActCloseExecute()
{
    if (m_pages->count() > 0)
        m_pages->DisposePage(m_pages->currentIndex());
    m_pageArea->ShowStartPanelWhenNoPages();
}

void TfrmMain::ActCloseAllExecute()
{
    if (QMessageBox::question(this, QString::fromLatin1(ApplicationTitle),
                              tr("Really close all query results?"),
                              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        != QMessageBox::Ok)
        return;
    m_pages->CloseAll();
    m_pageArea->ShowStartPanelWhenNoPages();
}

void TfrmMain::RunBrowserCommand(TBrowserCommand command)
{
    if (TWebBrowser *browser = ActiveBrowser())
        browser->RunCommand(command);
}

void TfrmMain::NViewStatusBarClick()
{
    QAction *item = m_commands->Action("NViewStatusBar");
    item->setChecked(!item->isChecked());
    m_status->setVisible(item->isChecked());
}

void TfrmMain::NViewSideBySideClick()
{
    m_pages->SetSideBySide(m_commands->Action("NViewSideBySide")->isChecked());
}

void TfrmMain::NViewToolBarClick()
{
    QAction *item = m_commands->Action("NViewToolBar");
    item->setChecked(!item->isChecked());
    if (m_dock)
        m_dock->ViewToggled(item->isChecked());
}

TfrmFloating *TfrmMain::FloatingHost() const
{
    return m_dock ? m_dock->FloatingHost() : nullptr;
}

bool TfrmMain::CoolBar1DockOver(TDragDockObject &source, const QPoint &, TDragState)
{
    return m_dock && m_dock->DockOver(source);
}

void TfrmMain::CoolBar1DockDrop(TDragDockObject &source, const QPoint &)
{
    if (m_dock)
        m_dock->DockDrop(source);
}

void TfrmMain::ShowHint(const QString &hint)
{
    m_status->ShowHint(hint);
}

} // namespace tellaria
