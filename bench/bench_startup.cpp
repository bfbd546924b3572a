// Start-up of the editor, from process start to the main window shown with
// its catalogue loaded, beside a bare Qt window of the same size, in one run;
// and with a 1 MB and a 10 MB Shift_JIS page given on the command line, shown
// once the page is in the edit box, beside a QPlainTextEdit given the same
// page (read, decoded, setPlainText, shown).
//
// Each repetition is one process; the repetitions of all the benchmarks are
// interleaved in random order (unless the command line says otherwise), so a
// busy machine slows them alike. Times: real_time is the whole process, from
// launch to exit; shown_ms is launch to the window exposed, which is the
// start-up proper (process teardown excluded). After the run, a summary gives
// the minimum and median of each, the editor's ratios to the bare window and,
// with a page, to the QPlainTextEdit given the same page.
#include "BenchSupport.h"
#include "text/Cp932.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
constexpr int kRuns = 20;

QString probe() { return QCoreApplication::applicationDirPath() + u"/startup_probe"_s; }

struct Samples
{
    std::vector<double> total; // ms, launch to exit
    std::vector<double> shown; // ms, launch to window exposed
};
QMap<QString, Samples> &samples()
{
    static QMap<QString, Samples> s;
    return s;
}

enum class Start { Bare, Text, Editor, EditorFirst, Page1MB, Page10MB, Plain1MB, Plain10MB };

// The Shift_JIS pages, written once by this process.
QString page(int megabytes)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(u"page%1mb.html"_s.arg(megabytes));
    if (!QFile::exists(path)) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(Cp932::encode(benchsupport::japaneseHtmlOfShiftJisSize(megabytes * 1'000'000)).bytes);
    }
    return path;
}

// Launches the probe once; false when it failed.
bool launch(const QString &dir, const QStringList &args, double *totalMs, double *shownMs)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    const auto t0 = std::chrono::steady_clock::now();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"TESSARA_PROBE_T0"_s,
               QString::number(std::chrono::nanoseconds(t0.time_since_epoch()).count()));
    p.setProcessEnvironment(env);
    p.start(probe(), args);
    p.waitForFinished(30000);
    const auto t1 = std::chrono::steady_clock::now();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return false;
    const QByteArray out = p.readAllStandardOutput();
    const qsizetype at = out.indexOf("shown ");
    if (at < 0)
        return false;
    *shownMs = out.mid(at + 6).trimmed().toDouble();
    *totalMs = std::chrono::duration<double, std::milli>(t1 - t0).count();
    return true;
}

void run(benchmark::State &state, const char *name, Start start)
{
    // One start directory per kind, kept across repetitions: the editor
    // finds its catalogue there (it wrote it on an untimed first run).
    static std::map<Start, std::unique_ptr<QTemporaryDir>> dirs;
    auto &dir = dirs[start];
    if (!dir)
        dir = std::make_unique<QTemporaryDir>();
    QStringList args;
    switch (start) {
    case Start::Bare: args = {u"bare"_s}; break;
    case Start::Text: args = {u"text"_s}; break;
    case Start::Editor: case Start::EditorFirst: break;
    case Start::Page1MB: args = {u"open"_s, page(1)}; break;
    case Start::Page10MB: args = {u"open"_s, page(10)}; break;
    case Start::Plain1MB: args = {u"plain"_s, page(1)}; break;
    case Start::Plain10MB: args = {u"plain"_s, page(10)}; break;
    }
    double total = 0, shown = 0;
    if ((start == Start::Editor || args.value(0) == u"open"_s) && !QFile::exists(dir->filePath(u"htmllist.lst"_s))
        && !launch(dir->path(), args, &total, &shown)) {
        state.SkipWithError("the probe failed");
        return;
    }
    for (auto _ : state) {
        if (start == Start::EditorFirst) // no catalogue yet: the built-in one is written
            for (const QString &name : QDir(dir->path()).entryList(QDir::Files))
                QFile::remove(dir->filePath(name));
        else
            QFile::remove(dir->filePath(u"Tessara.tmp"_s)); // every window at the same place
        if (!launch(dir->path(), args, &total, &shown)) {
            state.SkipWithError("the probe failed");
            return;
        }
        state.SetIterationTime(total / 1000);
    }
    state.counters["shown_ms"] = shown;
    Samples &s = samples()[QString::fromLatin1(name)];
    s.total.push_back(total);
    s.shown.push_back(shown);
}

