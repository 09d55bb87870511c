#include "pictureimport.h"

#include "boxrender.h"
#include "charset/cp936.h"
#include "raster/glyphbitmap.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <climits>

namespace {

// Pictures whose files claim more than this are not opened: a corrupt or hostile header must not
// make the program allocate gigabytes. Far above the largest glyph.
constexpr int LargestDecodedSide = 8192;

} // namespace

std::string PictureNameOf(const QString &path)
{
    return QStringToCp936(QFileInfo(path).completeBaseName());
}

PictureConversion ConvertPictureToBitmap(const QString &path, OutputDirectory &output)
{
    PictureConversion result;
    if (!QFileInfo(path).isFile()) {
        result.Error = {FailureCode::NoSuchPicture, path, {}, {}};
        return result;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImageReader::setAllocationLimit(256);
    if (!reader.canRead()) {
        result.Error = {FailureCode::NotAPicture, path, reader.errorString(), {}};
        return result;
    }
    // A top-down BMP states a negative height; a decoder that cannot tell the size before
    // decoding still runs under the allocation limit.
    const QSize claimed = reader.size();
    const qint64 claimedWidth = qAbs(qint64(claimed.width())), claimedHeight = qAbs(qint64(claimed.height()));
    if (claimedWidth > LargestDecodedSide || claimedHeight > LargestDecodedSide) {
        result.State = PictureConversion::TooBig;
        result.Width = int(std::min<qint64>(claimedWidth, INT_MAX));
        result.Height = int(std::min<qint64>(claimedHeight, INT_MAX));
        return result;
    }
    const QImage picture = reader.read();
    if (picture.isNull()) {
        result.Error = {FailureCode::PictureUndecodable, path, reader.errorString(), {}};
        return result;
    }
    // Every pixel becomes one dot, whatever resolution the file states.
    result.Width = picture.width();
    result.Height = picture.height();
    if (result.Width > MaxGlyphSide || result.Height > MaxGlyphSide) {
        result.State = PictureConversion::TooBig;
        return result;
    }
    QImage canvas(result.Width, result.Height, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.drawImage(QPoint(0, 0), picture);
    }
    const QString fileName = InteractiveBaseName + QStringLiteral(".bmp");
    if (!output.WriteFile(fileName, EncodeBitmapFile(canvas, result.Width, result.Height), &result.Error))
        return result;
    result.State = PictureConversion::Converted;
    return result;
}

PictureConversion ImportPictureGlyph(const QString &path, GlyphSettings &settings, DotMatrix &matrix,
                                     OutputDirectory &output)
{
    PictureConversion result = ConvertPictureToBitmap(path, output);
    if (result.State != PictureConversion::Converted)
        return result;
    if (!LoadPictureBitmap(output, matrix, settings, &result.Error)) {
        result.State = PictureConversion::Failed;
        return result;
    }
    settings.PictureName = PictureNameOf(path);
    return result;
}

bool LoadPictureBitmap(OutputDirectory &output, DotMatrix &matrix, GlyphSettings &settings, Failure *failure)
{
    GlyphSize size;
    if (!LoadMatrixFromBitmap(output.FilePath(InteractiveBaseName + QStringLiteral(".bmp")), InkTest::Nearest, matrix,
                              size, failure))
        return false;
    AdoptSize(settings, size);
    return true;
}
