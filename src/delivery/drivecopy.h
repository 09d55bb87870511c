#pragma once
// Copying font.dat to floppy and removable drives: each qualifying drive is offered in turn and
// copied to when the user agrees.

#include "base/failure.h"
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

enum class DriveKind { Floppy, Removable };

struct Drive
{
    QString Name; // what the user is asked about: "A:" where drives have letters, else the mount point
    QString Root; // the directory font.dat is copied into
    DriveKind Kind = DriveKind::Removable;
};

// Where the drives come from; tests give their own.
class DriveList
{
public:
    virtual ~DriveList() = default;
    virtual std::vector<Drive> Drives() const = 0;
};

// The platform's drives: on systems with drive letters the removable-media drives A: to Z:;
// elsewhere every mounted volume on a removable device, floppy devices (fd0, ...) as floppies.
class SystemDriveList : public DriveList
{
public:
    std::vector<Drive> Drives() const override;
};

struct DriveCopyOutcome
{
    bool Found = false;    // a drive of the kind was there (asked about), whatever the answer
    int Copied = 0;        // drives font.dat was copied to
    QList<Failure> Failures; // each failed copy: what failed (the path names the drive's file), and why
};

// The words of the floppy and removable commands (Chinese; the window translates them through its
// "CoreMessage" context).
QString DriveConfirmationPrefix(DriveKind kind); // "发送到软盘 " / "发送到移动存储设备 "
QString NoDriveMessage(DriveKind kind);          // "没有发现软盘" / "没有发现移动存储设备"

// Offers every drive of the kind, in the list's order, through confirm (which is shown
// prefix + name + " ?"), and copies source into each confirmed drive as font.dat, replacing a
// file of that name.
DriveCopyOutcome CopyToDrives(const QString &source, DriveKind kind, const DriveList &drives,
                              const std::function<bool(const QString &question)> &confirm);
