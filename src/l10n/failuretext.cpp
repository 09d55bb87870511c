#include "failuretext.h"

#include "encode/glyphtext.h"
#include "trellon.h"
#include "language.h"

#include <QCoreApplication>

namespace {
// The translation context of the sentences.
class FailureSentence
{
    Q_DECLARE_TR_FUNCTIONS(FailureSentence)
};
// A value the sentence needs; empty when the failure does not give it.
QString Detail(const Failure &failure, qsizetype i)
{
    return failure.Details.value(i);
}

// A cell the Unicode font file cannot pack in 8-bit groups in its scan.
QString UbinPackText(const Failure &failure)
{
    const QString width = Detail(failure, 0), height = Detail(failure, 1), scan = Detail(failure, 2);
    if (scan == QLatin1String("h"))
        return FailureSentence::tr("%1 x %2 的字模按横向扫描无法以 8 位一组打包（font.dat 和 Unicode 字库文件都这样打包）："
                               "横向至少要 5 个点")
            .arg(width, height);
    if (scan == QLatin1String("zn"))
        return FailureSentence::tr("%1 x %2 的字模按 ZN 扫描无法以 8 位一组打包（font.dat 和 Unicode 字库文件都这样打包）："
                               "纵向至少要 5 个点")
            .arg(width, height);
    return FailureSentence::tr("%1 x %2 的字模按纵向扫描无法以 8 位一组打包（font.dat 和 Unicode 字库文件都这样打包）："
                           "纵向至少要 5 个点")
        .arg(width, height);
}

// A patch drawn with other settings than the run's: what differs.
QString PatchMismatchText(const Failure &failure)
{
    const QString what = Detail(failure, 0), patch = Detail(failure, 1), asked = Detail(failure, 2);
    QString sentence;
    if (what == QLatin1String("size"))
        sentence = FailureSentence::tr("修补文件 %1 的字形是 %2 点阵，当前设置是 %3，不能使用");
    else if (what == QLatin1String("face"))
        sentence = FailureSentence::tr("修补文件 %1 的字形用字体“%2”绘制，当前设置是“%3”，不能使用");
    else if (what == QLatin1String("font-size"))
        sentence = FailureSentence::tr("修补文件 %1 的字形用 %2 像素的字号绘制，当前设置是 %3 像素，不能使用");
    else if (what == QLatin1String("weight"))
        sentence = FailureSentence::tr("修补文件 %1 的字形用字重 %2 绘制，当前设置是 %3，不能使用");
    else
        sentence = FailureSentence::tr("修补文件 %1 的字形字体倾斜（%2）与当前设置（%3）不同，不能使用");
    return sentence.arg(failure.Path, patch, asked);
}

// A glyph a smooth font's field cannot hold.
QString VlwFieldText(const Failure &failure)
{
    const QString character = Detail(failure, 0), field = Detail(failure, 1), value = Detail(failure, 2),
                  least = Detail(failure, 3), most = Detail(failure, 4);
    if (field == QLatin1String("codepoint"))
        return FailureSentence::tr("%1 超出 U+FFFF：.vlw 字体只能存放 U+0000 到 U+FFFF 的字符").arg(character);
    if (field == QLatin1String("width"))
        return FailureSentence::tr("%1 的字形宽 %2 像素：.vlw 字体的字形最宽 %3 像素（请用更小的字号或点阵）")
            .arg(character, value, most);
    if (field == QLatin1String("advance"))
        return FailureSentence::tr("%1 的字宽（步进）是 %2 像素：.vlw 字体的字宽最多 %3 像素（请用更小的字号或点阵）")
            .arg(character, value, most);
    return FailureSentence::tr("%1 的字形离笔位 %2 像素：.vlw 字体只能存放 %3 到 %4 像素的水平偏移（请改小水平偏移）")
        .arg(character, value, least, most);
}

// Why a send failed, from the serial library's code.
QString SerialReason(int code)
{
    switch (code) {
    case TRELLON_ERR_NO_FILE_GIVEN:
        return FailureSentence::tr("没有指定要发送的文件。");
    case TRELLON_ERR_FILE_MISSING:
        return FailureSentence::tr("要发送的文件不存在。");
    case TRELLON_ERR_FILE_UNREADABLE:
        return FailureSentence::tr("要发送的文件无法读取。");
    case TRELLON_ERR_NO_PORT:
        return FailureSentence::tr("找不到串口，或指定的串口不存在。");
    case TRELLON_ERR_PORT_BUSY:
        return FailureSentence::tr("串口正被其他程序使用。");
    case TRELLON_ERR_PORT_ACCESS:
        return FailureSentence::tr("没有打开串口的权限。");
    case TRELLON_ERR_BAD_SETTINGS:
        return FailureSentence::tr("串口设置（波特率或等待时间）无效，或串口不接受。");
    case TRELLON_ERR_NO_RECEIVER:
        return FailureSentence::tr("接收方没有应答；它是否在等待 XMODEM 传送？");
    case TRELLON_ERR_TIMEOUT:
        return FailureSentence::tr("接收方在传送中停止了应答。");
    case TRELLON_ERR_TOO_MANY_RETRIES:
        return FailureSentence::tr("接收方多次拒收同一数据块；请检查波特率和连线。");
    case TRELLON_ERR_CANCELLED_BY_RECEIVER:
        return FailureSentence::tr("接收方取消了传送。");
    case TRELLON_ERR_CANCELLED:
        return FailureSentence::tr("传送已取消。");
    case TRELLON_ERR_LINE:
        return FailureSentence::tr("读写串口失败；设备是否已拔出？");
    default:
        return FailureSentence::tr("未知的错误（代码 %1）。").arg(code);
    }
}

} // namespace

