#pragma once

// What a running process does with a signal, read from /proc: plain C++, for the tests that
// start the program as a process of its own (with or without Qt).

#include <fstream>
#include <string>

#include <sys/types.h>

namespace tellaria::test {

// Whether `pid` catches `signal` yet: its status lists the caught signals as a hexadecimal
// mask, bit n - 1 for signal n.
inline bool CatchesSignal(pid_t pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

} // namespace tellaria::test
