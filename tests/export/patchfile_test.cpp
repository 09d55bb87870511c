// The patch file of hand-fixed glyphs through dotrix-cli as a user runs it: a seeded patch of 50
// glyphs read back by FreeType and bdfconv, and carried dot for dot into the batch's font.dat and
// a BDF export (read by FreeType) while every other glyph stays as the font draws it; the fixed
// glyphs at full ink in an export of 4 bits per pixel and moved with a fitted offset; and a patch
// cut short, of another size or font, or with dots outside its cell refused with its reason and
// no file written.

#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "common/testutil.h"
#include "consumers.h"
#include "encode/packglyph.h"
#include "export/fontexport.h"
#include "export/patchfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

using consumers::DotRows;

// The characters the runs draw: the first 150 of GB2312 and a few ASCII ones, code page 936.
std::vector<std::string> ListCharacters()
{
    const CharsetImport gb2312 = LoadCharset(CharacterSet::GB2312, QString());
    EXPECT_TRUE(gb2312.Ok);
    std::vector<std::string> characters = SplitChars(gb2312.Text);
    characters.resize(150);
    for (const char *ascii : {"A", "g", "7", "?"})
        characters.emplace_back(ascii);
    return characters;
}

// 50 of the characters with random dots (a third of them ink), one of them with none at all, drawn
// in Unifont's 16 x 16 cell at the offsets 0, 0.
GlyphPatch SeededPatch(const std::vector<std::string> &characters, const GlyphSettings &settings, uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<std::string> chosen = characters;
    std::shuffle(chosen.begin(), chosen.end(), random);
    chosen.resize(50);
    GlyphPatch patch;
    patch.Basis = PatchBasis::Of(settings);
    for (size_t i = 0; i < chosen.size(); ++i) {
        GlyphPatch::Dots dots(size_t(settings.Width * settings.Height));
        for (uint8_t &dot : dots)
            dot = i > 0 && random() % 3 == 0;
        patch.SetDots(CodePointOf(chosen[i]), dots);
    }
    return patch;
}

DotRows RowsOf(const GlyphPatch::Dots &dots, int width)
{
    DotRows rows;
    for (size_t at = 0; at < dots.size(); at += size_t(width)) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += dots[at + size_t(x)] ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

consumers::ProgramRun Cli(const QStringList &args)
{
    return consumers::Run(QStringLiteral(DOTRIX_CLI_PATH), QStringList{"--lang", "en", "--font", "Unifont"} + args);
}

// Every glyph of a BDF file as FreeType reads it, placed in its cell (baseline FONT_ASCENT).
std::map<char32_t, DotRows> FreeTypeCells(const QString &path, const std::vector<char32_t> &codePoints, int width,
                                          int height)
{
    const consumers::FreeTypeFont ft(path);
    EXPECT_TRUE(ft.Ok()) << ft.Error();
    const int baseline = std::stoi(ft.Property("FONT_ASCENT"));
    std::map<char32_t, DotRows> cells;
    for (char32_t codePoint : codePoints) {
        const consumers::FreeTypeGlyph glyph = ft.Glyph(codePoint);
        EXPECT_TRUE(glyph.Found) << std::hex << uint32_t(codePoint);
        cells[codePoint] = consumers::PlaceInCell(glyph, width, height, baseline);
    }
    return cells;
}

} // namespace

