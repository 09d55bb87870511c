// Any bytes as a picture file: the first byte picks the extension (.bmp, .jpg or .gif), the rest
// is the file. Converted pictures are loaded into the matrix as the picture command does.
#include "fuzzsupport.h"

#include "raster/glyphbitmap.h"
#include "encode/pictureimport.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication *app = new QGuiApplication(*argc, *argv);
    (void)app;
    // The decoders' complaints about broken files would be most of the log.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const char *const Extensions[] = {".bmp", ".jpg", ".gif"};
    static DotMatrix matrix;
    static OutputDirectory output(QString::fromStdString(ScratchDir()));
    const std::string path = ScratchDir() + "/picture" + Extensions[data[0] % 3];
    WriteScratchFile(path, data + 1, size - 1);
    const QString bitmapPath = output.FilePath(QStringLiteral("tmp.bmp"));
    QFile::remove(bitmapPath);

    const PictureConversion conversion = ConvertPictureToBitmap(QString::fromStdString(path), output);
    switch (conversion.State) {
    case PictureConversion::Converted: {
        Require(conversion.Width >= 1 && conversion.Width <= MaxGlyphSide && conversion.Height >= 1
                    && conversion.Height <= MaxGlyphSide,
                "a converted picture fits a glyph");
        GlyphSettings settings;
        Require(LoadPictureBitmap(output, matrix, settings), "the converted picture loads");
        Require(settings.Width == conversion.Width && settings.Height == conversion.Height,
                "the loaded glyph has the picture's size");
        break;
    }
    case PictureConversion::TooBig:
        Require(conversion.Width > MaxGlyphSide || conversion.Height > MaxGlyphSide, "only a large picture is too big");
        Require(!QFile::exists(bitmapPath), "a picture too big writes nothing");
        break;
    case PictureConversion::Failed:
        Require(!conversion.Error.isEmpty(), "a failure says what failed");
        Require(!QFile::exists(bitmapPath), "a failed picture writes nothing");
        break;
    }
    return 0;
}
