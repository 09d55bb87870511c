// The LVGL font of examples/lvgl, which reads a Unicode-keyed file only through a callback, as
// firmware reads external flash: LVGL's label drawing sets text with it pixel for pixel as with
// the C font of the same glyphs (every bit depth, scan, bit order, inversion, both versions), it
// holds a small fixed RAM whatever the file's size, and a cut or damaged file is refused or loses
// glyphs, never read past its storage, and a failing read is not remembered as a missing glyph.

#include "common/testutil.h"
#include "lvglcanvas.h"

#include "lv_font_ubin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <random>
#include <set>

extern "C" {
LV_FONT_DECLARE(dotrix_gb2312_1bpp)
LV_FONT_DECLARE(dotrix_sample_2bpp)
LV_FONT_DECLARE(dotrix_sample_4bpp)
LV_FONT_DECLARE(dotrix_sample_8bpp)
LV_FONT_DECLARE(dotrix_wqy_line_4bpp)
LV_FONT_DECLARE(dotrix_wqy_grid_4bpp)
}

namespace {

// A file in external flash: read only through the callback, each read counted and checked against
// the end of the storage.
struct Flash
{
    explicit Flash(std::string bytes) : Bytes(std::move(bytes)), Storage(uint32_t(Bytes.size())) {}

    static int Read(void *ctx, uint32_t offset, uint8_t *dst, uint32_t len)
    {
        Flash &flash = *static_cast<Flash *>(ctx);
        if (offset > flash.Storage || len > flash.Storage - offset) {
            flash.PastEnd = true;
            return -1;
        }
        if (flash.FailFrom >= 0 && flash.Reads >= flash.FailFrom)
            return -1; // the flash stopped answering
        ++flash.Reads;
        flash.BytesRead += len;
        std::memcpy(dst, flash.Bytes.data() + offset, len);
        return 0;
    }

    std::string Bytes;
    uint32_t Storage; // what the callback can deliver: at most Bytes.size()
    long Reads = 0, BytesRead = 0;
    long FailFrom = -1; // every read from this one on fails (-1: none)
    bool PastEnd = false;
};

std::string UbinFile(const char *name)
{
    return testutil::ReadFileBytes(QStringLiteral(DOTRIX_LVGL_FONT_DIR "/%1.ubin").arg(QString::fromLatin1(name)));
}

// A header field (docs/font-format.md): glyph size at 24, table at 16, glyph bytes at 20.
uint32_t Le32(const std::string &file, size_t at)
{
    return uint32_t(uint8_t(file[at])) | uint32_t(uint8_t(file[at + 1])) << 8 | uint32_t(uint8_t(file[at + 2])) << 16
           | uint32_t(uint8_t(file[at + 3])) << 24;
}

// lv_font_ubin opened on a flash with a cache of the given number of glyphs.
struct UbinFont
{
    UbinFont(Flash &flash, uint32_t glyphs, uint32_t glyphSize)
        : Cache(std::max<size_t>(1, LV_FONT_UBIN_CACHE_SIZE(glyphSize, glyphs)))
    {
        Result = lv_font_ubin_init(&Font, Flash::Read, &flash, flash.Storage, Cache.data(),
                                   LV_FONT_UBIN_CACHE_SIZE(glyphSize, glyphs));
    }
    UbinFont(const UbinFont &) = delete; // LVGL's font points into it

    lv_font_ubin_t Font;
    std::vector<uint8_t> Cache;
    int Result;
};

// The text as LVGL's label drawing draws it with the font, on a canvas wide enough for it.
QImage Drawn(const lv_font_t &font, const char *utf8, int width)
{
    LvglCanvas canvas(width, int(lv_font_get_line_height(&font)) + 6);
    canvas.Draw(font, utf8, 3, 2);
    return canvas.Picture();
}

int Inked(const QImage &picture)
{
    int inked = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            inked += picture.constScanLine(y)[x] < 128;
    return inked;
}

int Width(const lv_font_t &font, const char *utf8)
{
    lv_point_t size;
    lv_text_get_size(&size, utf8, &font, 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_NONE);
    return size.x;
}

// GB2312 has no ASCII: its Latin letters and digits are the full-width ones.
const char *const Gb2312Line = "温度：２３．５℃，湿度６０％　Ｈｅｌｌｏ，世界！αβ";

} // namespace

