// Tessara: a small editor for writing HTML pages by hand.
#include "core/TesselFrm.h"
#include "core/ValueDesc.h"
#include "ui/Platform.h"
#include "ui/ProgramEnd.h"
#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QDir>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessara"));
    QtMessageBoxes boxes;
    QtProgramEnd end;
    const Platform platform{QDir::currentPath(), &boxes, &end};
    ValueDesc values;
    TesselFrm frm(platform, values);
    frm.Form_Load();
    frm.show();
    return app.exec();
}
