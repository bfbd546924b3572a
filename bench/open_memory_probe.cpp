// Started by bench_open_memory: opens one page and prints how much memory
// that took, as "before <kB> peak <kB> after <kB> widened <kB>" on stdout.
//   open_memory_probe window PAGE [FIRST]   the main window (TesselFrm,
//       Form_Load, shown), the page opened as a file given on the command line
//   open_memory_probe plain PAGE [FIRST]    a shown QPlainTextEdit given the
//       page's text (read and decoded beforehand) with setPlainText
//   open_memory_probe document PAGE [FIRST] the same, the text given to its
//       document (QTextDocument::setPlainText), as the edit box loads a page
// FIRST, a small page, is opened the same way beforehand, so that the one-time
// costs of laying out and drawing text are paid before the measurement.
//
// before is the resident size just before the open, peak the highest resident
// size during it (the kernel's high-water mark, reset just before the open),
// after the resident size once the window has been painted with the page,
// widened the resident size once the window has then been made wider and the
// page wrapped to the new width.
#include "BenchSupport.h"
#include "core/TesselFrm.h"
#include "text/Cp932.h"
#include "ui/EditBox.h"
#include "ui/Fonts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>

using namespace Qt::StringLiterals;

namespace {
// A line of /proc/self/status, in kB.
long long statusKb(const char *field)
{
    QFile f(u"/proc/self/status"_s);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').first().toLongLong();
    return -1;
}

// The high-water mark starts again from the resident size now.
bool resetPeak()
{
    QFile f(u"/proc/self/clear_refs"_s);
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

void settle(QWidget &w)
{
    QCoreApplication::processEvents();
    w.repaint();
    QCoreApplication::processEvents();
}

QString decodedPage(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return Cp932::decode(f.readAll()).text;
}

// Measures open(page), run once the window is shown and, when given, has
// opened the first page.
int measure(QWidget &w, const std::function<void(const QString &)> &open, const QString &page,
            const QString &first)
{
    w.show();
    settle(w);
    if (!first.isEmpty()) {
        open(first);
        settle(w);
    }
    const long long before = statusKb("VmRSS:");
    if (!resetPeak())
        return 2;
    open(page);
    settle(w);
    std::printf("before %lld peak %lld after %lld", before, statusKb("VmHWM:"), statusKb("VmRSS:"));
    // Then wider, and time for a deferred wrap to run.
    w.resize(w.width() + 120, w.height());
    QEventLoop wait;
    QTimer::singleShot(400, &wait, &QEventLoop::quit);
    wait.exec();
    settle(w);
    std::printf(" widened %lld\n", statusKb("VmRSS:"));
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(fonts::japaneseGothic(9)); // as the program's main() does
    if (argc < 3)
        return 2;
    const QString page = QString::fromLocal8Bit(argv[2]);
    const QString first = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (std::strcmp(argv[1], "plain") == 0 || std::strcmp(argv[1], "document") == 0) {
        QPlainTextEdit edit;
        edit.resize(560, 400);
        // As in the edit box: a scroll bar appearing would change the width,
        // and a new width gives every line a layout of its own.
        edit.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        const bool toDocument = std::strcmp(argv[1], "document") == 0;
        const QString text = decodedPage(page); // read beforehand: only the document is measured
        const int rc = measure(
            edit,
            [&](const QString &path) {
                const QString t = path == page ? text : decodedPage(path);
                if (toDocument)
                    edit.document()->setPlainText(t);
                else
                    edit.setPlainText(t);
            },
            page, first);
        return rc != 0 ? rc : edit.document()->characterCount() > 1024 * 1024 ? 0 : 1;
    }
    benchsupport::YesBoxes boxes;
    benchsupport::NoEnd end;
    const Platform platform{QDir::currentPath(), &boxes, &end};
    ValueDesc values;
    TesselFrm frm(platform, values);
    frm.Form_Load();
    const int rc = measure(
        frm, [&](const QString &path) { frm.openFromCommandLine(path); }, page, first);
    return rc != 0 ? rc : frm.EditTxt->textLength() > 1024 * 1024 ? 0 : 1;
}
