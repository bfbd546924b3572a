#pragma once
// The drives of the file pane. Without drive letters they are the mounted
// volumes that hold a real file system; the volume holding the start directory
// stands for "c:", and its current directory is the start directory.
#include <QList>
#include <QString>

struct Drive {
    QString name;    // what Drive.Drive reads: "c:" or the volume's root path
    QString root;    // the volume's root directory
    QString caption; // what the drive list shows
};

class Drives {
public:
    explicit Drives(QString startDir);
    static Drives withVolumes(QString startDir, QList<Drive> volumes); // for tests

    const QList<Drive> &list() const { return m_list; }
    QString startDir() const { return m_startDir; }
    // The directory a drive name stands for: "c:" (any case) is the start
    // directory; another drive name is its root. Anything else is returned as is.
    QString directoryOf(const QString &driveOrPath) const;
    // The list position of a drive name, or -1.
    int indexOf(const QString &driveName) const;
    static bool isPseudoFileSystem(const QByteArray &fsType, const QString &root);

private:
    Drives() = default;
    QString m_startDir;
    QList<Drive> m_list;
};
