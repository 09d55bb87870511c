// The editing of one glyph of a patch as the window's dot editor drives it: the dots set where
// they were drawn come back at the same place from the drawer, also at other offsets; a patch of
// another cell, or dots the patch's cell cannot hold, are refused and change nothing; a reverted
// glyph is the font's again.

#include "raster/glyphpatch.h"
#include "raster/glyphrender.h"

#include <gtest/gtest.h>

namespace {

// The picture's ink as cells of a matrix.
DotMatrix InkOf(const QImage &image)
{
    DotMatrix matrix;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            matrix.Set(y, x, qBlue(image.pixel(x, y)) != 0xFF ? CellInk : CellBlank);
    return matrix;
}

bool SameCell(const DotMatrix &a, const DotMatrix &b, int width, int height)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (a.IsInk(y, x) != b.IsInk(y, x))
                return false;
    return true;
}

} // namespace

TEST(GlyphPatch, AnEditedGlyphIsDrawnWhereItWasEditedAndARevertedOneIsTheFontsAgain)
{
    GlyphSettings settings;
    settings.GlyphFont.Face = QStringLiteral("Unifont");
    const std::string zhong = "\xD6\xD0"; // 中 in code page 936
    GlyphPatch patch;
    DotMatrix edited;
    edited.Set(0, 0, CellInk);
    edited.Set(15, 15, CellInk);
    edited.Set(7, 3, CellInk);
    ASSERT_FALSE(patch.SetGlyph(U'中', edited, settings));
    EXPECT_EQ(patch.Basis.Width, 16);
    EXPECT_FALSE(patch.Check(settings));

    const auto drawn = [&](const GlyphSettings &s, const GlyphPatch *with) {
        GlyphInk ink;
        const QImage image = GlyphDrawer(s.GlyphFont, false, with)
                                 .Draw(zhong, s.OffsetX, s.OffsetY, s.Width, s.Height, &ink);
        return InkOf(image);
    };
    EXPECT_TRUE(SameCell(drawn(settings, &patch), edited, 16, 16));
    // Edited at other offsets: stored at the patch's, drawn back where it was edited.
    GlyphSettings moved = settings;
    moved.OffsetX = 2;
    moved.OffsetY = 1;
    DotMatrix movedEdit;
    movedEdit.Set(5, 5, CellInk);
    movedEdit.Set(15, 2, CellInk);
    ASSERT_FALSE(patch.SetGlyph(U'中', movedEdit, moved));
    EXPECT_EQ((*patch.Find(U'中'))[size_t(4 * 16 + 3)], 1);
    EXPECT_TRUE(SameCell(drawn(moved, &patch), movedEdit, 16, 16));

    // A dot the patch's cell cannot hold, and a patch of another size: refused, nothing changed.
    const GlyphPatch before = patch;
    DotMatrix atEdge;
    atEdge.Set(3, 0, CellInk);
    EXPECT_EQ(patch.SetGlyph(U'文', atEdge, moved).Code, FailureCode::PatchGlyphOutside);
    GlyphSettings larger = settings;
    larger.Width = larger.Height = 24;
    const Failure mismatch = patch.SetGlyph(U'文', edited, larger);
    EXPECT_EQ(mismatch.Code, FailureCode::PatchMismatch);
    EXPECT_EQ(mismatch.Details, (QStringList{"size", "16x16", "24x24"}));
    GlyphSettings otherFace = settings;
    otherFace.GlyphFont.Face = QStringLiteral("DejaVu Sans");
    EXPECT_EQ(patch.Check(otherFace).Details.value(0), "face");
    EXPECT_EQ(patch.Glyphs(), before.Glyphs());
    // A drawer of another face leaves the patch out.
    EXPECT_TRUE(SameCell(drawn(otherFace, &patch), drawn(otherFace, nullptr), 16, 16));

    EXPECT_TRUE(patch.Revert(U'中'));
    EXPECT_FALSE(patch.Revert(U'中'));
    EXPECT_TRUE(SameCell(drawn(settings, &patch), drawn(settings, nullptr), 16, 16));
}
