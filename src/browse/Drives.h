#pragma once
// The drives of the file pane. Without drive letters they are the mounted
// volumes that hold a real file system (not /proc, /sys, /dev, /run, memory
// file systems and the like); the volume holding the start directory stands
// for "c:", and its current directory is the start directory. Another volume's
// name is its root path, which is also its current directory, so every drive
// name is something a directory list accepts as a path.
#include <QList>
#include <QString>

struct Drive {
    QString name;    // what Drive.Drive reads: "c:" or the volume's root path
    QString root;    // the volume's root directory
    QString caption; // what the drive list shows
};

class Drives
{
  public:
    explicit Drives(QString startDir);
    // Given drives, for tests: the first one is "c:" by convention.
    static Drives withVolumes(QString startDir, QList<Drive> volumes);

    const QList<Drive> &list() const { return m_list; }
    QString startDir() const { return m_startDir; }
    // The directory a drive name stands for: "c:" (any case) is the start
    // directory, another drive its root. Anything else is returned as is.
    QString directoryOf(const QString &driveOrPath) const;
    // The list position of a drive name (a drive letter in either case), or -1.
    int indexOf(const QString &driveName) const;
    // Whether a mounted file system holds no documents (kernel interfaces,
    // devices, memory-only file systems, read-only package images).
    static bool isPseudoFileSystem(const QByteArray &fsType, const QString &root);

  private:
    Drives() = default;
    QString m_startDir;
    QList<Drive> m_list;
};
