#include "cdotrixdoc.h"

#include "cmainframe.h"
#include "filechooser.h"
#include "messages.h"
#include "progressbox.h"

#include "delivery/serialsend.h"
#include "trellon.h"

#include <QFile>
#include <QStatusBar>
#include <QFileInfo>
#include <QSettings>

namespace {
constexpr int RecentFileCount = 4;
}

CDotrixDoc::CDotrixDoc(CMainFrame *frame) : QObject(frame), m_frame(frame)
{
    setObjectName(QStringLiteral("document"));
}

void CDotrixDoc::OnFileNew()
{
    m_frame->InitialUpdateViews();
}

void CDotrixDoc::OnFileOpen()
{
    const QString path =
        ChooseFile(m_frame, {FileRequest::OpenFile, QStringLiteral("打开"), m_frame->Settings().ProgramDir, {}, {}});
    if (path.isEmpty())
        return;
    // The document has no content to read; opening only starts afresh.
    m_pathName = path;
    RememberRecentFile(path);
    m_frame->InitialUpdateViews();
}

void CDotrixDoc::OnFileSave()
{
    QString path = m_pathName;
    if (path.isEmpty()) {
        path = ChooseFile(m_frame, {FileRequest::SaveFile, QStringLiteral("另存为"),
                                    m_frame->Settings().ProgramDir + QStringLiteral("/Dotrix"), {}, {}});
        if (path.isEmpty())
            return;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ShowMessage(m_frame, QStringLiteral("无法保存 %1：%2").arg(path, file.errorString()));
        return;
    }
    m_pathName = path;
    RememberRecentFile(path);
}

QString CDotrixDoc::FontDataPath()
{
    const QString path = m_frame->Output().FilePath(QStringLiteral("font.dat"));
    if (!QFileInfo(path).isFile()) {
        ShowMessage(m_frame, QStringLiteral("%1 不存在。\n请先用“创建所有字模到DAT文件”或“创建所有字模到二进制文件”生成它。")
                                 .arg(path));
        return {};
    }
    return path;
}

namespace {

// Why a send failed, in the window's language; the library's own texts are English.
QString SerialFailureReason(int code)
{
    switch (code) {
    case TRELLON_ERR_NO_FILE_GIVEN:
        return QStringLiteral("没有指定要发送的文件。");
    case TRELLON_ERR_FILE_MISSING:
        return QStringLiteral("要发送的文件不存在。");
    case TRELLON_ERR_FILE_UNREADABLE:
        return QStringLiteral("要发送的文件无法读取。");
    case TRELLON_ERR_NO_PORT:
        return QStringLiteral("找不到串口，或指定的串口不存在。");
    case TRELLON_ERR_PORT_BUSY:
        return QStringLiteral("串口正被其他程序使用。");
    case TRELLON_ERR_PORT_ACCESS:
        return QStringLiteral("没有打开串口的权限。");
    case TRELLON_ERR_BAD_SETTINGS:
        return QStringLiteral("串口设置（波特率或等待时间）无效，或串口不接受。");
    case TRELLON_ERR_NO_RECEIVER:
        return QStringLiteral("接收方没有应答；它是否在等待 XMODEM 传送？");
    case TRELLON_ERR_TIMEOUT:
        return QStringLiteral("接收方在传送中停止了应答。");
    case TRELLON_ERR_TOO_MANY_RETRIES:
        return QStringLiteral("接收方多次拒收同一数据块；请检查波特率和连线。");
    case TRELLON_ERR_CANCELLED_BY_RECEIVER:
        return QStringLiteral("接收方取消了传送。");
    case TRELLON_ERR_CANCELLED:
        return QStringLiteral("传送已取消。");
    case TRELLON_ERR_LINE:
        return QStringLiteral("读写串口失败；设备是否已拔出？");
    default:
        return QStringLiteral("未知的错误（代码 %1）。").arg(code);
    }
}

} // namespace

SerialSendResult CDotrixDoc::SendWithProgress(const QString &path, SerialSendControl &control)
{
    SerialSendResult result;
    RunWithProgressBox(m_frame, {QStringLiteral("正在通过串口发送 font.dat …"), QStringLiteral("serialProgressDialog"),
                                 [&] { result = SendFileSerial(path, &control); },
                                 [&] {
                                     const long long total = control.Total;
                                     return total > 0 ? int(control.Sent * 100 / total) : 0;
                                 },
                                 [&] { control.Cancel = true; }});
    return result;
}

void CDotrixDoc::OnSendSerial()
{
    const QString path = FontDataPath();
    if (path.isEmpty())
        return;
    SerialSendControl control;
    const SerialSendResult result = SendWithProgress(path, control);
    if (result.Ok) {
        m_frame->statusBar()->showMessage(QStringLiteral("font.dat 已通过串口发送"), 10000);
        return;
    }
    if (result.Code == TRELLON_ERR_CANCELLED && control.Cancel) {
        // The user's own choice needs no message.
        m_frame->statusBar()->showMessage(QStringLiteral("串口发送已取消"), 10000);
        return;
    }
    QString text = QStringLiteral("font.dat 没有发送成功：\n") + SerialFailureReason(result.Code);
    if (!result.Port.isEmpty())
        text += QStringLiteral("\n串口：") + result.Port;
    if (control.Total > 0)
        text += QStringLiteral("\n已发送 %1 / %2 字节").arg(control.Sent.load()).arg(control.Total.load());
    ShowMessage(m_frame, text);
}

void CDotrixDoc::CopyFontDataToDrives(DriveKind kind)
{
    const QString source = FontDataPath();
    if (source.isEmpty())
        return;
    const DriveCopyOutcome outcome = CopyToDrives(source, kind, *m_drives, [this](const QString &question) {
        return ShowMessage(m_frame, question, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    });
    if (!outcome.Found) {
        ShowMessage(m_frame, NoDriveMessage(kind));
        return;
    }
    if (!outcome.Failures.isEmpty())
        ShowMessage(m_frame, QStringLiteral("font.dat 没有复制成功：\n") + outcome.Failures.join(QLatin1Char('\n')));
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
