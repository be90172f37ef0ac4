#pragma once

// A print system of the test's own: a CUPS server on a socket in a temporary directory, with one
// printer that keeps each job's document as it came in a file, the printer every program started
// afterwards by this process finds as its default (CUPS_SERVER). It needs root, as cupsd does.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace tellaria::test {

class PrintServer
{
public:
    PrintServer();
    ~PrintServer();
    PrintServer(const PrintServer &) = delete;
    PrintServer &operator=(const PrintServer &) = delete;

    // The server runs and its printer takes jobs.
    bool Started() const { return m_started; }
    // Where the printer keeps the last job's document.
    QString JobFile() const;
    // The last job's options as the printer got them, "name=value" each; written before its
    // document, so complete once JobFile() exists.
    QStringList JobOptions() const;
    // Why it did not start, for the test's message.
    QString Error() const { return m_error; }

private:
    bool Start();

    QTemporaryDir m_directory;
    std::unique_ptr<QProcess> m_server;
    bool m_started = false;
    QString m_error;
};

// What a PrintServer needs that is missing (cupsd, lpadmin, root); empty when all is there.
QString MissingPrintServerTools();

} // namespace tellaria::test
