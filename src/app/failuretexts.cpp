#include "failuretexts.h"

#include "trellon.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
// The translation context of these texts.
class FailureTexts
{
    Q_DECLARE_TR_FUNCTIONS(FailureTexts)
};
} // namespace

// Why a send failed, in the window's language; the library's own texts are English.
QString SerialFailureReason(int code)
{
    switch (code) {
    case TRELLON_ERR_NO_FILE_GIVEN:
        return FailureTexts::tr("没有指定要发送的文件。");
    case TRELLON_ERR_FILE_MISSING:
        return FailureTexts::tr("要发送的文件不存在。");
    case TRELLON_ERR_FILE_UNREADABLE:
        return FailureTexts::tr("要发送的文件无法读取。");
    case TRELLON_ERR_NO_PORT:
        return FailureTexts::tr("找不到串口，或指定的串口不存在。");
    case TRELLON_ERR_PORT_BUSY:
        return FailureTexts::tr("串口正被其他程序使用。");
    case TRELLON_ERR_PORT_ACCESS:
        return FailureTexts::tr("没有打开串口的权限。");
    case TRELLON_ERR_BAD_SETTINGS:
        return FailureTexts::tr("串口设置（波特率或等待时间）无效，或串口不接受。");
    case TRELLON_ERR_NO_RECEIVER:
        return FailureTexts::tr("接收方没有应答；它是否在等待 XMODEM 传送？");
    case TRELLON_ERR_TIMEOUT:
        return FailureTexts::tr("接收方在传送中停止了应答。");
    case TRELLON_ERR_TOO_MANY_RETRIES:
        return FailureTexts::tr("接收方多次拒收同一数据块；请检查波特率和连线。");
    case TRELLON_ERR_CANCELLED_BY_RECEIVER:
        return FailureTexts::tr("接收方取消了传送。");
    case TRELLON_ERR_CANCELLED:
        return FailureTexts::tr("传送已取消。");
    case TRELLON_ERR_LINE:
        return FailureTexts::tr("读写串口失败；设备是否已拔出？");
    default:
        return FailureTexts::tr("未知的错误（代码 %1）。").arg(code);
    }
}

// Why a picture was not imported, in the window's language (the core's own text is English).
QString PictureFailureText(const QString &path, const PictureConversion &converted, const QString &outputDir)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (converted.Problem) {
    case PictureConversion::NotAFile:
        return FailureTexts::tr("%1 不存在或不是文件。").arg(shown);
    case PictureConversion::NotAPicture:
        return FailureTexts::tr("%1 不是 Dotrix 能读的图片（BMP、JPEG、GIF）：%2").arg(shown, converted.Detail);
    case PictureConversion::Undecodable:
        return FailureTexts::tr("%1 无法解码：%2").arg(shown, converted.Detail);
    case PictureConversion::NotWritten: {
        const QFileInfo folder(outputDir);
        const QString why = !folder.isDir()        ? FailureTexts::tr("工作文件夹不存在")
                            : !folder.isWritable() ? FailureTexts::tr("工作文件夹没有写入权限")
                                                   : FailureTexts::tr("磁盘已满，或文件被占用");
        return FailureTexts::tr("无法在 %1 中写入 tmp.bmp：%2").arg(QDir::toNativeSeparators(outputDir), why);
    }
    case PictureConversion::NoReason:
        break;
    }
    return converted.Error;
}

QString MissingFontNote(const GlyphFontDesc &font)
{
    if (font.IsInstalled())
        return {};
    return FailureTexts::tr("；字体“%1”没有安装，已用最接近的已安装字体").arg(font.ResolvedFace());
}
