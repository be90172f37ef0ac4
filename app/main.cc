// The program's entry: the application object, the main window, the hidden floating toolbar
// window, and the event loop until the main window has closed.

#include "platform/Application.h"
#include "ui/Unit2.h"
#include "ui/UnitMain.h"

int main(int argc, char *argv[])
{
    // What the browser engine needs before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    tellaria::NoteTime("main");
    tellaria::TApplication application(argc, argv);
    tellaria::NoteTime("application");

    tellaria::TfrmMain frmMain;
    // Made at start as the floating window class's first instance; floating the toolbar always
    // makes a new one, so this one stays hidden.
    tellaria::TfrmFloating frmFloating;
    QObject::connect(&frmMain, &tellaria::TfrmMain::Closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    frmMain.show();
    tellaria::NoteTime("shown");
    return application.exec();
}
