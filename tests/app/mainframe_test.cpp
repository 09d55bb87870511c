// The desktop program driven as a user drives it: typing into the character box, pressing the
// control bar's buttons, choosing formats, and what the glyph view and preview then show.

#include "app/ccontrolbar.h"
#include "app/cdotrixview.h"
#include "app/cfontsel.h"
#include "app/cfontview.h"
#include "app/cglyphformatdlg.h"
#include "app/cmainframe.h"
#include "app/messages.h"
#include "app/openineditor.h"
#include "common/testutil.h"
#include "windowtest.h"
#include "encode/singleglyph.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QApplication>
#include <QFontDialog>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using testutil::Gbk;

namespace {

class MainFrameTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        frame->resize(1600, 1000);
        frame->show();
    }

    GlyphSettings &Settings() { return frame->Settings(); }

    // Types text as a user does, one character at a time (Chinese characters arrive whole, as
    // from an input method).
    void Type(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        for (QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(edit, ch.toLatin1());
            else
                edit->insert(QString(ch));
        }
    }

    // The values of the preview's data lines in order: every "0x" token after the header.
    std::vector<unsigned> PreviewValues()
    {
        std::vector<unsigned> values;
        const auto lines = frame->PreviewView()->Layout();
        for (size_t i = 1; i < lines.size(); ++i) {
            const std::string &text = lines[i].Text;
            for (size_t at = text.find("0x"); at != std::string::npos; at = text.find("0x", at + 2))
                values.push_back(unsigned(std::stoul(text.substr(at + 2), nullptr, 16)));
        }
        return values;
    }

    int InkCount()
    {
        int n = 0;
        for (int r = 0; r < Settings().Height; ++r)
            for (int c = 0; c < Settings().Width; ++c)
                n += frame->Matrix().IsInk(r, c);
        return n;
    }

};

} // namespace

