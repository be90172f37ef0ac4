#include "ui/WordKeeping.h"

#include "core/SettingsFile.h"
#include "desktop/CoreWording.h"
#include "desktop/DataDirectory.h"
#include "ui/Commands.h"
#include "ui/NotebookWindow.h"
#include "ui/QueryBand.h"
#include "ui/QueryEntry.h"
#include "ui/RecordWindow.h"
#include "ui/ResultPages.h"
#include "widgets/Application.h"
#include "widgets/QueryBox.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <QToolButton>

namespace tellaria {

namespace {

// The settings key of File › 记录查询, written only once the user changed it.
constexpr char RecordSection[] = "Record";

// ☆ or ★ as the field's icon, drawn in the window's font so that it matches the text beside it.
QIcon StarIcon(bool filled)
{
    QPixmap star(32, 32);
    star.fill(Qt::transparent);
    QPainter painter(&star);
    QFont font = QApplication::font();
    font.setPixelSize(28);
    painter.setFont(font);
    painter.setPen(filled ? QColor(0xE0, 0x9A, 0x00)
                          : QApplication::palette().color(QPalette::Text));
    painter.drawText(star.rect(), Qt::AlignCenter, QString(QChar(filled ? 0x2605 : 0x2606)));
    return QIcon(star);
}

} // namespace

TWordKeeping::TWordKeeping(QWidget *form,
                           TCommands &commands,
                           TQueryBand *queryBand,
                           TResultPages *pages,
                           TQueryEntry *entry,
                           const QString &directory)
    : QObject(form)
    , m_form(form)
    , m_queryBand(queryBand)
    , m_pages(pages)
    , m_settingsPath(FileSystemPath(directory) + std::string(SettingsFileName))
    , m_store(directory + QLatin1String(WordStoreFileName))
{
    AddCommands(commands);
    connect(entry, &TQueryEntry::Queried, this, &TWordKeeping::Heard);
    connect(entry, &TQueryEntry::RequestsLeft, this, &TWordKeeping::Write);
    // Opened once the window is up and its first query on its way: start-up never waits for it.
    QTimer::singleShot(1500, this, [this] { (void)Store(); });
}

TWordKeeping::~TWordKeeping() = default;

void TWordKeeping::AddCommands(TCommands &commands)
{
    m_recording = commands.Action("mnuRecordQueries");
    m_recording->setChecked(SettingsFile(m_settingsPath).ReadIntValue(RecordSection, "Enabled", 1)
                            != 0);
    m_keep = commands.Action("mnuKeepWord");
    TQueryBox *box = m_queryBand->QueryBox();

    // The ☆ at the end of the query box's field, filled while the box holds a kept term. Inside
    // the field it takes none of the toolbar's width, which the box and its panel need.
    m_starAction = new QAction(StarIcon(false), tr("Keep in the Notebook"), box);
    m_starAction->setObjectName(QStringLiteral("BtnKeepWord"));
    m_starAction->setStatusTip(m_keep->statusTip());
    box->lineEdit()->addAction(m_starAction, QLineEdit::TrailingPosition);
    const QList<QToolButton *> buttons = box->lineEdit()->findChildren<QToolButton *>();
    for (QToolButton *button : buttons) {
        if (button->defaultAction() == m_starAction) {
            m_star = button;
            m_star->setObjectName(QStringLiteral("BtnKeepWord"));
            m_star->setAccessibleName(m_starAction->text());
        }
    }
    RefreshStar();

    commands.SetRunner("mnuRecordWindow", this, [this] { ShowRecord(); });
    commands.SetRunner("mnuNotebook", this, [this] { ShowNotebook(); });
    commands.SetRunner("mnuKeepWord", this, [this] { KeepCurrent(); });
    ConnectUserAction(m_starAction, &QAction::triggered, this, [this] { KeepCurrent(); });
    commands.SetToggle("mnuRecordQueries", this, [this](bool on) { RecordingToggled(on); });
    connect(box, &QComboBox::editTextChanged, this, &TWordKeeping::RefreshStar);
}

WordStore &TWordKeeping::Store()
{
    if (!std::exchange(m_opened, true)) {
        m_store.Open();
        TellProblem();
        RefreshStar();
    }
    return m_store;
}

bool TWordKeeping::Recording() const
{
    return m_recording->isChecked();
}

void TWordKeeping::Heard(const QString &term)
{
    if (!Recording())
        return;
    Lookup lookup;
    lookup.Time = QDateTime::currentSecsSinceEpoch();
    lookup.Mode = m_queryBand->ModeSelector()->currentIndex();
    lookup.Term = term;
    for (int page = 0; page < m_pages->count(); ++page)
        lookup.Sites << m_pages->tabText(page);
    m_heard = std::move(lookup);
}

void TWordKeeping::Write()
{
    if (!m_heard)
        return;
    const Lookup lookup = std::move(*m_heard);
    m_heard.reset();
    // A write that fails keeps the look-up in memory for the next one; told once, at open.
    (void)Store().Record(lookup);
    if (m_recordWindow)
        m_recordWindow->Refresh();
}

void TWordKeeping::KeepCurrent()
{
    const QString term
        = QString::fromStdString(KeptTerm(m_queryBand->QueryBox()->currentText().toStdString()));
    if (term.isEmpty()) {
        QMessageBox::information(m_form, QString::fromLatin1(ApplicationTitle),
                                 tr("First type the term to keep into the query box."));
        return;
    }
    WordStore &store = Store();
    if (store.CurrentState() != WordStore::State::Writable) {
        QMessageBox::information(m_form, QString::fromLatin1(ApplicationTitle), store.Problem());
        return;
    }
    QString note;
    for (const WordEntry &word : store.Words(term)) {
        if (TermKey(word.Term) == TermKey(term.toStdString()))
            note = QString::fromStdString(word.Note);
    }
    bool accepted = false;
    note = QInputDialog::getText(m_form, tr("Keep in the Notebook"),
                                 tr("Note on \"%1\" (may be left empty):").arg(term),
                                 QLineEdit::Normal, note, &accepted);
    if (!accepted)
        return;
    if (!store.Keep(term, m_queryBand->ModeSelector()->currentIndex())
        || !store.SetNote(term, note)) {
        TApplication::ReportError(tr("Cannot keep it in the notebook: %1").arg(store.LastError()));
        return;
    }
    RefreshStar();
    if (m_notebookWindow)
        m_notebookWindow->Refresh();
}

void TWordKeeping::ShowRecord()
{
    if (!m_recordWindow) {
        m_recordWindow = new TRecordWindow(Store(), m_form);
        connect(m_recordWindow, &TRecordWindow::AskAgain, m_form,
                [this](const QString &term, int mode) { AskAgain(term, mode); });
    }
    m_recordWindow->Present();
}

void TWordKeeping::ShowNotebook()
{
    if (!m_notebookWindow) {
        m_notebookWindow = new TNotebookWindow(Store(), m_form);
        connect(m_notebookWindow, &TNotebookWindow::AskAgain, m_form,
                [this](const QString &term, int mode) { AskAgain(term, mode); });
        connect(m_notebookWindow, &TNotebookWindow::Changed, this, &TWordKeeping::RefreshStar);
    }
    m_notebookWindow->Present();
}

void TWordKeeping::AskAgain(const QString &term, int mode)
{
    // The results are the main window's: it comes to the front with them.
    m_form->window()->raise();
    m_form->window()->activateWindow();
    emit AskedAgain(term, mode);
}

void TWordKeeping::RecordingToggled(bool on)
{
    const Status written
        = SettingsFile(m_settingsPath).WriteIntValue("Record", "Enabled", on ? 1 : 0);
    if (!written.Ok())
        TApplication::ReportError(StatusText(written));
}

void TWordKeeping::RefreshStar()
{
    // Before the database is opened nothing is known kept: the star waits for it.
    const bool kept = m_opened && m_store.IsKept(m_queryBand->QueryBox()->currentText());
    m_starAction->setIcon(StarIcon(kept));
    m_starAction->setToolTip(kept ? tr("In the notebook; click to change the note")
                                  : tr("Keep in the Notebook"));
    if (m_star)
        m_star->setAccessibleDescription(kept ? tr("In the notebook") : QString());
}

void TWordKeeping::TellProblem()
{
    if (m_store.Problem().isEmpty())
        return;
    // Not modal: the window goes on querying while the message waits for its reader.
    auto *box = new QMessageBox(m_form);
    box->setObjectName(QStringLiteral("dlgRecordProblem"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->setWindowTitle(QString::fromLatin1(ApplicationTitle));
    box->setIcon(QMessageBox::Warning);
    if (m_store.CurrentState() != WordStore::State::Damaged) {
        box->setText(m_store.Problem());
        box->setStandardButtons(QMessageBox::Ok);
    } else {
        box->setText(tr("%1 Keep it under a new name (with .damaged and the time added) and start "
                        "an empty database? Choose No and look-ups are not recorded this run; "
                        "the file is left as it is.")
                         .arg(m_store.Problem()));
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::No);
        connect(box, &QMessageBox::buttonClicked, this, [this, box](QAbstractButton *button) {
            if (box->standardButton(button) != QMessageBox::Yes)
                return;
            const QString aside = m_store.SetAsideAndCreate();
            TApplication::ReportError(
                aside.isEmpty()
                    ? tr("The damaged record database could not be renamed; the file is left as it "
                         "is.")
                    : tr("The damaged record database was renamed \"%1\"; a new record starts now.")
                          .arg(aside));
        });
    }
    box->show();
}

} // namespace tellaria
