#include "core/ZoomSteps.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>

namespace tellaria {

namespace {

// As the common browsers step.
constexpr std::array Steps{25,  33,  50,  67,  75,  80,  90,  100, 110,
                           125, 150, 175, 200, 250, 300, 400, 500};

} // namespace

int ZoomStep(int percent, int steps)
{
    if (steps == 0) {
        return *std::min_element(Steps.begin(), Steps.end(), [percent](int a, int b) {
            return std::abs(a - percent) < std::abs(b - percent);
        });
    }
    int at = percent;
    for (; steps > 0; --steps) {
        const auto above = std::upper_bound(Steps.begin(), Steps.end(), at);
        at = above == Steps.end() ? Steps.back() : *above;
    }
    for (; steps < 0; ++steps) {
        const auto below = std::lower_bound(Steps.begin(), Steps.end(), at);
        at = below == Steps.begin() ? Steps.front() : *std::prev(below);
    }
    return at;
}

} // namespace tellaria