TEST_F(MainFrameTest, StartsWithTheDefaultsAndTheFixedCaption)
{
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Dotrix - ") + CMainFrame::DocumentTitle);
    EXPECT_EQ(std::pair(Settings().Width, Settings().Height), std::pair(16, 16));
    EXPECT_EQ(Settings().Zoom, 20);
    EXPECT_EQ(bar->m_zoomSlider->value(), 20);
    EXPECT_EQ(bar->m_zoomEdit->text(), "20");
    EXPECT_TRUE(bar->m_size16x16->isChecked());
    EXPECT_TRUE(bar->m_scanVertical->isChecked());
    EXPECT_EQ(bar->m_dataLengthCombo->currentText(), QStringLiteral("每组8个Bit"));
    EXPECT_FALSE(bar->m_customWidthEdit->isEnabled());
    EXPECT_EQ(frame->findChild<QLabel *>("messagePane")->text(), QStringLiteral("就绪"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainFrameTest, ViewCommandsHideAndShowTheBarsAndPromptsReachTheStatusBar)
{
    auto *toolBar = frame->findChild<QToolBar *>("mainToolBar");
    const std::pair<CommandId, QWidget *> bars[] = {{CmdViewToolBar, toolBar}, {CmdViewStatusBar, frame->statusBar()}};
    for (const auto &[id, widget] : bars) {
        ASSERT_TRUE(widget->isVisible()) << id;
        frame->Action(id)->trigger();
        EXPECT_FALSE(widget->isVisible()) << id;
        EXPECT_FALSE(frame->Action(id)->isChecked()) << id;
        frame->Action(id)->trigger();
        EXPECT_TRUE(widget->isVisible()) << id;
    }
    // The toolbar's buttons are the menu's commands: pointing at one shows its prompt.
    QAction *single = toolBar->actions().value(0);
    ASSERT_EQ(single, frame->Action(CmdCreateSingleGlyph));
    single->showStatusText(toolBar);
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("创建单个字模"));
    EXPECT_EQ(frame->Action(CmdAbout)->toolTip(), QStringLiteral("关于"));
}

TEST_F(MainFrameTest, PaneKeysCycleTheFocusAndMoveTheSplitBarBesideIt)
{
    QApplication::setActiveWindow(frame.get());
    frame->GlyphView()->setFocus();
    frame->Action(CmdNextPane)->trigger();
    EXPECT_TRUE(frame->PreviewView()->hasFocus());
    // Before the glyph view come the control bar and the character box; before them the list.
    frame->Action(CmdPreviousPane)->trigger();
    frame->Action(CmdPreviousPane)->trigger();
    EXPECT_TRUE(bar->isAncestorOf(QApplication::focusWidget()));
    frame->Action(CmdPreviousPane)->trigger();
    EXPECT_TRUE(frame->CharBox()->hasFocus());
    frame->Action(CmdPreviousPane)->trigger();
    EXPECT_TRUE(frame->CharacterList()->isAncestorOf(QApplication::focusWidget()));

    // In the glyph view the bar under it moves; Esc ends the tracking and its prompt.
    frame->GlyphView()->setFocus();
    auto *left = frame->findChild<QSplitter *>("leftSplitter");
    const QList<int> before = left->sizes();
    frame->Action(CmdSplit)->trigger();
    EXPECT_FALSE(frame->statusBar()->currentMessage().isEmpty());
    QTest::keyClick(frame->GlyphView(), Qt::Key_Down);
    QTest::keyClick(frame->GlyphView(), Qt::Key_Down);
    EXPECT_EQ(left->sizes(), (QList<int>{before[0] + 20, before[1] - 20}));
    QTest::keyClick(frame->GlyphView(), Qt::Key_Escape);
    EXPECT_TRUE(frame->statusBar()->currentMessage().isEmpty());
    QTest::keyClick(frame->GlyphView(), Qt::Key_Down);
    EXPECT_EQ(left->sizes()[0], before[0] + 20);
}

TEST_F(MainFrameTest, TypingRendersTheLastCharacterAndAddsItToTheList)
{
    Type(frame->CharBox(), QStringLiteral("汉字"));
    EXPECT_EQ(Settings().CurrentText, Gbk("汉字"));
    EXPECT_GT(InkCount(), 20);
    EXPECT_EQ(frame->CharacterList()->ListText, Gbk("汉字"));
    EXPECT_TRUE(QFile::exists(dir.filePath("tmp.bmp")));

    // Emptying the box renders nothing; the glyph stays.
    const int ink = InkCount();
    frame->CharBox()->clear();
    EXPECT_EQ(InkCount(), ink);
}

TEST_F(MainFrameTest, CharactersWithoutCodeAreLeftOutAndReported)
{
    frame->CharBox()->setText(QStringLiteral("中😀"));
    EXPECT_EQ(Settings().CurrentText, Gbk("中"));
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains("1")) << frame->statusBar()->currentMessage().toStdString();
    EXPECT_GT(InkCount(), 20);
}

TEST_F(MainFrameTest, ThreeLeftPressesShowMinusThree)
{
    frame->CharBox()->setText(QStringLiteral("中"));
    for (int i = 0; i < 3; ++i)
        bar->m_btnLeft->click();
    EXPECT_EQ(Settings().OffsetX, -3);
    EXPECT_EQ(bar->m_offsetXEdit->text(), "-3");
    bar->m_btnDown->click();
    EXPECT_EQ(bar->m_offsetYEdit->text(), "1");
}

TEST_F(MainFrameTest, CustomWidthMakesSquareThenHeightMakesRectangle)
{
    bar->m_sizeCustom->click();
    EXPECT_TRUE(bar->m_customWidthEdit->isEnabled());
    Type(bar->m_customWidthEdit, "20");
    QTest::keyClick(bar->m_customWidthEdit, Qt::Key_Return);
    EXPECT_EQ(std::pair(Settings().Width, Settings().Height), std::pair(20, 20));
    EXPECT_EQ(bar->m_customHeightEdit->text(), "20");
    Type(bar->m_customHeightEdit, "30");
    QTest::keyClick(bar->m_customHeightEdit, Qt::Key_Return);
    EXPECT_EQ(std::pair(Settings().Width, Settings().Height), std::pair(20, 30));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainFrameTest, TooBigCustomSizeIsRefusedOnceAndFallsBackTo16)
{
    bar->m_sizeCustom->click();
    Type(bar->m_customWidthEdit, "2000");
    QTest::keyClick(bar->m_customWidthEdit, Qt::Key_Return);
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(MatrixTooBigMessage)});
    EXPECT_EQ(bar->m_customWidthEdit->text(), "16");
    EXPECT_EQ(bar->m_customHeightEdit->text(), "16");
    EXPECT_EQ(std::pair(Settings().Width, Settings().Height), std::pair(16, 16));

    messages.clear();
    Type(bar->m_customHeightEdit, "1025");
    QTest::keyClick(bar->m_customHeightEdit, Qt::Key_Return);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(std::pair(Settings().Width, Settings().Height), std::pair(16, 16));
}

