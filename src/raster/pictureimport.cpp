#include "pictureimport.h"

#include "boxrender.h"
#include "charset/cp936.h"
#include "glyphbitmap.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace {

// Pictures whose files claim more than this are not opened: a corrupt or hostile header must not
// make the program allocate gigabytes. Far above the largest glyph.
constexpr int LargestDecodedSide = 8192;

// The picture's extent in screen pixels, from its pixel size and its own resolution.
int ScreenPixels(int pixels, double dotsPerMeter, double screenDpi)
{
    const double pictureDpi = dotsPerMeter * 0.0254;
    if (pictureDpi < 1.0 || screenDpi < 1.0)
        return pixels;
    return std::max(1, int(pixels * screenDpi / pictureDpi + 0.5));
}

} // namespace

std::string PictureNameOf(const QString &path)
{
    return QStringToCp936(QFileInfo(path).completeBaseName());
}

PictureConversion ConvertPictureToBitmap(const QString &path, OutputDirectory &output, double screenDpi)
{
    PictureConversion result;
    if (!QFileInfo(path).isFile()) {
        result.Error = QStringLiteral("%1 cannot be opened").arg(path);
        result.Problem = PictureConversion::NotAFile;
        return result;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImageReader::setAllocationLimit(256);
    const QSize claimed = reader.size();
    if (!reader.canRead() || !claimed.isValid()) {
        result.Error = QStringLiteral("%1 is not a picture Dotrix can read (BMP, JPEG, GIF): %2")
                           .arg(path, reader.errorString());
        result.Problem = PictureConversion::NotAPicture;
        result.Detail = reader.errorString();
        return result;
    }
    if (claimed.width() > LargestDecodedSide || claimed.height() > LargestDecodedSide) {
        result.State = PictureConversion::TooBig;
        result.Width = claimed.width();
        result.Height = claimed.height();
        return result;
    }
    const QImage picture = reader.read();
    if (picture.isNull()) {
        result.Error = QStringLiteral("%1 cannot be decoded: %2").arg(path, reader.errorString());
        result.Problem = PictureConversion::Undecodable;
        result.Detail = reader.errorString();
        return result;
    }
    result.Width = ScreenPixels(picture.width(), picture.dotsPerMeterX(), screenDpi);
    result.Height = ScreenPixels(picture.height(), picture.dotsPerMeterY(), screenDpi);
    if (result.Width > MaxGlyphSide || result.Height > MaxGlyphSide) {
        result.State = PictureConversion::TooBig;
        return result;
    }
    QImage canvas(result.Width, result.Height, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.drawImage(QRect(0, 0, result.Width, result.Height), picture);
    }
    const QString fileName = InteractiveBaseName + QStringLiteral(".bmp");
    if (!SaveBitmapFile(canvas, result.Width, result.Height, output.FilePath(fileName), &result.Error)) {
        result.Problem = PictureConversion::NotWritten;
        result.Detail = result.Error;
        return result;
    }
    output.RecordWritten(fileName);
    result.State = PictureConversion::Converted;
    return result;
}

bool LoadPictureBitmap(OutputDirectory &output, DotMatrix &matrix, GlyphSettings &settings, QString *error)
{
    return LoadMatrixFromBitmap(output.FilePath(InteractiveBaseName + QStringLiteral(".bmp")), InkTest::Nearest,
                                matrix, settings, error);
}
