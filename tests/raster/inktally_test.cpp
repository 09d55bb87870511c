// Ink that falls outside the cell: found exactly wherever it falls, and the offset that holds a
// whole set of glyphs.

#include "common/testutil.h"
#include "raster/glyphrender.h"
#include "raster/inktally.h"

#include <gtest/gtest.h>

using testutil::Gbk;

namespace {

GlyphFontDesc Unifont()
{
    GlyphFontDesc font;
    font.Face = "Unifont";
    return font;
}

} // namespace

TEST(GlyphInk, InkOutsideTheCellIsFoundExactlyWhereverItFalls)
{
    const std::string zhong = Gbk("中");
    GlyphInk home;
    DrawGlyphImage(zhong, 0, 0, 16, 16, Unifont(), false, &home);
    ASSERT_FALSE(home.Box.isNull());
    EXPECT_TRUE(QRect(0, 0, 16, 16).contains(home.Box));
    EXPECT_FALSE(home.Outside);
    // Moved partly or wholly out of the cell, the ink keeps its box, moved by the offset; the
    // picture-free measure agrees.
    const std::pair<int, int> offsets[] = {{0, -5}, {0, 9}, {-4, 0}, {12, 3}, {100, -300}};
    for (const auto &[x, y] : offsets) {
        GlyphInk moved;
        DrawGlyphImage(zhong, x, y, 16, 16, Unifont(), false, &moved);
        EXPECT_EQ(moved.Box, home.Box.translated(x, y)) << x << "," << y;
        EXPECT_TRUE(moved.Outside) << x << "," << y;
        EXPECT_EQ(MeasureGlyphInk(zhong, x, y, 16, 16, Unifont()).Box, moved.Box) << x << "," << y;
    }
    // The default face at 24 points (32 pixels) in a 16 x 16 cell, anti-aliased or not.
    GlyphFontDesc large;
    large.PointSize = 24;
    for (bool antialiased : {false, true}) {
        GlyphInk ink;
        DrawGlyphImage(Gbk("温"), 0, 0, 16, 16, large, antialiased, &ink);
        EXPECT_TRUE(ink.Outside);
        EXPECT_GT(ink.Box.height(), 20);
        EXPECT_GT(ink.Box.width(), 20);
    }
    GlyphInk space;
    DrawGlyphImage(" ", 0, 0, 16, 16, Unifont(), false, &space);
    EXPECT_TRUE(space.Box.isNull());
    EXPECT_FALSE(space.Outside);
}

TEST(InkTally, FitsTheOffsetByTheLeastMoveOrLosesTheFewestGlyphs)
{
    struct Case
    {
        std::vector<std::pair<int, int>> Rows; // each glyph's top and bottom ink row at offset
        int Offset;
        std::optional<int> Fit;
        int Best;
        int Outside; // glyphs that lost ink at offset
    };
    const Case cases[] = {
        {{{2, 13}, {1, 15}}, 0, 0, 0, 0},         // inside already: unmoved
        {{{3, 18}, {4, 14}}, 0, -3, -3, 1},       // out at the bottom: up by the least
        {{{-2, 10}, {0, 12}}, 5, 7, 7, 1},        // out at the top: down by the least
        {{{1, 16}, {2, 16}, {-1, 14}}, 0, std::nullopt, -1, 3}, // 18 rows: up 1, only one loses ink
        {{{-1, 14}, {1, 16}}, 4, std::nullopt, 3, 2},           // a tie of up and down 1: up
        {{}, 2, 2, 2, 0},                          // no ink: unmoved
    };
    for (const Case &c : cases) {
        InkTally tally;
        for (const auto &[top, bottom] : c.Rows) {
            GlyphInk ink;
            ink.Box = QRect(QPoint(1, top), QPoint(9, bottom));
            ink.Outside = top < 0 || bottom > 15;
            tally.Add("a", ink, 16);
        }
        SCOPED_TRACE(::testing::Message() << "offset " << c.Offset << ", first rows " << (c.Rows.empty() ? 0 : c.Rows[0].first));
        EXPECT_EQ(tally.FittingOffsetY(c.Offset, 16), c.Fit);
        EXPECT_EQ(tally.BestOffsetY(c.Offset, 16), c.Best);
        EXPECT_EQ(tally.Outside(), c.Outside);
    }
}



