// Tessara: a small editor for writing HTML pages by hand.
#include "core/TesselFrm.h"
#include "core/ValueDesc.h"
#include "ui/Fonts.h"
#include "ui/Platform.h"
#include "ui/ProgramEnd.h"
#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QDir>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessara"));
    // Every window and message box speaks Japanese: set its font before any
    // widget lays out text in another one.
    QApplication::setFont(fonts::japaneseGothic(9));
    QtMessageBoxes boxes;
    QtProgramEnd end;
    const Platform platform{QDir::currentPath(), &boxes, &end};
    ValueDesc values;
    TesselFrm frm(platform, values);
    frm.Form_Load();
    frm.show();
    return app.exec();
}
