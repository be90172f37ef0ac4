#include "ui/UnitMain.h"

#include "browser/WebBrowser.h"
#include "ui/CommandState.h"
#include "ui/Encyclopaedias.h"
#include "ui/HelpMenu.h"
#include "ui/MainControls.h"
#include "ui/PageCommands.h"
#include "ui/QueryCompletion.h"
#include "ui/QueryEntry.h"
#include "ui/ReadingTools.h"
#include "ui/ResultPages.h"
#include "ui/StartPage.h"
#include "ui/ToolbarDock.h"
#include "ui/Unit2.h"
#include "ui/WindowPlacement.h"
#include "ui/WordKeeping.h"
#include "widgets/Application.h"
#include "widgets/ApplicationHint.h"
#include "widgets/CheckListBox.h"
#include "widgets/CoolBar.h"
#include "widgets/Docking.h"
#include "widgets/QueryBox.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScopeGuard>
#include <QStatusBar>
#include <QToolButton>

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
    ui = std::make_unique<TMainControls>(this);
    m_startPage = new TStartPage(ui->WbAd);
    m_startPage->Request();
    m_completion = new TQueryCompletion(ui->CmbBook, m_history);
    ui->PageControl1->SetFocusHome(ui->CmbBook);
    ui->PageControl1->SetBrowserFactory([this](QWidget *page) { return CreateBrowser(page); });
    Wire();
    // The window opens ready for typing a term.
    ui->CmbBook->setFocus(Qt::OtherFocusReason);
    FormCreate();
    m_commandState = new TCommandState(ui->PageControl1, [this] { ActionList1Update(); });
}

TfrmMain::~TfrmMain()
{
    delete m_commandState; // before the pages: what one reports on its way out reaches no action
}

void TfrmMain::Wire()
{
    const std::pair<QAction *, void (TfrmMain::*)()> actions[] = {
        {ui->ActPrior, &TfrmMain::ActPriorExecute},
        {ui->ActNext, &TfrmMain::ActNextExecute},
        {ui->ActClose, &TfrmMain::ActCloseExecute},
        {ui->ActCloseAll, &TfrmMain::ActCloseAllExecute},
        {ui->ActSave, &TfrmMain::ActSaveExecute},
        {ui->ActPreview, &TfrmMain::ActPreviewExecute},
        {ui->ActPrint, &TfrmMain::ActPrintExecute},
        {ui->ActPageSetup, &TfrmMain::ActPageSetupExecute},
        {ui->ActCopy, &TfrmMain::ActCopyExecute},
        {ui->ActCut, &TfrmMain::ActCutExecute},
        {ui->ActPaste, &TfrmMain::ActPasteExecute},
        {ui->ActSelectAll, &TfrmMain::ActSelectAllExecute},
        {ui->mnuExit, &TfrmMain::mnuExitClick},
        {ui->mnuQueryBox, &TfrmMain::mnuQueryBoxClick},
        {ui->mnuRefresh, &TfrmMain::mnuRefreshClick},
        {ui->NViewSideBySide, &TfrmMain::NViewSideBySideClick},
    };
    for (const auto &[action, execute] : actions)
        ConnectUserAction(action, &QAction::triggered, this,
                          [this, run = execute] { (this->*run)(); });
    // Qt inverts a check item's check before `triggered`; the handlers invert it themselves.
    for (const auto &[item, click] : {std::pair{ui->NViewStatusBar, &TfrmMain::NViewStatusBarClick},
                                      std::pair{ui->NViewToolBar, &TfrmMain::NViewToolBarClick}}) {
        ConnectUserAction(item, &QAction::triggered, this, [this, check = item, run = click] {
            check->setChecked(!check->isChecked());
            (this->*run)();
        });
    }

    ConnectUserAction(ui->BtnBookOK, &QToolButton::clicked, this, [this] { BtnBookOKClick(); });
    // The box's keys reach the box itself, which hands them to its text field unseen.
    ui->CmbBook->installEventFilter(this);
    ConnectUserAction(ui->CmbBoxType, &QComboBox::activated, this, [this] { CmbBoxTypeChange(); });
    ConnectUserAction(ui->CkLstBookshop, &TCheckListBox::Click, this,
                      [this] { CkLstBookshopClick(); });
    // The query button follows every change of a check, by mouse, Space or anything else.
    ConnectUserAction(ui->CkLstBookshop, &QListWidget::itemChanged, this,
                      [this] { CkLstBookshopClick(); });
    connect(m_startPage, &TStartPage::WindowShown, this, &TfrmMain::FirstShown);
    connect(this, &TfrmMain::Closed, m_startPage, &TStartPage::WindowClosed);
    // What a query needs and start-up does not is made once the start page is in.
    connect(m_startPage, &TStartPage::LoadEnded, ui->PageControl1, &TResultPages::PrepareQueries);
}