TEST_F(MainFrameTest, CustomWithEmptyEditsTakesThePresetWidth)
{
    bar->m_size8x16->click();
    EXPECT_EQ(std::pair(Settings().Width, Settings().Height), std::pair(8, 16));
    bar->m_sizeCustom->click();
    EXPECT_EQ(bar->m_customWidthEdit->text(), "8");
    EXPECT_EQ(bar->m_customHeightEdit->text(), "8");
    EXPECT_EQ(std::pair(Settings().Width, Settings().Height), std::pair(8, 8));
    bar->m_size32x32->click();
    EXPECT_FALSE(bar->m_customWidthEdit->isEnabled());
    EXPECT_EQ(std::pair(Settings().Width, Settings().Height), std::pair(32, 32));
}

TEST_F(MainFrameTest, ControlBarChoicesShowAtOnceInThePreviewAndTheGlyphView)
{
    Settings().OutputFormat = SourceFormat::CArray;
    frame->CharBox()->setText(QStringLiteral("中"));
    const std::vector<unsigned> plain = PreviewValues();
    ASSERT_EQ(plain.size(), 32u); // 16 columns of two bytes

    bar->m_invertCheck->click();
    const std::vector<unsigned> inverted = PreviewValues();
    bar->m_invertCheck->click();
    bar->m_bitReverseCheck->click();
    const std::vector<unsigned> reversed = PreviewValues();
    bar->m_bitReverseCheck->click();
    ASSERT_EQ(inverted.size(), 32u);
    ASSERT_EQ(reversed.size(), 32u);
    for (size_t i = 0; i < 32; ++i) {
        EXPECT_EQ(inverted[i], plain[i] ^ 0xFF) << i;
        unsigned mirrored = 0; // bit 7 of the byte becomes bit 0
        for (int bit = 0; bit < 8; ++bit)
            mirrored |= ((plain[i] >> bit) & 1) << (7 - bit);
        EXPECT_EQ(reversed[i], mirrored) << i;
    }

    bar->m_dataLengthCombo->setCurrentIndex(3); // 16 bits: one value a column
    const std::vector<unsigned> columns = PreviewValues();
    ASSERT_EQ(columns.size(), 16u);
    for (size_t c = 0; c < 16; ++c)
        EXPECT_EQ(columns[c], plain[2 * c] << 8 | plain[2 * c + 1]) << c;

    bar->m_scanHorizontal->click();
    EXPECT_EQ(frame->PreviewView()->Layout().front().Text, Gbk("/* @zhong 中(16x16,H)@ */"));

    // Zoom 20 puts column 15 at x 350 to 370; at 19 the grid ends at 354 and the field shows.
    const QColor field(0, 0, 150);
    EXPECT_NE(frame->GlyphView()->grab().toImage().pixelColor(362, 50), field);
    bar->m_zoomSlider->setFocus();
    QTest::keyClick(bar->m_zoomSlider, Qt::Key_Left);
    EXPECT_EQ(bar->m_zoomEdit->text(), "19");
    EXPECT_EQ(frame->GlyphView()->grab().toImage().pixelColor(362, 50), field);
}

TEST_F(MainFrameTest, GlyphViewDrawsDotsAndGridOnTheBlueField)
{
    frame->Matrix().FillArea(16, 16, CellBlank);
    frame->Matrix().Set(0, 0, CellInk);
    const QImage image = frame->GlyphView()->grab().toImage();
    EXPECT_EQ(image.pixelColor(10, 10), QColor(0, 0, 150));
    EXPECT_EQ(image.pixelColor(50 + 10, 40 + 10), QColor(Qt::black));      // dot (0, 0): ink
    EXPECT_EQ(image.pixelColor(50 + 20 + 10, 40 + 10), QColor(Qt::white)); // dot (0, 1): clear
    EXPECT_EQ(image.pixelColor(50 + 20, 40 + 25), QColor(Qt::black));      // grid line between
    EXPECT_EQ(image.pixelColor(50 + 16 * 20 + 5, 40 + 5), QColor(0, 0, 150));
}

