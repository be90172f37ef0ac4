// Benchmarks of the lookup core, each measured against its floor in the same run: the summary
// at the end prints every figure as a ratio to that floor.

#include "core/QueryHistory.h"
#include "core/SettingsFile.h"
#include "core/UrlEncode.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace tellaria;

std::string g_directory; // with trailing separator
std::string g_mixedBytes;
std::string g_historyPath;
std::string g_settingsPath;
std::string g_bigSectionSettingsPath;

// 1 MB of what query text may hold: letters and digits, blanks, punctuation, GB18030 bytes.
std::string MakeMixedBytes()
{
    std::mt19937 random(1);
    const std::string_view pieces[]
        = {"cat",        " ", "C++", "e-mail", "\xD6\xD0\xCE\xC4", "09", "/", "\x94\x39\xFC\x36",
           "Lexivander", ".", "~"};
    std::string bytes;
    while (bytes.size() < (1u << 20))
        bytes += pieces[random() % std::size(pieces)];
    bytes.resize(1u << 20);
    return bytes;
}

// 200,000 lines, 10 MB: terms of varying length, some of them Chinese.
std::string MakeHistory()
{
    std::mt19937 random(2);
    std::string content;
    content.reserve(10'000'000);
    for (int line = 0; line < 200'000; ++line) {
        const std::size_t length = 18 + random() % 61; // 18..78, about 48 on average
        std::string term;
        while (term.size() < length)
            term += random() % 3 == 0 ? "\xD6\xD0" : "query";
        term.resize(length);
        content += term;
        content += "\r\n";
    }
    return content;
}

// About 1 MB of unknown sections with a few keys each; the key read is in the last section.
std::string MakeSettings()
{
    std::string content = "; settings of many plug-ins\r\n";
    for (int section = 0; content.size() < (1u << 20); ++section) {
        content += "[Plugin" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 8; ++key)
            content += "Option" + std::to_string(key) + "=value " + std::to_string(section * key)
                       + "\r\n";
    }
    content += "[Form]\r\nheight=528\r\nWidth=729\r\n";
    return content;
}

// The same size as one section of keys, the key read being its last.
std::string MakeBigSectionSettings()
{
    std::string content = "[Form]\r\n";
    for (int key = 0; content.size() < (1u << 20); ++key)
        content += "Option" + std::to_string(key) + "=value " + std::to_string(key) + "\r\n";
    content += "Width=729\r\n";
    return content;
}

void WriteFile(const std::string &path, const std::string &content)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(content.data(), 1, content.size(), file) != content.size()
        || std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
}

// The floor for loading: the file read into memory, nothing else.
std::size_t ReadWholeFile(const std::string &path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status;
    fstat(fd, &status);
    const auto size = static_cast<std::size_t>(status.st_size);
    auto buffer = std::make_unique_for_overwrite<char[]>(size + 1);
    std::size_t used = 0;
    ssize_t count;
    while ((count = read(fd, buffer.get() + used, size + 1 - used)) > 0)
        used += static_cast<std::size_t>(count);
    close(fd);
    benchmark::DoNotOptimize(buffer.get());
    return used;
}

void BM_CopyBytes(benchmark::State &state)
{
    for (auto _ : state) {
        std::string copy(g_mixedBytes);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * g_mixedBytes.size()));
}
BENCHMARK(BM_CopyBytes)->Unit(benchmark::kMicrosecond);

void BM_UrlEncodeQuery(benchmark::State &state)
{
    for (auto _ : state) {
        std::string encoded = UrlEncodeQuery(g_mixedBytes);
        benchmark::DoNotOptimize(encoded.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * g_mixedBytes.size()));
}
BENCHMARK(BM_UrlEncodeQuery)->Unit(benchmark::kMicrosecond);

void BM_ReadHistoryFile(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWholeFile(g_historyPath));
}
BENCHMARK(BM_ReadHistoryFile)->Unit(benchmark::kMicrosecond);