void TfrmMain::FormCreate()
{
    NoteTime("form create");
    ui->PageControl1->ResetPageIds();
    m_placement = new TWindowPlacement(this, FileSystemPath(m_programDirectory)
                                                 + std::string(SettingsFileName));
    m_placement->RestoreSize();
    ui->NViewSideBySide->setChecked(m_placement->StoredSideBySide());
    NViewSideBySideClick();
    m_reading = new TReadingTools(this, *ui, *m_placement);
    new TPageCommands(this, *ui);
    new THelpMenu(this, *ui, m_programDirectory);

    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    m_dock = new TToolbarDock(ui->ToolBar2, ui->CoolBar1, ui->CmbBook);

    // A history that cannot be read is reported once the steps below have run, so the window is
    // fully usable (check list, start page) with an empty history.
    const Status loaded = m_history.LoadQueryHistory(FileSystemPath(m_programDirectory));
    m_completion->RefreshItems();
    m_entry = new TQueryEntry(m_history, m_completion, ui->PageControl1, ui->WbAd,
                              FileSystemPath(m_programDirectory), this);
    connect(m_entry, &TQueryEntry::Note, this, &TfrmMain::ShowHint);
    new TWordKeeping(this, *ui, m_entry, m_history, m_completion, m_programDirectory);
    NoteTime("history");

    m_sites
        = new TEncyclopaedias(this, *ui, *m_placement,
                              FileSystemPath(m_programDirectory) + std::string(SettingsFileName));
    NoteTime("check list");
    TApplicationHint::Instance().SetReceiver(this, &TfrmMain::ShowHint);
    NoteTime("hint");
    ui->PageControl1->hide();
    ui->PnlWbAD->show();

    QStringList problems{m_sites->Problem()};
    if (!loaded.Ok())
        problems << QString::fromStdString(loaded.Message());
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
    ui->CmbBoxType->setCurrentIndex(m_placement ? m_placement->StoredLookupMode() : 0);
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
        failures << QString::fromStdString(saved.Message());
    if (m_placement)
        m_placement->Save(m_shown,
                          {ui->CmbBoxType->currentIndex(), ui->CkLstBookshop->CheckedRows(),
                           ui->CkLstBookshop->count(), ui->PageControl1->SideBySide(),
                           m_reading->Settings()},
                          failures);
    if (m_sites)
        m_sites->Save(failures);
    if (!failures.isEmpty())
        TApplication::ReportErrors(failures);
}

void TfrmMain::mnuQueryBoxClick()
{
    // A hidden toolbar comes back with the box.
    if (!ui->CmbBook->isVisible())
        NViewToolBarClick();
    ui->CmbBook->FocusAndSelectAll();
}

void TfrmMain::mnuRefreshClick()
{
    ui->PageControl1->ReloadCurrent();
}