TEST(PatchFile, SeededPatchReachesFontDatAndTheBdfExportDotForDotAndLeavesTheOtherGlyphsAlone)
{
    QTemporaryDir plain, patched;
    GlyphSettings settings;
    settings.GlyphFont.Face = QStringLiteral("Unifont");
    const std::vector<std::string> characters = ListCharacters();
    const GlyphPatch patch = SeededPatch(characters, settings, 20261210);
    const QString patchPath = PatchPathIn(patched.path());
    Failure failure;
    ASSERT_TRUE(SaveGlyphPatch(patch, patchPath, &failure)) << testutil::Describe(failure);

    // The file is the patch: read back whole, and by FreeType and bdfconv as any BDF font.
    GlyphPatch loaded;
    ASSERT_TRUE(LoadGlyphPatch(patchPath, loaded, &failure)) << testutil::Describe(failure);
    EXPECT_EQ(loaded.Glyphs(), patch.Glyphs());
    EXPECT_EQ(loaded.Basis.Face, QStringLiteral("Unifont"));
    EXPECT_FALSE(loaded.Check(settings));
    // Fixed while the cell stood far off (the offsets are the user's to type): it reads back too.
    GlyphPatch far = patch;
    far.Basis.OffsetX = 3000;
    far.Basis.OffsetY = -25000;
    const QString farPath = patched.filePath(QStringLiteral("far.bdf"));
    ASSERT_TRUE(SaveGlyphPatch(far, farPath, &failure)) << testutil::Describe(failure);
    GlyphPatch farLoaded;
    ASSERT_TRUE(LoadGlyphPatch(farPath, farLoaded, &failure)) << testutil::Describe(failure);
    EXPECT_EQ(farLoaded.Glyphs(), patch.Glyphs());
    EXPECT_EQ(QPoint(farLoaded.Basis.OffsetX, farLoaded.Basis.OffsetY), QPoint(3000, -25000));
    std::vector<char32_t> patchedPoints;
    for (const auto &entry : patch.Glyphs())
        patchedPoints.push_back(entry.first);
    for (const auto &[codePoint, cell] : FreeTypeCells(patchPath, patchedPoints, 16, 16))
        EXPECT_EQ(cell, RowsOf(*patch.Find(codePoint), 16)) << std::hex << uint32_t(codePoint);
    if (!consumers::U8g2Dir().isEmpty()) {
        EXPECT_EQ(consumers::BuildU8g2Drawer(patchPath, patched.path()).Error, "");
    }

    std::string list;
    for (const std::string &character : characters)
        list += Cp936ToUtf8(character);
    const QString listPath = plain.filePath(QStringLiteral("list.txt"));
    ASSERT_TRUE(testutil::WriteFileBytes(listPath, list));
    for (const QTemporaryDir *dir : {&plain, &patched}) {
        const QStringList withPatch = dir == &patched ? QStringList{"--patch", patchPath} : QStringList{};
        const consumers::ProgramRun batch =
            Cli(withPatch + QStringList{"--workdir", dir->path(), "--batch", "--data", "dat", "--list", listPath});
        ASSERT_EQ(batch.ExitCode, 0) << batch.Err;
        const consumers::ProgramRun bdf = Cli(withPatch + QStringList{"--export", "bdf", "--offset", "0,0", "--list",
                                                                      listPath, "--out", dir->filePath("font.bdf")});
        ASSERT_EQ(bdf.ExitCode, 0) << bdf.Err;
    }

    // font.dat: 32 bytes a glyph in list order, the patched ones packed from their dots.
    const std::string plainData = testutil::ReadFileBytes(plain.filePath("font.dat"));
    const std::string patchedData = testutil::ReadFileBytes(patched.filePath("font.dat"));
    ASSERT_EQ(plainData.size(), characters.size() * 32);
    ASSERT_EQ(patchedData.size(), plainData.size());
    GlyphSettings packing = settings;
    packing.GroupDigits = 2;
    int fixed = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
        std::string expected = plainData.substr(i * 32, 32);
        if (const GlyphPatch::Dots *dots = patch.Find(characters[i])) {
            DotMatrix matrix;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    matrix.Set(y, x, (*dots)[size_t(y * 16 + x)] ? CellInk : CellBlank);
            expected = PackedGlyphBytes(PackGlyph(matrix, packing));
            ++fixed;
        }
        EXPECT_EQ(patchedData.substr(i * 32, 32), expected) << Cp936ToUtf8(characters[i]);
    }
    EXPECT_EQ(fixed, 50);

    // The BDF export as FreeType reads it.
    std::vector<char32_t> every;
    for (const std::string &character : characters)
        every.push_back(CodePointOf(character));
    const auto plainCells = FreeTypeCells(plain.filePath("font.bdf"), every, 16, 16);
    const auto patchedCells = FreeTypeCells(patched.filePath("font.bdf"), every, 16, 16);
    for (char32_t codePoint : every) {
        const GlyphPatch::Dots *dots = patch.Find(codePoint);
        EXPECT_EQ(patchedCells.at(codePoint), dots ? RowsOf(*dots, 16) : plainCells.at(codePoint))
            << std::hex << uint32_t(codePoint);
    }
}

