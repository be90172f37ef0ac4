#pragma once

// The program from its command line to the end of its event loop, in pieces the tests share.

#include "desktop/LookupRequest.h"

namespace tellaria {

class TSingleInstance;
class TfrmMain;

// Runs the program: main() itself.
int RunProgram(int argc, char *argv[]);

// Requests from later starts reach `window`: it is brought to the front and the request run,
// once any dialog of the window's has been closed.
void ServeLaterStarts(TSingleInstance &instance, TfrmMain &window);

// Shows `window` as a start does, once its start page has begun loading, then carries out
// `request`, the command line's. A later start's request that comes before waits for it.
void ShowAndCarryOut(TfrmMain &window, const TLookupRequest &request);

} // namespace tellaria
