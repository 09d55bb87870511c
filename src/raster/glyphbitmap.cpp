#include "glyphbitmap.h"


#include <QFile>

#include <cstring>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int HeaderSize = FileHeaderSize + InfoHeaderSize;

void PutU16(char *at, uint16_t value)
{
    at[0] = char(value & 0xFF);
    at[1] = char(value >> 8);
}

void PutU32(char *at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = char((value >> (8 * i)) & 0xFF);
}

uint16_t GetU16(const char *at)
{
    return uint16_t(uint8_t(at[0]) | (uint8_t(at[1]) << 8));
}

uint32_t GetU32(const char *at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | uint8_t(at[i]);
    return value;
}


} // namespace

int NearestColorIndex(const PaletteColor *palette, int count, PaletteColor pixel)
{
    if (count <= 0)
        return 0;
    int best = 3 * 255 * 255;
    int result = 0;
    for (int i = 0; i < count; ++i) {
        const int db = palette[i].Blue - pixel.Blue;
        const int dg = palette[i].Green - pixel.Green;
        const int dr = palette[i].Red - pixel.Red;
        const int distance = db * db + dg * dg + dr * dr;
        if (distance < best) {
            result = i;
            best = distance;
            if (distance == 0)
                return i;
        }
    }
    return result;
}

int BitmapStride(int width)
{
    return ((width * 24 + 31) / 32) * 4;
}

QByteArray EncodeBitmapFile(const QImage &image, int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    const int stride = BitmapStride(width);
    const qsizetype pixelBytes = qsizetype(stride) * height;
    QByteArray file(HeaderSize + pixelBytes, '\0');
    char *p = file.data();

    // File header.
    p[0] = 'B';
    p[1] = 'M';
    PutU32(p + 2, uint32_t(HeaderSize + pixelBytes));
    PutU16(p + 6, 0);
    PutU16(p + 8, 0);
    PutU32(p + 10, HeaderSize);
    // Information header.
    char *info = p + FileHeaderSize;
    PutU32(info + 0, InfoHeaderSize);
    PutU32(info + 4, uint32_t(width));
    PutU32(info + 8, uint32_t(height));
    PutU16(info + 12, 1);
    PutU16(info + 14, 24);
    // Compression, image size, resolutions and colour counts stay 0.

    if (image.isNull() || width == 0 || height == 0)
        return file;
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image
                                                               : image.convertToFormat(QImage::Format_RGB32);
    for (int k = 0; k < height; ++k) {
        // Stored row k is picture row height-1-k: the bottom row comes first.
        const auto *source = reinterpret_cast<const QRgb *>(rgb.constScanLine(height - 1 - k));
        char *out = p + HeaderSize + qsizetype(k) * stride;
        for (int x = 0; x < width; ++x) {
            out[3 * x + 0] = char(qBlue(source[x]));
            out[3 * x + 1] = char(qGreen(source[x]));
            out[3 * x + 2] = char(qRed(source[x]));
        }
    }
    return file;
}

bool LoadMatrixFromBitmapBytes(const QByteArray &bytes, InkTest test, DotMatrix &matrix, GlyphSize &size,
                               Failure *failure)
{
    if (bytes.size() < HeaderSize) {
        return Report(failure, {FailureCode::BitmapTooShort, {}, {}, {}});
    }
    const char *p = bytes.constData();
    const char *info = p + FileHeaderSize;
    if (p[0] != 'B' || p[1] != 'M') {
        return Report(failure, {FailureCode::NotABitmap, {}, {}, {}});
    }
    const uint32_t dataOffset = GetU32(p + 10);
    const uint32_t infoSize = GetU32(info + 0);
    const auto width = int32_t(GetU32(info + 4));
    const auto height = int32_t(GetU32(info + 8));
    const uint16_t bitsPerPixel = GetU16(info + 14);
    const uint32_t compression = GetU32(info + 16);
    if (infoSize < InfoHeaderSize || bitsPerPixel != 24 || compression != 0) {
        return Report(failure, {FailureCode::BitmapNot24Bit, {}, {}, {}});
    }
    if (width < 0 || height < 0 || width > DotMatrix::Size || height > DotMatrix::Size) {
        return Report(failure, {FailureCode::BitmapTooLarge, {}, {}, {QString::number(width), QString::number(height)}});
    }
    const int stride = BitmapStride(width);
    const qsizetype total = qsizetype(stride) * height;
    if (dataOffset < HeaderSize || qsizetype(dataOffset) > bytes.size()
        || bytes.size() - qsizetype(dataOffset) < total) {
        return Report(failure, {FailureCode::BitmapTruncated, {}, {}, {}});
    }

    size = {width, height};
    matrix.FillArea(width, height, CellCleared);
    const char *pixels = p + dataOffset;
    for (int k = 0; k < height; ++k) {
        const auto *row = reinterpret_cast<const uint8_t *>(pixels + qsizetype(k) * stride);
        int32_t *cells = matrix.Row(height - 1 - k);
        for (int j = 0; j < width; ++j) {
            const uint8_t *px = row + 3 * j;
            cells[j] = IsClearPixel(test, px[0], px[1], px[2]) ? CellBlank : CellInk;
        }
    }
    return true;
}

bool LoadMatrixFromBitmap(const QString &path, InkTest test, DotMatrix &matrix, GlyphSize &size, Failure *failure)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Report(failure, {FailureCode::OpenForReading, path, file.errorString(), {}});
    // A glyph file of 1024 x 1024 is about 3 MiB; anything past 16 MiB is not one of ours.
    constexpr qint64 Largest = qint64(1) << 24;
    const qint64 fileSize = file.size();
    if (fileSize > Largest)
        return Report(failure, {FailureCode::BitmapFileTooLarge, path, {}, {}});
    const QByteArray bytes = file.read(fileSize > 0 ? fileSize : Largest);
    Failure problem;
    if (!LoadMatrixFromBitmapBytes(bytes, test, matrix, size, &problem)) {
        problem.Path = path;
        return Report(failure, problem);
    }
    return true;
}
