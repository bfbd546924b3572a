#pragma once
#include "Unprivileged.h"
// A main window whose file pane browses a small directory tree in its own
// temporary start directory:
//   tree/a.html tree/b.html tree/c.txt tree/d.dat tree/sub1/s.html tree/sub2/t.txt
//   other/o.html
//   dvol/v.html       (the root of the test drive "d:")
#include "WindowFixture.h"
#include "browse/Drives.h"

#include <QListWidget>
#include <QStringList>

class FilePane;

class PaneFixture : public WindowFixture
{
  public:
    PaneFixture();
    // Creates the window with the drives "c:" (the start directory) and "d:"
    // (dvol), shows it and runs the pane's start-up with tree as the stored
    // directory.
    TesselFrm &open();
    FilePane &pane();

    QString dir(const QString &relative) const; // absolute path in the start directory
    static void makeFile(const QString &path, const QByteArray &bytes = "x");
    // The names the file list shows.
    QStringList fileNames();

    // Real mouse actions on a list entry.
    static void click(QListWidget *list, int row);
    static void doubleClick(QListWidget *list, int row);
    // The row of the directory list that shows a subdirectory's name.
    int dirRow(const QString &name);

    Drives drives;
};


