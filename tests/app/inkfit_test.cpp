// The window and ink the cell cuts off: the status bar says so, the fit of the vertical offset
// and the font's height in pixels in the control bar.

#include "app/cexportdlg.h"
#include "app/cfontsel.h"
#include "app/fontexporter.h"
#include "batchtest.h"
#include "common/testutil.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>

using testutil::Gbk;

namespace {

class InkFitTest : public WindowTest
{
protected:
    void TypePixels(const QString &pixels)
    {
        bar->m_fontPixelsEdit->setText(pixels);
        emit bar->m_fontPixelsEdit->editingFinished();
    }
    QString Status() const { return frame->statusBar()->currentMessage(); }
    int InkInRow(int row) const
    {
        int n = 0;
        for (int c = 0; c < frame->Settings().Width; ++c)
            n += frame->Matrix().IsInk(row, c);
        return n;
    }
};

} // namespace

TEST_F(InkFitTest, PixelHeightsDrawAtOnceAndTheStatusBarSaysWhatTheCellCuts)
{
    frame->CharBox()->setText(QStringLiteral("温"));
    EXPECT_EQ(bar->m_fontPixelsEdit->text(), "16");
    EXPECT_EQ(Status(), "");
    // 15 pixels: between 11 points (14 pixels) and 12 (16).
    TypePixels("15");
    EXPECT_EQ(frame->Settings().GlyphFont.PixelHeight(), 15);
    EXPECT_EQ(InkInRow(15), 0);
    // 32 pixels in a 16 x 16 cell: the glyph is cut, and the status bar names it.
    TypePixels("32");
    EXPECT_TRUE(Status().contains(QStringLiteral("温")) && Status().contains(QStringLiteral("16"))) << Status().toStdString();
    // Back to 16 pixels, the glyph fits and the note goes.
    TypePixels("16");
    EXPECT_EQ(Status(), "");
}

TEST_F(InkFitTest, FitMovesTheGlyphBackUntilItsStrokesAreInside)
{
    // Unifont's 中 fills all 16 rows: three presses down cut its foot off.
    frame->Settings().GlyphFont.Face = QStringLiteral("Unifont");
    frame->CharBox()->setText(QStringLiteral("中"));
    const int homeTop = InkInRow(0);
    for (int i = 0; i < 3; ++i)
        bar->m_btnDown->click();
    EXPECT_EQ(InkInRow(0), 0);
    EXPECT_TRUE(Status().contains(QStringLiteral("中"))) << Status().toStdString();
    bar->m_fitCheck->click();
    EXPECT_TRUE(frame->Settings().FitOffsetY);
    EXPECT_EQ(frame->Settings().OffsetY, 0);
    EXPECT_EQ(bar->m_offsetYEdit->text(), "0");
    EXPECT_EQ(InkInRow(0), homeTop);
    EXPECT_EQ(Status(), "");
}

TEST_F(BatchTest, TheWindowsFontExportKeepsACellTheUserMovedUnlessAskedToFit)
{
    // Unifont's 中 moved three rows down by the arrow pad, exported once as it stands and once
    // with the fit ticked (the same rule as dotrix-cli's --offset and --fit).
    frame->Settings().GlyphFont.Face = QStringLiteral("Unifont");
    frame->CharacterList()->SetList(Gbk("中"), 1);
    for (int i = 0; i < 3; ++i)
        bar->m_btnDown->click();
    frame->FontExport().Choice().OutPath = dir.filePath("font.bdf");
    AnswerDialogs([](QWidget *modal) {
        if (auto *dialog = qobject_cast<CExportDlg *>(modal))
            dialog->accept();
    });
    FontExportResult result = RunExport();
    EXPECT_EQ(result.State, FontExportResult::Done);
    EXPECT_FALSE(result.Moved);
    EXPECT_EQ(result.OffsetY, 3);
    frame->Settings().FitOffsetY = true; // the check box, without the live fit of the view
    result = RunExport();
    EXPECT_TRUE(result.Moved);
    EXPECT_EQ(result.OffsetY, 0);
}
