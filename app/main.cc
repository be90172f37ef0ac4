// The program's entry: the command line, one running copy, the main window, the hidden floating
// toolbar window, and the event loop until the main window has closed (app/Program.cc).

#include "app/Program.h"

int main(int argc, char *argv[])
{
    return tellaria::RunProgram(argc, argv);
}
