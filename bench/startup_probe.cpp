// Started by bench_startup: shows the editor's main window, loaded from its
// start directory, or a reference window, and exits as soon as the window is
// exposed.
//   startup_probe         the editor (TesselFrm, Form_Load, show)
//   startup_probe bare    a blank Qt window of the same size
//   startup_probe text    the same window with one line of Japanese text in
//                         the editor's font: what showing any text costs
// When TESSARA_PROBE_T0 holds the launcher's steady clock in nanoseconds, the
// probe prints "shown <ms>" on stdout at the moment the window is exposed, so
// that process teardown is not counted. TESSARA_PROBE_PHASES=1 prints where
// the time went inside the process on stderr.
#include "BenchSupport.h"
#include "core/TesselFrm.h"
#include "ui/Fonts.h"
#include "ui/ListBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {
class Phases
{
public:
    Phases() : m_on(std::getenv("TESSARA_PROBE_PHASES") != nullptr) { m_timer.start(); }
    void mark(const char *name)
    {
        if (m_on)
            std::fprintf(stderr, "%-22s %7.2f ms\n", name, double(m_timer.nsecsElapsed()) / 1e6);
        m_timer.start();
    }

private:
    bool m_on;
    QElapsedTimer m_timer;
};

// Waits until the window is exposed and painted, without the 10 ms polling
// steps of QTest::qWaitForWindowExposed, which would round every start-up
// on a real display server up to the next step.
bool shown(QWidget &w)
{
    QWindow *window = w.windowHandle();
    if (!window)
        return false;
    QTimer giveUp;
    giveUp.setSingleShot(true);
    giveUp.start(30000); // its timeout also wakes the wait below
    while (!window->isExposed() && giveUp.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (!window->isExposed())
        return false;
    if (const char *t0 = std::getenv("TESSARA_PROBE_T0")) {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        const double ms = double(std::chrono::nanoseconds(now).count() - std::strtoll(t0, nullptr, 10)) / 1e6;
        std::printf("shown %.3f\n", ms);
        std::fflush(stdout);
    }
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    Phases phases;
    QApplication app(argc, argv);
    phases.mark("QApplication");
    const char *mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "bare") == 0 || std::strcmp(mode, "text") == 0) {
        QWidget w;
        w.resize(653, 604);
        if (std::strcmp(mode, "text") == 0) {
            auto *label = new QLabel(u"ここに各機能の説明が現れます。"_s, &w);
            label->setFont(fonts::japaneseGothic(9));
            label->move(10, 10);
        }
        w.show();
        const bool ok = shown(w);
        phases.mark("show until exposed");
        return ok ? 0 : 1;
    }
    QApplication::setFont(fonts::japaneseGothic(9)); // as the program's main() does
    benchsupport::YesBoxes boxes;
    benchsupport::NoEnd end;
    const Platform platform{QDir::currentPath(), &boxes, &end};
    ValueDesc values;
    TesselFrm frm(platform, values);
    phases.mark("TesselFrm");
    frm.Form_Load();
    phases.mark("Form_Load");
    frm.show();
    const bool ok = shown(frm) && frm.HTMLLst->listCount() == 71;
    phases.mark("show until exposed");
    return ok ? 0 : 1;
}
