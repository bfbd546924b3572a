// Started by bench_startup: shows either the editor's main window, loaded
// from its start directory, or a bare Qt window, and exits as soon as the
// window is exposed.
#include "BenchSupport.h"
#include "core/TesselFrm.h"
#include "ui/ListBox.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    if (bare) {
        QWidget w;
        w.resize(653, 604);
        w.show();
        return QTest::qWaitForWindowExposed(&w) ? 0 : 1;
    }
    benchsupport::YesBoxes boxes;
    benchsupport::NoEnd end;
    const Platform platform{QDir::currentPath(), &boxes, &end};
    ValueDesc values;
    TesselFrm frm(platform, values);
    frm.Form_Load();
    frm.show();
    return QTest::qWaitForWindowExposed(&frm) && frm.HTMLLst->listCount() == 71 ? 0 : 1;
}
