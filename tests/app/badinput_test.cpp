// The window under bad input: an output directory that disappears, huge pastes, odd sizes and
// offsets, and the largest glyph at both zoom extremes.

#include "app/ccontrolbar.h"
#include "app/cdotrixview.h"
#include "app/cfontsel.h"
#include "app/cfontview.h"
#include "charset/cp936.h"
#include "app/cmainframe.h"
#include "app/messages.h"
#include "app/openineditor.h"
#include "common/testutil.h"
#include "windowtest.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using testutil::Gbk;

namespace {

// The output directory is a folder inside the scratch directory, so a test can delete it.
class BadInputTest : public WindowTest
{
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkdir("work");
        work = dir.filePath("work");
        OpenWindow(work);
        frame->resize(1400, 900);
        frame->show();
    }

    QString work;
};

} // namespace

TEST_F(BadInputTest, DeletedOutputDirectoryIsReportedByEveryCommandAndTheWindowGoesOn)
{
    frame->CharBox()->setText(QStringLiteral("中"));
    frame->CharacterList()->SetList(Gbk("中文"), 2);
    ASSERT_TRUE(QDir(work).removeRecursively());

    const struct {
        int command;
        const char *what;
    } commands[] = {{CmdCreateSingleGlyph, "single glyph"}, {CmdCreateIndexTable, "index table"}, {CmdCreatePictureData, "picture data"}};
    for (const auto &c : commands) {
        messages.clear();
        frame->Action(c.command)->trigger();
        ASSERT_EQ(messages.size(), 1) << c.what;
        EXPECT_TRUE(messages.first().contains(work)) << c.what << ": " << messages.first().toStdString();
    }
    messages.clear();
    QSignalSpy finished(frame.get(), &CMainFrame::BatchFinished);
    frame->Action(CmdCreateAllGlyphs)->trigger();
    if (finished.isEmpty()) {
        ASSERT_TRUE(finished.wait(30000));
    }
    EXPECT_EQ(finished.first().first().value<BatchResult>().State, BatchResult::Failed);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(work));
    EXPECT_TRUE(opened.isEmpty());

    // Once the directory is back, everything works again.
    ASSERT_TRUE(QDir(dir.path()).mkdir("work"));
    messages.clear();
    frame->Action(CmdCreateSingleGlyph)->trigger();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(BadInputTest, HundredThousandCharactersPastedAtOnce)
{
    QString text;
    for (int i = 0; i < 100000; ++i)
        text += QChar(0x4E00 + i % 20000);
    frame->CharacterList()->ListEdit()->insertPlainText(text);
    // With duplicates removed automatically, every distinct character that has a code stays once.
    const size_t distinct = CountChars(QStringToCp936(text.left(20000)));
    EXPECT_EQ(size_t(frame->CharacterList()->CharCount), distinct);
    EXPECT_GT(distinct, 19000u);
    frame->CharBox()->setText(text);
    EXPECT_FALSE(frame->Settings().CurrentText.empty());
}

TEST_F(BadInputTest, LineBreaksOnlyAndLoneLeadBytes)
{
    CFontSel *pane = frame->CharacterList();
    pane->ListEdit()->insertPlainText(QStringLiteral("\n\n\n"));
    EXPECT_EQ(pane->ListText, "");
    EXPECT_EQ(pane->CharCount, 0);
    pane->SetList(std::string("ab\xB0", 3), 3); // a list ending in a lone lead byte
    pane->OnSort();
    pane->OnFilterSingleByte();
    EXPECT_EQ(pane->ListText, "");
    // Half a character cannot stand in the list the user sees: it is left out, and said so.
    pane->SetList(std::string("a\xB0", 2), 2);
    frame->Action(CmdCreateIndexTable)->trigger();
    EXPECT_EQ(testutil::ReadFileBytes(QDir(work).filePath("Index.c")), "unsigned char Index[]={\r\n0x61};");
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains("1"));
}

TEST_F(BadInputTest, CustomSizesOfEveryKind)
{
    bar->m_sizeCustom->click();
    const struct {
        const char *typed;
        int width;
        bool refused;
    } cases[] = {{"0", 0, false}, {"-5", -5, false}, {"1024", 1024, false}, {"1025", 16, true},
                 {"abc", 0, false}, {"99999999999", 16, true}, {"12abc", 12, false}};
    for (const auto &c : cases) {
        messages.clear();
        bar->m_customWidthEdit->setText(QString::fromLatin1(c.typed));
        QTest::keyClick(bar->m_customWidthEdit, Qt::Key_Return);
        EXPECT_EQ(frame->Settings().Width, c.width) << c.typed;
        EXPECT_EQ(messages.size(), c.refused ? 1 : 0) << c.typed;
        frame->GlyphView()->grab(); // draws whatever the size, without a crash
        frame->PreviewView()->grab();
    }
}

TEST_F(BadInputTest, FarOffsetsGiveAnEmptyGlyph)
{
    frame->CharBox()->setText(QStringLiteral("中"));
    for (int i = 0; i < 3; ++i)
        bar->m_btnLeft->click();
    frame->Settings().OffsetX = 10000;
    bar->m_btnRight->click();
    EXPECT_EQ(bar->m_offsetXEdit->text(), "10001");
    int ink = 0;
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            ink += frame->Matrix().IsInk(r, c);
    EXPECT_EQ(ink, 0);
    frame->Settings().OffsetY = -10000;
    bar->m_btnUp->click();
    EXPECT_EQ(bar->m_offsetYEdit->text(), "-10001");
}

TEST_F(BadInputTest, LargestGlyphAtBothZoomExtremesDrawsTheVisiblePart)
{
    bar->m_sizeCustom->click();
    bar->m_customWidthEdit->setText("1024");
    QTest::keyClick(bar->m_customWidthEdit, Qt::Key_Return);
    frame->Matrix().FillArea(1024, 1024, CellInk);
    for (int zoom : {1, 30}) {
        bar->m_zoomSlider->setValue(zoom);
        ASSERT_EQ(frame->Settings().Zoom, zoom);
        const QImage image = frame->GlyphView()->grab(QRect(0, 0, 400, 300)).toImage();
        EXPECT_EQ(image.pixelColor(CDotrixView::GridLeft + 5, CDotrixView::GridTop + 5), QColor(Qt::black)) << zoom;
        EXPECT_EQ(frame->GlyphView()->minimumWidth(), 2 * CDotrixView::GridLeft + 1024 * zoom) << zoom;
    }
}

TEST_F(BadInputTest, AFontNotInstalledIsNamedWhenTheBatchEnds)
{
    frame->Settings().GlyphFont.Face = QStringLiteral("No Such Font 123");
    // The single glyph says so too (a remembered face may be gone from this machine).
    frame->CharBox()->setText(QStringLiteral("中"));
    frame->Action(CmdCreateSingleGlyph)->trigger();
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains(QStringLiteral("字体“No Such Font 123”没有安装")))
        << frame->statusBar()->currentMessage().toStdString();
    frame->CharacterList()->SetList(Gbk("中文"), 2);
    QSignalSpy finished(frame.get(), &CMainFrame::BatchFinished);
    frame->Action(CmdCreateAllGlyphs)->trigger();
    if (finished.isEmpty())
        finished.wait(30000);
    ASSERT_EQ(finished.size(), 1);
    const QString status = frame->statusBar()->currentMessage();
    EXPECT_TRUE(status.contains(QStringLiteral("已生成 2 个字模；字体“No Such Font 123”没有安装"))) << status.toStdString();
}
