// Fixing a glyph by hand in the glyph view: strokes of the mouse and the keyboard, undone and
// redone, reaching the preview, the patch file and a batch; a patch of other settings refused.

#include "app/cdotrixview.h"
#include "app/cfontsel.h"
#include "app/cfontview.h"
#include "app/glypheditor.h"
#include "common/testutil.h"
#include "export/patchfile.h"
#include "batchtest.h"

#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

namespace {

using testutil::Gbk;

// The dots of the cell of a matrix, row by row, 1 for ink.
GlyphPatch::Dots CellDots(const DotMatrix &matrix, int width, int height)
{
    GlyphPatch::Dots dots;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dots.push_back(matrix.IsInk(y, x) ? 1 : 0);
    return dots;
}

class GlyphEditTest : public BatchTest
{
protected:
    CDotrixView *View() const { return frame->GlyphView(); }
    void Press(QPoint dot, Qt::KeyboardModifiers keys = {})
    {
        QTest::mousePress(View(), Qt::LeftButton, keys, View()->DotCentre(dot));
    }
    void Move(QPoint dot) { QTest::mouseMove(View(), View()->DotCentre(dot)); }
    void Release(QPoint dot) { QTest::mouseRelease(View(), Qt::LeftButton, {}, View()->DotCentre(dot)); }
    void Click(QPoint dot, Qt::KeyboardModifiers keys = {})
    {
        Press(dot, keys);
        Release(dot);
    }
    // The patch file's dots of 汉, empty when it holds none.
    GlyphPatch::Dots FileDots() const
    {
        GlyphPatch patch;
        if (!LoadGlyphPatch(PatchPathIn(dir.path()), patch))
            return {GlyphPatch::Dots::value_type(9)};
        const GlyphPatch::Dots *dots = patch.Find(U'汉');
        return dots ? *dots : GlyphPatch::Dots();
    }
    // The preview's lines as drawn for matrix.
    std::vector<std::string> PreviewOf(const DotMatrix &matrix) const
    {
        std::vector<std::string> texts;
        for (const auto &line : CFontView(frame->Settings(), matrix).Layout())
            texts.push_back(line.Text);
        return texts;
    }
    std::vector<std::string> Preview() const { return PreviewOf(frame->Matrix()); }
};

TEST_F(GlyphEditTest, StrokesUndoAndRedoReachTheViewThePreviewThePatchFileAndTheBatch)
{
    frame->CharBox()->setText(QStringLiteral("汉"));
    const DotMatrix font = frame->Matrix();
    const int width = frame->Settings().Width, height = frame->Settings().Height;

    // Off, a click does nothing to the glyph.
    Click({0, 0});
    EXPECT_EQ(CellDots(frame->Matrix(), width, height), CellDots(font, width, height));
    frame->Action(CmdEditMode)->trigger();
    ASSERT_TRUE(View()->EditMode());

    // A drag along the top row gives it the first dot's new state, dot by dot as it goes.
    DotMatrix expected = font;
    const bool top = !font.IsInk(0, 0);
    Press({0, 0});
    for (int x = 1; x < width; x += 3)
        Move({x, 0});
    Move({width - 1, 0});
    for (int x = 0; x < width; ++x)
        expected.Set(0, x, top ? CellInk : CellBlank);
    EXPECT_EQ(CellDots(frame->Matrix(), width, height), CellDots(expected, width, height));
    EXPECT_EQ(Preview(), PreviewOf(expected)) << "the preview follows the stroke";
    Release({width - 1, 0});
    const DotMatrix afterRow = expected;
    EXPECT_EQ(FileDots(), CellDots(expected, width, height));
    EXPECT_TRUE(View()->Edited());

    // A click, then Shift+click: a straight diagonal in the click's state, one step each.
    const bool diagonal = !expected.IsInk(5, 3);
    Click({3, 5});
    Click({10, 12}, Qt::ShiftModifier);
    for (int i = 0; i <= 7; ++i)
        expected.Set(5 + i, 3 + i, diagonal ? CellInk : CellBlank);
    // The keyboard: the cursor moves from the last dot, Space flips the dot under it.
    QTest::keyClick(View(), Qt::Key_Down);
    QTest::keyClick(View(), Qt::Key_Right);
    QTest::keyClick(View(), Qt::Key_Space);
    expected.Set(13, 11, expected.IsInk(13, 11) ? CellBlank : CellInk);
    const GlyphPatch::Dots fixed = CellDots(expected, width, height);
    EXPECT_EQ(CellDots(frame->Matrix(), width, height), fixed);
    EXPECT_EQ(FileDots(), fixed);
    EXPECT_EQ(Preview(), PreviewOf(expected));

    // Undone stroke by stroke back to the font's glyph (no fix left in the file), then redone.
    frame->Action(CmdUndo)->trigger();
    frame->Action(CmdUndo)->trigger();
    frame->Action(CmdUndo)->trigger();
    EXPECT_EQ(FileDots(), CellDots(afterRow, width, height));
    EXPECT_EQ(Preview(), PreviewOf(afterRow));
    frame->Action(CmdUndo)->trigger();
    EXPECT_FALSE(frame->Action(CmdUndo)->isEnabled());
    EXPECT_EQ(FileDots(), GlyphPatch::Dots());
    EXPECT_EQ(CellDots(frame->Matrix(), width, height), CellDots(font, width, height));
    EXPECT_EQ(Preview(), PreviewOf(font));
    EXPECT_FALSE(View()->Edited());
    for (int i = 0; i < 4; ++i)
        frame->Action(CmdRedo)->trigger();
    EXPECT_FALSE(frame->Action(CmdRedo)->isEnabled());
    EXPECT_EQ(FileDots(), fixed);
    EXPECT_EQ(Preview(), PreviewOf(expected));

    // The batch draws the fix: the same bytes as the command line with the patch file, and
    // not the font's.
    frame->CharacterList()->SetList(Gbk("汉字"), 2);
    ASSERT_TRUE(frame->Action(CmdCreateAllGlyphs)->isEnabled()) << messages.join("|").toStdString();
    ASSERT_EQ(RunCommand(CmdCreateAllGlyphs).State, BatchResult::Done);
    const std::string all = testutil::ReadFileBytes(dir.filePath("All.c"));
    QTemporaryDir cliDir, fontDir;
    ASSERT_TRUE(testutil::WriteFileBytes(cliDir.filePath("list.txt"), "汉字"));
    for (const QString &work : {cliDir.path(), fontDir.path()}) {
        QStringList args = {"--workdir", work, "--list", cliDir.filePath("list.txt"), "--batch"};
        if (work == cliDir.path())
            args << "--patch" << PatchPathIn(dir.path());
        QProcess cli;
        cli.start(QStringLiteral(DOTRIX_CLI_PATH), args);
        ASSERT_TRUE(cli.waitForFinished(60000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    }
    EXPECT_EQ(all, testutil::ReadFileBytes(cliDir.filePath("All.c")));
    EXPECT_NE(all, testutil::ReadFileBytes(fontDir.filePath("All.c")));

    // Reverted, the glyph is the font's again; the revert is a step of its own.
    frame->CharBox()->setText(QStringLiteral("汉"));
    frame->Action(CmdRevertGlyph)->trigger();
    EXPECT_EQ(FileDots(), GlyphPatch::Dots());
    EXPECT_EQ(CellDots(frame->Matrix(), width, height), CellDots(font, width, height));
    frame->Action(CmdUndo)->trigger();
    EXPECT_EQ(FileDots(), fixed);
}

TEST_F(GlyphEditTest, EditsUnderOtherSettingsThanThePatchsAreRefusedAndTheFileKept)
{
    GlyphPatch patch;
    patch.Basis = PatchBasis::Of(frame->Settings());
    patch.Basis.Width = patch.Basis.Height = 8;
    patch.SetDots(U'汉', GlyphPatch::Dots(64, 1));
    ASSERT_TRUE(SaveGlyphPatch(patch, PatchPathIn(dir.path())));
    const std::string bytes = testutil::ReadFileBytes(PatchPathIn(dir.path()));
    frame->CharBox()->setText(QStringLiteral("字"));
    const DotMatrix font = frame->Matrix();

    // The window never loaded it (a test's window does not): the edit reads it first all the same.
    frame->Action(CmdEditMode)->trigger();
    for (const auto &edit : std::initializer_list<std::function<void()>>{
             [&] { Click({2, 2}); },
             [&] { frame->Action(CmdShiftGlyphLeft)->trigger(); },
             [&] { frame->Action(CmdRevertGlyph)->trigger(); }}) {
        messages.clear();
        edit();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages.first().contains(QStringLiteral("8x8"))) << messages.first().toStdString();
    }
    EXPECT_EQ(testutil::ReadFileBytes(PatchPathIn(dir.path())), bytes);
    EXPECT_EQ(CellDots(frame->Matrix(), 16, 16), CellDots(font, 16, 16));
    EXPECT_FALSE(frame->Action(CmdUndo)->isEnabled());

    // A file that cannot be read is not replaced either.
    ASSERT_TRUE(testutil::WriteFileBytes(PatchPathIn(dir.path()), "STARTFONT 2.1\nFONT broken\n"));
    frame->Settings().Patch.reset();
    messages.clear();
    Click({2, 2});
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(testutil::ReadFileBytes(PatchPathIn(dir.path())), "STARTFONT 2.1\nFONT broken\n");

    // Outside edit mode the shift commands move the offsets as the control bar's arrows do.
    frame->Action(CmdEditMode)->trigger();
    const int offset = frame->Settings().OffsetX;
    frame->Action(CmdShiftGlyphRight)->trigger();
    EXPECT_EQ(frame->Settings().OffsetX, offset + 1);
}

} // namespace
