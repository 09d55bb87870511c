#include "drivecopy.h"

#include "output/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

// The kernel's block device behind a device node such as /dev/sdb1: "sdb".
QString BlockDeviceOf(const QString &device)
{
    QString name = QFileInfo(QFileInfo(device).canonicalFilePath()).fileName();
    if (name.isEmpty())
        return {};
    if (QFileInfo::exists(QStringLiteral("/sys/block/") + name))
        return name;
    // A partition: its parent directory under /sys/class/block is the whole disk.
    const QString partition = QFileInfo(QStringLiteral("/sys/class/block/") + name).canonicalFilePath();
    if (partition.isEmpty())
        return {};
    return QFileInfo(QFileInfo(partition).path()).fileName();
}

bool IsRemovableDevice(const QString &block)
{
    QFile flag(QStringLiteral("/sys/block/") + block + QStringLiteral("/removable"));
    return flag.open(QIODevice::ReadOnly) && flag.readAll().trimmed() == "1";
}

} // namespace

std::vector<Drive> SystemDriveList::Drives() const
{
    std::vector<Drive> drives;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString device = QString::fromLocal8Bit(volume.device());
        const QString block = BlockDeviceOf(device);
        if (block.isEmpty())
            continue;
        const bool floppy = block.startsWith(QStringLiteral("fd"));
        if (!floppy && !IsRemovableDevice(block))
            continue;
        drives.push_back({volume.rootPath(), volume.rootPath(), floppy ? DriveKind::Floppy : DriveKind::Removable});
    }
    return drives;
}

QString DriveConfirmationPrefix(DriveKind kind)
{
    return QString::fromUtf8(kind == DriveKind::Floppy ? QT_TRANSLATE_NOOP("CoreMessage", "发送到软盘 ")
                                                       : QT_TRANSLATE_NOOP("CoreMessage", "发送到移动存储设备 "));
}

QString NoDriveMessage(DriveKind kind)
{
    return QString::fromUtf8(kind == DriveKind::Floppy ? QT_TRANSLATE_NOOP("CoreMessage", "没有发现软盘")
                                                       : QT_TRANSLATE_NOOP("CoreMessage", "没有发现移动存储设备"));
}

DriveCopyOutcome CopyToDrives(const QString &source, DriveKind kind, const DriveList &drives,
                              const std::function<bool(const QString &question)> &confirm)
{
    DriveCopyOutcome outcome;
    for (const Drive &drive : drives.Drives()) {
        if (drive.Kind != kind)
            continue;
        outcome.Found = true; // asked about: found, whether the answer is yes or no
        if (!confirm(DriveConfirmationPrefix(kind) + drive.Name + QStringLiteral(" ?")))
            continue;
        Failure failure;
        if (CopyFileReplacing(source, QDir(drive.Root).filePath(QStringLiteral("font.dat")), &failure))
            ++outcome.Copied;
        else
            outcome.Failures.append(failure);
    }
    return outcome;
}
