#pragma once

// The reading aids' cost (View > 阅读模式 and 突出显示查询词): per page, from a long article's
// load to its reader view on the screen and to its term marked; and the first query and the
// memory with five pages, with the reader view off and on, against the bare program.

namespace tellaria::bench {

struct Bench;

// `rounds` of each; prints the figures. False when a run went wrong.
bool RunReadingRounds(Bench &bench, int rounds);

} // namespace tellaria::bench
