#pragma once

// Ending the helper programs a test session starts (a display server, a compositor, a bus).

#include <QProcess>

#include <memory>

namespace tellaria::test {

// Asks `process` to end, and kills it when it has not within a few seconds; nothing when it
// is not running.
inline void StopProcess(std::unique_ptr<QProcess> &process)
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
    process->terminate();
    if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
    }
}

} // namespace tellaria::test