TEST(LvglUbinFont, DrawsTextPixelForPixelAsTheLvglCFontOfTheSameGlyphs)
{
    LvglInit lvgl;
    const struct {
        const lv_font_t &CFont;
        const char *Name;
        const char *Text;
    } pairs[] = {{dotrix_gb2312_1bpp, "dotrix_gb2312_1bpp", Gb2312Line},
                 {dotrix_wqy_line_4bpp, "dotrix_wqy_line_4bpp", ThermometerLine},
                 {dotrix_wqy_grid_4bpp, "dotrix_wqy_grid_4bpp", ThermometerLine},
                 {dotrix_sample_2bpp, "dotrix_sample_2bpp", MixedText},
                 {dotrix_sample_4bpp, "dotrix_sample_4bpp", MixedText},
                 {dotrix_sample_8bpp, "dotrix_sample_8bpp", MixedText}};
    for (const auto &pair : pairs) {
        SCOPED_TRACE(pair.Name);
        const int width = 3 + Width(pair.CFont, pair.Text) + 24;
        const QImage expected = Drawn(pair.CFont, pair.Text, width);
        EXPECT_GT(Inked(expected), 150);
        // A cache of one glyph (each drawn glyph read again) and one of sixteen draw the same.
        for (uint32_t glyphs : {1u, 16u}) {
            Flash flash(UbinFile(pair.Name));
            const uint32_t glyphSize = Le32(flash.Bytes, 24);
            UbinFont font(flash, glyphs, glyphSize);
            ASSERT_EQ(font.Result, UBIN_OK);
            EXPECT_EQ(lv_font_get_line_height(&font.Font.font), lv_font_get_line_height(&pair.CFont));
            EXPECT_EQ(Width(font.Font.font, pair.Text), Width(pair.CFont, pair.Text));
            const QImage drawn = Drawn(font.Font.font, pair.Text, width);
            EXPECT_TRUE(drawn == expected) << glyphs << " glyphs cached";
            EXPECT_FALSE(flash.PastEnd);
        }
    }
}

TEST(LvglUbinFont, HoldsLittleRamForAWholeGb2312SetAndReadsALineInSmallPieces)
{
    LvglInit lvgl;
    const std::string file = UbinFile("dotrix_gb2312_1bpp");
    const uint32_t glyphSize = 32; // a 16 x 16 cell at 1 bit per pixel
    const int width = 3 + Width(dotrix_gb2312_1bpp, Gb2312Line) + 24;
    const QList<uint> characters = QString::fromUtf8(Gb2312Line).toUcs4();
    std::cout << "GB2312 16 px, a file of " << file.size() << " bytes read only through the callback; the line \""
              << Gb2312Line << "\", " << characters.size() << " characters, "
              << std::set<uint>(characters.begin(), characters.end()).size() << " different:\n"
              << "  RAM held by the font: " << sizeof(lv_font_ubin_t)
              << " bytes on this host (build-arm.sh gives Cortex-M's), and the cache\n";
    for (uint32_t glyphs : {16u, 32u}) {
        Flash flash(file);
        UbinFont font(flash, glyphs, glyphSize);
        ASSERT_EQ(font.Result, UBIN_OK);
        ASSERT_EQ(font.Font.file.glyph_size, glyphSize);
        const long openReads = flash.Reads;
        flash.Reads = flash.BytesRead = 0;
        Drawn(font.Font.font, Gb2312Line, width);
        const long firstReads = flash.Reads, firstBytes = flash.BytesRead;
        flash.Reads = flash.BytesRead = 0;
        Drawn(font.Font.font, Gb2312Line, width);
        std::cout << "  a cache of " << glyphs << " glyphs, " << font.Cache.size() << " bytes: opening " << openReads
                  << " read; the line drawn " << firstReads << " reads, " << firstBytes << " bytes; drawn again "
                  << flash.Reads << " reads, " << flash.BytesRead << " bytes\n";
        EXPECT_FALSE(flash.PastEnd);
    }
    // Nothing in the font grows with the file: the header, the table of recent look-ups, a clock.
    EXPECT_LT(sizeof(lv_font_ubin_t), 2048u);
}

