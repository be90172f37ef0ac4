#include "app/Program.h"

#include "browser/PageAccessibility.h"
#include "browser/PageDrawing.h"
#include "browser/WebBrowser.h"
#include "core/SettingsFile.h"
#include "desktop/CommandLine.h"
#include "desktop/DataDirectory.h"
#include "desktop/SelectedText.h"
#include "desktop/SessionBus.h"
#include "desktop/SingleInstance.h"
#include "desktop/TerminationSignals.h"
#include "desktop/Translations.h"
#include "desktop/WindowActivation.h"
#include "ui/UnitMain.h"
#include "widgets/Application.h"

#include <QClipboard>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

#include <unistd.h>

#include <cstdio>
#include <functional>
#include <optional>

namespace tellaria {

namespace {

// The longest the window waits for the engine to begin on the start page before it shows.
constexpr int ShowWindowWithinMs = 100;

void Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

void PrintError(const QString &text)
{
    Print(stderr, QStringLiteral("tellaria: ") + text + QLatin1Char('\n'));
}

// Whether a message box can be shown: a display to connect to, and a platform that shows
// windows to someone (offscreen and minimal show nothing, and nobody could close the box).
bool HasDisplay()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.startsWith(QLatin1String("offscreen"))
        || platform.startsWith(QLatin1String("minimal")))
        return false;
    return !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void ShowError(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(ApplicationTitle), text,
                    QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("Program", "OK"));
    box.exec();
}

// The browser engine's sandbox does not run as root, and the program never turns it off itself:
// only a user who has turned it off (QTWEBENGINE_DISABLE_SANDBOX, or --no-sandbox in
// QTWEBENGINE_CHROMIUM_FLAGS) runs it as root.
bool SandboxRefusesThisUser()
{
    if (::geteuid() != 0 || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        return false;
    const QStringList flags
        = qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").split(QLatin1Char(' '));
    return !flags.contains(QLatin1String("--no-sandbox"));
}

QString RootRefusalText()
{
    return TEarlyText::translate(
        "Program", "Tellaria cannot run as root: the sandbox of the browser engine it shows web "
                   "pages with does not support the root user, and Tellaria does not turn the "
                   "sandbox off. Please run Tellaria as an ordinary user.");
}

// The text selected in another program. Read here, in the process the user started, before the
// engine starts, so that a running copy is handed a plain term like any other; over X, on a
// connection of its own, since a Wayland compositor gives its selections only to the window that
// has the keyboard. Only without an X server is the application object needed, which
// `startApplication` makes.
QString SelectedText(const std::function<void()> &startApplication)
{
    if (const std::optional<QString> text = ReadX11SelectedText())
        return *text;
    // No X server: what the platform gives a program without a window, often nothing.
    startApplication();
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QString selected
        = clipboard->supportsSelection() ? clipboard->text(QClipboard::Selection) : QString();
    return selected.isEmpty() ? clipboard->text(QClipboard::Clipboard) : selected;
}

void CarryOut(TfrmMain &window, const TLookupRequest &request)
{
    if (request.SelectionTooLong) {
        // Refused as a blank term is: the mode asked for is picked, nothing is recorded.
        window.SelectLookupMode(request.Mode);
        QMessageBox::information(
            &window, QString::fromLatin1(ApplicationTitle),
            QCoreApplication::translate(
                "Program", "The selected text is too long (over %1 characters) to look up.")
                .arg(LongestSelectedTerm));
        return;
    }
    if (request.Term)
        window.QueryTerm(*request.Term, request.Mode);
    else
        window.SelectLookupMode(request.Mode);
}

void Deliver(TfrmMain &window, const TLookupRequest &request)
{
    // A later start's request comes after the command line's, which is carried out once the
    // window is first shown.
    if (window.FirstShowPending()) {
        QObject::connect(
            &window, &TfrmMain::FirstShown, &window,
            [&window, request] { Deliver(window, request); }, Qt::SingleShotConnection);
        return;
    }
    TWindowActivation(request.StartupId, request.ActivationToken).BringToFront(&window);
    // A dialog of the window's is open (a message, saving, printing): it stays in front, and the
    // request waits for it, since a query would close the pages the dialog may be working on.
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
        // The launcher's proof is spent: asked again, the window manager would take it for a
        // new request, and take the focus from where the user has gone meanwhile.
        TLookupRequest waiting = request;
        waiting.StartupId.clear();
        waiting.ActivationToken.clear();
        // Tried again once the dialog is done with (another may be open by then); queued, so
        // that the dialog's own handling of its end comes first.
        const auto retry = [&window, waiting] { Deliver(window, waiting); };
        if (auto *box = qobject_cast<QDialog *>(dialog))
            QObject::connect(box, &QDialog::finished, &window, retry,
                             Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
        else
            QObject::connect(dialog, &QObject::destroyed, &window, retry, Qt::QueuedConnection);
        return;
    }
    CarryOut(window, request);
}

} // namespace

