// The 24-bit glyph bitmap file: header fields, row order, padding, ink tests, and refusal of
// files that are not what they claim.

#include "common/testutil.h"
#include "raster/glyphbitmap.h"
#include "output/atomicfile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Saves a picture as the batch and the single glyph do: encoded, then written whole or not at all.
bool SaveBitmapFile(const QImage &image, int width, int height, const QString &path, Failure *error)
{
    const QByteArray bytes = EncodeBitmapFile(image, width, height);
    return WriteFileAtomically(path, bytes.constData(), bytes.size(), error);
}

uint32_t U32(const QByteArray &b, int at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16
           | uint32_t(uint8_t(b[at + 3])) << 24;
}

uint16_t U16(const QByteArray &b, int at)
{
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

// A white picture with the given pixels set to a colour.
QImage Picture(int w, int h, std::initializer_list<std::tuple<int, int, QRgb>> pixels)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (auto [x, y, rgb] : pixels)
        image.setPixel(x, y, rgb);
    return image;
}

// Hand-built 24-bit file: rows given bottom row first, each of w pixels (b, g, r).
QByteArray RawBitmap(int w, int h, const std::vector<std::vector<std::array<uint8_t, 3>>> &storedRows)
{
    QByteArray file = EncodeBitmapFile(QImage(), w, h);
    const int stride = BitmapStride(w);
    file.replace(54, stride * h, QByteArray(stride * h, '\x5A')); // padding bytes that are not white
    for (int k = 0; k < h; ++k)
        for (int j = 0; j < w; ++j)
            for (int c = 0; c < 3; ++c)
                file[54 + k * stride + 3 * j + c] = char(storedRows[size_t(k)][size_t(j)][size_t(c)]);
    return file;
}

} // namespace

TEST(SaveBitmapFile, WritesBothHeadersFieldByField)
{
    const QByteArray file = EncodeBitmapFile(Picture(10, 3, {}), 10, 3);
    // 10 pixels x 3 bytes = 30, padded to a stride of 32.
    ASSERT_EQ(file.size(), 54 + 32 * 3);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(file, 2), 54u + 96u);
    EXPECT_EQ(U16(file, 6), 0u);
    EXPECT_EQ(U16(file, 8), 0u);
    EXPECT_EQ(U32(file, 10), 54u);
    EXPECT_EQ(U32(file, 14), 40u);
    EXPECT_EQ(U32(file, 18), 10u);
    EXPECT_EQ(U32(file, 22), 3u);
    EXPECT_EQ(U16(file, 26), 1u);
    EXPECT_EQ(U16(file, 28), 24u);
    for (int at = 30; at < 54; at += 4)
        EXPECT_EQ(U32(file, at), 0u) << "offset " << at;
}

TEST(SaveBitmapFile, StoresBottomRowFirstInBlueGreenRedOrder)
{
    // Top-left pixel red, bottom-right pixel blue on a 12 x 2 picture (stride 36, no padding).
    const QByteArray file = EncodeBitmapFile(Picture(12, 2, {{0, 0, qRgb(255, 0, 0)}, {11, 1, qRgb(0, 0, 255)}}), 12, 2);
    ASSERT_EQ(file.size(), 54 + 72);
    // Stored row 0 is the picture's bottom row: its last pixel is blue (B=FF, G=0, R=0).
    EXPECT_EQ(file.mid(54 + 33, 3), QByteArray("\xFF\x00\x00", 3));
    // Stored row 1 is the top row: its first pixel is red (B=0, G=0, R=FF).
    EXPECT_EQ(file.mid(54 + 36, 3), QByteArray("\x00\x00\xFF", 3));
    EXPECT_EQ(BitmapStride(10), 32);
    EXPECT_EQ(BitmapStride(12), 36);
    EXPECT_EQ(BitmapStride(1), 4);
    EXPECT_EQ(BitmapStride(0), 0);
}

TEST(LoadMatrixFromBitmap, BottomStoredRowLandsInLastMatrixRowAndPaddingIsSkipped)
{
    // 10 x 2: stored row 0 (bottom) has ink at pixel 9; stored row 1 (top) at pixel 0.
    std::vector<std::vector<std::array<uint8_t, 3>>> rows(2, std::vector<std::array<uint8_t, 3>>(10, {0xFF, 0xFF, 0xFF}));
    rows[0][9] = {0, 0, 0};
    rows[1][0] = {0, 0, 0};
    DotMatrix m;
    GlyphSize s;
    ASSERT_TRUE(LoadMatrixFromBitmapBytes(RawBitmap(10, 2, rows), InkTest::AllBytes, m, s));
    EXPECT_EQ(s.Width, 10);
    EXPECT_EQ(s.Height, 2);
    EXPECT_EQ(m.At(1, 9), CellInk);
    EXPECT_EQ(m.At(0, 0), CellInk);
    int ink = 0;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 10; ++c)
            ink += m.IsInk(r, c);
    EXPECT_EQ(ink, 2); // the 0x5A padding bytes never became dots
    EXPECT_EQ(m.At(0, 10), CellBlank); // outside the glyph area: untouched
}

