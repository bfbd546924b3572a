#include "ui/ProgramEnd.h"

#include <QApplication>
#include <QWidget>

void QtProgramEnd::endProgram()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        w->hide(); // hide() does not run any close handling
    QCoreApplication::exit(0);
}
