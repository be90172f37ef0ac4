#pragma once

// The text selected in another program, which `tellaria --selection` looks up.

#include "desktop/LookupRequest.h"

#include <QString>

#include <optional>

namespace tellaria {

// The longest term a selection may give, in characters: anything longer is a passage selected
// by mistake, not a term, and would only make one very long request per reference work.
constexpr qsizetype LongestSelectedTerm = 1000;

// Reads the selected text from the X server that DISPLAY names: the primary selection, or the
// clipboard when no program holds a primary selection. On a Wayland desktop that server is its
// Xwayland, which holds the desktop's selections for X programs; a program without a window of
// its own gets them there, while Wayland itself gives them only to the window that has the
// keyboard. Empty when neither selection is held, when its holder offers no text or does not
// answer within `timeoutMs`; nothing when no X server can be reached.
std::optional<QString> ReadX11SelectedText(int timeoutMs = 3000);

// The request `tellaria --selection --mode mode` makes of `selected`: its first line that is not
// blank, without the white space around it, as the term; an empty term when all of it is blank
// (the window says so); SelectionTooLong and no term when that line is longer than
// LongestSelectedTerm characters (code points, so a character outside the BMP counts once).
TLookupRequest SelectionLookupRequest(const QString &selected, int mode);

} // namespace tellaria
