// How much memory opening a large Shift_JIS page takes, as a multiple of the
// file's size: the page given on the command line to the main window
// (TesselFrm, Form_Load, shown), beside a QPlainTextEdit given the same text
// with setPlainText, and beside that edit's document given the text as the
// edit box loads a page (QTextDocument::setPlainText, without the format pass
// of QPlainTextEdit::setPlainText): what Qt's own document costs. The program
// should stay under 6 times the file's size at the peak.
//
// Each measurement is one open_memory_probe process, so that nothing freed
// earlier (the page written here, another open) is reused and hides growth.
// Cold is the first open in a fresh window; warm follows the open of a 1 KB
// page, so the one-time costs of laying out and drawing text are out. Counters:
// peak_x is the highest resident size during the open minus the resident size
// before it, resident_x the resident size once the page is shown minus the
// same, widened_x the same once the window has been made wider and the page
// wrapped to the new width, all divided by the file's size. A summary of the
// medians follows the run.
#include "BenchSupport.h"
#include "text/Cp932.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
enum Kind { WindowCold, WindowWarm, PlainCold, PlainWarm, DocumentWarm };
const char *const kindNames[] = {"window, cold", "window, warm", "QPlainTextEdit, cold",
                                 "QPlainTextEdit, warm", "its document alone, warm"};
const char *const probeModes[] = {"window", "window", "plain", "plain", "document"};

struct Growth {
    double peak = 0;     // bytes
    double resident = 0; // bytes
    double widened = 0;  // bytes, once the window is wider and wrapped again
};
QMap<QPair<int, int>, std::vector<Growth>> &samples() // (MB, kind)
{
    static QMap<QPair<int, int>, std::vector<Growth>> s;
    return s;
}

// The pages, written by this process once: the probes only read them.
class Pages
{
  public:
    QString small() { return write(u"small.html"_s, 1000); }
    QString page(int megabytes) { return write(u"page%1mb.html"_s.arg(megabytes), megabytes * 1'000'000); }
    qint64 size(const QString &path) const { return QFileInfo(path).size(); }

  private:
    QString write(const QString &name, qint64 bytes)
    {
        const QString path = m_dir.filePath(name);
        if (!QFile::exists(path)) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(Cp932::encode(benchsupport::japaneseHtmlOfShiftJisSize(bytes)).bytes);
        }
        return path;
    }
    QTemporaryDir m_dir;
};
Pages &pages()
{
    static Pages p;
    return p;
}

bool launch(const QStringList &args, Growth *growth)
{
    QTemporaryDir start; // the window's own files, written by its first start-up
    QProcess p;
    p.setWorkingDirectory(start.path());
    p.start(QCoreApplication::applicationDirPath() + u"/open_memory_probe"_s, args);
    p.waitForFinished(120000);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return false;
    long long before = 0, peak = 0, after = 0, widened = 0;
    if (std::sscanf(p.readAllStandardOutput().constData(), "before %lld peak %lld after %lld widened %lld",
                    &before, &peak, &after, &widened) != 4)
        return false;
    growth->peak = double(peak - before) * 1024;
    growth->resident = double(after - before) * 1024;
    growth->widened = double(widened - before) * 1024;
    return true;
}

void run(benchmark::State &state, Kind kind)
{
    const int megabytes = int(state.range(0));
    const QString page = pages().page(megabytes);
    const double fileSize = double(pages().size(page));
    QStringList args{QLatin1StringView(probeModes[kind]), page};
    if (kind != WindowCold && kind != PlainCold)
        args << pages().small();
    Growth g;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (!launch(args, &g)) {
            state.SkipWithError("the probe failed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    samples()[{megabytes, kind}].push_back(g);
    state.counters["peak_x"] = g.peak / fileSize;
    state.counters["resident_x"] = g.resident / fileSize;
    state.counters["widened_x"] = g.widened / fileSize;
    state.counters["peak_MB"] = g.peak / 1e6;
    state.counters["file_MB"] = fileSize / 1e6;
}

void BM_OpenInWindowCold(benchmark::State &state)
{
    run(state, WindowCold);
}
void BM_OpenInWindowWarm(benchmark::State &state)
{
    run(state, WindowWarm);
}
void BM_PlainTextEditCold(benchmark::State &state)
{
    run(state, PlainCold);
}
void BM_PlainTextEditWarm(benchmark::State &state)
{
    run(state, PlainWarm);
}
void BM_PlainTextDocumentWarm(benchmark::State &state)
{
    run(state, DocumentWarm);
}

double medianOf(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void printSummary()
{
    std::printf(
        "\nGrowth of the resident size, median, MB and multiples of the file's size (goal: peak < 6x)\n");
    std::printf("%-8s %-26s %4s %16s %16s %16s\n", "page", "", "runs", "peak of the open", "once shown",
                "once widened");
    QMap<QPair<int, int>, double> peaks;
    for (auto it = samples().cbegin(); it != samples().cend(); ++it) {
        const double size = double(pages().size(pages().page(it.key().first)));
        const auto median = [&](double Growth::*figure) {
            std::vector<double> v;
            for (const Growth &g : *it)
                v.push_back(g.*figure);
            return medianOf(v);
        };
        peaks[it.key()] = median(&Growth::peak);
        std::printf("%4d MB  %-26s %4zu", it.key().first, kindNames[it.key().second], it->size());
        for (double Growth::*figure : {&Growth::peak, &Growth::resident, &Growth::widened})
            std::printf(" %8.1f %6.2fx", median(figure) / 1e6, median(figure) / size);
        std::printf("\n");
    }
    for (int megabytes : {10, 100})
        if (peaks.contains({megabytes, WindowWarm}) && peaks.contains({megabytes, DocumentWarm}))
            std::printf("%4d MB: Qt's document is %.0f%% of the window's peak (warm)\n", megabytes,
                        100 * peaks[{megabytes, DocumentWarm}] / peaks[{megabytes, WindowWarm}]);
}

// Where the heap happens to lie varies the 10 MB figures by a tenth: five
// runs each. A 100 MB page takes 10 to 16 s a run: one each.
void tenMB(benchmark::internal::Benchmark *b)
{
    b->ArgName("MB")->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
    b->ReportAggregatesOnly(true);
}
void hundredMB(benchmark::internal::Benchmark *b)
{
    b->ArgName("MB")->Arg(100)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
}
} // namespace

BENCHMARK(BM_OpenInWindowCold)->Apply(tenMB);
BENCHMARK(BM_OpenInWindowWarm)->Apply(tenMB);
BENCHMARK(BM_PlainTextEditCold)->Apply(tenMB);
BENCHMARK(BM_PlainTextEditWarm)->Apply(tenMB);
BENCHMARK(BM_PlainTextDocumentWarm)->Apply(tenMB);
BENCHMARK(BM_OpenInWindowCold)->Apply(hundredMB);
BENCHMARK(BM_OpenInWindowWarm)->Apply(hundredMB);
BENCHMARK(BM_PlainTextEditCold)->Apply(hundredMB);
BENCHMARK(BM_PlainTextEditWarm)->Apply(hundredMB);
BENCHMARK(BM_PlainTextDocumentWarm)->Apply(hundredMB);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();
    return 0;
}
