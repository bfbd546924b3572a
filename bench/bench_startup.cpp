// Start-up of the editor, from process start to the main window shown with
// its catalogue loaded, beside a bare Qt window of the same size, in one run.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {
QString probe() { return QCoreApplication::applicationDirPath() + u"/startup_probe"_s; }

void run(benchmark::State &state, const QStringList &args, bool firstStart)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        if (firstStart) // no catalogue yet: the built-in one is written
            for (const QString &name : QDir(dir.path()).entryList(QDir::Files))
                QFile::remove(dir.filePath(name));
        else
            QFile::remove(dir.filePath(u"Tessara.tmp"_s)); // every window at the same place
        QProcess p;
        p.setWorkingDirectory(dir.path());
        state.ResumeTiming();
        p.start(probe(), args);
        p.waitForFinished(30000);
        if (p.exitCode() != 0) {
            state.SkipWithError("the probe failed");
            return;
        }
    }
}

void BM_BareQtWindow(benchmark::State &state) { run(state, {u"bare"_s}, false); }
void BM_EditorStartUp(benchmark::State &state) { run(state, {}, false); }
void BM_EditorFirstStartUp(benchmark::State &state) { run(state, {}, true); }
} // namespace

BENCHMARK(BM_BareQtWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_EditorStartUp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_EditorFirstStartUp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
