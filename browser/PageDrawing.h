#pragma once

// How the engine's pages are drawn: through OpenGL, or in software as the rest of the window is.

namespace tellaria {

// Where OpenGL is itself drawn in software (no graphics processor: llvmpipe and its kind), has
// the pages drawn in software instead of through it; true then. Otherwise, and where there is no
// OpenGL to ask, the pages go through OpenGL as before. Call once the application object exists
// (it made the shared OpenGL context this asks) and before the first browser or profile.
bool DrawPagesInSoftwareWhereOpenGlIs();

} // namespace tellaria