TEST_F(MainFrameTest, PreviewShowsTheVerticalCArrayOfZhongAtItsPlaces)
{
    Settings().OutputFormat = SourceFormat::CArray;
    frame->CharBox()->setText(QStringLiteral("中"));
    const auto lines = frame->PreviewView()->Layout();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].Text, Gbk("/* @zhong 中(16x16,V)@ */"));
    EXPECT_EQ(lines[0].At, QPoint(5, 5));
    EXPECT_EQ(lines[1].Text, "unsigned char zhong[]={");
    EXPECT_EQ(lines[1].At, QPoint(5, 30));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lines[size_t(2 + i)].At, QPoint(5, 50 + 20 * i));
    EXPECT_EQ(lines[6].Text, "};");
    EXPECT_EQ(lines[6].At, QPoint(5, 130));
}

TEST_F(MainFrameTest, PreviewIndentsAsmLinesAndDropsTheLabelInZN)
{
    Settings().OutputFormat = SourceFormat::AsmTable;
    frame->CharBox()->setText(QStringLiteral("中"));
    auto lines = frame->PreviewView()->Layout();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1].Text, "zhong");
    EXPECT_EQ(lines[1].At, QPoint(5, 30));
    EXPECT_EQ(lines[2].At, QPoint(10 * 5 + 10, 30)); // first DB line beside the label
    EXPECT_EQ(lines[3].At, QPoint(60, 50));

    bar->m_scanZN->click();
    lines = frame->PreviewView()->Layout();
    ASSERT_EQ(lines.size(), 3u); // header and two bands, no label
    EXPECT_EQ(lines[0].At, QPoint(5, 10));
    EXPECT_TRUE(lines[0].Opaque);
    EXPECT_EQ(lines[1].At, QPoint(5, 30));
}

TEST_F(MainFrameTest, RefusedGroupShowsOnlyTheMessage)
{
    frame->CharBox()->setText(QStringLiteral("中"));
    bar->m_dataLengthCombo->setCurrentIndex(5); // 32 bits: more than a 16-dot column
    auto lines = frame->PreviewView()->Layout();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Text, Gbk("每组含字节数太多!"));
    EXPECT_EQ(lines[0].At, QPoint(10, 10));

    frame->Action(CmdCreateSingleGlyph)->trigger();
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(GroupTooLongMessage)});
    EXPECT_TRUE(opened.isEmpty());

    bar->m_dataLengthCombo->setCurrentIndex(1);
    EXPECT_GT(frame->PreviewView()->Layout().size(), 1u);
}

TEST_F(MainFrameTest, SingleGlyphCommandOpensTheWrittenFile)
{
    frame->CharBox()->setText(QStringLiteral("汉中"));
    frame->Action(CmdCreateSingleGlyph)->trigger();
    ASSERT_EQ(opened, QStringList{dir.filePath("zhong0.c")});
    EXPECT_TRUE(QFile::exists(dir.filePath("zhong0.c")));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainFrameTest, FormatDialogWritesSettingsAtTheClick)
{
    {
        CGlyphFormatDlg dialog(Settings());
        EXPECT_TRUE(dialog.Choice(1017)->isChecked());
        dialog.Choice(1034)->click();
        EXPECT_EQ(Settings().OutputFormat, SourceFormat::CArray);
        EXPECT_TRUE(Settings().NumberedNames);
        dialog.reject(); // the close box keeps the clicked choice
    }
    EXPECT_EQ(Settings().OutputFormat, SourceFormat::CArray);
    CGlyphFormatDlg again(Settings());
    EXPECT_TRUE(again.Choice(1034)->isChecked());
    again.Choice(1017)->click();
    EXPECT_EQ(Settings().OutputFormat, SourceFormat::Typical);
    EXPECT_FALSE(Settings().NumberedNames);
    again.Choice(1026)->click();
    EXPECT_EQ(Settings().OutputFormat, SourceFormat::AsmTable);
    EXPECT_FALSE(Settings().NumberedNames);
}

