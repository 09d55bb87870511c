// Pictures into dots: sizes, the black/white decision, names, and pictures that are broken, lie
// about their size or are too large.

#include "common/testutil.h"
#include "raster/glyphbitmap.h"
#include "encode/pictureimport.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Scratch : testutil::Scratch
{
    QString Save(const QImage &image, const char *name)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(image.save(path)) << name;
        return path;
    }
    PictureConversion Import(const QString &path)
    {
        PictureConversion converted = ConvertPictureToBitmap(path, output);
        if (converted.State == PictureConversion::Converted) {
            EXPECT_TRUE(LoadPictureBitmap(output, matrix, settings));
        }
        return converted;
    }
};

QImage White(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

TEST(NearestColorIndex, BlackWhenTheSumIsAtMost382)
{
    const struct {
        PaletteColor pixel;
        int index;
    } cases[] = {
        {{0, 0, 0}, 0},       {{255, 255, 255}, 1}, {{128, 128, 128}, 1}, {{127, 127, 128}, 0},
        {{255, 127, 0}, 0},   {{255, 128, 0}, 1},   {{0, 0, 255}, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(NearestColorIndex(BlackAndWhite, 2, c.pixel), c.index)
            << c.pixel.Red << "," << c.pixel.Green << "," << c.pixel.Blue;
    EXPECT_EQ(NearestColorIndex(BlackAndWhite, 0, {9, 9, 9}), 0);
    // Equal distances keep the earlier entry.
    const PaletteColor twice[2] = {{10, 10, 10}, {10, 10, 10}};
    EXPECT_EQ(NearestColorIndex(twice, 2, {0, 0, 0}), 0);
}

TEST(PictureImport, HundredByFiftyPictureKeepsItsSizeAndThreshold)
{
    Scratch s;
    QImage image = White(100, 50);
    image.setPixel(0, 0, qRgb(0, 0, 0));
    image.setPixel(1, 0, qRgb(128, 128, 128)); // sum 384: clear
    image.setPixel(2, 0, qRgb(127, 127, 128)); // sum 382: ink
    image.setPixel(99, 49, qRgb(200, 0, 0));   // dark enough red: ink
    const PictureConversion converted = s.Import(s.Save(image, "logo.bmp"));
    ASSERT_EQ(converted.State, PictureConversion::Converted) << testutil::Describe(converted.Error);
    EXPECT_EQ(std::pair(s.settings.Width, s.settings.Height), std::pair(100, 50));
    EXPECT_TRUE(s.matrix.IsInk(0, 0));
    EXPECT_FALSE(s.matrix.IsInk(0, 1));
    EXPECT_TRUE(s.matrix.IsInk(0, 2));
    EXPECT_TRUE(s.matrix.IsInk(49, 99));
    EXPECT_FALSE(s.matrix.IsInk(25, 50));
}

TEST(PictureImport, ReadsGifAndJpegAtTheirPixelSize)
{
    for (const char *name : {"colour.gif", "colour.jpg"}) {
        Scratch s;
        const PictureConversion converted =
            s.Import(QStringLiteral(DOTRIX_GOLDEN_DIR "/pictures/") + QString::fromLatin1(name));
        ASSERT_EQ(converted.State, PictureConversion::Converted) << name << testutil::Describe(converted.Error);
        EXPECT_EQ(std::pair(s.settings.Width, s.settings.Height), std::pair(100, 50)) << name;
        EXPECT_TRUE(s.matrix.IsInk(20, 20)) << name;   // the black rectangle
        EXPECT_FALSE(s.matrix.IsInk(2, 2)) << name;    // white background
    }
}

TEST(PictureImport, EveryPixelIsOneDotWhateverResolutionTheFileStates)
{
    // A 40 x 20 picture with a one-pixel black border: every border pixel must come out as ink
    // and nothing inside it, at any resolution the file carries (0: none stated).
    QImage framed = White(40, 20);
    for (int x = 0; x < 40; ++x)
        framed.setPixel(x, 0, 0), framed.setPixel(x, 19, 0);
    for (int y = 0; y < 20; ++y)
        framed.setPixel(0, y, 0), framed.setPixel(39, y, 0);
    for (const char *format : {"bmp", "jpg"}) {
        for (const int dpi : {72, 96, 300, 0}) {
            Scratch s;
            QImage image = framed;
            image.setDotsPerMeterX(qRound(dpi / 0.0254));
            image.setDotsPerMeterY(qRound(dpi / 0.0254));
            const QString path = s.dir.filePath(QStringLiteral("framed.%1").arg(format));
            ASSERT_TRUE(image.save(path, nullptr, 100));
            const PictureConversion converted = s.Import(path);
            const std::string what = std::string(format) + " at " + std::to_string(dpi) + " dpi";
            ASSERT_EQ(converted.State, PictureConversion::Converted) << what;
            ASSERT_EQ(std::pair(s.settings.Width, s.settings.Height), std::pair(40, 20)) << what;
            for (int r = 0; r < 20; ++r)
                for (int c = 0; c < 40; ++c) {
                    const bool border = r == 0 || r == 19 || c == 0 || c == 39;
                    ASSERT_EQ(s.matrix.IsInk(r, c), border) << what << ", row " << r << ", column " << c;
                }
        }
    }
}

TEST(PictureImport, TopDownBitmapsAreReadTopRowFirst)
{
    // A 24-bit BMP whose negative height says its first stored row is the top one: 3 x 2 pixels,
    // black at the top left, white elsewhere. Rows are padded to 12 bytes.
    std::string bmp = "BM";
    const auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    bmp += u32(54 + 24) + u32(0) + u32(54);
    bmp += u32(40) + u32(3) + u32(uint32_t(-2)) + std::string("\x01\x00\x18\x00", 4) + u32(0) + u32(24)
           + u32(2835) + u32(2835) + u32(0) + u32(0);
    bmp += std::string(3, '\0') + std::string(6, '\xFF') + std::string(3, '\0'); // top row
    bmp += std::string(9, '\xFF') + std::string(3, '\0');                        // bottom row
    Scratch s;
    ASSERT_TRUE(testutil::WriteFileBytes(s.dir.filePath("topdown.bmp"), bmp));
    const PictureConversion converted = s.Import(s.dir.filePath("topdown.bmp"));
    ASSERT_EQ(converted.State, PictureConversion::Converted) << testutil::Describe(converted.Error);
    EXPECT_EQ(std::pair(s.settings.Width, s.settings.Height), std::pair(3, 2));
    EXPECT_TRUE(s.matrix.IsInk(0, 0));
    EXPECT_FALSE(s.matrix.IsInk(1, 0));
    EXPECT_FALSE(s.matrix.IsInk(0, 1));
}

TEST(PictureImport, TooLargePicturesAreNotDrawnAndLeaveTheMatrix)
{
    Scratch s;
    s.matrix.Set(0, 0, 7);
    const PictureConversion big = s.Import(s.Save(White(1280, 1024), "big.bmp"));
    EXPECT_EQ(big.State, PictureConversion::TooBig);
    EXPECT_EQ(std::pair(big.Width, big.Height), std::pair(1280, 1024));
    EXPECT_EQ(s.matrix.At(0, 0), 7);
    EXPECT_EQ(s.settings.Width, 16);
    EXPECT_FALSE(QFile::exists(s.dir.filePath("tmp.bmp")));

    // A GIF header claiming 30,000 x 30,000 pixels is refused from the header alone.
    std::string gif = "GIF89a";
    gif += std::string("\x30\x75\x30\x75\x00\x00\x00", 7); // screen 30000 x 30000, no colour table
    gif += std::string("\x2C\x00\x00\x00\x00\x30\x75\x30\x75\x00", 10); // image 30000 x 30000
    gif += std::string("\x08\x02\x4C\x01\x00\x3B", 6);
    ASSERT_TRUE(testutil::WriteFileBytes(s.dir.filePath("huge.gif"), gif));
    const PictureConversion huge = s.Import(s.dir.filePath("huge.gif"));
    EXPECT_NE(huge.State, PictureConversion::Converted);
    EXPECT_EQ(s.matrix.At(0, 0), 7);
}

TEST(PictureImport, BrokenFilesSayWhatIsWrongAndChangeNothing)
{
    Scratch s;
    const std::string jpeg = [&] {
        s.Save(White(64, 64), "ok.jpg");
        return testutil::ReadFileBytes(s.dir.filePath("ok.jpg"));
    }();
    ASSERT_TRUE(testutil::WriteFileBytes(s.dir.filePath("text.bmp"), "this is no picture"));
    ASSERT_TRUE(testutil::WriteFileBytes(s.dir.filePath("cut.jpg"), jpeg.substr(0, 40)));
    ASSERT_TRUE(testutil::WriteFileBytes(s.dir.filePath("empty.gif"), ""));
    for (const char *name : {"text.bmp", "cut.jpg", "empty.gif", "missing.bmp"}) {
        s.matrix.Set(0, 0, 7);
        const PictureConversion converted = s.Import(s.dir.filePath(QString::fromLatin1(name)));
        EXPECT_EQ(converted.State, PictureConversion::Failed) << name;
        EXPECT_TRUE(testutil::Mentions(converted.Error, QString::fromLatin1(name))) << testutil::Describe(converted.Error);
        EXPECT_EQ(s.matrix.At(0, 0), 7) << name;
        EXPECT_EQ(s.settings.Width, 16) << name;
    }
}

TEST(PictureImport, NameDropsTheWholeExtension)
{
    EXPECT_EQ(PictureNameOf("/pictures/logo.bmp"), "logo");
    EXPECT_EQ(PictureNameOf("/pictures/logo.jpeg"), "logo");
    EXPECT_EQ(PictureNameOf("/pictures/my.logo.gif"), "my.logo");
    EXPECT_EQ(PictureNameOf("/pictures/noext"), "noext");
    EXPECT_EQ(PictureNameOf(QString::fromUtf8("/pictures/标志.png")), testutil::Gbk("标志"));
}
