#include "bench/ReadingBench.h"
#include "bench/WindowBench.h"

#include "bench/BenchDriver.h"
#include "bench/ProgramChild.h"
#include "bench/ReadingArticle.h"
#include "bench/ScreenPixel.h"
#include "bench/XKeyboard.h"
#include "tests/support/TestProxy.h"

#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace tellaria::bench {

namespace {

// The Bing dictionary's lookup: one page a query, so that each figure is one page's.
const QString BingPrefix = QStringLiteral("http://dict.bing.com.cn/?FORM=CHOT20&q=");
const QByteArray OnePage = "[Dictionary]\r\nID=3\r\n";
constexpr long ReaderBackground = 0xfbfaf6;
constexpr int TermOccurrences = 200;
constexpr int QueriesPerRun = 4; // as the main rounds make before their memory is read

// When each of some colours is first seen at a point of the screen, read every few
// milliseconds from the watch's making.
class ColourWatch
{
public:
    ColourWatch(const ScreenPixel &screen, const QPoint &point, std::vector<long> colours)
        : m_colours(std::move(colours))
        , m_seen(m_colours.size(), 0)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this, &screen, point] {
            const long colour = screen.At(point);
            for (std::size_t index = 0; index < m_colours.size(); ++index) {
                if (colour == m_colours[index] && m_seen[index] == 0)
                    m_seen[index] = MonotonicNanoseconds();
            }
            if (std::find(m_seen.begin(), m_seen.end(), 0) == m_seen.end())
                m_timer.stop();
        });
        m_timer.start(2);
    }

    // When the `index`th colour was first seen (monotonic ns); 0 until then.
    std::int64_t Seen(std::size_t index) const { return m_seen[index]; }

private:
    std::vector<long> m_colours;
    std::vector<std::int64_t> m_seen;
    QTimer m_timer;
};

// The reading aids as `settings` have them, on one query in a fresh program: a second query's
// reader view would show the background the first one left on the screen.
bool RunPage(Bench &bench,
             TermSource &terms,
             const QByteArray &settings,
             bool reader,
             std::vector<PageSample> &samples)
{
    Child child(Role::Program, bench.Session, bench.Requests, OnePage + settings);
    if (!child.StartUp() || !child.WaitForWindow()) {
        std::fprintf(stderr, "program: no start page request or no window\n%s\n",
                     qPrintable(child.State()));
        return false;
    }
    const QString term = terms.Next();
    bench.Proxy.SetPage(BingPrefix + term, ReadingArticleHtml(term, TermOccurrences));
    bench.Keyboard.Type(term);
    Pause(300);
    // The page's left edge: the reader view's margin, the article's side menu.
    const QRect client = child.Client();
    const QPoint edge(client.left() + 8, client.top() + client.height() * 3 / 4);
    ColourWatch watch(bench.Screen, edge, {ReaderBackground, SideMenuColour});
    const std::size_t from = child.NoteCount();
    const std::int64_t enter = bench.Keyboard.Enter();
    std::optional<std::size_t> loaded;
    std::optional<std::size_t> applied;
    WaitUntil(
        [&] {
            loaded = child.FindNote(QStringLiteral("loaded 1"), from);
            if (loaded)
                applied = child.FindNote(QStringLiteral("reading applied"), *loaded);
            return applied.has_value();
        },
        30000);
    if (!applied) {
        std::fprintf(stderr, "program: the article's reading aids were not applied\n%s\n",
                     qPrintable(child.State()));
        return false;
    }
    const std::int64_t loadedAt = child.NoteTimeAt(*loaded);
    const auto since = [&](std::int64_t time) { return double(time - loadedAt) / 1e6; };
    PageSample sample;
    sample.Loaded = double(loadedAt - enter) / 1e6;
    if (const auto asked = child.FindNote(QStringLiteral("reading asked"), *loaded))
        sample.Asked = since(child.NoteTimeAt(*asked));
    sample.Applied = since(child.NoteTimeAt(*applied));
    if (WaitUntil([&] { return watch.Seen(reader ? 0 : 1) != 0; }, 5000) && reader)
        sample.ReaderShown = since(watch.Seen(0));
    if (watch.Seen(1) != 0 && (watch.Seen(0) == 0 || watch.Seen(1) < watch.Seen(0)))
        sample.PageShown = since(watch.Seen(1));
    samples.push_back(sample);
    Pause(400);
    child.Close(bench.Keyboard);
    return true;
}

bool RunQueries(
    Role role, const QByteArray &settings, Bench &bench, TermSource &terms, QueryFigures &figures)
{
    Child child(role, bench.Session, bench.Requests, settings);
    if (!child.StartUp() || !child.WaitForWindow()) {
        std::fprintf(stderr, "%s: no start page request or no window\n", RoleName(role));
        return false;
    }
    for (int query = 0; query < QueriesPerRun; ++query) {
        const std::optional<Sample> sample
            = child.Query(bench.Keyboard, terms.Next(), true, &bench.Answers, &bench.Screen);
        if (!sample) {
            std::fprintf(stderr, "%s: a query's five requests did not all come\n%s\n",
                         RoleName(role), qPrintable(child.State()));
            return false;
        }
        if (query == 0)
            figures.FirstQueries.push_back(*sample);
        Pause(400);
    }
    Pause(1000);
    const std::vector<ProcessPss> processes = child.PssByProcess();
    figures.Kb.push_back(double(TotalKb(processes)));
    figures.AnonKb.push_back(double(TotalAnonKb(processes)));
    child.Close(bench.Keyboard);
    return true;
}