TEST_F(MainFrameTest, NewDocumentResetsTheGeometryAndEveryControlShowsTheSettingsInForce)
{
    // Every control of the bar against the settings the next glyph file is made with.
    auto expectControlsShowSettings = [this](const char *when) {
        SCOPED_TRACE(when);
        const GlyphSettings &s = Settings();
        EXPECT_EQ(bar->m_offsetXEdit->text(), QString::number(s.OffsetX));
        EXPECT_EQ(bar->m_offsetYEdit->text(), QString::number(s.OffsetY));
        const std::pair<QRadioButton *, QSize> presets[] = {{bar->m_size8x8, {8, 8}}, {bar->m_size8x16, {8, 16}},
            {bar->m_size16x16, {16, 16}}, {bar->m_size24x24, {24, 24}}, {bar->m_size32x32, {32, 32}}};
        for (const auto &[radio, size] : presets)
            EXPECT_EQ(radio->isChecked(), size == QSize(s.Width, s.Height)) << radio->text().toStdString();
        if (bar->m_sizeCustom->isChecked()) {
            EXPECT_EQ(bar->m_customWidthEdit->text(), QString::number(s.Width));
            EXPECT_EQ(bar->m_customHeightEdit->text(), QString::number(s.Height));
        }
        EXPECT_EQ(bar->m_customWidthEdit->isEnabled(), bar->m_sizeCustom->isChecked());
        EXPECT_EQ(bar->m_scanHorizontal->isChecked(), s.ScanMode == ScanOrder::Horizontal);
        EXPECT_EQ(bar->m_scanVertical->isChecked(), s.ScanMode == ScanOrder::Vertical);
        EXPECT_EQ(bar->m_scanZN->isChecked(), s.ScanMode == ScanOrder::ZN);
        EXPECT_EQ(GroupDigitsChoices[bar->m_dataLengthCombo->currentIndex()], s.GroupDigits);
        EXPECT_EQ(bar->m_invertCheck->isChecked(), s.Invert);
        EXPECT_EQ(bar->m_bitReverseCheck->isChecked(), s.BitReverse);
        EXPECT_EQ(bar->m_fitCheck->isChecked(), s.FitOffsetY);
        EXPECT_EQ(bar->m_zoomSlider->value(), s.Zoom);
        EXPECT_EQ(bar->m_zoomEdit->text(), QString::number(s.Zoom));
        EXPECT_EQ(bar->m_fontPixelsEdit->text(), QString::number(s.GlyphFont.PixelHeight()));
    };
    frame->CharBox()->setText(QStringLiteral("中"));
    bar->m_size24x24->click();
    bar->m_btnRight->click();
    bar->m_btnDown->click();
    bar->m_scanZN->click();
    bar->m_dataLengthCombo->setCurrentIndex(3);
    bar->m_invertCheck->click();
    bar->m_bitReverseCheck->click();
    bar->m_zoomSlider->setFocus();
    QTest::keyClick(bar->m_zoomSlider, Qt::Key_Left);
    Type(bar->m_fontPixelsEdit, "20");
    QTest::keyClick(bar->m_fontPixelsEdit, Qt::Key_Return);
    expectControlsShowSettings("changed");
    frame->Action(CmdFileNew)->trigger();
    EXPECT_EQ(std::tuple(Settings().Width, Settings().Height, Settings().OffsetX, Settings().OffsetY),
              std::tuple(16, 16, 0, 0));
    EXPECT_EQ(std::tuple(Settings().ScanMode, Settings().Zoom, Settings().Invert), std::tuple(ScanOrder::ZN, 19, true));
    expectControlsShowSettings("after new from 24x24");
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Dotrix - ") + CMainFrame::DocumentTitle);

    // From a custom size, with the fit on: the preset of the size in force, the edits empty.
    bar->m_sizeCustom->click();
    Type(bar->m_customWidthEdit, "20");
    Type(bar->m_customHeightEdit, "30");
    QTest::keyClick(bar->m_customHeightEdit, Qt::Key_Return); // a typed size is taken on Enter
    bar->m_fitCheck->click();
    expectControlsShowSettings("custom");
    frame->Action(CmdFileNew)->trigger();
    expectControlsShowSettings("after new from custom");
    EXPECT_TRUE(bar->m_size16x16->isChecked());
    // The next glyph file is 16 x 16, as the bar says.
    frame->Action(CmdCreateSingleGlyph)->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_NE(testutil::ReadFileBytes(opened.first()).find("(16x16,"), std::string::npos);
}

