// PackGlyph, NibbleToHex and BitsToByte against hand-worked bytes.
#include "encode/packglyph.h"
#include "common/testutil.h"
#include "raster/glyphsettings.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;
using Dot = std::pair<int, int>; // (row, column)

std::unique_ptr<DotMatrix> MatrixWithInk(std::initializer_list<Dot> ink)
{
    auto matrix = std::make_unique<DotMatrix>();
    for (const auto &[row, column] : ink)
        matrix->Set(row, column, CellInk);
    return matrix;
}

// Packs the glyph with the settings a case gives.
PackedGlyph Pack(const DotMatrix &matrix, int width, int height, ScanOrder scan, int groupDigits, bool invert,
                 bool bitReverse, SourceFormat format)
{
    GlyphSettings settings;
    settings.Width = width;
    settings.Height = height;
    settings.ScanMode = scan;
    settings.GroupDigits = groupDigits;
    settings.Invert = invert;
    settings.BitReverse = bitReverse;
    settings.OutputFormat = format;
    return PackGlyph(matrix, settings);
}

// Every run's tokens, in output order.
std::vector<Tokens> RunsOf(const PackedGlyph &packed)
{
    std::vector<Tokens> runs;
    for (const DataLine &line : packed.Lines)
        for (const DataRun &run : line.Runs)
            runs.push_back(run.Tokens);
    return runs;
}

Tokens AllTokens(const PackedGlyph &packed)
{
    Tokens all;
    for (const Tokens &run : RunsOf(packed))
        all.insert(all.end(), run.begin(), run.end());
    return all;
}

// Number of runs in each line.
std::vector<size_t> LineShape(const PackedGlyph &packed)
{
    std::vector<size_t> shape;
    for (const DataLine &line : packed.Lines)
        shape.push_back(line.Runs.size());
    return shape;
}

} // namespace

