#include "bench/BenchDriver.h"

#include "bench/ScreenPixel.h"
#include "bench/XKeyboard.h"
#include "tests/support/TestProxy.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QUrl>

#include <algorithm>
#include <cstdio>

namespace tellaria::bench {

bool WaitUntil(const std::function<bool()> &predicate, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QTimer wake;
    wake.start(20);
    while (!predicate()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void Pause(int milliseconds)
{
    WaitUntil([] { return false; }, milliseconds);
}

RequestLog::RequestLog(test::TestProxy &proxy)
{
    QObject::connect(&proxy, &test::TestProxy::RequestSeen, &proxy, [this](const QString &url) {
        m_seen.push_back({MonotonicNanoseconds(), QUrl(url).host(), url});
    });
}

QStringList RequestLog::Since(std::size_t from, std::int64_t since) const
{
    QStringList seen;
    for (std::size_t i = from; i < m_seen.size(); ++i)
        seen << QStringLiteral("%1 ms: %2")
                    .arg(double(m_seen[i].Time - since) / 1e6, 0, 'f', 1)
                    .arg(m_seen[i].Url);
    return seen;
}

std::vector<std::int64_t> RequestLog::PageRequests(std::size_t from) const
{
    std::vector<std::int64_t> times;
    for (const QString &host : EncyclopaediaHosts) {
        const auto found = std::find_if(m_seen.begin() + std::ptrdiff_t(from), m_seen.end(),
                                        [&](const Request &r) { return r.Host == host; });
        if (found == m_seen.end())
            return {};
        times.push_back(found->Time);
    }
    std::sort(times.begin(), times.end());
    return times;
}

std::optional<std::int64_t> RequestLog::Find(const QString &url, std::size_t from) const
{
    for (std::size_t i = from; i < m_seen.size(); ++i) {
        if (m_seen[i].Url == url)
            return m_seen[i].Time;
    }
    return std::nullopt;
}

long AnswerPages::Next()
{
    static constexpr long Colours[] = {0x1f7a4d, 0x7a3d1f};
    const long colour = Colours[m_queries++ % std::size(Colours)];
    for (const QString &host : EncyclopaediaHosts) {
        const QByteArray html = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>"
                                + host.toUtf8()
                                + "</title><style>html,body{margin:0;height:100%;background:#"
                                + QByteArray::number(qlonglong(colour), 16).rightJustified(6, '0')
                                + "}</style></head><body></body></html>";
        m_proxy.SetPage("http://" + host + "/", html);
    }
    return colour;
}

PaintWatch::PaintWatch(const ScreenPixel &screen, const QPoint &point, long colour)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this, &screen, point, colour] {
        if (screen.At(point) == colour) {
            m_painted = MonotonicNanoseconds();
            m_timer.stop();
        }
    });
    m_timer.start(2);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

QString LoadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readAll().split(' ').mid(0, 3).join(' '));
}

double LoadOverLastMinute()
{
    return LoadAverage().section(QLatin1Char(' '), 0, 0).toDouble();
}

void PrintRow(GoalTally &goals,
              const QString &name,
              double program,
              double floor,
              const char *unit,
              double goal,
              const char *goalText)
{
    const double ratio = floor > 0 ? program / floor : 0.0;
    std::printf("%-46s %9.1f %9.1f %-3s %7.3fx   %-18s %s\n", qPrintable(name), program, floor,
                unit, ratio, goalText, goals.Judge(ratio <= goal));
}

} // namespace tellaria::bench
