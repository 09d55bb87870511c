#include "cdotrixdoc.h"

#include "failuretexts.h"
#include "l10n/failuretext.h"
#include "filechooser.h"
#include "messages.h"
#include "progressbox.h"

#include "delivery/serialsend.h"
#include "encode/batchrun.h"
#include "l10n/language.h"
#include "trellon.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {
constexpr int RecentFileCount = 4;
}

CDotrixDoc::CDotrixDoc(OutputDirectory &output, QWidget *window)
    : QObject(window), m_output(output), m_window(window)
{
    setObjectName(QStringLiteral("document"));
}

void CDotrixDoc::OnFileNew()
{
    emit Reset();
}

void CDotrixDoc::OnFileOpen()
{
    const QString path =
        ChooseFile(m_window, {FileRequest::OpenFile, tr("打开"), m_output.Path(), {}, {}});
    if (path.isEmpty())
        return;
    // The document has no content to read; opening only starts afresh. The opened file holds
    // the user's data, so the next save asks for a name and never writes over it.
    m_pathName.clear();
    m_openedPaths.insert(QFileInfo(path).absoluteFilePath());
    RememberRecentFile(path);
    emit Reset();
}

void CDotrixDoc::OnFileSave()
{
    QString path = m_pathName;
    if (path.isEmpty()) {
        path = ChooseFile(m_window, {FileRequest::SaveFile, tr("另存为"),
                                    m_output.Path() + QStringLiteral("/Dotrix"), {}, {}});
        if (path.isEmpty())
            return;
    }
    // Saving writes an empty file: a file opened in this run would lose its content.
    if (m_openedPaths.contains(QFileInfo(path).absoluteFilePath())) {
        ShowMessage(m_window, tr("%1 是打开过的文件，保存空文档会清空它；请换一个文件名。").arg(path));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ShowMessage(m_window, tr("无法保存 %1：%2").arg(path, file.errorString()));
        return;
    }
    m_pathName = path;
    RememberRecentFile(path);
}

QString CDotrixDoc::FontDataPath()
{
    const QString path = m_output.FilePath(DataFileName);
    if (!QFileInfo(path).isFile()) {
        ShowMessage(m_window, tr("%1 不存在。\n请先用“创建所有字模到DAT文件”或“创建所有字模到二进制文件”生成它。").arg(path));
        return {};
    }
    return path;
}

SerialSendResult CDotrixDoc::SendWithProgress(const QString &path, JobControl &control)
{
    SerialSendResult result;
    RunJob(m_window, control, {tr("正在通过串口发送 font.dat …"), QStringLiteral("serialProgressDialog"), true},
           [&] { result = SendFileSerial(path, &control); });
    return result;
}

void CDotrixDoc::OnSendSerial()
{
    const QString path = FontDataPath();
    if (path.isEmpty())
        return;
    JobControl control;
    const SerialSendResult result = SendWithProgress(path, control);
    if (result.Ok) {
        emit StatusMessage(tr("font.dat 已通过串口发送"));
        return;
    }
    if (result.Code == TRELLON_ERR_CANCELLED && control.Cancelled()) {
        // The user's own choice needs no message.
        emit StatusMessage(tr("串口发送已取消"));
        return;
    }
    QString text = tr("font.dat 没有发送成功：\n") + FailureText(result.Error);
    if (!result.Port.isEmpty())
        text += tr("\n串口：") + result.Port;
    if (control.Total() > 0)
        text += tr("\n已发送 %1 / %2 字节").arg(control.Done()).arg(control.Total());
    ShowMessage(m_window, text);
}

void CDotrixDoc::CopyFontDataToDrives(DriveKind kind)
{
    const QString source = FontDataPath();
    if (source.isEmpty())
        return;
    const QString prefix = DriveConfirmationPrefix(kind);
    const DriveCopyOutcome outcome = CopyToDrives(source, kind, *m_drives, [&](const QString &question) {
        // The question is the command's words, then the drive's name.
        const QString shown = question.startsWith(prefix) ? CoreMessage(prefix) + question.mid(prefix.size()) : question;
        return ShowMessage(m_window, shown, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    });
    if (!outcome.Found) {
        ShowMessage(m_window, CoreMessage(NoDriveMessage(kind)));
        return;
    }
    if (!outcome.Failures.isEmpty())
        ShowMessage(m_window, tr("font.dat 没有复制成功：\n") + FailureLines(outcome.Failures));
}

void CDotrixDoc::RememberRecentFile(const QString &path)
{
    QSettings settings;
    QStringList recent;
    for (int i = 1; i <= RecentFileCount; ++i) {
        const QString entry = settings.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!entry.isEmpty() && entry != path)
            recent.append(entry);
    }
    recent.prepend(path);
    for (int i = 1; i <= RecentFileCount; ++i)
        settings.setValue(QStringLiteral("Recent File List/File%1").arg(i), recent.value(i - 1));
}