TEST(NibbleToHex, ReadsFirstCharacterAsBit3OrBit0WhenReversed)
{
    struct Case { const char *bits; const char *normal; const char *reversed; };
    const Case cases[] = {
        {"1000", "8", "1"}, {"0001", "1", "8"}, {"1100", "C", "3"},
        {"1010", "A", "5"}, {"0000", "0", "0"}, {"1111", "F", "F"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(NibbleToHex(c.bits, false), c.normal) << c.bits;
        EXPECT_EQ(NibbleToHex(c.bits, true), c.reversed) << c.bits;
    }
}

TEST(NibbleToHex, GivesEmptyTextForAnythingButFourBinaryCharacters)
{
    for (const char *bad : {"", "100", "10000", "10a0", "2000", "1 00"}) {
        EXPECT_EQ(NibbleToHex(bad, false), "") << '"' << bad << '"';
        EXPECT_EQ(NibbleToHex(bad, true), "") << '"' << bad << '"';
    }
}

TEST(BitsToByte, PutsTopDotInBit7OrBit0WhenReversed)
{
    struct Case { int bits[8]; int normal; int reversed; };
    const Case cases[] = {
        {{1, 0, 0, 0, 0, 0, 0, 0}, 0x80, 0x01},
        {{0, 0, 0, 0, 0, 0, 0, 1}, 0x01, 0x80},
        {{1, 1, 0, 0, 0, 0, 0, 0}, 0xC0, 0x03},
        {{0, 1, 0, 0, 1, 0, 1, 1}, 0x4B, 0xD2}, // 0100 1011 / reversed 1101 0010
        {{0, 0, 0, 0, 0, 0, 0, 0}, 0x00, 0x00},
        {{1, 1, 1, 1, 1, 1, 1, 1}, 0xFF, 0xFF},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(BitsToByte(c.bits, false), c.normal);
        EXPECT_EQ(BitsToByte(c.bits, true), c.reversed);
    }
}

// 8 x 8, ink at (0,0), (1,2), (5,7):
//   col 01234567
//   r0  X.......
//   r1  ..X.....
//   r5  .......X
// Vertical, per column top = bit 7: c0 1000 0000, c2 0100 0000, c7 0000 0100.
// Horizontal, per row left = bit 7: r0 1000 0000, r1 0010 0000, r5 0000 0001.
// Reversed, the same bits are read from bit 0 upwards.
TEST(PackGlyph, EightByEightGlyphPacksInEveryScan)
{
    const auto matrix = MatrixWithInk({{0, 0}, {1, 2}, {5, 7}});
    struct Case { ScanOrder scan; bool reverse; Tokens tokens; std::vector<size_t> shape; };
    const Case cases[] = {
        {ScanOrder::Vertical, false, {"0x80", "0x00", "0x40", "0x00", "0x00", "0x00", "0x00", "0x04"}, {4, 4}},
        {ScanOrder::Vertical, true, {"0x01", "0x00", "0x02", "0x00", "0x00", "0x00", "0x00", "0x20"}, {4, 4}},
        {ScanOrder::Horizontal, false, {"0x80", "0x20", "0x00", "0x00", "0x00", "0x01", "0x00", "0x00"}, {4, 4}},
        {ScanOrder::Horizontal, true, {"0x01", "0x04", "0x00", "0x00", "0x00", "0x80", "0x00", "0x00"}, {4, 4}},
        {ScanOrder::ZN, false, {"0x80", "0x00", "0x40", "0x00", "0x00", "0x00", "0x00", "0x04"}, {1}},
        {ScanOrder::ZN, true, {"0x01", "0x00", "0x02", "0x00", "0x00", "0x00", "0x00", "0x20"}, {1}},
    };
    for (const Case &c : cases) {
        const PackedGlyph packed = Pack(*matrix, 8, 8, c.scan, 2, false, c.reverse, SourceFormat::CArray);
        EXPECT_FALSE(packed.Refused) << "scan " << c.scan << " reverse " << c.reverse;
        EXPECT_EQ(AllTokens(packed), c.tokens) << "scan " << c.scan << " reverse " << c.reverse;
        EXPECT_EQ(LineShape(packed), c.shape) << "scan " << c.scan << " reverse " << c.reverse;
    }
    // In "ZN" the band's eight tokens form a single run.
    EXPECT_EQ(RunsOf(Pack(*matrix, 8, 8, ScanOrder::ZN, 2, false, false, SourceFormat::CArray)).size(), 1u);
}

// 4 x 12, vertical (3 digits per column), ink at (8,0), (0,1), (11,3):
//   rows   0-3  4-7  8-11
//   c0     0000 0000 1000   -> 0 0 8   reversed 0 0 1
//   c1     1000 0000 0000   -> 8 0 0   reversed 1 0 0
//   c2     0000 0000 0000
//   c3     0000 0000 0001   -> 0 0 1   reversed 0 0 8
// R = 2 cuts each column into a two-digit and a one-digit group.
// Inverted: c0 F F 0111=7, c1 0111=7 F F, c2 F F F, c3 F F 1110=E.
TEST(PackGlyph, VerticalScanGroupsDigitsWithinEachColumn)
{
    const auto matrix = MatrixWithInk({{8, 0}, {0, 1}, {11, 3}});
    struct Case { const char *name; int group; bool invert; bool reverse; SourceFormat format; std::vector<Tokens> runs; };
    const Case cases[] = {
        {"R2 SourceFormat::CArray", 2, false, false, SourceFormat::CArray, {{"0x00", "0x80"}, {"0x80", "0x00"}, {"0x00", "0x00"}, {"0x00", "0x10"}}},
        {"R2 Asm", 2, false, false, SourceFormat::AsmTable, {{"000", "08"}, {"080", "00"}, {"000", "00"}, {"000", "01"}}},
        {"R2 SourceFormat::CArray reverse", 2, false, true, SourceFormat::CArray, {{"0x00", "0x01"}, {"0x01", "0x00"}, {"0x00", "0x00"}, {"0x00", "0x08"}}},
        {"R2 Asm reverse", 2, false, true, SourceFormat::AsmTable, {{"000", "10"}, {"001", "00"}, {"000", "00"}, {"000", "80"}}},
        {"R2 SourceFormat::CArray invert", 2, true, false, SourceFormat::CArray, {{"0xFF", "0x70"}, {"0x7F", "0xF0"}, {"0xFF", "0xF0"}, {"0xFF", "0xE0"}}},
        {"R1 SourceFormat::CArray", 1, false, false, SourceFormat::CArray, {{"0x00", "0x00", "0x80"}, {"0x80", "0x00", "0x00"}, {"0x00", "0x00", "0x00"}, {"0x00", "0x00", "0x10"}}},
        {"R3 SourceFormat::CArray", 3, false, false, SourceFormat::CArray, {{"0x008"}, {"0x800"}, {"0x000"}, {"0x001"}}},
    };
    for (const Case &c : cases) {
        const PackedGlyph packed = Pack(*matrix, 4, 12, ScanOrder::Vertical, c.group, c.invert, c.reverse, c.format);
        EXPECT_FALSE(packed.Refused) << c.name;
        EXPECT_EQ(RunsOf(packed), c.runs) << c.name;
        EXPECT_EQ(LineShape(packed), std::vector<size_t>{4}) << c.name;
    }
    const PackedGlyph refused = Pack(*matrix, 4, 12, ScanOrder::Vertical, 4, false, false, SourceFormat::CArray);
    EXPECT_TRUE(refused.Refused);
    EXPECT_TRUE(refused.Lines.empty());
}

// 16 x 2, horizontal, ink at (0,0), (0,15), (1,4):
//   r0  1000 0000 0000 0001 -> 8 0 0 1
//   r1  0000 1000 0000 0000 -> 0 8 0 0
// R = 4: one token per row. R = 3: [800][1] and [080][0]; the lone digit becomes a byte's high digit.
TEST(PackGlyph, HorizontalScanCutsRowsIntoGroupsOfR)
{
    const auto matrix = MatrixWithInk({{0, 0}, {0, 15}, {1, 4}});
    EXPECT_EQ(RunsOf(Pack(*matrix, 16, 2, ScanOrder::Horizontal, 4, false, false, SourceFormat::CArray)),
              (std::vector<Tokens>{{"0x8001"}, {"0x0800"}}));
    EXPECT_EQ(RunsOf(Pack(*matrix, 16, 2, ScanOrder::Horizontal, 3, false, false, SourceFormat::CArray)),
              (std::vector<Tokens>{{"0x800", "0x10"}, {"0x080", "0x00"}}));
}

// 3 x 10, "ZN", ink at (0,0), (8,1), (9,2). Two bands; rows 10-15 are filler.
//   band 0 rows 0-7:  c0 1000 0000   c1 0000 0000   c2 0000 0000
//   band 1 rows 8-15: c0 0000 0000   c1 1000 0000   c2 0100 0000
// Inverted, only rows 0-9 flip; filler rows stay 0:
//   band 0: c0 0111 1111 = 7f, c1 ff, c2 ff
//   band 1: c0 11 000000 = c0, c1 01 000000 = 40, c2 10 000000 = 80
TEST(PackGlyph, ZNScanPacksBandsAndNeverInvertsFillerRows)
{
    const auto matrix = MatrixWithInk({{0, 0}, {8, 1}, {9, 2}});
    const PackedGlyph plain = Pack(*matrix, 3, 10, ScanOrder::ZN, 2, false, false, SourceFormat::CArray);
    ASSERT_EQ(plain.Lines.size(), 2u);
    EXPECT_EQ(RunsOf(plain), (std::vector<Tokens>{{"0x80", "0x00", "0x00"}, {"0x00", "0x80", "0x40"}}));
    const PackedGlyph inverted = Pack(*matrix, 3, 10, ScanOrder::ZN, 2, true, false, SourceFormat::CArray);
    EXPECT_EQ(RunsOf(inverted), (std::vector<Tokens>{{"0x7f", "0xff", "0xff"}, {"0xc0", "0x40", "0x80"}}));
}

// Vertical 1 x 10 with ink at rows 8 and 9, inverted; horizontal 10 x 1 with ink at columns 8
// and 9, inverted. Rows/columns 10 and 11 are filler and read 1 when inverted:
//   dots 0-3 1111, 4-7 1111, 8-11: 0 0 | 1 1 -> 0011 = 3, a one-digit group -> 0x30
// Reversed, the last digit reads 1100 = C -> "0xC0" -> last two swapped -> "0x0C".
TEST(PackGlyph, FillerDotsPastTheGlyphReadOneWhenInverted)
{
    const auto column = MatrixWithInk({{8, 0}, {9, 0}});
    const auto row = MatrixWithInk({{0, 8}, {0, 9}});
    EXPECT_EQ(RunsOf(Pack(*column, 1, 10, ScanOrder::Vertical, 2, true, false, SourceFormat::CArray)),
              (std::vector<Tokens>{{"0xFF", "0x30"}}));
    EXPECT_EQ(RunsOf(Pack(*row, 10, 1, ScanOrder::Horizontal, 2, true, false, SourceFormat::CArray)),
              (std::vector<Tokens>{{"0xFF", "0x30"}}));
    EXPECT_EQ(RunsOf(Pack(*column, 1, 10, ScanOrder::Vertical, 2, true, true, SourceFormat::CArray)),
              (std::vector<Tokens>{{"0xFF", "0x0C"}}));
    // Without invert the filler reads 0: rows 8-11 1100 = C.
    EXPECT_EQ(RunsOf(Pack(*column, 1, 10, ScanOrder::Vertical, 2, false, false, SourceFormat::CArray)),
              (std::vector<Tokens>{{"0x00", "0xC0"}}));
}

// One column whose digits spell A B C D E F 9, top first (rows 0-27):
//   1010 1011 1100 1101 | 1110 1111 | 1001
// Reversed, each digit reads least significant first:
//   A->5 B->D C->3 D->B E->7 F->F 9->9
TEST(PackGlyph, LastGroupOfARunKeepsTheRemainingDigits)
{
    const auto matrix = MatrixWithInk({
        {0, 0}, {2, 0},                   // A 1010
        {4, 0}, {6, 0}, {7, 0},           // B 1011
        {8, 0}, {9, 0},                   // C 1100
        {12, 0}, {13, 0}, {15, 0},        // D 1101
        {16, 0}, {17, 0}, {18, 0},        // E 1110
        {20, 0}, {21, 0}, {22, 0}, {23, 0}, // F 1111
        {24, 0}, {27, 0},                 // 9 1001
    });
    struct Case { const char *name; int height; int group; bool reverse; Tokens tokens; };
    const Case cases[] = {
        {"24 rows R4: 4 + 2 digits", 24, 4, false, {"0xABCD", "0xEF"}},
        {"28 rows R4: 4 + 3 digits", 28, 4, false, {"0xABCD", "0xEF9"}},
        {"28 rows R6: 6 + 1 digit", 28, 6, false, {"0xABCDEF", "0x90"}},
        // Only the last two digits trade places: 0x5D3B -> 0x5DB3, 0x7F -> 0xF7.
        {"24 rows R4 reversed", 24, 4, true, {"0x5DB3", "0xF7"}},
        // 0x5D3 -> 0x53D, 0xB7F -> 0xBF7.
        {"24 rows R3 reversed", 24, 3, true, {"0x53D", "0xBF7"}},
        {"32 rows R8", 32, 8, false, {"0xABCDEF90"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AllTokens(Pack(*matrix, 1, c.height, ScanOrder::Vertical, c.group, false, c.reverse, SourceFormat::CArray)),
                  c.tokens) << c.name;
}

// One column with ink in row 0 (digit 1000 = 8, reversed 0001 = 1), R = 1, height 4.
// "0x" formats complete a lone digit to a byte; the assembler prefix "0" does not.
// Reversed, the last two characters trade: "0x10" -> "0x01", "01" -> "10".
TEST(PackGlyph, OneDigitGroupsAreCompletedOnlyAfterTheHexPrefix)
{
    const auto matrix = MatrixWithInk({{0, 0}});
    struct Case { SourceFormat format; bool reverse; const char *token; };
    const Case cases[] = {
        {SourceFormat::Typical, false, "0x80"}, {SourceFormat::CArray, false, "0x80"}, {SourceFormat::AsmTable, false, "08"},
        {SourceFormat::Typical, true, "0x01"},  {SourceFormat::CArray, true, "0x01"},  {SourceFormat::AsmTable, true, "10"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AllTokens(Pack(*matrix, 1, 4, ScanOrder::Vertical, 1, false, c.reverse, c.format)),
                  Tokens{c.token}) << "format " << c.format << " reverse " << c.reverse;
}

// Column 0 with ink at rows 0, 2, 4, 6 (1010 1010) and column 1 all ink (1111 1111), 2 x 8.
// Horizontal and vertical scans spell letters in upper case, "ZN" in lower case.
TEST(PackGlyph, ZNUsesLowerCaseDigitsAndTheOtherScansUpperCase)
{
    const auto matrix = MatrixWithInk({{0, 0}, {2, 0}, {4, 0}, {6, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1},
                                       {4, 1}, {5, 1}, {6, 1}, {7, 1}});
    struct Case { ScanOrder scan; SourceFormat format; Tokens tokens; };
    const Case cases[] = {
        {ScanOrder::Vertical, SourceFormat::CArray, {"0xAA", "0xFF"}},
        {ScanOrder::Vertical, SourceFormat::AsmTable, {"0AA", "0FF"}},
        {ScanOrder::ZN, SourceFormat::CArray, {"0xaa", "0xff"}},
        {ScanOrder::ZN, SourceFormat::AsmTable, {"0aa", "0ff"}},
        {ScanOrder::ZN, SourceFormat::Typical, {"0xaa", "0xff"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(AllTokens(Pack(*matrix, 2, 8, c.scan, 2, false, false, c.format)), c.tokens)
            << "scan " << c.scan << " format " << c.format;
}

// ZN writes every byte as two digits: 1 x 8 with ink at row 4 -> 0000 1000 = 0x08, and in the
// assembler format 008.
TEST(PackGlyph, ZNPadsSmallValuesToTwoDigits)
{
    const auto matrix = MatrixWithInk({{4, 0}});
    EXPECT_EQ(AllTokens(Pack(*matrix, 1, 8, ScanOrder::ZN, 2, false, false, SourceFormat::CArray)), Tokens{"0x08"});
    EXPECT_EQ(AllTokens(Pack(*matrix, 1, 8, ScanOrder::ZN, 2, false, false, SourceFormat::AsmTable)), Tokens{"008"});
}

// 1 x 8 with ink at row 0: a group length that would refuse the vertical scan, or none at all,
// leaves the "ZN" result unchanged.
TEST(PackGlyph, ZNIgnoresGroupLengthAndNeverRefuses)
{
    const auto matrix = MatrixWithInk({{0, 0}});
    for (const int group : {-1, 0, 1, 2, 8, 100}) {
        const PackedGlyph packed = Pack(*matrix, 1, 8, ScanOrder::ZN, group, false, false, SourceFormat::CArray);
        EXPECT_FALSE(packed.Refused) << group;
        EXPECT_EQ(AllTokens(packed), Tokens{"0x80"}) << group;
    }
}

TEST(PackGlyph, RefusesGroupsLongerThanARunAndUnusableSettings)
{
    const auto matrix = MatrixWithInk({{0, 0}});
    struct Case { const char *name; int width; int height; ScanOrder scan; int group; bool refused; };
    const Case cases[] = {
        {"vertical, 4 rows give 1 digit, R 2", 16, 4, ScanOrder::Vertical, 2, true},
        {"vertical, 5 rows give 2 digits, R 2", 16, 5, ScanOrder::Vertical, 2, false},
        {"vertical, 28 rows give 7 digits, R 8", 16, 28, ScanOrder::Vertical, 8, true},
        {"vertical, 29 rows give 8 digits, R 8", 16, 29, ScanOrder::Vertical, 8, false},
        {"horizontal, 4 columns, R 2", 4, 16, ScanOrder::Horizontal, 2, true},
        {"horizontal, 5 columns, R 2", 5, 16, ScanOrder::Horizontal, 2, false},
        {"horizontal, 28 columns, R 8", 28, 16, ScanOrder::Horizontal, 8, true},
        {"horizontal, 29 columns, R 8", 29, 16, ScanOrder::Horizontal, 8, false},
        {"vertical, height 0", 16, 0, ScanOrder::Vertical, 1, true},
        {"vertical, negative height", 16, -5, ScanOrder::Vertical, 1, true},
        {"horizontal, width 0", 0, 16, ScanOrder::Horizontal, 1, true},
        {"horizontal, negative width", -1, 16, ScanOrder::Horizontal, 1, true},
        {"group length 0", 16, 16, ScanOrder::Vertical, 0, true},
        {"negative group length", 16, 16, ScanOrder::Horizontal, -2, true},
        {"unknown scan mode", 16, 16, ScanOrder(3), 2, true},
        {"negative scan mode", 16, 16, ScanOrder(-1), 2, true},
    };
    for (const Case &c : cases) {
        const PackedGlyph packed = Pack(*matrix, c.width, c.height, c.scan, c.group, false, false, SourceFormat::CArray);
        EXPECT_EQ(packed.Refused, c.refused) << c.name;
        EXPECT_EQ(packed.Lines.empty(), c.refused) << c.name;
    }
}

TEST(PackGlyph, EmptyGlyphAreaGivesNoLinesWithoutRefusal)
{
    const auto matrix = MatrixWithInk({{0, 0}});
    struct Case { const char *name; int width; int height; ScanOrder scan; };
    const Case cases[] = {
        {"vertical, width 0", 0, 16, ScanOrder::Vertical},
        {"vertical, negative width", -3, 16, ScanOrder::Vertical},
        {"horizontal, height 0", 16, 0, ScanOrder::Horizontal},
        {"ZN, height 0", 16, 0, ScanOrder::ZN},
        {"ZN, negative height", 16, -8, ScanOrder::ZN},
        {"ZN, nothing at all", 0, 0, ScanOrder::ZN},
    };
    for (const Case &c : cases) {
        const PackedGlyph packed = Pack(*matrix, c.width, c.height, c.scan, 2, true, false, SourceFormat::CArray);
        EXPECT_FALSE(packed.Refused) << c.name;
        EXPECT_TRUE(packed.Lines.empty()) << c.name;
    }
}

// Runs are gathered four to a line, the last line holding the rest; "ZN" has one line per band.
TEST(PackGlyph, GathersFourRunsPerLineAndOneLinePerBand)
{
    const DotMatrix matrix;
    EXPECT_EQ(LineShape(Pack(matrix, 9, 8, ScanOrder::Vertical, 2, false, false, SourceFormat::CArray)),
              (std::vector<size_t>{4, 4, 1}));
    EXPECT_EQ(LineShape(Pack(matrix, 8, 7, ScanOrder::Horizontal, 2, false, false, SourceFormat::CArray)),
              (std::vector<size_t>{4, 3}));
    const PackedGlyph bands = Pack(matrix, 5, 17, ScanOrder::ZN, 2, false, false, SourceFormat::CArray);
    ASSERT_EQ(LineShape(bands), (std::vector<size_t>{1, 1, 1}));
    for (const DataLine &line : bands.Lines)
        EXPECT_EQ(line.Runs[0].Tokens.size(), 5u);
}

// 2 x 2 glyph area. Ink outside it is never read; cells other than exactly CellInk are blank.
//   (0,0) ink   (0,1) CellCleared   (1,0) value 2   (1,1) ink   (0,2) and (2,0) ink, outside
// Vertical: c0 rows 10.. -> 1000 = 8 -> 0x80; c1 rows 01.. -> 0100 = 4 -> 0x40.
TEST(PackGlyph, ReadsOnlyInkCellsInsideTheGlyphArea)
{
    auto matrix = MatrixWithInk({{0, 0}, {1, 1}, {0, 2}, {2, 0}});
    matrix->Set(0, 1, CellCleared);
    matrix->Set(1, 0, 2);
    EXPECT_EQ(AllTokens(Pack(*matrix, 2, 2, ScanOrder::Vertical, 1, false, false, SourceFormat::CArray)),
              (Tokens{"0x80", "0x40"}));
    EXPECT_EQ(AllTokens(Pack(*matrix, 2, 2, ScanOrder::Horizontal, 1, false, false, SourceFormat::CArray)),
              (Tokens{"0x80", "0x40"}));
    // ZN: c0 1000 0000, c1 0100 0000; rows 2-7 are filler.
    EXPECT_EQ(AllTokens(Pack(*matrix, 2, 2, ScanOrder::ZN, 2, false, false, SourceFormat::CArray)),
              (Tokens{"0x80", "0x40"}));
}

// Sizes beyond the matrix are read as 1024 x 1024. Ink at the bottom-right cell (1023,1023)
// is the last dot of the last run: 0000 0001 -> 0x01 (vertical, horizontal and ZN alike).
TEST(PackGlyph, ClampsOversizedGlyphAreaToTheMatrix)
{
    const auto matrix = MatrixWithInk({{1023, 1023}});
    for (const ScanOrder scan : {ScanOrder::Vertical, ScanOrder::Horizontal, ScanOrder::ZN}) {
        const PackedGlyph packed = Pack(*matrix, 5000, 2000, scan, 2, false, false, SourceFormat::CArray);
        ASSERT_FALSE(packed.Refused) << scan;
        const std::vector<Tokens> runs = RunsOf(packed);
        if (scan == ScanOrder::ZN) {
            ASSERT_EQ(packed.Lines.size(), 128u);
            ASSERT_EQ(runs.back().size(), 1024u);
        } else {
            ASSERT_EQ(packed.Lines.size(), 256u) << scan;
            ASSERT_EQ(runs.size(), 1024u) << scan;
            ASSERT_EQ(runs.back().size(), 128u) << scan;
        }
        EXPECT_EQ(runs.back().back(), "0x01") << scan;
        EXPECT_EQ(runs.front().front(), "0x00") << scan;
    }
}
