#include "PaneFixture.h"
#include "browse/FilePane.h"
#include "ui/DirList.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

PaneFixture::PaneFixture()
    : drives(Drives::withVolumes(startDir(),
                                 {{u"c:"_s, u"/"_s, u"c: [/]"_s}, {u"d:"_s, dir(u"dvol"_s), u"d: [dvol]"_s}}))
{
    for (const char *d : {"tree/sub1", "tree/sub2", "other", "dvol"})
        QDir().mkpath(dir(QString::fromLatin1(d)));
    for (const char *f : {"tree/a.html", "tree/b.html", "tree/c.txt", "tree/d.dat", "tree/sub1/s.html",
                          "tree/sub2/t.txt", "other/o.html", "dvol/v.html"})
        makeFile(dir(QString::fromLatin1(f)));
}

QString PaneFixture::dir(const QString &relative) const
{
    return relative.isEmpty() ? startDir() : startDir() + u'/' + relative;
}

void PaneFixture::makeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file");
}

TesselFrm &PaneFixture::open()
{
    TesselFrm &frm = create();
    frm.Drive->setDrives(&drives);
    frm.Dir1->setDrives(&drives);
    frm.show();
    if (!QTest::qWaitForWindowExposed(&frm))
        qWarning("window not exposed");
    frm.filePane()->startUp(dir(u"tree"_s));
    return frm;
}

FilePane &PaneFixture::pane()
{
    return *frm().filePane();
}

QStringList PaneFixture::fileNames()
{
    QStringList names;
    for (int i = 0; i < frm().File->listCount(); ++i)
        names << frm().File->list(i);
    return names;
}

void PaneFixture::click(QListWidget *list, int row)
{
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

void PaneFixture::doubleClick(QListWidget *list, int row)
{
    // As a mouse does it: a click, then the second press that makes it double.
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

int PaneFixture::dirRow(const QString &name)
{
    QListWidget *list = frm().Dir1;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == name)
            return i;
    return -1;
}