std::vector<double> Field(const std::vector<PageSample> &samples, double PageSample::*field)
{
    std::vector<double> values;
    for (const PageSample &sample : samples) {
        if (!std::isnan(sample.*field))
            values.push_back(sample.*field);
    }
    return values;
}

double MedianOf(const std::vector<PageSample> &samples, double PageSample::*field)
{
    return Median(Field(samples, field));
}

// The median from Enter to `field` (a moment counted from the load), over the samples that saw it.
double MedianEnterTo(const std::vector<PageSample> &samples, double PageSample::*field)
{
    std::vector<double> values;
    for (const PageSample &sample : samples) {
        if (!std::isnan(sample.*field))
            values.push_back(sample.Loaded + sample.*field);
    }
    return Median(values);
}

void PrintGoal(GoalTally &goals, const QString &name, double value, double goal)
{
    std::printf("%-46s %9.1f %9s ms  %8s   %-18s %s\n", qPrintable(name), value, "", "",
                qPrintable(QStringLiteral("<= %1 ms").arg(goal)), goals.Judge(value <= goal));
}

double MedianMoment(const std::vector<Sample> &samples, const QString &what)
{
    std::vector<double> values;
    for (const Sample &sample : samples) {
        if (const auto found = sample.Moments.find(what); found != sample.Moments.end())
            values.push_back(found->second);
    }
    return Median(values);
}

double MedianMs(const std::vector<Sample> &samples)
{
    std::vector<double> values;
    for (const Sample &sample : samples)
        values.push_back(sample.Ms);
    return Median(values);
}

} // namespace

namespace {

// No reading aid (the apply still runs, to take marks away), the reader view alone, with the
// term marked as well (what a user with both on sees), and the marks alone (the default).
const struct
{
    const char *Name;
    QByteArray Settings;
    bool Reader;
} Kinds[] = {
    {"none", "[View]\r\nHighlight=0\r\n", false},
    {"reader", "[View]\r\nReader=1\r\nHighlight=0\r\n", true},
    {"+marks", "[View]\r\nReader=1\r\n", true},
    {"marks", "", false},
};
static_assert(std::size(Kinds) == std::tuple_size_v<decltype(ReadingFigures::Pages)>);
constexpr std::size_t None = 0, Reader = 1, Both = 2, Marks = 3;

// Per page, on the article: each kind of settings once a round, in one fresh program each.
bool RunPages(Bench &bench, TermSource &terms, int rounds, ReadingFigures &figures)
{
    for (int round = 0; round < rounds; ++round) {
        // Each takes the lead in turn.
        for (std::size_t turn = 0; turn < std::size(Kinds); ++turn) {
            const std::size_t kind = (turn + std::size_t(round)) % std::size(Kinds);
            if (!RunPage(bench, terms, Kinds[kind].Settings, Kinds[kind].Reader,
                         figures.Pages[kind]))
                return false;
        }
    }
    return true;
}

void ReportPages(const ReadingFigures &figures, GoalTally &goals)
{
    const auto &pages = figures.Pages;
    const int rounds = figures.Rounds;
    const qsizetype articleKb
        = ReadingArticleHtml(QStringLiteral("word1x"), TermOccurrences).size() / 1024;
    std::printf("One page of a %lld KB article, the term %d times in it, from its load (median "
                "ms)\n",
                static_cast<long long>(articleKb), TermOccurrences);
    const struct
    {
        const char *Name;
        double PageSample::*Field;
    } moments[] = {
        {"Enter to load", &PageSample::Loaded},         {"reading asked", &PageSample::Asked},
        {"reading applied", &PageSample::Applied},      {"page as served", &PageSample::PageShown},
        {"reader on screen", &PageSample::ReaderShown},
    };
    for (const auto &moment : moments) {
        std::printf("  %-16s", moment.Name);
        for (const auto &samples : pages) {
            const std::vector<double> values = Field(samples, moment.Field);
            if (values.empty())
                std::printf(" %8s", "-");
            else
                std::printf(" %8.1f", Median(values));
        }
        std::printf("\n");
    }
    std::printf("  %-16s", "");
    for (const auto &kind : Kinds)
        std::printf(" %8s", kind.Name);
    std::printf("\n  (the page as served on the screen before its reader view in %zu and %zu of "
                "%d runs)\n",
                Field(pages[Reader], &PageSample::PageShown).size(),
                Field(pages[Both], &PageSample::PageShown).size(), rounds);
    std::printf("\n%-46s %9s %9s %-3s %8s   %-18s\n", "reading aids, one page", "program", "", "",
                "", "goal");
    // The aids run as the document becomes ready, before its load ends: their cost is how much
    // later than the plain page they are on the screen, counted from Enter.
    const double plain = MedianEnterTo(pages[None], &PageSample::PageShown);
    for (const std::size_t kind : {Reader, Both}) {
        PrintGoal(goals,
                  QStringLiteral("%1: on the screen after the plain page (%2 seen)")
                      .arg(kind == Reader ? "reader view" : "reader and marks")
                      .arg(Field(pages[kind], &PageSample::ReaderShown).size()),
                  MedianEnterTo(pages[kind], &PageSample::ReaderShown) - plain, 100);
        std::printf("%-46s %9.1f %9s ms\n", "  load to applied (what the load still waits for)",
                    MedianOf(pages[kind], &PageSample::Applied), "");
    }
    PrintGoal(goals, QStringLiteral("marks: on the screen after the plain page"),
              MedianEnterTo(pages[Marks], &PageSample::PageShown) - plain, 20);
    // Not goals: what the page costs with no reading aid, the floor of the rows above.
    for (const std::size_t kind : {Marks, None}) {
        std::printf("%-46s %9.1f %9s ms  %8s   (%s)\n",
                    kind == Marks ? "  load to page on the screen, marks"
                                  : "  load to page on the screen, no reading aid",
                    MedianOf(pages[kind], &PageSample::PageShown), "", "",
                    kind == Marks ? "the page as served, marked or not" : "the floor");
    }
    std::printf("%-46s %9.1f %9s ms  %8s   (the apply with nothing to do)\n",
                "  no reading aid: load to applied", MedianOf(pages[None], &PageSample::Applied),
                "", "");
}

// The main rounds' first query and memory, with the reader view off and on, beside the bare
// program. Their answer pages are plain colours: no article, so the reader view costs here what
// it costs on every page, its scripts and its search for an article.
bool RunQueryRounds(Bench &bench, TermSource &terms, int rounds, ReadingFigures &reading)
{
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 3; ++turn) {
            const int which = (turn + round) % 3;
            if (!RunQueries(which == 0 ? Role::Bare : Role::Program,
                            which == 2 ? "[View]\r\nReader=1\r\n" : "", bench, terms,
                            which == 0   ? reading.Bare
                            : which == 1 ? reading.Off
                                         : reading.On))
                return false;
        }
    }
    return true;
}