TEST(LoadMatrixFromBitmap, InkTestsDifferOnTintedPixels)
{
    // Pixel 0: B=FE G=FF R=FF (ink for both); pixel 1: B=FF G=FE R=FF (ink only for all bytes);
    // pixel 2: white; pixel 3: B=FF G=00 R=00 (pure blue: clear for the blue-byte test).
    std::vector<std::vector<std::array<uint8_t, 3>>> rows = {
        {{0xFE, 0xFF, 0xFF}, {0xFF, 0xFE, 0xFF}, {0xFF, 0xFF, 0xFF}, {0xFF, 0x00, 0x00}}};
    const QByteArray file = RawBitmap(4, 1, rows);
    DotMatrix m;
    GlyphSize s;
    ASSERT_TRUE(LoadMatrixFromBitmapBytes(file, InkTest::AllBytes, m, s));
    EXPECT_EQ((std::array{m.At(0, 0), m.At(0, 1), m.At(0, 2), m.At(0, 3)}), (std::array{1, 1, 0, 1}));
    ASSERT_TRUE(LoadMatrixFromBitmapBytes(file, InkTest::BlueByte, m, s));
    EXPECT_EQ((std::array{m.At(0, 0), m.At(0, 1), m.At(0, 2), m.At(0, 3)}), (std::array{1, 0, 0, 0}));
}

TEST(LoadMatrixFromBitmap, RoundTripsThroughAFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tmp.bmp");
    Failure error;
    ASSERT_TRUE(SaveBitmapFile(Picture(5, 7, {{4, 6, qRgb(0, 0, 0)}, {2, 3, qRgb(128, 128, 128)}}), 5, 7, path, &error));
    DotMatrix m;
    GlyphSize s;
    ASSERT_TRUE(LoadMatrixFromBitmap(path, InkTest::AllBytes, m, s, &error)) << testutil::Describe(error);
    EXPECT_EQ(s.Width, 5);
    EXPECT_EQ(s.Height, 7);
    EXPECT_TRUE(m.IsInk(6, 4));
    EXPECT_TRUE(m.IsInk(3, 2));
    EXPECT_FALSE(m.IsInk(0, 0));
}

TEST(LoadMatrixFromBitmap, ClearsGlyphAreaBeforeFilling)
{
    DotMatrix m;
    m.FillArea(8, 8, 5); // leftovers of some earlier glyph
    GlyphSize s;
    ASSERT_TRUE(LoadMatrixFromBitmapBytes(EncodeBitmapFile(Picture(4, 4, {}), 4, 4), InkTest::AllBytes, m, s));
    EXPECT_EQ(m.At(3, 3), CellBlank);
    EXPECT_EQ(m.At(4, 4), 5); // outside the new 4 x 4 area
}

TEST(LoadMatrixFromBitmap, RefusesBrokenFilesAndChangesNothing)
{
    const QByteArray good = EncodeBitmapFile(Picture(16, 16, {{0, 0, qRgb(0, 0, 0)}}), 16, 16);
    auto with = [&](int at, QByteArray bytes) {
        QByteArray b = good;
        b.replace(at, bytes.size(), bytes);
        return b;
    };
    auto le32 = [](uint32_t v) {
        const char bytes[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
        return QByteArray(bytes, 4);
    };
    const struct {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"header only in part", good.left(30)},
        {"pixel data cut short", good.left(good.size() - 1)},
        {"not BM", with(0, "XX")},
        {"8 bits per pixel", with(28, QByteArray("\x08\x00", 2))},
        {"32 bits per pixel", with(28, QByteArray("\x20\x00", 2))},
        {"compressed", with(30, le32(1))},
        {"width lies", with(18, le32(17))},
        {"height lies", with(22, le32(17))},
        {"width above 1024", with(18, le32(1025))},
        {"negative height", with(22, le32(uint32_t(-16)))},
        {"huge width", with(18, le32(0x7FFFFFFF))},
        {"data offset past the end", with(10, le32(0xFFFFFFF0))},
        {"data offset inside the header", with(10, le32(4))},
        {"info header too small", with(14, le32(12))},
    };
    for (const auto &c : cases) {
        DotMatrix m;
        m.Set(0, 0, 9);
        GlyphSize s{3, 4};
        Failure error;
        EXPECT_FALSE(LoadMatrixFromBitmapBytes(c.bytes, InkTest::AllBytes, m, s, &error)) << c.what;
        EXPECT_FALSE(!error) << c.what;
        EXPECT_EQ(m.At(0, 0), 9) << c.what;
        EXPECT_EQ(s.Width, 3) << c.what;
        EXPECT_EQ(s.Height, 4) << c.what;
    }
}

TEST(LoadMatrixFromBitmap, MissingFileReturnsFalseAndZeroSizeIsAnEmptyGlyph)
{
    DotMatrix m;
    GlyphSize s{16, 16};
    EXPECT_FALSE(LoadMatrixFromBitmap("/nonexistent/tmp.bmp", InkTest::AllBytes, m, s));
    EXPECT_EQ(s.Width, 16);
    ASSERT_TRUE(LoadMatrixFromBitmapBytes(EncodeBitmapFile(QImage(), 0, 16), InkTest::AllBytes, m, s));
    EXPECT_EQ(s.Width, 0);
    EXPECT_EQ(s.Height, 16);
}

TEST(SaveBitmapFile, FailureKeepsTheEarlierFileAndSaysWhere)
{
    QTemporaryDir dir;
    Failure error;
    EXPECT_FALSE(SaveBitmapFile(Picture(2, 2, {}), 2, 2, dir.filePath("no/such/dir/a.bmp"), &error));
    EXPECT_TRUE(testutil::Mentions(error, "no/such/dir/a.bmp")) << testutil::Describe(error);
}