void BM_LoadQueryHistory(benchmark::State &state)
{
    for (auto _ : state) {
        auto history = std::make_unique<QueryHistory>();
        if (!history->LoadQueryHistory(g_directory).Ok() || history->Count() != 200'000)
            state.SkipWithError("history not loaded whole");
        benchmark::DoNotOptimize(history->Entry(0).data());
        // Freeing the list is not part of loading it.
        state.PauseTiming();
        history.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadQueryHistory)->Unit(benchmark::kMicrosecond);

void BM_ReadSettingsFile(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWholeFile(g_settingsPath));
}
BENCHMARK(BM_ReadSettingsFile)->Unit(benchmark::kMicrosecond);

void BM_ReadIntValue(benchmark::State &state)
{
    const SettingsFile settings(g_settingsPath);
    for (auto _ : state) {
        if (settings.ReadIntValue("Form", "Width", 0) != 729)
            state.SkipWithError("key not found");
    }
}
BENCHMARK(BM_ReadIntValue)->Unit(benchmark::kMicrosecond);

void BM_ReadIntValueBigSection(benchmark::State &state)
{
    const SettingsFile settings(g_bigSectionSettingsPath);
    for (auto _ : state) {
        if (settings.ReadIntValue("Form", "Width", 0) != 729)
            state.SkipWithError("key not found");
    }
}
BENCHMARK(BM_ReadIntValueBigSection)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's time per iteration for the summary.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    explicit RatioReporter(OutputOptions options)
        : ConsoleReporter(options)
    {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> times;
};

// False when the ratio misses its goal (a `goal` of 0 is none).
bool PrintRatio(const RatioReporter &reporter,
                const char *label,
                const char *measured,
                const char *floor,
                double goal)
{
    const auto m = reporter.times.find(measured);
    const auto f = reporter.times.find(floor);
    if (m == reporter.times.end() || f == reporter.times.end() || f->second <= 0)
        return true;
    const double ratio = m->second / f->second;
    const bool met = goal <= 0 || ratio <= goal;
    std::printf("%-48s %6.2fx %s", label, ratio, floor);
    if (goal > 0)
        std::printf("  (goal <= %.0fx: %s)", goal, met ? "met" : "MISSED");
    std::printf("\n");
    return met;
}

// What a run with --fresh=WHAT does: the one piece of work timed in a process of its own; a
// negative time when the history did not load.
double FreshWorkMilliseconds(std::string_view what, const std::string &directory)
{
    const auto start = std::chrono::steady_clock::now();
    if (what == "read") {
        ReadWholeFile(directory + std::string(QueryHistoryFileName));
    } else {
        QueryHistory history;
        if (!history.LoadQueryHistory(directory).Ok())
            return -1;
    }
    const std::chrono::duration<double, std::milli> elapsed
        = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

// The mean time of `what` ("read" or "load") run once in each of several new processes of this
// program: the history is loaded once, at start, into an untouched heap, which neither the
// repeated runs above nor a child forked from this process (whose heap it shares until written)
// show.
double FreshProcessMilliseconds(const char *self, const char *what)
{
    constexpr int Runs = 10;
    double total = 0;
    for (int run = 0; run < Runs; ++run) {
        const std::string command
            = "'" + std::string(self) + "' --fresh=" + what + " '" + g_directory + "'";
        std::FILE *child = popen(command.c_str(), "r");
        if (!child)
            return 0;
        double milliseconds = 0;
        const bool read = std::fscanf(child, "%lf", &milliseconds) == 1;
        if (pclose(child) != 0 || !read)
            return 0;
        total += milliseconds;
    }
    return total / Runs;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::string_view(argv[1]).starts_with("--fresh=")) {
        const double milliseconds
            = FreshWorkMilliseconds(std::string_view(argv[1]).substr(8), argv[2]);
        std::printf("%f\n", milliseconds);
        return milliseconds < 0 ? 1 : 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    std::string pattern = (std::filesystem::temp_directory_path() / "tellaria-bench-XXXXXX");
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    g_directory = pattern + "/";
    g_mixedBytes = MakeMixedBytes();
    g_historyPath = g_directory + std::string(QueryHistoryFileName);
    g_settingsPath = g_directory + std::string(SettingsFileName);
    g_bigSectionSettingsPath = g_directory + "big-section.ini";
    WriteFile(g_historyPath, MakeHistory());
    WriteFile(g_settingsPath, MakeSettings());
    WriteFile(g_bigSectionSettingsPath, MakeBigSectionSettings());

    RatioReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                 : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nRatios to the floor measured in this run:\n");
    bool met = true;
    met &= PrintRatio(reporter, "UrlEncodeQuery, 1 MB mixed bytes", "BM_UrlEncodeQuery",
                      "BM_CopyBytes", 0);
    // A file far beyond what the program writes (11 lines), made by hand: a figure, not a goal.
    met &= PrintRatio(reporter, "LoadQueryHistory, 10 MB in 200,000 lines", "BM_LoadQueryHistory",
                      "BM_ReadHistoryFile", 0);
    met &= PrintRatio(reporter, "ReadIntValue, 1 MB file, key in last section", "BM_ReadIntValue",
                      "BM_ReadSettingsFile", 3);
    met &= PrintRatio(reporter, "ReadIntValue, 1 MB file, key at end of section",
                      "BM_ReadIntValueBigSection", "BM_ReadSettingsFile", 3);
    // This program by its own path, however it was started.
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    const double read = FreshProcessMilliseconds(self.c_str(), "read");
    const double load = FreshProcessMilliseconds(self.c_str(), "load");
    if (read > 0 && load > 0)
        std::printf("%-48s %6.2fx reading it (%.2f ms against %.2f ms)\n",
                    "LoadQueryHistory once in a fresh process", load / read, load, read);
    const auto encode = reporter.times.find("BM_UrlEncodeQuery");
    if (encode != reporter.times.end() && encode->second > 0)
        std::printf("UrlEncodeQuery throughput: %.0f MB/s\n", 1.0 / (encode->second * 1e-6));

    std::filesystem::remove_all(pattern);
    benchmark::Shutdown();
    // Like the window bench: every figure is out, and a missed goal fails `make bench`.
    return met ? 0 : 2;
}