TEST(PatchFile, FixedGlyphsAreAtFullInkAboveOneBitAndMoveWithAFittedOffset)
{
    QTemporaryDir dir;
    GlyphSettings settings;
    settings.GlyphFont.Face = QStringLiteral("Unifont");
    const std::vector<std::string> characters = ListCharacters();
    auto patch = std::make_shared<GlyphPatch>(SeededPatch(characters, settings, 7));
    patch->Path = PatchPathIn(dir.path());
    settings.Patch = patch;
    std::string list;
    for (const std::string &character : characters)
        list += character;
    const std::vector<CodePointChar> mapped = MapToCodePoints(list).Characters;

    JobControl control;
    int fixed = 0;
    DrawExportGlyphs(mapped, settings, 4, AdvanceMode::Cell, control, [&](const ExportGlyph &glyph, Failure *) {
        if (const GlyphPatch::Dots *dots = patch->Find(glyph.CodePoint)) {
            for (size_t i = 0; i < dots->size(); ++i)
                EXPECT_EQ(glyph.Levels[i], (*dots)[i] ? 15 : 0);
            ++fixed;
        }
        return true;
    });
    EXPECT_EQ(fixed, 50);

    FontExportRequest request;
    request.Bpp = 4;
    request.OutPath = dir.filePath(QStringLiteral("font.c"));
    const FontExportResult result = ExportFont(mapped, settings, request, control);
    ASSERT_EQ(result.State, FontExportResult::Done) << testutil::Describe(result.Error);
    EXPECT_TRUE(result.Note.contains(QStringLiteral("50 glyphs come from the patch"))) << result.Note;

    // Drawn 5 rows low, the export's fitted offset moves the fixed glyphs with the others.
    settings.OffsetY = 5;
    request.Bpp = 1;
    request.Format = ExportFormat::Bdf;
    request.OutPath = dir.filePath(QStringLiteral("font.bdf"));
    const FontExportResult moved = ExportFont(mapped, settings, request, control);
    ASSERT_EQ(moved.State, FontExportResult::Done) << testutil::Describe(moved.Error);
    ASSERT_NE(moved.OffsetY, 5);
    std::vector<char32_t> fixedPoints;
    for (const auto &entry : patch->Glyphs())
        fixedPoints.push_back(entry.first);
    for (const auto &[codePoint, cell] : FreeTypeCells(request.OutPath, fixedPoints, 16, 16)) {
        DotRows expected(16, std::string(16, '.'));
        const DotRows dots = RowsOf(*patch->Find(codePoint), 16);
        for (int y = 0; y < 16; ++y)
            if (y + moved.OffsetY >= 0 && y + moved.OffsetY < 16)
                expected[size_t(y + moved.OffsetY)] = dots[size_t(y)];
        EXPECT_EQ(cell, expected) << std::hex << uint32_t(codePoint);
    }
}

TEST(PatchFile, ABrokenOrForeignPatchIsRefusedWithItsReasonAndNothingIsWritten)
{
    QTemporaryDir source;
    GlyphSettings settings;
    settings.GlyphFont.Face = QStringLiteral("Unifont");
    const GlyphPatch patch = SeededPatch(ListCharacters(), settings, 99);
    const QString good = source.filePath(QStringLiteral("good.bdf"));
    ASSERT_TRUE(SaveGlyphPatch(patch, good));
    const std::string bytes = testutil::ReadFileBytes(good);
    // The first glyph with ink moved a column past the cell's right edge.
    const size_t bbx = bytes.find("BBX ", bytes.find("BBX ") + 1);
    std::string outside = bytes;
    outside.replace(bbx, outside.find('\n', bbx) - bbx, "BBX 16 1 8 0");

    const struct
    {
        const char *Name;
        std::string Bytes;
        QStringList Options;
        const char *Says;
    } cases[] = {
        {"cut short", bytes.substr(0, bytes.size() / 2), {}, "cut short"},
        {"cut before ENDFONT", bytes.substr(0, bytes.rfind("ENDFONT")), {}, "cut short"},
        {"another size", bytes, {"--size", "24x24"}, "16x16"},
        {"another font", bytes, {"--font", "DejaVu Sans"}, "DejaVu Sans"},
        {"another font size", bytes, {"--px", "20"}, "20"},
        {"dots outside the cell", outside, {}, "outside"},
        {"not a patch", "STARTFONT 2.1\nSIZE 16 96 96\nSTARTPROPERTIES 0\nENDPROPERTIES\nCHARS 0\nENDFONT\n", {},
         "DOTRIX_CELL_WIDTH"},
        {"a bad line", "hello\n", {}, "line 1"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("patch.bdf"));
        ASSERT_TRUE(testutil::WriteFileBytes(path, c.Bytes));
        for (const QStringList &command : {QStringList{"--batch", "--data", "dat", "中文"},
                                           QStringList{"--export", "lvgl", "--out", dir.filePath("f.c"), "中文"},
                                           QStringList{"中"}}) {
            const consumers::ProgramRun run = Cli(QStringList{"--workdir", dir.path(), "--patch", path} + c.Options + command);
            EXPECT_EQ(run.ExitCode, 1) << run.Err;
            EXPECT_NE(run.Err.find(c.Says), std::string::npos) << run.Err;
            EXPECT_NE(run.Err.find("patch.bdf"), std::string::npos) << run.Err;
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"patch.bdf"});
        }
    }
}