void ReportQueryRounds(const ReadingFigures &reading, GoalTally &goals)
{
    const QueryFigures &bare = reading.Bare;
    std::printf("\n%-46s %9s %9s %-3s %8s   %-18s\n", "reader view off and on", "program", "floor",
                "", "ratio", "goal");
    const QString painted = QStringLiteral("page painted");
    for (const auto &[name, figures] : {std::pair{"off", &reading.Off}, {"on", &reading.On}}) {
        PrintRow(goals, QStringLiteral("reader %1: first query, Enter to last request").arg(name),
                 MedianMs(figures->FirstQueries), MedianMs(bare.FirstQueries), "ms", 0.9,
                 "<= 0.9x floor");
        PrintRow(goals, QStringLiteral("reader %1: first query, Enter to page painted").arg(name),
                 MedianMoment(figures->FirstQueries, painted),
                 MedianMoment(bare.FirstQueries, painted), "ms", 0.9, "<= 0.9x floor");
        PrintRow(goals,
                 QStringLiteral("reader %1: PSS with five pages (median of %2)")
                     .arg(name)
                     .arg(figures->Kb.size()),
                 Median(figures->Kb) / 1024, Median(bare.Kb) / 1024, "MB", 1.0, "<= 1.0x floor");
        const double anon = Median(figures->AnonKb) / 1024;
        const double bareAnon = Median(bare.AnonKb) / 1024;
        std::printf("%-46s %9.1f %9.1f MB  %7.3fx   (without the libraries' pages)\n",
                    "  of it anonymous", anon, bareAnon, bareAnon > 0 ? anon / bareAnon : 0.0);
    }
}

} // namespace

bool RunReadingAids(Context &context)
{
    ReadingFigures &figures = context.Reading;
    figures.Rounds = context.Options.ReadingRounds; // each kind once a round
    figures.LoadBefore = LoadAverage();
    if (!RunPages(context.Rig, context.ReadingTerms, figures.Rounds, figures))
        return false;
    figures.LoadBetween = LoadAverage();
    if (!RunQueryRounds(context.Rig, context.ReadingTerms, figures.Rounds, figures))
        return false;
    figures.LoadAfter = LoadAverage();
    return true;
}

void ReportReadingAids(Context &context)
{
    const ReadingFigures &figures = context.Reading;
    std::printf("\nload average before the reading aids' rounds %s\n",
                qPrintable(figures.LoadBefore));
    ReportPages(figures, context.Goals);
    std::printf("load average before the rounds with the reader view off and on %s\n",
                qPrintable(figures.LoadBetween));
    ReportQueryRounds(figures, context.Goals);
    std::printf("load average after the reading aids' rounds %s\n", qPrintable(figures.LoadAfter));
}

} // namespace tellaria::bench