void TfrmMain::BtnBookOKClick()
{
    const std::string term = m_entry->Take(ui->CmbBook);
    if (IsBlankTerm(term)) {
        QMessageBox::information(this, QString::fromLatin1(ApplicationTitle),
                                 QString::fromUtf8("请输入要搜索的内容！"));
        return;
    }
    // Recorded once the pages' navigations are asked for: the engine's work comes first.
    const auto record = qScopeGuard([&] {
        m_entry->Record(term);
        NoteTime("recorded");
    });

    SiteChecks checked;
    for (int row = 0; row < ui->CkLstBookshop->count(); ++row)
        checked.push_back(ui->CkLstBookshop->Checked(row));
    const QueryPlan plan = MakeQueryPlan(LookupModeFromIndex(ui->CmbBoxType->currentIndex()), term,
                                         checked, m_sites->Sites());
    m_reading->SetTerm(ui->CmbBook->currentText());

    ui->PageControl1->ReplacePages(plan, &TfrmMain::BeforeNavigate2, ui->CmbBook->currentText());
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->CmbBook && event->type() == QEvent::KeyPress
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
    ui->CmbBoxType->setCurrentIndex(mode);
    CmbBoxTypeChange();
}

void TfrmMain::QueryTerm(const QString &term, int mode)
{
    SelectLookupMode(mode);
    ui->CmbBook->setEditText(term);
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
    return ui->PageControl1->ActiveBrowser();
}

void TfrmMain::CmbBoxTypeChange()
{
    ui->PnlBook->setVisible(LookupModeFromIndex(ui->CmbBoxType->currentIndex())
                            == LookupMode::Encyclopaedias);
}

void TfrmMain::CkLstBookshopClick()
{
    ui->BtnBookOK->setEnabled(ui->CkLstBookshop->CheckedRows() != 0);
}

void TfrmMain::ActPriorExecute()
{
    ui->PageControl1->ShowPrior();
}

void TfrmMain::ActNextExecute()
{
    ui->PageControl1->ShowNext();
}

void TfrmMain::ActCloseExecute()
{
    if (ui->PageControl1->count() > 0)
        ui->PageControl1->DisposePage(ui->PageControl1->currentIndex());
    ShowStartPanelWhenNoPages();
}

void TfrmMain::ActCloseAllExecute()
{
    if (QMessageBox::question(this, QString::fromLatin1(ApplicationTitle),
                              QString::fromUtf8("确实要关闭所有查询结果吗？"),
                              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        != QMessageBox::Ok)
        return;
    ui->PageControl1->CloseAll();
    ShowStartPanelWhenNoPages();
}

void TfrmMain::ShowStartPanelWhenNoPages()
{
    TResultPages *pages = ui->PageControl1;
    pages->setVisible(pages->count() > 0);
    ui->PnlWbAD->setVisible(!pages->isVisible());
    if (pages->isVisible())
        pages->raise();
}

void TfrmMain::ActionList1Update()
{
    TCommandState::Apply(*ui);
}

void TfrmMain::RunBrowserCommand(TBrowserCommand command)
{
    if (TWebBrowser *browser = ActiveBrowser())
        browser->RunCommand(command);
}

void TfrmMain::NViewStatusBarClick()
{
    ui->NViewStatusBar->setChecked(!ui->NViewStatusBar->isChecked());
    ui->StatusBar1->setVisible(ui->NViewStatusBar->isChecked());
}

void TfrmMain::NViewSideBySideClick()
{
    ui->PageControl1->SetSideBySide(ui->NViewSideBySide->isChecked());
}

void TfrmMain::NViewToolBarClick()
{
    ui->NViewToolBar->setChecked(!ui->NViewToolBar->isChecked());
    if (m_dock)
        m_dock->ViewToggled(ui->NViewToolBar->isChecked());
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
    ui->StatusPanel0->setText(hint);
    ui->StatusPanel0->setAccessibleDescription(hint); // what a screen reader reads of it
}

} // namespace tellaria
