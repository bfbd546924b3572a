// Started by bench_startup: shows the editor's main window, loaded from its
// start directory, or a reference window, and exits as soon as the window is
// exposed.
//   startup_probe             the editor (TesselFrm, Form_Load, show)
//   startup_probe open FILE   the editor given a page on the command line, as
//                             main() does it: Form_Load, show, then the page
//                             opened; shown once the page is in the edit box
//                             and the window has been painted since
//   startup_probe bare        a blank Qt window of the same size
//   startup_probe text        the same window with one line of Japanese text in
//                             the editor's font: what showing any text costs
//   startup_probe plain FILE  a QPlainTextEdit of the same size, in the
//                             editor's font, its scroll bar always shown as in
//                             the edit box, given the Shift_JIS page (read,
//                             decoded, setPlainText) and shown
// When TESSARA_PROBE_T0 holds the launcher's steady clock in nanoseconds, the
// probe prints "shown <ms>" on stdout at the moment the window is exposed, so
// that process teardown is not counted. TESSARA_PROBE_PHASES=1 prints where
// the time went inside the process on stderr.
#include "BenchSupport.h"
#include "core/TesselFrm.h"
#include "text/Cp932.h"
#include "ui/EditBox.h"
#include "ui/Fonts.h"
#include "ui/ListBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
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

// Counts the paint events a widget receives from now on.
class PaintCount : public QObject
{
public:
    explicit PaintCount(QWidget *w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        count += e->type() == QEvent::Paint;
        return false;
    }
};

// Waits until the window is exposed and painted (and, when given, `painted`
// has been painted since it was counted), without the 10 ms polling
// steps of QTest::qWaitForWindowExposed, which would round every start-up
// on a real display server up to the next step.
bool shown(QWidget &w, const PaintCount *painted = nullptr)
{
    QWindow *window = w.windowHandle();
    if (!window)
        return false;
    QTimer giveUp;
    giveUp.setSingleShot(true);
    giveUp.start(30000); // its timeout also wakes the wait below
    const auto done = [&] { return window->isExposed() && (!painted || painted->count > 0); };
    while (!done() && giveUp.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (!done())
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
    const QString page = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (std::strcmp(mode, "plain") == 0) {
        QPlainTextEdit edit;
        edit.resize(653, 604);
        // As in the edit box: a scroll bar appearing would change the width,
        // and a new width lays out every line again.
        edit.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        QFile f(page);
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        edit.setPlainText(Cp932::decode(f.readAll()).text);
        phases.mark("read, decode, set");
        edit.show();
        const PaintCount painted(edit.viewport());
        const bool ok = shown(edit, &painted);
        phases.mark("show until painted");
        return ok ? 0 : 1;
    }
    benchsupport::YesBoxes boxes;
    benchsupport::NoEnd end;
    const Platform platform{QDir::currentPath(), &boxes, &end};
    ValueDesc values;
    TesselFrm frm(platform, values);
    phases.mark("TesselFrm");
    frm.Form_Load();
    phases.mark("Form_Load");
    frm.show();
    if (std::strcmp(mode, "open") != 0) {
        const bool ok = shown(frm) && frm.HTMLLst->listCount() == 71;
        phases.mark("show until exposed");
        return ok ? 0 : 1;
    }
    frm.openFromCommandLine(page);
    phases.mark("openFromCommandLine");
    const PaintCount painted(frm.EditTxt->viewport());
    const bool ok = frm.EditTxt->textLength() > 0 && shown(frm, &painted) && frm.HTMLLst->listCount() == 71;
    phases.mark("show until painted");
    return ok ? 0 : 1;
}
