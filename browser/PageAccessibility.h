#pragma once

// What a screen reader finds of the engine's pages: their content, and nothing of the engine's
// own machinery.

class QWidget;

namespace tellaria {

// Has the engine put each page's content (its text, headings, links) on the desktop's
// accessibility bus, where it otherwise puts nothing of it. The engine builds that content only
// while an assistive technology is reading the program. Call before the engine starts; a user's
// own setting of QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY is kept.
void ExposePagesToScreenReaders();

// The engine draws each page through a window of its own that is never shown ("Offscreen"); a
// screen reader would list it beside the program's windows. Hides those of `view` from it once
// they are made.
void HideOffscreenWindowsFromScreenReaders(QWidget *view);

} // namespace tellaria
