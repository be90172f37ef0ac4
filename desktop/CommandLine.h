#pragma once

// The command line: tellaria [--mode N] [TERM], tellaria [--mode N] --selection, --help and
// --version.

#include "desktop/LookupRequest.h"

#include <QString>
#include <QStringList>

namespace tellaria {

struct TCommandLine
{
    enum class TAction { Run, ShowHelp, ShowVersion, Refuse };
    TAction Action = TAction::Run;
    TLookupRequest Request;
    // --selection: the term is the text selected in another program, read before the window
    // is reached (SelectedText.h); Request has no term then.
    bool LookUpSelection = false;
    // Why the command line was refused, for the user; empty otherwise.
    QString Error;
};

// Reads `arguments`, the program's name first. Several words are one term, joined by single
// spaces, so that an unquoted phrase from a script still arrives whole; "--" ends the options,
// for terms that begin with "-". A term and --selection together are refused.
TCommandLine ParseCommandLine(const QStringList &arguments);

// What --help and --version print, each ending in a line break.
QString HelpText();
QString VersionText();

} // namespace tellaria
