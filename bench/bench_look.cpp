// The help label and the layout on a real main window. A mouse move over a
// control whose help text is already shown must do no work beyond comparing
// the number; resizing the window with a 10 MB document in the edit box should
// stay under 16 ms (one frame), layout and repaint included. A page of 20000
// lines or more is wrapped to a new width once resizing stops: what that costs
// is measured on its own.
#include "BenchSupport.h"
#include "browse/MainLayout.h"
#include "core/TesselFrm.h"
#include "look/HoverHelp.h"
#include "ui/EditBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextLayout>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {
struct Window {
    QTemporaryDir dir;
    ValueDesc values;
    benchsupport::YesBoxes boxes;
    benchsupport::NoEnd end;
    Platform platform;
    std::unique_ptr<TesselFrm> frm;
    explicit Window(qsizetype documentChars = 0)
    {
        platform = {dir.path(), &boxes, &end};
        frm = std::make_unique<TesselFrm>(platform, values);
        if (documentChars > 0)
            frm->EditTxt->setText(benchsupport::japaneseHtml(documentChars));
        frm->show();
        QCoreApplication::processEvents();
    }
};

// The handler itself, the mouse already over the edit box.
void BM_MouseMoveHandlerOverShownText(benchmark::State &state)
{
    Window w;
    HoverHelp &hover = *w.frm->hoverHelp();
    hover.EditTxt_MouseMove();
    for (auto _ : state)
        hover.EditTxt_MouseMove();
    if (hover.HoverId() != 1)
        state.SkipWithError("help number changed");
}

// The same move as the edit box receives it from Qt, event delivery included.
void BM_MouseMoveEventOverShownText(benchmark::State &state)
{
    Window w;
    QWidget *viewport = w.frm->EditTxt->viewport();
    w.frm->hoverHelp()->EditTxt_MouseMove();
    int x = 0;
    for (auto _ : state) {
        const QPointF p(50 + (x++ & 7), 50);
        QMouseEvent e(QEvent::MouseMove, p, viewport->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &e);
    }
}

// For comparison: entering a control, which sets the label's caption.
void BM_MouseMoveEnteringAnotherControl(benchmark::State &state)
{
    Window w;
    HoverHelp &hover = *w.frm->hoverHelp();
    bool edit = false;
    for (auto _ : state) {
        edit = !edit;
        if (edit)
            hover.EditTxt_MouseMove();
        else
            hover.NewBtn_MouseMove();
    }
}

// About 10 MB (Shift_JIS) in the edit box; built once for all the resize
// benchmarks and left to the end of the process.
Window &bigWindow()
{
    static Window *w = new Window(5'000'000);
    return *w;
}

// Resizing the window (the layout runs from its resize event) and painting it.
void BM_ResizeWith10MBDocument(benchmark::State &state)
{
    Window &w = bigWindow();
    bool large = false;
    for (auto _ : state) {
        large = !large;
        w.frm->resize(large ? 900 : 653, large ? 760 : 604);
        w.frm->repaint();
    }
}

// Parts of it. A change of the edit box's width makes QPlainTextEdit drop the
// layout of every line (its own resize handling); a change of height does not.
void BM_ResizeHeightOnly10MB(benchmark::State &state)
{
    Window &w = bigWindow();
    bool large = false;
    for (auto _ : state) {
        large = !large;
        w.frm->resize(653, large ? 760 : 604);
    }
}

void BM_ResizeWidthOnly10MB(benchmark::State &state)
{
    Window &w = bigWindow();
    bool large = false;
    for (auto _ : state) {
        large = !large;
        w.frm->resize(large ? 900 : 653, 604);
    }
}

// A page of 10 MB in Shift_JIS (the one above is 7.7 MB), for the wrap alone.
const QString &tenMegabytePage()
{
    static const QString page = benchsupport::japaneseHtmlOfShiftJisSize(10'000'000);
    return page;
}
Window &tenMegabyteWindow()
{
    static Window *w = new Window(tenMegabytePage().size());
    return *w;
}

// The wrap at the new width, once resizing has stopped: the width changes and
// the window settles (untimed), the edit box's timer falls due, then the event
// processing that runs it and the repaint that shows the new wrapping are
// timed. relayout_ms is the event processing alone. With first:1 the page has
// just been opened again (untimed), so this is its first wrap at a new width;
// with first:0 it has been wrapped before.
void BM_RelayoutAfterResizeStops10MB(benchmark::State &state)
{
    Window &w = tenMegabyteWindow();
    // The width the first line is laid out at; -1 once the wrap has dropped it.
    const auto laidOut = [&] {
        const QTextLayout *first = w.frm->EditTxt->document()->firstBlock().layout();
        return first->lineCount() > 0 ? first->lineAt(0).width() : -1;
    };
    bool large = false;
    double relayout = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (state.range(0) == 1)
            w.frm->EditTxt->setText(tenMegabytePage());
        large = !large;
        w.frm->resize(large ? 900 : 653, 604);
        QCoreApplication::processEvents();
        w.frm->repaint();
        const qreal width = laidOut();
        QThread::msleep(210);
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        while (laidOut() == width && t.elapsed() < 5000)
            QCoreApplication::processEvents();
        if (laidOut() == width) {
            state.SkipWithError("the edit box was not wrapped to its new width");
            break;
        }
        relayout += double(t.nsecsElapsed()) / 1e6;
        w.frm->repaint();
    }
    state.counters["relayout_ms"] = benchmark::Counter(relayout, benchmark::Counter::kAvgIterations);
}

void BM_Repaint10MB(benchmark::State &state)
{
    Window &w = bigWindow();
    for (auto _ : state)
        w.frm->repaint();
}

// The layout rules alone at an unchanged size.
void BM_LayoutAtUnchangedSize(benchmark::State &state)
{
    Window w;
    for (auto _ : state)
        mainlayout::apply(*w.frm);
}
} // namespace

BENCHMARK(BM_MouseMoveHandlerOverShownText)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MouseMoveEventOverShownText)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MouseMoveEnteringAnotherControl)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ResizeWith10MBDocument)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ResizeHeightOnly10MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ResizeWidthOnly10MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RelayoutAfterResizeStops10MB)
    ->ArgName("first")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(6)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Repaint10MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LayoutAtUnchangedSize)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
