#include "ui/DirList.h"
#include "browse/Drives.h"
#include "text/SystemError.h"
#include "ui/FolderWatch.h"
#include "ui/Keys.h"
#include "ui/ListLook.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QScrollBar>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace dirpath
{
QString normalize(const QString &path)
{
    QString p = QDir::cleanPath(QDir(path).absolutePath());
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p;
}

QString reasonFor(int error)
{
    return syserror::reason(error, syserror::Action::Folder);
}

bool readable(const QString &path, QString *why)
{
    const auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (path.isEmpty())
        return fail(u"フォルダーが指定されていません。"_s);
    const QByteArray native = QFile::encodeName(path);
    struct stat st {
    };
    if (::stat(native.constData(), &st) != 0)
        return fail(reasonFor(errno));
    if (!S_ISDIR(st.st_mode))
        return fail(u"フォルダーではなくファイルです。"_s);
    // Open it for real: permission bits alone do not say whether a listing
    // works (root, access control lists, a drive without its medium).
    DIR *d = ::opendir(native.constData());
    if (!d)
        return fail(reasonFor(errno));
    ::closedir(d);
    return true;
}
} // namespace dirpath

namespace {
// Folder icons drawn here rather than looked up in the desktop's icon theme,
// which costs more at start-up than the rest of the directory list.
QIcon folderIcon(bool open)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor edge(0x9c, 0x7a, 0x1c), face(open ? 0xf7 : 0xee, open ? 0xd3 : 0xc7, open ? 0x6b : 0x4a);
    p.setPen(edge);
    p.setBrush(face.darker(110));
    p.drawRect(QRectF(1.5, 3.5, 6, 2));
    p.drawRect(QRectF(1.5, 4.5, 13, 9));
    p.setBrush(face);
    if (open)
        p.drawPolygon(QPolygonF({QPointF(1.5, 13.5), QPointF(4.5, 7.5), QPointF(15.5, 7.5), QPointF(12.5, 13.5)}));
    return QIcon(pm);
}
} // namespace

DirList::DirList(QWidget *parent) : QListWidget(parent), m_watch(new FolderWatch(this))
{
    connect(m_watch, &FolderWatch::Changed, this, &DirList::follow);
    listlook::clipLongEntries(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        const QString target = list(row(item) - int(m_ancestors.size()));
        QString why;
        if (!setPath(target, &why))
            emit Failure(target, why);
    });
}

QString DirList::directoryOf(const QString &path) const
{
    if (path.isEmpty())
        return {};
    return dirpath::normalize(m_drives ? m_drives->directoryOf(path) : path);
}

bool DirList::setPath(const QString &path, QString *why)
{
    const QString dir = directoryOf(path);
    if (!dirpath::readable(dir, why))
        return false;
    const bool changed = dir != m_path;
    m_path = dir;
    fill();
    watchShownFolder();
    if (changed)
        emit Change();
    return true;
}

bool DirList::refresh(QString *why)
{
    if (!dirpath::readable(m_path, why))
        return false;
    fill();
    return true;
}

void DirList::fill()
{
    m_ancestors.clear();
    for (QString p = m_path;;) {
        m_ancestors.prepend(p);
        if (p == u"/"_s)
            break;
        const int cut = p.lastIndexOf(u'/');
        p = cut <= 0 ? u"/"_s : p.left(cut);
    }
    m_subdirs = subdirectories();
    present(int(m_ancestors.size()) - 1);
    m_stale = false;
}

QStringList DirList::subdirectories() const
{
    QStringList subdirs;
    const QDir dir(m_path);
    for (const QString &name :
         dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        subdirs.append(m_path == u"/"_s ? QString(m_path + name) : QString(m_path + u'/' + name));
    return subdirs;
}

void DirList::present(int row)
{
    // Listing is no choice of the user's: nothing is raised.
    const QSignalBlocker block(this);
    clear();
    static const QIcon open = folderIcon(true);
    static const QIcon closed = folderIcon(false);
    for (int i = 0; i < m_ancestors.size(); ++i) {
        const QString name = i == 0 ? m_ancestors[i] : m_ancestors[i].section(u'/', -1);
        auto *item = new QListWidgetItem(open, QString(i * 2, u' ') + name, this);
        item->setToolTip(m_ancestors[i]);
    }
    const QString indent(m_ancestors.size() * 2, u' ');
    for (const QString &sub : m_subdirs)
        new QListWidgetItem(closed, indent + sub.section(u'/', -1), this);
    setCurrentRow(row);
}

void DirList::follow()
{
    m_stale = false;
    // A folder that has gone keeps its last listing; the user is told when
    // opening something there fails.
    if (m_path.isEmpty() || !dirpath::readable(m_path, nullptr))
        return;
    const QStringList subdirs = subdirectories();
    if (subdirs == m_subdirs)
        return;
    const int highlighted = listIndex();
    const QString kept = highlighted >= 0 ? list(highlighted) : QString();
    m_subdirs = subdirs;
    int row = currentRow(); // the current folder or one of its parents: the same row
    if (highlighted >= 0) {
        const qsizetype at = subdirs.indexOf(kept);
        row = int(m_ancestors.size()) - 1 + (at >= 0 ? int(at) + 1 : 0);
    }
    const int scrolled = verticalScrollBar()->value();
    present(row);
    verticalScrollBar()->setValue(scrolled);
}

void DirList::watchShownFolder() { m_watch->watch(isVisible() ? m_path : QString()); }

void DirList::showEvent(QShowEvent *e)
{
    QListWidget::showEvent(e);
    if (m_stale)
        follow(); // what changed while the list was hidden
    watchShownFolder();
}

void DirList::hideEvent(QHideEvent *e)
{
    QListWidget::hideEvent(e);
    m_watch->stop();
    m_stale = true;
}

QString DirList::list(int index) const
{
    if (index >= 0)
        return index < m_subdirs.size() ? m_subdirs[index] : QString();
    const qsizetype pos = m_ancestors.size() + index;
    return pos >= 0 ? m_ancestors[pos] : QString();
}

int DirList::listIndex() const
{
    const int r = currentRow();
    return r < 0 ? -1 : r - int(m_ancestors.size());
}

void DirList::setListIndex(int index)
{
    const int r = index + int(m_ancestors.size());
    if (r >= 0 && r < count())
        setCurrentRow(r);
}

void DirList::keyPressEvent(QKeyEvent *e)
{
    emit KeyDown(keys::codeOf(e), keys::maskOf(e));
    QListWidget::keyPressEvent(e);
}

void DirList::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove();
    QListWidget::mouseMoveEvent(e);
}
