#pragma once

// The program from its command line to the end of its event loop, in pieces the tests share.

#include "platform/LookupRequest.h"

namespace tellaria {

class TSingleInstance;
class TfrmMain;

// Runs the program: main() itself.
int RunProgram(int argc, char *argv[]);

// Why the program will not start for this user, or nothing: the browser engine's sandbox does
// not run as root, and the program never turns it off itself. Only a user who has turned it off
// (QTWEBENGINE_DISABLE_SANDBOX, or --no-sandbox in QTWEBENGINE_CHROMIUM_FLAGS) runs as root.
bool SandboxRefusesThisUser();
// The message root gets, in Chinese.
QString RootRefusalText();

// Carries out `request` in `window`: the term queried as Enter would, or only the mode picked.
void CarryOut(TfrmMain &window, const TLookupRequest &request);

// Requests from later starts reach `window`: it is brought to the front and the request run.
void ServeLaterStarts(TSingleInstance &instance, TfrmMain &window);

} // namespace tellaria