TEST(LvglUbinFont, CutAndDamagedFilesAreRefusedOrLoseGlyphsAndFailedReadsAreNotRemembered)
{
    LvglInit lvgl;
    const std::string good = UbinFile("dotrix_wqy_line_4bpp");
    const uint32_t glyphSize = Le32(good, 24);
    const int width = 3 + Width(dotrix_wqy_line_4bpp, ThermometerLine) + 24;
    const QImage expected = Drawn(dotrix_wqy_line_4bpp, ThermometerLine, width);
    auto patched = [&](size_t at, std::initializer_list<uint8_t> bytes) {
        std::string file = good;
        for (uint8_t byte : bytes)
            file[at++] = char(byte);
        return file;
    };

    // Refused when opened: the font then has no glyph and draws nothing.
    const std::pair<std::string, int> refused[] = {
        {good.substr(0, 39), UBIN_ERR_TRUNCATED},               // a cut header
        {good.substr(0, good.size() - 1), UBIN_ERR_TRUNCATED},  // a cut file
        {patched(4, {3, 0}), UBIN_ERR_VERSION},                 // a version to come
        {patched(16, {0xF0, 0xFF, 0, 0}), UBIN_ERR_FORMAT},     // the table past the end
        {patched(20, {0xF0, 0xFF, 0, 0}), UBIN_ERR_FORMAT},     // the glyphs past the end
        {patched(32, {0x00, 0x80}), UBIN_ERR_FORMAT},           // a baseline LVGL cannot place
        {good, UBIN_ERR_BUFFER},                                // no room for a glyph
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(&c - refused);
        Flash flash(c.first);
        UbinFont font(flash, c.second == UBIN_ERR_BUFFER ? 0 : 1, glyphSize);
        EXPECT_EQ(font.Result, c.second);
        lv_font_glyph_dsc_t dsc;
        EXPECT_FALSE(lv_font_get_glyph_dsc(&font.Font.font, &dsc, 0x6E29, 0)); // 温
        EXPECT_EQ(Inked(Drawn(font.Font.font, ThermometerLine, width)), 0);
        EXPECT_FALSE(flash.PastEnd);
    }

    // A table entry pointing past the file: that glyph is missing, the others are drawn.
    {
        const uint32_t table = Le32(good, 16);
        Flash flash(patched(table + 4, {0xF0, 0xFF, 0, 0})); // the first entry, ' '
        UbinFont font(flash, 4, glyphSize);
        ASSERT_EQ(font.Result, UBIN_OK);
        lv_font_glyph_dsc_t dsc;
        EXPECT_FALSE(lv_font_get_glyph_dsc(&font.Font.font, &dsc, ' ', 0));
        EXPECT_TRUE(lv_font_get_glyph_dsc(&font.Font.font, &dsc, 0x6E29, 0));
        EXPECT_GT(Inked(Drawn(font.Font.font, ThermometerLine, width)), 100);
        EXPECT_FALSE(flash.PastEnd);
    }

    // A flash that stops answering at each read of a line in turn, then answers again: the same
    // font then draws the whole line, nothing the failure left behind kept.
    Flash counted(good);
    {
        UbinFont font(counted, 2, glyphSize);
        Drawn(font.Font.font, ThermometerLine, width);
    }
    for (long failFrom = 1; failFrom <= counted.Reads; ++failFrom) {
        SCOPED_TRACE(failFrom);
        Flash flash(good);
        flash.FailFrom = failFrom;
        UbinFont font(flash, 2, glyphSize);
        ASSERT_EQ(font.Result, UBIN_OK);
        Drawn(font.Font.font, ThermometerLine, width);
        flash.FailFrom = -1;
        ASSERT_TRUE(Drawn(font.Font.font, ThermometerLine, width) == expected);
    }

    // Random damage: bytes of the header and table changed, files cut, caches of 0 to 3 glyphs.
    // Each is refused or draws; none is read past its storage.
    std::mt19937 random(20261210);
    const uint32_t glyphsAt = Le32(good, 20);
    int opened = 0;
    for (int round = 0; round < 400; ++round) {
        Flash flash(good);
        for (int n = 1 + int(random() % 4); n > 0; --n)
            flash.Bytes[random() % (random() % 2 ? 40 : glyphsAt)] = char(random());
        if (random() % 4 == 0)
            flash.Storage = uint32_t(random() % good.size());
        UbinFont font(flash, random() % 4, glyphSize);
        SCOPED_TRACE(round);
        Drawn(font.Font.font, ThermometerLine, width);
        opened += font.Result == UBIN_OK;
        ASSERT_FALSE(flash.PastEnd);
    }
    EXPECT_GT(opened, 20);
}