void ServeLaterStarts(TSingleInstance &instance, TfrmMain &window)
{
    QObject::connect(&instance, &TSingleInstance::Requested, &window,
                     [&window](const TLookupRequest &request) { Deliver(window, request); });
}

void ShowAndCarryOut(TfrmMain &window, const TLookupRequest &request)
{
    // Showing restores the stored mode, which a --mode given then replaces.
    QObject::connect(
        &window, &TfrmMain::FirstShown, &window,
        [&window, request] {
            NoteTime("shown");
            TWindowActivation(request.StartupId, request.ActivationToken)
                .ActivateFirstWindow(&window);
            CarryOut(window, request);
        },
        Qt::SingleShotConnection);
    window.ShowOnceStartPageStarts(ShowWindowWithinMs);
}

int RunProgram(int argc, char *argv[])
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    NameApplication();
    const QString dataDirectory = DataDirectory(ExecutableDirectory());
    // Chosen first: --help and the command line's errors speak it too.
    SelectLanguage(dataDirectory + QString::fromLatin1(SettingsFileName));
    // Read before any window exists, so that --help and --version need no display.
    const TCommandLine commandLine = ParseCommandLine(arguments);
    switch (commandLine.Action) {
    case TCommandLine::TAction::ShowHelp:
        Print(stdout, HelpText());
        return 0;
    case TCommandLine::TAction::ShowVersion:
        Print(stdout, VersionText());
        return 0;
    case TCommandLine::TAction::Refuse:
        PrintError(TEarlyText::translate("Program", "%1 (see \"tellaria --help\" for usage)")
                       .arg(commandLine.Error));
        return 2;
    case TCommandLine::TAction::Run:
        break;
    }

    // Outlives the application object, which may make the directory too.
    const TRuntimeDirectoryTidy runtimeDirectoryTidy;
    // What the browser engine needs before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Qt and the engine see only the program's name: a term such as "-reverse" is the user's.
    int applicationArgc = 1;

    if (SandboxRefusesThisUser()) {
        // Said on stderr first: connecting to a display can fail and end the process.
        PrintError(RootRefusalText());
        if (HasDisplay()) {
            TApplication application(applicationArgc, argv);
            ShowError(RootRefusalText());
        }
        return 1;
    }

    NoteTime("main");
    // Read before anything can take them; handed on with the request, or used for this copy's
    // own window.
    const TWindowActivation launch = TWindowActivation::FromEnvironment();
    // Until this copy knows that it runs the window it makes nothing a hand-over does not need:
    // no application object (a display connection, the toolkit's set-up) and no engine, so that
    // a later start hands over and ends at once, and says nothing on the way.
    std::optional<TApplication> application;
    const auto startApplication = [&] {
        if (application)
            return;
        application.emplace(applicationArgc, argv);
        NoteTime("application");
    };
    TLookupRequest request = commandLine.Request;
    if (commandLine.LookUpSelection)
        request = SelectionLookupRequest(SelectedText(startApplication), request.Mode);
    request.StartupId = launch.StartupId();
    request.ActivationToken = launch.ActivationToken();
    // Destroyed after the window, so that the next start waits until the files are saved.
    TSingleInstance instance(dataDirectory);
    TSingleInstance::TRole role = instance.Claim(request);
    NoteTime("instance claimed");
    if (role == TSingleInstance::TRole::HandedOver)
        return 0;
    if (role == TSingleInstance::TRole::Running) {
        startApplication();
        TWindowActivation::ForgetEnvironment();
        if (!instance.Serve())
            role = TSingleInstance::TRole::Failed;
    }
    if (role == TSingleInstance::TRole::Failed) {
        PrintError(instance.ErrorText());
        if (HasDisplay()) {
            startApplication();
            ShowError(instance.ErrorText());
        }
        return 1;
    }

    // Joined before the application object goes.
    const TSessionBusWarmUp sessionBus;
    // Before the engine starts, which fixes how its pages are drawn and what it tells a screen
    // reader of them.
    DrawPagesInSoftwareWhereOpenGlIs();
    ExposePagesToScreenReaders();
    // The engine resets the handling of SIGTERM and SIGINT as it starts, so it starts first.
    ConfigureBrowserProfile();
    TTerminationSignals termination;
    TfrmMain frmMain(dataDirectory);
    // A logout's SIGTERM, or Ctrl+C, closes the window as the user's close does: files saved.
    termination.CloseOnSignal(&frmMain);
    ServeLaterStarts(instance, frmMain);
    QObject::connect(&frmMain, &TfrmMain::Closed, &instance, &TSingleInstance::StopListening);
    QObject::connect(&frmMain, &TfrmMain::Closed, &*application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    ShowAndCarryOut(frmMain, request);
    return application->exec();
}

} // namespace tellaria
