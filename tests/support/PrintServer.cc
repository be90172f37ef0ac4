#include "tests/support/PrintServer.h"

#include "tests/support/TestProxy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace tellaria::test {

namespace {

const QString Daemon = QStringLiteral("/usr/sbin/cupsd");
const QString Admin = QStringLiteral("/usr/sbin/lpadmin");
const QString Printer = QStringLiteral("TestPrinter");

// A backend that writes the job's document, as the queue passes it on untouched, to the path of
// its device URI ("keep:/PATH"), and before it the job's options as the server hands them to a
// printer ("name=value ...") to PATH.options.
const char KeepBackend[] = R"(#!/bin/sh
[ $# -eq 0 ] && { echo 'direct keep "Unknown" "Job kept in a file"'; exit 0; }
out=${DEVICE_URI#keep:}
printf '%s' "$5" > "$out.options"
if [ $# -ge 6 ]; then cat "$6" > "$out.part"; else cat > "$out.part"; fi
mv "$out.part" "$out"
)";

bool WriteFile(const QString &path, const QByteArray &bytes, QFile::Permissions permissions = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return permissions == QFile::Permissions() || file.setPermissions(permissions);
}

} // namespace

QString MissingPrintServerTools()
{
    QStringList missing;
    for (const QString &tool : {Daemon, Admin}) {
        if (!QFileInfo(tool).isExecutable())
            missing << tool;
    }
    if (::geteuid() != 0)
        missing << QStringLiteral("root (cupsd)");
    return missing.isEmpty() ? QString() : missing.join(QStringLiteral(", ")) + " missing";
}

PrintServer::PrintServer()
{
    m_started = Start();
}

PrintServer::~PrintServer()
{
    if (m_server) {
        m_server->terminate();
        if (!m_server->waitForFinished(5000))
            m_server->kill();
        m_server->waitForFinished(5000);
    }
}

QString PrintServer::JobFile() const
{
    return m_directory.filePath(QStringLiteral("out/job.pdf"));
}

QStringList PrintServer::JobOptions() const
{
    QFile file(JobFile() + QStringLiteral(".options"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

bool PrintServer::Start()
{
    const QDir root(m_directory.path());
    for (const char *folder : {"spool", "tmp", "cache", "state", "log", "bin/backend", "out"})
        root.mkpath(QLatin1String(folder));
    // The jobs run as lp, which writes the kept document.
    QFile::setPermissions(root.filePath(QStringLiteral("out")), QFile::Permissions(0x7777));
    for (const char *part : {"daemon", "filter", "notifier", "monitor", "cgi-bin"})
        QFile::link(QStringLiteral("/usr/lib/cups/") + QLatin1String(part),
                    root.filePath(QStringLiteral("bin/") + QLatin1String(part)));
    const QString socket = root.filePath(QStringLiteral("cups.sock"));
    const QByteArray path = QFile::encodeName(root.path());
    const bool written
        = WriteFile(root.filePath(QStringLiteral("bin/backend/keep")), KeepBackend,
                    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
          && WriteFile(root.filePath(QStringLiteral("cupsd.conf")),
                       "Listen " + QFile::encodeName(socket)
                           + "\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n")
          && WriteFile(root.filePath(QStringLiteral("cups-files.conf")),
                       "ServerRoot " + path + "\nServerBin " + path + "/bin\nRequestRoot " + path
                           + "/spool\nTempDir " + path + "/tmp\nCacheDir " + path
                           + "/cache\nStateDir " + path + "/state\nErrorLog " + path
                           + "/log/error_log\nAccessLog " + path + "/log/access_log\nPageLog "
                           + path + "/log/page_log\nSandboxing Relaxed\n");
    if (!written) {
        m_error = QStringLiteral("the server's files could not be written");
        return false;
    }
    m_server = std::make_unique<QProcess>();
    m_server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server->start(Daemon, {QStringLiteral("-f"), QStringLiteral("-c"),
                             root.filePath(QStringLiteral("cupsd.conf")), QStringLiteral("-s"),
                             root.filePath(QStringLiteral("cups-files.conf"))});
    if (!TestProxy::WaitFor([&] { return QFileInfo::exists(socket); }, 10000)) {
        m_error = QStringLiteral("cupsd did not come up");
        return false;
    }
    qputenv("CUPS_SERVER", QFile::encodeName(socket));
    const auto admin = [&](const QStringList &arguments) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(Admin, QStringList{QStringLiteral("-h"), socket} + arguments);
        return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit
               && process.exitCode() == 0;
    };
    if (!admin({QStringLiteral("-p"), Printer, QStringLiteral("-E"), QStringLiteral("-v"),
                QStringLiteral("keep:") + JobFile()})
        || !admin({QStringLiteral("-d"), Printer})) {
        m_error = QStringLiteral("lpadmin could not add the printer");
        return false;
    }
    return true;
}

} // namespace tellaria::test