QString FailureText(const Failure &failure)
{
    const QString &path = failure.Path;
    const QString &reason = failure.Reason;
    switch (failure.Code) {
    case FailureCode::None:
        return {};
    case FailureCode::OpenForReading:
        return FailureSentence::tr("无法打开 %1：%2").arg(path, reason);
    case FailureCode::Read:
        return FailureSentence::tr("无法读取 %1：%2").arg(path, reason);
    case FailureCode::Create:
        return FailureSentence::tr("无法创建 %1：%2").arg(path, reason);
    case FailureCode::Write:
        return FailureSentence::tr("无法写入 %1：%2").arg(path, reason);
    case FailureCode::Replace:
        return FailureSentence::tr("无法用新文件替换 %1：%2").arg(path, reason);
    case FailureCode::NoSuchFolder:
        return FailureSentence::tr("%1 不存在").arg(path);
    case FailureCode::NotAFolder:
        return FailureSentence::tr("%1 不是文件夹").arg(path);
    case FailureCode::NoSuchPath:
        return FailureSentence::tr("%1 不存在").arg(path);
    case FailureCode::WriteInFolder:
        return FailureSentence::tr("无法在 %1 中写入文件：%2").arg(path, reason);
    case FailureCode::BitmapTooShort:
        return FailureSentence::tr("%1：文件比位图文件头还短").arg(path);
    case FailureCode::NotABitmap:
        return FailureSentence::tr("%1：不是 BMP 文件").arg(path);
    case FailureCode::BitmapNot24Bit:
        return FailureSentence::tr("%1：不是未压缩的 24 位位图").arg(path);
    case FailureCode::BitmapTooLarge:
        return FailureSentence::tr("%1：位图大小 %2 x %3 超出 0 到 1024").arg(path, Detail(failure, 0), Detail(failure, 1));
    case FailureCode::BitmapTruncated:
        return FailureSentence::tr("%1：位图的像素数据不完整").arg(path);
    case FailureCode::BitmapFileTooLarge:
        return FailureSentence::tr("%1：文件太大，不是字模位图").arg(path);
    case FailureCode::NoSuchPicture:
        return FailureSentence::tr("%1 不存在或不是文件。").arg(path);
    case FailureCode::NotAPicture:
        return FailureSentence::tr("%1 不是 Dotrix 能读的图片（BMP、JPEG、GIF）：%2").arg(path, reason);
    case FailureCode::PictureUndecodable:
        return FailureSentence::tr("%1 无法解码：%2").arg(path, reason);
    case FailureCode::IsAFolder:
        return FailureSentence::tr("无法读取 %1：它是文件夹").arg(path);
    case FailureCode::CharsetNotFound:
        return FailureSentence::tr("找不到 %1；找过的地方：%2").arg(path, failure.Details.join(QStringLiteral(", ")));
    case FailureCode::OpenccLoad:
        return FailureSentence::tr("无法载入 OpenCC 配置 %1：%2").arg(path, reason);
    case FailureCode::OpenccConvert:
        return FailureSentence::tr("OpenCC（%1）无法转换这段文字").arg(path);
    case FailureCode::ExportBpp:
        return FailureSentence::tr("%1 位每像素：%2 文件只能是 %3")
            .arg(Detail(failure, 0), Detail(failure, 1),
                 Detail(failure, 2).contains(QLatin1Char(',')) ? FailureSentence::tr("1、2、4 或 8") : Detail(failure, 2));
    case FailureCode::ExportCompress:
        if (Detail(failure, 0) != QLatin1String("lvgl"))
            return FailureSentence::tr("%1 文件不能压缩：只有 LVGL 字体有压缩格式").arg(Detail(failure, 0));
        return FailureSentence::tr("LVGL 只能解码 2 或 4 位每像素的压缩字形，不能是 %1 位").arg(Detail(failure, 1));
    case FailureCode::ExportNoFontName:
        return FailureSentence::tr("%1 文件没有字体名").arg(Detail(failure, 0));
    case FailureCode::NotACIdentifier:
        return FailureSentence::tr("“%1”不是 C 标识符（字母、数字和 _，不以数字开头，不是 C 关键字）").arg(Detail(failure, 0));
    case FailureCode::ExportNoFile:
        return FailureSentence::tr("没有指定要写入字体的文件");
    case FailureCode::ExportEmptyList:
        return FailureSentence::tr("字符列表中没有可导出的字符");
    case FailureCode::ExportEmptyGlyph:
        return FailureSentence::tr("%1 x %2 点的字模没有可导出的点").arg(Detail(failure, 0), Detail(failure, 1));
    case FailureCode::LvglTooManyGlyphs:
        return FailureSentence::tr("LVGL 字体最多 65535 个字形，字符列表有 %1 个").arg(Detail(failure, 0));
    case FailureCode::LvglGlyphTooFar:
        return FailureSentence::tr("%1 离基线 %2 像素，LVGL 字体放不到那么远").arg(Detail(failure, 0), Detail(failure, 1));
    case FailureCode::LvglTooLarge:
        return FailureSentence::tr("字形点阵超过 4 GiB，LVGL 字体装不下");
    case FailureCode::UbinCannotPack:
        return UbinPackText(failure);
    case FailureCode::UbinTooLarge:
        return FailureSentence::tr("%1 个字形、每个 %2 字节，文件共 %3 字节：Unicode 字库文件最大 4 GiB（请用更小的点阵、位深或字符列表）")
            .arg(Detail(failure, 0), Detail(failure, 1), Detail(failure, 2));
    case FailureCode::VlwGlyphField:
        return VlwFieldText(failure);
    case FailureCode::VlwBaseline:
        return FailureSentence::tr("基线落在第 %1 行（从字模顶边的 0 行数起），而字模只有 %2 行：.vlw 字体的基线必须在字模之内（请调整垂直偏移）")
            .arg(Detail(failure, 0), Detail(failure, 1));
    case FailureCode::VlwSpaceWidth:
        return FailureSentence::tr("空格宽 %1 像素，而这样高的行里显示库画的空格至少 %2 像素，"
                                   "字符列表中又没有别的可撑起行高的字符：请在列表中加入一个汉字或字母")
            .arg(Detail(failure, 0), Detail(failure, 1));
    case FailureCode::VlwTooLarge:
        if (Detail(failure, 1).isEmpty())
            return FailureSentence::tr(".vlw 字体最多 65535 个字形，字符列表有 %1 个").arg(Detail(failure, 0));
        return FailureSentence::tr("%1 个字形的 .vlw 字体超过 4 GiB（已到 %2 字节）：请用更小的点阵或字符列表")
            .arg(Detail(failure, 0), Detail(failure, 1));
    case FailureCode::ExportArrayFormat:
        return FailureSentence::tr("%1 文件没有 C 数组形式：只有 .vlw 字体可以另写成 C 数组").arg(Detail(failure, 0));
    case FailureCode::ExportArrayPath:
        return FailureSentence::tr("C 数组写在字体文件旁边、换成 .c 和 .h 后缀的文件里；%1 不能用作字体文件名")
            .arg(path);
    case FailureCode::SerialSend: {
        const QString detail = Detail(failure, 1);
        return SerialReason(Detail(failure, 0).toInt()) + (detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail));
    }
    case FailureCode::GroupTooLong:
        return CoreMessage(GroupTooLongMessage);
    case FailureCode::PatchCutShort:
        return FailureSentence::tr("修补文件 %1 不完整：在最后一个字形或 ENDFONT 之前就结束了").arg(path);
    case FailureCode::PatchBadLine:
        return FailureSentence::tr("修补文件 %1 第 %2 行不是修补文件（BDF）在那里应有的内容").arg(path, Detail(failure, 0));
    case FailureCode::PatchNoProperty:
        return FailureSentence::tr("修补文件 %1 缺少属性 %2，不是 Dotrix 写的修补文件").arg(path, Detail(failure, 0));
    case FailureCode::PatchGlyphOutside:
        return FailureSentence::tr("修补文件 %1 中 %2 的点超出了字模范围").arg(path, Detail(failure, 0));
    case FailureCode::PatchMismatch:
        return PatchMismatchText(failure);
    }
    return FailureSentence::tr("%1：未知的错误（代码 %2）").arg(path).arg(int(failure.Code));
}

QString FailureLines(const QList<Failure> &failures, qsizetype most)
{
    QStringList lines;
    for (qsizetype i = 0; i < failures.size() && i < most; ++i)
        lines.append(FailureText(failures[i]));
    return lines.join(QLatin1Char('\n'));
}