TEST_F(MainFrameTest, ImportedPictureFillsTheCustomSizeAndWritesItsFile)
{
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(3, 4, qRgb(0, 0, 0));
    const QString path = dir.filePath("logo.bmp");
    ASSERT_TRUE(image.save(path));
    // Cancelling the file dialog changes nothing; choosing the file imports it.
    frame->Action(CmdImportPicture)->trigger();
    EXPECT_EQ(std::pair(Settings().Width, Settings().Height), std::pair(16, 16));
    hooks.chosen = path;
    frame->Action(CmdImportPicture)->trigger();
    ASSERT_EQ(hooks.asked.size(), 2);
    EXPECT_EQ(hooks.asked[1].Filters.size(), 4);
    EXPECT_EQ(hooks.asked[1].DefaultSuffix, "bmp");
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_TRUE(bar->m_sizeCustom->isChecked());
    EXPECT_EQ(bar->m_customWidthEdit->text(), "100");
    EXPECT_EQ(bar->m_customHeightEdit->text(), "50");
    EXPECT_EQ(std::pair(Settings().Width, Settings().Height), std::pair(100, 50));
    EXPECT_TRUE(frame->Matrix().IsInk(4, 3));
    EXPECT_EQ(Settings().PictureName, "logo");

    Settings().OutputFormat = SourceFormat::CArray;
    frame->Action(CmdCreatePictureData)->trigger();
    ASSERT_EQ(opened, QStringList{dir.filePath("logo.c")});
    const std::string text = testutil::ReadFileBytes(dir.filePath("logo.c"));
    EXPECT_NE(text.find("/* @logo (100x50,V)@ [mavo software]*/\r\nunsigned char logo[]={\r\n"), std::string::npos);
}

TEST_F(MainFrameTest, TooLargePictureIsRefusedWithTheSizeMessage)
{
    QImage image(1280, 1024, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QString path = dir.filePath("big.bmp");
    ASSERT_TRUE(image.save(path));
    frame->Matrix().Set(0, 0, 5);
    frame->ImportPicture(path);
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(MatrixTooBigMessage)});
    EXPECT_EQ(std::pair(Settings().Width, Settings().Height), std::pair(16, 16));
    EXPECT_EQ(frame->Matrix().At(0, 0), 5);
    EXPECT_TRUE(Settings().PictureName.empty());

    messages.clear();
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("junk.gif"), "GIF89a-not-really"));
    frame->ImportPicture(dir.filePath("junk.gif"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains("junk.gif"));
}

TEST_F(MainFrameTest, PictureDataWithRefusedGroupSaysSoInsteadOfOpening)
{
    bar->m_dataLengthCombo->setCurrentIndex(5);
    frame->Action(CmdCreatePictureData)->trigger();
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(GroupTooLongMessage)});
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(MainFrameTest, FontChoiceRedrawsAtOnceAndCancelChangesNothing)
{
    frame->CharBox()->setText(QStringLiteral("中"));
    const GlyphFontDesc before = Settings().GlyphFont;
    // Answers the font dialog once it is up: first Cancel, then Unifont at 12 points.
    auto answerFontDialog = [this](bool accept) {
        auto *timer = new QTimer(frame.get());
        QObject::connect(timer, &QTimer::timeout, [timer, accept] {
            auto *dialog = qobject_cast<QFontDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer->deleteLater();
            timer->stop();
            if (!accept) {
                dialog->reject();
                return;
            }
            QFont unifont("Unifont");
            unifont.setPointSize(12);
            dialog->setCurrentFont(unifont);
            dialog->accept();
        });
        timer->start(20);
    };
    answerFontDialog(false);
    frame->Action(CmdChooseFont)->trigger();
    EXPECT_EQ(Settings().GlyphFont, before);

    answerFontDialog(true);
    frame->Action(CmdChooseFont)->trigger();
    EXPECT_EQ(Settings().GlyphFont.Face, "Unifont");
    // Unifont's 中 has its long stroke in column 7 from row 0 to row 15.
    for (int r = 0; r < 16; ++r)
        EXPECT_TRUE(frame->Matrix().IsInk(r, 7)) << r;
}
