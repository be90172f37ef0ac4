#pragma once

// What a program's processes hold, read from /proc: the proportional set size (PSS) of each
// process of its tree, named by its role in the browser engine, and that of one process's
// mappings, grouped by what they hold.

#include <QString>

#include <map>
#include <vector>

namespace tellaria::bench {

struct ProcessPss
{
    qint64 Pid = 0;
    // "browser" for the tree's root; otherwise the engine's process type: "zygote", "renderer"
    // (what the zygote forks), "gpu-process", a utility process by its service ("utility
    // network").
    QString Role;
    long Kb = 0;
    // Of it, anonymous memory: what the process wrote itself, shared at most with the processes
    // it forked, unlike the libraries' pages, which the other programs that map them share.
    long AnonKb = 0;
};

// Every process of the tree rooted at `pid`, the root first.
std::vector<ProcessPss> TreePss(qint64 pid);

long TotalKb(const std::vector<ProcessPss> &processes);
long TotalAnonKb(const std::vector<ProcessPss> &processes);

// The PSS of `pid`'s mappings by what they hold: a file by its name; "[heap]" and "[stack]";
// anonymous memory as "anon: malloc arenas" (the C library's heaps of threads other than the
// main one, 64 MiB-aligned), "anon: thread stacks" (behind a guard page) or "anon: other".
std::map<QString, long> MappingPssKb(qint64 pid);

} // namespace tellaria::bench
