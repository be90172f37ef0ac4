#pragma once

// The tables the window bench prints: the programs' moments side by side, and their memory by
// part.

#include "bench/ProcessMemory.h"
#include "bench/ProgramChild.h"
#include "bench/ScenarioFigures.h"

#include <vector>

namespace tellaria::bench {

// Each process by its role; processes of one role by their rank in size, the largest first
// ("renderer 1"), so that medians and differences compare like with like.
Kilobytes ByProcess(const std::vector<ProcessPss> &processes, bool anonymous = false);

// The browser process's PSS by mapping.
Kilobytes Mappings(const Child &child);

// The median of each moment the programs noted, the built program's beside the bare one's, in
// the order the moments come.
void PrintBreakdown(const char *title,
                    const std::vector<Sample> &program,
                    const std::vector<Sample> &bare,
                    const char *programName = "program",
                    const char *bareName = "bare");

// The parts of the two programs' memory side by side, in MB, the largest difference first;
// parts under `threshold` KB in both and in their difference are summed as "the rest".
void PrintMemory(const char *title,
                 const std::vector<Kilobytes> &program,
                 const std::vector<Kilobytes> &bare,
                 double threshold,
                 const char *programName = "program",
                 const char *bareName = "bare");

} // namespace tellaria::bench
