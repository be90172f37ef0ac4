// A long article's print preview and print, three rounds: the preview's first page on the
// screen, and the program's own memory while the preview is open and while the article prints,
// and after. The printing goes to a private cupsd, which needs root.

#include "bench/WindowBench.h"
#include "bench/XKeyboard.h"
#include "tests/support/PrintServer.h"
#include "tests/support/XSession.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tellaria::bench {

using test::MissingPrintServerTools;
using test::PrintServer;
using test::XSession;

namespace {

// Rounds of a long article's print preview and print.
constexpr int PrintRounds = 3;

// Chooses the `item`th item (from 1) of the File menu by keys; the moment it was chosen.
std::int64_t ChooseFileMenuItem(const XSession &session, int item)
{
    session.XDoTool({"key", "alt+f"});
    Pause(300);
    if (item > 1)
        session.XDoTool({"key", "--repeat", QString::number(item - 1), "--delay", "30", "Down"});
    const std::int64_t chosen = MonotonicNanoseconds();
    session.XDoTool({"key", "Return"});
    return chosen;
}

bool RunPrintRound(Bench &bench, const PrintServer &server, PrintingFigures &figures)
{
    constexpr int PreviewItem = 6; // after 关闭所有页 twice, 关闭当前页, 保存, 页面设置
    constexpr int PrintItem = 7;
    Child child(Role::Program, bench.Session, bench.Requests, "[Dictionary]\r\nID=2\r\n",
                QStringLiteral("long"));
    const std::size_t from = bench.Requests.Size();
    if (!child.WaitForWindow()
        || !WaitUntil(
            [&] { return bench.Requests.Find("http://www.iciba.com/long%2F", from).has_value(); },
            20000)) {
        std::fprintf(stderr, "program: the long article was not asked for\n");
        return false;
    }
    Pause(2000);
    const double before = child.OwnPssMb();
    const auto watchMost = [&](double &most) { most = std::max(most, child.OwnPssMb()); };
    const auto settle
        = [&](double most, std::vector<double> &mostMb, std::vector<double> &afterMb) {
              double after = 0;
              WaitUntil([&] { return (after = child.OwnPssMb()) <= before + 50; }, 5000);
              mostMb.push_back(most - before);
              afterMb.push_back(after - before);
          };

    const std::int64_t asked = ChooseFileMenuItem(bench.Session, PreviewItem);
    const QString preview = bench.Session.WaitForWindow(QStringLiteral("^打印预览.*"));
    if (preview.isEmpty()) {
        std::fprintf(stderr, "program: no print preview\n");
        return false;
    }
    // A point in the first page's left margin, white once the page is drawn.
    const QRect client = bench.Session.ClientGeometry(preview);
    PaintWatch watch(bench.Screen, client.topLeft() + QPoint(30, 90), 0xffffff);
    if (!WaitUntil([&] { return watch.Painted() != 0; }, 30000)) {
        std::fprintf(stderr, "program: the preview showed no page\n");
        return false;
    }
    figures.FirstPageMs.push_back(double(watch.Painted() - asked) / 1e6);
    double most = before;
    for (int batch = 0; batch < 14; ++batch) {
        bench.Session.XDoTool({"key", "--repeat", "10", "--delay", "20", "Next"});
        watchMost(most);
    }
    bench.Session.XDoTool({"key", "Escape"});
    bench.Session.WaitForNoWindow(QStringLiteral("^打印预览.*"));
    settle(most, figures.PreviewMostMb, figures.PreviewAfterMb);

    QFile::remove(server.JobFile());
    ChooseFileMenuItem(bench.Session, PrintItem);
    Pause(1500); // the print dialog, which asks the print system for its printers
    bench.Session.XDoTool({"key", "Return"});
    most = before;
    if (!WaitUntil(
            [&] {
                watchMost(most);
                return QFile::exists(server.JobFile());
            },
            60000)) {
        std::fprintf(stderr, "program: no print job reached the printer\n");
        return false;
    }
    settle(most, figures.PrintMostMb, figures.PrintAfterMb);
    child.Close(bench.Keyboard);
    return true;
}

} // namespace

bool RunPrinting(Context &context)
{
    if (const QString missing = MissingPrintServerTools(); !missing.isEmpty()) {
        std::printf("\nprinting left out: %s\n", qPrintable(missing));
        context.Printing.LeftOut = true;
        return true;
    }
    const PrintServer server;
    if (!server.Started()) {
        std::fprintf(stderr, "window_bench: the print server: %s\n", qPrintable(server.Error()));
        return false;
    }
    for (int round = 0; round < PrintRounds; ++round) {
        if (!RunPrintRound(context.Rig, server, context.Printing))
            return false;
    }
    return true;
}

void ReportPrinting(Context &context)
{
    const PrintingFigures &figures = context.Printing;
    if (figures.LeftOut)
        return;
    std::printf("\n%-46s %9s %9s %-3s %8s   %-18s\n", "a 111-page article (median)", "program", "",
                "", "", "goal");
    const struct
    {
        const char *Name;
        const std::vector<double> &Values;
        const char *Unit;
        double Goal;
        const char *GoalText;
    } rows[] = {
        {"preview: its first page on the screen", figures.FirstPageMs, "ms", 2000, "<= 2000 ms"},
        {"preview open: own PSS over before, at most", figures.PreviewMostMb, "MB", 300,
         "<= +300 MB"},
        {"preview closed: own PSS over before", figures.PreviewAfterMb, "MB", 50, "<= +50 MB"},
        {"printing: own PSS over before, at most", figures.PrintMostMb, "MB", 300, "<= +300 MB"},
        {"printed: own PSS over before", figures.PrintAfterMb, "MB", 50, "<= +50 MB"},
    };
    for (const auto &row : rows) {
        const double value = Median(row.Values);
        std::printf("%-46s %9.1f %9s %-3s %8s   %-18s %s\n", row.Name, value, "", row.Unit, "",
                    row.GoalText, context.Goals.Judge(value <= row.Goal));
    }
}

} // namespace tellaria::bench
