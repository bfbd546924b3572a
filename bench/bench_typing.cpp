// Typing into a 10 MB page shown in the main window: a keystroke (its press,
// its release and the repaint that follows) at the top and at the end of the
// page should stay under 2 ms. Each typed character is taken back, untimed,
// so that the line typed into keeps its length. Beside it: putting the page into the shown
// edit box and painting it, and scrolling by a page, repaint included, which
// is where the colouring of what comes into view is paid.
#include "BenchSupport.h"
#include "core/TesselFrm.h"
#include "ui/EditBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {
struct Window {
    QTemporaryDir dir;
    ValueDesc values;
    benchsupport::YesBoxes boxes;
    benchsupport::NoEnd end;
    Platform platform;
    std::unique_ptr<TesselFrm> frm;
    QString page = benchsupport::japaneseHtml(5'000'000); // about 10 MB in Shift_JIS
    Window()
    {
        platform = {dir.path(), &boxes, &end};
        frm = std::make_unique<TesselFrm>(platform, values);
        frm->Form_Load();
        frm->show();
        QCoreApplication::processEvents();
    }
    void load()
    {
        frm->EditTxt->setText(page);
        QCoreApplication::processEvents();
    }
};

Window &window()
{
    static Window *w = new Window;
    return *w;
}

void keystroke(EditBox *box, Qt::Key key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &release);
    QCoreApplication::processEvents(); // the repaint
}

void typeAt(benchmark::State &state, bool atEnd)
{
    Window &w = window();
    w.load();
    EditBox *box = w.frm->EditTxt;
    box->setSelStart(atEnd ? box->textLength() : 200);
    box->ensureCursorVisible();
    QCoreApplication::processEvents();
    const qsizetype before = box->textLength();
    bool typed = true;
    for (auto _ : state) {
        keystroke(box, Qt::Key_A, u"a"_s);
        // The line stays as long as it was: what it costs to lay out does not grow.
        state.PauseTiming();
        typed = typed && box->textLength() == before + 1;
        keystroke(box, Qt::Key_Backspace, QString());
        state.ResumeTiming();
    }
    if (!typed || box->textLength() != before)
        state.SkipWithError("the keys were not typed");
}

void BM_KeystrokeAtTop10MB(benchmark::State &state) { typeAt(state, false); }
void BM_KeystrokeAtEnd10MB(benchmark::State &state) { typeAt(state, true); }

void BM_ShowPage10MB(benchmark::State &state)
{
    Window &w = window();
    for (auto _ : state) {
        state.PauseTiming();
        w.frm->EditTxt->setText(QString());
        QCoreApplication::processEvents();
        state.ResumeTiming();
        w.frm->EditTxt->setText(w.page);
        w.frm->EditTxt->viewport()->repaint();
    }
}

void BM_ScrollPage10MB(benchmark::State &state)
{
    Window &w = window();
    w.load();
    QScrollBar *bar = w.frm->EditTxt->verticalScrollBar();
    for (auto _ : state) {
        if (bar->value() >= bar->maximum() - bar->pageStep())
            bar->setValue(0);
        bar->setValue(bar->value() + bar->pageStep());
        w.frm->EditTxt->viewport()->repaint();
    }
}
} // namespace

BENCHMARK(BM_KeystrokeAtTop10MB)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_KeystrokeAtEnd10MB)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ShowPage10MB)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ScrollPage10MB)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
