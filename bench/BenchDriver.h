#pragma once

// What every part of the window bench's driver uses: its waits, the proxy's log of requests, the
// answer pages it serves, the screen read back for a page's colour, and the printing of figures.

#include "bench/BenchAddresses.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tellaria::test {
class TestProxy;
class XSession;
} // namespace tellaria::test

namespace tellaria::bench {

class ScreenPixel;
class XKeyboard;

// Runs the driver's event loop (the proxy) until `predicate` holds or `timeoutMs` passes. The
// loop sleeps between events: a driver that polled would take processor time from the programs
// it measures, and would see each request only at its next look.
bool WaitUntil(const std::function<bool()> &predicate, int timeoutMs);
void Pause(int milliseconds);

// Every request the proxy sees, with the time it arrived.
class RequestLog
{
public:
    explicit RequestLog(test::TestProxy &proxy);

    std::size_t Size() const { return m_seen.size(); }

    // The requests from `from` on, as "ms after `since`: url", for saying what a query missed.
    QStringList Since(std::size_t from, std::int64_t since) const;

    // The arrival of the first request from `from` on for each encyclopaedia host, in arrival
    // order; empty until every host has one.
    std::vector<std::int64_t> PageRequests(std::size_t from) const;

    // The arrival of the first request for `url` from `from` on.
    std::optional<std::int64_t> Find(const QString &url, std::size_t from) const;

private:
    struct Request
    {
        std::int64_t Time;
        QString Host;
        QString Url;
    };

    std::vector<Request> m_seen;
};

// The encyclopaedias' pages as the proxy serves them, a colour of their own for each query, so
// that the moment the first of them is on the screen can be read back from it: the whole page
// is that colour, and no page of the query before is.
class AnswerPages
{
public:
    explicit AnswerPages(test::TestProxy &proxy)
        : m_proxy(proxy)
    {}

    // Serves the next query's pages; returns their colour (0xRRGGBB).
    long Next();

private:
    test::TestProxy &m_proxy;
    int m_queries = 0;
};

// Where the first answer page of a query appears, and when: a point of the page area, read
// every few milliseconds from Enter until it shows the query's colour.
class PaintWatch
{
public:
    PaintWatch(const ScreenPixel &screen, const QPoint &point, long colour);

    // When the colour was first seen (monotonic ns); 0 until then.
    std::int64_t Painted() const { return m_painted; }

private:
    QTimer m_timer;
    std::int64_t m_painted = 0;
};

// What every round uses: the display, the keys, the proxy's log and pages, the screen's pixels.
struct Bench
{
    test::XSession &Session;
    XKeyboard &Keyboard;
    RequestLog &Requests;
    AnswerPages &Answers;
    const ScreenPixel &Screen;
    test::TestProxy &Proxy;
};

double Median(std::vector<double> values);

// The machine's load over the last minute, five and fifteen minutes, as a reader of the figures
// should know it.
QString LoadAverage();
double LoadOverLastMinute();

// The goals the figures are judged against as they are printed: a run that missed one fails,
// once every figure is out.
class GoalTally
{
public:
    // "ok" or "MISSED", for the figure's row.
    const char *Judge(bool met)
    {
        if (!met)
            ++m_missed;
        return met ? "ok" : "MISSED";
    }
    int Missed() const { return m_missed; }

private:
    int m_missed = 0;
};

// Terms to look up, each new and never the prefix of an earlier one, so that the query box's
// completion leaves it as typed.
class TermSource
{
public:
    explicit TermSource(QString prefix)
        : m_prefix(std::move(prefix))
    {}

    QString Next() { return QStringLiteral("%1%2x").arg(m_prefix).arg(++m_count); }

private:
    QString m_prefix;
    int m_count = 0;
};

// A row of the figures: the program's value beside its floor's, their ratio and whether it is
// within `goal` times the floor.
void PrintRow(GoalTally &goals,
              const QString &name,
              double program,
              double floor,
              const char *unit,
              double goal,
              const char *goalText);

} // namespace tellaria::bench
