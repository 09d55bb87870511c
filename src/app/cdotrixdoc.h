#pragma once
// CDotrixDoc: the document. It holds no data: new and open ask for the views' initial updates,
// save writes an empty file (never over a file opened in this run), and nobody is ever asked to
// save. It also delivers font.dat.

#include "delivery/drivecopy.h"
#include "delivery/serialsend.h"
#include "output/outputdirectory.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <memory>

class CDotrixDoc : public QObject
{
    Q_OBJECT
public:
    // window is where its dialogs and messages appear.
    CDotrixDoc(OutputDirectory &output, QWidget *window);

    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();

    // Delivery of font.dat: over the serial port, to floppy drives, to removable drives.
    void OnSendSerial();
    void OnSendFloppy() { CopyFontDataToDrives(DriveKind::Floppy); }
    void OnSendRemovable() { CopyFontDataToDrives(DriveKind::Removable); }
    // Replaces where the drives come from (tests).
    void SetDriveList(std::unique_ptr<DriveList> drives) { m_drives = std::move(drives); }

signals:
    // A new or opened document: the views start afresh.
    void Reset();
    // Something the status bar should say.
    void StatusMessage(const QString &text);

private:
    void RememberRecentFile(const QString &path);
    void CopyFontDataToDrives(DriveKind kind);
    // Sends the file while a progress box (with Cancel) shows how far it has got; the box is
    // gone for good when this returns.
    SerialSendResult SendWithProgress(const QString &path, JobControl &control);
    // font.dat in the output directory, or empty after telling the user it is missing.
    QString FontDataPath();

    OutputDirectory &m_output;
    QWidget *m_window;
    QString m_pathName;       // the file the document was last saved to; empty after an open
    QSet<QString> m_openedPaths; // every file opened in this run, absolute
    std::unique_ptr<DriveList> m_drives = std::make_unique<SystemDriveList>();
};