void BM_BareQtWindow(benchmark::State &state) { run(state, "BareQtWindow", Start::Bare); }
void BM_TextQtWindow(benchmark::State &state) { run(state, "TextQtWindow", Start::Text); }
void BM_EditorStartUp(benchmark::State &state) { run(state, "EditorStartUp", Start::Editor); }
void BM_EditorFirstStartUp(benchmark::State &state) { run(state, "EditorFirstStartUp", Start::EditorFirst); }
void BM_EditorWith1MBPage(benchmark::State &state) { run(state, "EditorWith1MBPage", Start::Page1MB); }
void BM_EditorWith10MBPage(benchmark::State &state) { run(state, "EditorWith10MBPage", Start::Page10MB); }
void BM_PlainTextEdit1MBPage(benchmark::State &state) { run(state, "PlainTextEdit1MBPage", Start::Plain1MB); }
void BM_PlainTextEdit10MBPage(benchmark::State &state) { run(state, "PlainTextEdit10MBPage", Start::Plain10MB); }

double minOf(const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); }
double medianOf(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void printSummary()
{
    const auto &all = samples();
    const auto bare = all.constFind(u"BareQtWindow"_s);
    if (bare == all.cend() || bare->total.empty())
        return;
    std::printf("\n%-24s %5s  %21s  %21s\n", "", "runs", "launch to shown (ms)", "launch to exit (ms)");
    std::printf("%-24s %5s  %10s %10s  %10s %10s\n", "", "", "min", "median", "min", "median");
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        const Samples &s = *it;
        std::printf("%-24s %5zu  %10.2f %10.2f  %10.2f %10.2f\n", qPrintable(it.key()), s.total.size(),
                    minOf(s.shown), medianOf(s.shown), minOf(s.total), medianOf(s.total));
    }
    std::printf("ratio to %s:\n", qPrintable(bare.key()));
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        if (it == bare || it->total.empty())
            continue;
        const Samples &s = *it;
        std::printf("%-24s %5s  %10.2f %10.2f  %10.2f %10.2f\n", qPrintable(it.key()), "",
                    minOf(s.shown) / minOf(bare->shown), medianOf(s.shown) / medianOf(bare->shown),
                    minOf(s.total) / minOf(bare->total), medianOf(s.total) / medianOf(bare->total));
    }
    std::printf("ratio to the QPlainTextEdit given the same page:\n");
    for (const char *size : {"1MB", "10MB"}) {
        const auto editor = all.constFind(u"EditorWith%1Page"_s.arg(QLatin1StringView(size)));
        const auto plain = all.constFind(u"PlainTextEdit%1Page"_s.arg(QLatin1StringView(size)));
        if (editor == all.cend() || plain == all.cend() || editor->total.empty() || plain->total.empty())
            continue;
        std::printf("%-24s %5s  %10.2f %10.2f  %10.2f %10.2f\n", qPrintable(editor.key()), "",
                    minOf(editor->shown) / minOf(plain->shown), medianOf(editor->shown) / medianOf(plain->shown),
                    minOf(editor->total) / minOf(plain->total), medianOf(editor->total) / medianOf(plain->total));
    }
}

void statistics(benchmark::internal::Benchmark *b)
{
    b->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(kRuns);
    b->ComputeStatistics("min", [](const std::vector<double> &v) { return minOf(v); });
}
} // namespace

BENCHMARK(BM_BareQtWindow)->Apply(statistics);
BENCHMARK(BM_TextQtWindow)->Apply(statistics);
BENCHMARK(BM_EditorStartUp)->Apply(statistics);
BENCHMARK(BM_EditorFirstStartUp)->Apply(statistics);
BENCHMARK(BM_EditorWith1MBPage)->Apply(statistics);
BENCHMARK(BM_EditorWith10MBPage)->Apply(statistics);
BENCHMARK(BM_PlainTextEdit1MBPage)->Apply(statistics);
BENCHMARK(BM_PlainTextEdit10MBPage)->Apply(statistics);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Interleave the repetitions unless asked otherwise.
    std::vector<char *> args(argv, argv + argc);
    const bool chosen = std::any_of(args.begin(), args.end(), [](const char *a) {
        return std::strncmp(a, "--benchmark_enable_random_interleaving", 38) == 0;
    });
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    if (!chosen)
        args.insert(args.begin() + 1, interleave);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    return 0;
}
