#pragma once

// A page's zoom in a browser's steps, in percent.

namespace tellaria {

inline constexpr int ActualSize = 100;
inline constexpr int SmallestZoom = 25;
inline constexpr int LargestZoom = 500;

// The next step above (`steps` > 0) or below (`steps` < 0) `percent`, that many steps on, held
// within the smallest and largest; a zoom between two steps goes to the nearer one in the
// direction asked. `steps` 0 gives the step nearest `percent`.
int ZoomStep(int percent, int steps);

} // namespace tellaria
