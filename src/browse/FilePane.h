#pragma once
// The file browser pane: drive, directory and file lists and the extension
// filter, kept in step from the drive down to the files (never upwards), and
// whether a file has been chosen since the listing last changed.
//
// Reads and writes frm.Drive, frm.Dir1, frm.File and frm.TailCmb; runs
// frm.OpenBtn_Click() for a double-click or Enter in the file list. A drive
// or directory that cannot be read is told to the user (frm.platform().boxes)
// and the pane stays on a readable directory: the one it showed, else the
// start directory, else the root. The lists follow their folder by themselves;
// when the chosen file leaves it, nothing is chosen any more (FileChosen 0).
#include <QObject>

class TesselFrm;

class FilePane : public QObject
{
    Q_OBJECT
  public:
    explicit FilePane(TesselFrm &frm);

    // Start-up: drive "c:"; then the stored directory when a directory of
    // that name exists, or, when none is stored, the drive's current directory
    // (the start directory); the file list on Dir1's directory with the
    // pattern "*.html". A stored directory that is missing or unreadable is
    // skipped without a message.
    void startUp(const QString &storedDir);

    // 1 when a file has been clicked since the drive, directory or filter last
    // changed; Open refuses while it is 0.
    qint16 fileChosen() const { return m_FileChosen; }
    void resetFileChosen() { m_FileChosen = 0; }
    // The last valid item of the filter combo (0 to 2, never -1).
    qint16 tailIndex() const { return m_TailIndex; }

    // Dir1.Path <- path (its change handling runs when the path changes). On
    // failure the user is told, the pane keeps a readable directory, and the
    // result is false.
    bool showDirectory(const QString &path);
    // File.Path <- Dir1.Path: points the file list at the directory again and
    // re-reads it; false (the user told) when it cannot be read.
    bool listDirectory();
    // File.Refresh: re-reads the file list's directory; false (the user told)
    // when it cannot be read any more.
    bool refreshFiles();
    // As the user would choose a file: the directory, the filter item that
    // lists the name, then the name clicked in the file list. False when the
    // directory cannot be shown (the user told) or does not list the name.
    bool chooseFile(const QString &dir, const QString &name);

    // Handlers.
    void Drive_Change();
    void Dir1_Change();
    void Dir1_KeyDown(int KeyCode, int Shift);
    void File_Click();
    void File_DblClick();
    void File_KeyDown(int KeyCode, int Shift);
    void TailCmb_Click();
    void TailCmb_Change();
    void TailCmb_KeyDown(int KeyCode, int Shift);

  private:
    void directoryFailed(const QString &dir, const QString &why);
    void tell(const QString &text);
    void keepReadableDirectory();

    TesselFrm &m_frm;
    qint16 m_FileChosen = 0;
    qint16 m_TailIndex = 0;
    QString m_shownDrive;      // the drive last followed, to take back a change that fails
    bool m_quiet = false;      // start-up tells nothing
    bool m_recovering = false; // falling back to a readable directory
};
