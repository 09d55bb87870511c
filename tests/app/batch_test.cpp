// Batch commands and font exports in the window: the progress dialog, the index, save and export
// dialogs, the results opened, and the window's state while and after a worker runs.

#include "app/ccontrolbar.h"
#include "app/cdotrixview.h"
#include "app/cexportdlg.h"
#include "app/cfontsel.h"
#include "app/cfontview.h"
#include "app/fontexporter.h"
#include "app/cindexdlg.h"
#include "app/cmainframe.h"
#include "app/cprogressdlg.h"
#include "app/messages.h"
#include "app/openineditor.h"
#include "charset/cp936.h"
#include "common/testutil.h"
#include "export/patchfile.h"
#include "batchtest.h"
#include "windowtest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using testutil::Gbk;

namespace {

// A font file without its header comment, which says how it was made.
std::string FontBody(const std::string &font)
{
    const size_t end = font.find("*/\n");
    return end == std::string::npos ? font : font.substr(end);
}

} // namespace

TEST_F(BatchTest, CreateAllOpensAllCWhenTheWorkerHasClosedIt)
{
    frame->CharacterList()->SetList(Gbk("汉字a"), 3);
    const BatchResult result = RunCommand(CmdCreateAllGlyphs);
    EXPECT_EQ(result.State, BatchResult::Done);
    EXPECT_EQ(result.Glyphs, 3);
    ASSERT_EQ(opened, QStringList{dir.filePath("All.c")});
    const std::string all = testutil::ReadFileBytes(dir.filePath("All.c"));
    EXPECT_NE(all.find("@zi0 "), std::string::npos);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(frame->BatchRunning());
    EXPECT_TRUE(frame->Action(CmdCreateSingleGlyph)->isEnabled());
}

TEST_F(BatchTest, DatRunAsksForTheIndexThenSavesACopy)
{
    frame->Settings().OutputFormat = SourceFormat::CArray;
    frame->Settings().GroupDigits = 3;
    frame->CharacterList()->SetList("ab", 2);
    const QString copy = saveDir.filePath("glyphs.dat");
    hooks.chosen = copy;
    AnswerDialogs([&](QWidget *modal) {
        if (auto *index = qobject_cast<CIndexDlg *>(modal)) {
            index->IndexEdit()->setText("00ff");
            index->accept();
        }
    });
    const BatchResult result = RunCommand(CmdCreateAllToDat);
    ASSERT_EQ(result.State, BatchResult::Done) << testutil::Describe(result.Error);
    EXPECT_TRUE(result.Indexed);
    const std::string dat = testutil::ReadFileBytes(dir.filePath("font.dat"));
    ASSERT_EQ(dat.size(), 2 * 34u);
    EXPECT_EQ(dat.substr(0, 2), std::string("\xFF\x00", 2));
    EXPECT_EQ(dat.substr(34, 2), std::string("\x00\x01", 2));
    EXPECT_EQ(testutil::ReadFileBytes(copy), dat);
    ASSERT_EQ(hooks.asked.size(), 1);
    EXPECT_EQ(hooks.asked[0].Mode, FileRequest::SaveFile);
    EXPECT_EQ(hooks.asked[0].Filters, (QStringList{"文件(*.dat)", "所有文件(*.*)"}));
    EXPECT_EQ(hooks.asked[0].DefaultSuffix, "DAT");
    // The format comes back; the group length stays at 8 bits.
    EXPECT_EQ(frame->Settings().OutputFormat, SourceFormat::CArray);
    EXPECT_EQ(frame->Settings().GroupDigits, 2);
    EXPECT_EQ(frame->ControlBar()->m_dataLengthCombo->currentIndex(), 1);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(BatchTest, CancelledIndexAndSaveLeaveAnUnindexedFontDat)
{
    frame->CharacterList()->SetList("a", 1);
    AnswerDialogs([](QWidget *modal) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    });
    const BatchResult result = RunCommand(CmdCreateAllToBin);
    EXPECT_EQ(result.State, BatchResult::Done);
    EXPECT_FALSE(result.Indexed);
    EXPECT_EQ(testutil::ReadFileBytes(dir.filePath("font.dat")).size(), 32u);
    EXPECT_TRUE(QDir(saveDir.path()).isEmpty());
    ASSERT_EQ(hooks.asked.size(), 1);
    EXPECT_EQ(hooks.asked[0].Filters.value(0), "文件(*.bin)");
}

TEST_F(BatchTest, FailedRunEndsTheProgressDialogAndSaysWhere)
{
    frame->CharacterList()->SetList("ab", 2);
    QDir(dir.path()).mkdir("All.c"); // All.c cannot be created: a directory stands there
    const BatchResult result = RunCommand(CmdCreateAllGlyphs);
    EXPECT_EQ(result.State, BatchResult::Failed);
    ASSERT_EQ(messages.size(), 1);
    // It stopped before any character: the message names the file, not a character.
    EXPECT_TRUE(messages.first().startsWith("字模生成在写 All.c 时中止")) << messages.first().toStdString();
    EXPECT_TRUE(messages.first().contains(dir.filePath("All.c"))) << messages.first().toStdString();
    EXPECT_TRUE(opened.isEmpty());
}

// The window and dotrix-cli word the same failure with the same sentence, each in its own frame.
TEST_F(BatchTest, WindowAndCommandLineSayTheSameAboutTheSameFailure)
{
    frame->CharacterList()->SetList("ab", 2);
    QDir(dir.path()).mkdir("All.c");
    RunCommand(CmdCreateAllGlyphs);
    ASSERT_EQ(messages.size(), 1);
    const QString windowPrefix = QStringLiteral("字模生成在写 All.c 时中止：\n");
    ASSERT_TRUE(messages.first().startsWith(windowPrefix)) << messages.first().toStdString();
    const QString sentence = messages.first().mid(windowPrefix.size());

    QProcess cli; // in the tests' language, Chinese
    cli.start(QStringLiteral(DOTRIX_CLI_PATH), {"--workdir", dir.path(), "--batch", "ab"});
    ASSERT_TRUE(cli.waitForFinished(60000));
    const QString err = QString::fromUtf8(cli.readAllStandardError()).trimmed();
    EXPECT_EQ(err, QStringLiteral("dotrix-cli: the batch failed while writing All.c: ") + sentence);
    EXPECT_TRUE(sentence.contains(dir.filePath("All.c"))) << sentence.toStdString();
}

TEST_F(BatchTest, IndexTableCommandWritesAndOpensIndexC)
{
    frame->CharacterList()->SetList(Gbk("汉字"), 2);
    frame->Action(CmdCreateIndexTable)->trigger();
    ASSERT_EQ(opened, QStringList{dir.filePath("Index.c")});
    EXPECT_EQ(testutil::ReadFileBytes(dir.filePath("Index.c")), "unsigned char Index[]={\r\n0xBA,0xBA,  0xD7,0xD6};");
    opened.clear();
    frame->CharacterList()->SetList("", 0);
    frame->Action(CmdCreateIndexTable)->trigger();
    EXPECT_TRUE(opened.isEmpty());
}

TEST(IndexDialog, AcceptsFourHexDigitsAndRefusesTheRest)
{
    RecordingHooks hooks;
    QStringList &messages = hooks.messages;
    const struct {
        const char *typed;
        int value;          // -1: refused
        const char *message;
    } cases[] = {
        {"0000", 0, nullptr},   {"FFFF", 65535, nullptr}, {"00A0", 160, nullptr}, {"abcd", 43981, nullptr},
        {"12345", -1, "索引值太长,必须是四位"}, {"", -1, "无效索引"}, {"123", -1, "无效索引"},
        {"12G4", -1, "无效索引"}, {"12:4", -1, "无效索引"},
    };
    for (const auto &c : cases) {
        messages.clear();
        CIndexDlg dialog;
        EXPECT_EQ(dialog.IndexEdit()->text(), "0000");
        dialog.IndexEdit()->clear();
        QTest::keyClicks(dialog.IndexEdit(), QString::fromLatin1(c.typed));
        dialog.accept();
        if (c.value >= 0) {
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.typed;
            EXPECT_EQ(dialog.m_nIndex, c.value) << c.typed;
            EXPECT_TRUE(messages.isEmpty()) << c.typed;
        } else {
            EXPECT_NE(dialog.result(), QDialog::Accepted) << c.typed;
            EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)}) << c.typed;
        }
    }
    CIndexDlg typed;
    typed.IndexEdit()->clear();
    QTest::keyClicks(typed.IndexEdit(), "abcd");
    EXPECT_EQ(typed.IndexEdit()->text(), "ABCD");
}

TEST(ProgressDialog, EndsWhenTheCountIsReachedOrTheRunEnds)
{
    JobControl control;
    CProgressDlg dialog(control, 10);
    dialog.show();
    control.SetDone(9);
    dialog.OnTimer();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Done(), 9);
    control.SetDone(10);
    dialog.OnTimer();
    EXPECT_FALSE(dialog.isVisible());

    JobControl stopped;
    CProgressDlg early(stopped, 10);
    early.show();
    {
        const JobScope run(stopped); // a run that ends after 3 of 10
        stopped.SetDone(3);
    }
    early.OnTimer();
    EXPECT_FALSE(early.isVisible());

    JobControl empty;
    CProgressDlg none(empty, 0);
    none.show();
    none.OnTimer();
    EXPECT_FALSE(none.isVisible());
    // Esc does not end it.
    CProgressDlg keys(control, 100);
    keys.show();
    QTest::keyClick(&keys, Qt::Key_Escape);
    QTest::keyClick(&keys, Qt::Key_Return);
    EXPECT_TRUE(keys.isVisible());
    EXPECT_FALSE(control.Cancelled());

    // A job that can stop: Esc and Cancel ask it to, and the box stays until it has wound down,
    // its bar following the job's own total.
    JobControl sending;
    CProgressDlg box(sending, -1, nullptr, {QStringLiteral("sending"), QStringLiteral("sendBox"), true});
    box.show();
    sending.SetTotal(4000);
    sending.SetDone(1000);
    box.OnTimer();
    EXPECT_EQ(box.findChild<QProgressBar *>()->value(), 250);
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(sending.Cancelled());
    EXPECT_TRUE(box.isVisible());
    EXPECT_FALSE(box.CancelButton()->isEnabled());
}

TEST_F(BatchTest, WindowAndCommandLineWriteTheSameBytes)
{
    // Horizontal scan, 24 x 24, 18 points, index from 0x0010, over a mixed list.
    const QString listText = QStringLiteral("汉字ab中文，A");
    frame->Settings().ScanMode = ScanOrder::Horizontal;
    frame->Settings().Width = frame->Settings().Height = 24;
    frame->Settings().GlyphFont.PointSize = 18;
    frame->CharacterList()->SetList(Gbk("汉字ab中文，A"), 8);
    AnswerDialogs([&](QWidget *modal) {
        if (auto *index = qobject_cast<CIndexDlg *>(modal)) {
            index->IndexEdit()->setText("0010");
            index->accept();
        }
    });
    ASSERT_EQ(RunCommand(CmdCreateAllToDat).State, BatchResult::Done);

    QTemporaryDir cliDir;
    QTemporaryDir listDir;
    ASSERT_TRUE(testutil::WriteFileBytes(listDir.filePath("list.txt"), listText.toStdString()));
    QProcess cli;
    cli.start(QStringLiteral(DOTRIX_CLI_PATH),
              {"--workdir", cliDir.path(), "--list", listDir.filePath("list.txt"), "--batch", "--data", "dat",
               "--index", "0010", "--scan", "h", "--size", "24x24", "--font-size", "18"});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

    const QStringList files = QDir(dir.path()).entryList({"*.c", "*.bmp", "*.dat"}, QDir::Files);
    EXPECT_EQ(files, QDir(cliDir.path()).entryList({"*.c", "*.bmp", "*.dat"}, QDir::Files));
    EXPECT_EQ(files.size(), 8 * 2 + 2);
    for (const QString &name : files)
        EXPECT_EQ(testutil::ReadFileBytes(dir.filePath(name)), testutil::ReadFileBytes(cliDir.filePath(name)))
            << name.toStdString();
}

TEST_F(BatchTest, ClosingDuringARunStopsItAndThenCloses)
{
    std::string list;
    for (int i = 0; i < 3000; ++i)
        list += char(0xB0 + (i / 94) % 39), list += char(0xA1 + i % 94);
    frame->CharacterList()->SetList(list, 3000);
    QSignalSpy finished(frame.get(), &CMainFrame::BatchFinished);
    // Close twice while the run goes on; the window waits for the worker, then closes.
    QTimer::singleShot(50, frame.get(), [this] {
        frame->close();
        frame->close();
    });
    frame->Action(CmdCreateAllGlyphs)->trigger();
    if (finished.isEmpty()) {
        ASSERT_TRUE(finished.wait(30000));
    }
    const BatchResult result = finished.first().first().value<BatchResult>();
    EXPECT_NE(result.State, BatchResult::Failed);
    EXPECT_FALSE(frame->BatchRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!frame->isVisible(), 5000);
    EXPECT_TRUE(opened.isEmpty()); // a stopped run opens nothing
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(BatchTest, ExportCopiesEveryBitmapAndSourceOfTheOutputDirectory)
{
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("mine.c"), "/* the user's */"));
    frame->CharacterList()->SetList("ab", 2);
    ASSERT_EQ(RunCommand(CmdCreateAllGlyphs).State, BatchResult::Done);
    hooks.chosen = saveDir.path();
    frame->Action(CmdExportAllGlyphFiles)->trigger();
    ASSERT_EQ(hooks.asked.size(), 1);
    EXPECT_EQ(hooks.asked[0].Mode, FileRequest::Directory);
    EXPECT_EQ(hooks.asked[0].Caption, "Select a directory");
    const QStringList exported = QDir(saveDir.path()).entryList(QDir::Files);
    EXPECT_EQ(exported, (QStringList{"0.bmp", "0.c", "1.bmp", "1.c", "All.c", "mine.c"}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(BatchTest, FontExportWritesWhatTheCommandLineWrites)
{
    frame->Settings().Width = frame->Settings().Height = 20;
    frame->Settings().GlyphFont.PointSize = 14;
    frame->Settings().OffsetY = 1;
    frame->CharacterList()->SetList(Gbk("汉字ab中文，A") + "\x80" + Gbk("汉"), 10);
    const QString font = saveDir.filePath("cjk20.c");
    AnswerDialogs([&](QWidget *modal) {
        auto *dialog = qobject_cast<CExportDlg *>(modal);
        if (!dialog)
            return;
        auto *bpp = dialog->findChild<QComboBox *>("exportBppCombo");
        bpp->setCurrentIndex(bpp->findData(4));
        dialog->findChild<QLineEdit *>("exportFontNameEdit")->setText("cjk20");
        dialog->findChild<QLineEdit *>("exportFileEdit")->setText(font);
        dialog->findChild<QPushButton *>("exportOkButton")->click();
    });
    const FontExportResult result = RunExport();
    ASSERT_EQ(result.State, FontExportResult::Done) << testutil::Describe(result.Error);
    EXPECT_EQ(result.Glyphs, 9); // 汉 once
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains("cjk20.c")) << frame->statusBar()->currentMessage().toStdString();
    EXPECT_FALSE(frame->BatchRunning());
    EXPECT_EQ(frame->FontExport().Choice().Bpp, 4);

    QTemporaryDir listDir;
    ASSERT_TRUE(testutil::WriteFileBytes(listDir.filePath("list.txt"), "汉字ab中文，A€汉"));
    QProcess cli;
    cli.start(QStringLiteral(DOTRIX_CLI_PATH),
              {"--export", "lvgl", "--out", listDir.filePath("cli.c"), "--bpp", "4", "--font-name", "cjk20", "--size",
               "20x20", "--font-size", "14", "--offset", "0,1", "--list", listDir.filePath("list.txt")});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const std::string window = testutil::ReadFileBytes(font);
    EXPECT_TRUE(FontBody(window) == FontBody(testutil::ReadFileBytes(listDir.filePath("cli.c"))));
    EXPECT_NE(window.find("--out cjk20.c --list list.txt\n *   (from the window; list.txt: the 9 characters"),
              std::string::npos)
        << window.substr(0, 800);
}

TEST_F(BatchTest, FailedFontExportSaysWhereAndWritesNothing)
{
    frame->CharacterList()->SetList(Gbk("中文"), 2);
    frame->FontExport().Choice().OutPath = dir.filePath("missing/font.c");
    AnswerDialogs([](QWidget *modal) {
        if (auto *dialog = qobject_cast<CExportDlg *>(modal))
            dialog->accept();
    });
    const FontExportResult result = RunExport();
    EXPECT_EQ(result.State, FontExportResult::Failed);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains("missing/font.c")) << messages.first().toStdString();
    EXPECT_FALSE(frame->BatchRunning());
    EXPECT_TRUE(frame->Action(CmdExportFont)->isEnabled());

    // A custom size left empty has no dot to export.
    messages.clear();
    frame->Settings().Width = 0;
    frame->FontExport().Choice().OutPath = dir.filePath("font.c");
    EXPECT_EQ(RunExport().State, FontExportResult::Refused);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains("0 x 16")) << messages.first().toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("font.c")));

    // An empty list has nothing to export: said at once, no dialog.
    messages.clear();
    frame->CharacterList()->SetList("", 0);
    frame->Action(CmdExportFont)->trigger();
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(BatchTest, FontExportDialogOffersBdfAndTheUnicodeFontFileWithTheWindowsPacking)
{
    frame->Settings().ScanMode = ScanOrder::ZN;
    frame->Settings().Invert = true;
    frame->CharacterList()->SetList(Gbk("汉字ab中") + "\x80", 6);
    const QString font = saveDir.filePath("cjk.ubin");
    bool bdfTakesOnlyOneBit = false, bdfNamesNoFont = false;
    std::vector<bool> compressOffered; // lvgl at 8 and 4 bpp, bdf, ubin at 2 bpp
    QString bdfFile;
    AnswerDialogs([&](QWidget *modal) {
        auto *dialog = qobject_cast<CExportDlg *>(modal);
        if (!dialog)
            return;
        auto *format = dialog->findChild<QComboBox *>("exportFormatCombo");
        auto *bpp = dialog->findChild<QComboBox *>("exportBppCombo");
        auto *name = dialog->findChild<QLineEdit *>("exportFontNameEdit");
        auto *file = dialog->findChild<QLineEdit *>("exportFileEdit");
        auto *compress = dialog->findChild<QCheckBox *>("exportCompressCheck");
        bpp->setCurrentIndex(bpp->findData(8));
        compressOffered.push_back(compress->isEnabled());
        bpp->setCurrentIndex(bpp->findData(4));
        compressOffered.push_back(compress->isEnabled());
        compress->setChecked(true); // left checked: the formats below have no compression
        format->setCurrentIndex(format->findData(int(ExportFormat::Bdf)));
        compressOffered.push_back(compress->isEnabled());
        bdfTakesOnlyOneBit = !bpp->isEnabled() && bpp->currentData().toInt() == 1;
        bdfNamesNoFont = !name->isEnabled();
        bdfFile = file->text();
        format->setCurrentIndex(format->findData(int(ExportFormat::Ubin)));
        bpp->setCurrentIndex(bpp->findData(2));
        compressOffered.push_back(compress->isEnabled());
        file->setText(font);
        dialog->findChild<QPushButton *>("exportOkButton")->click();
    });
    const FontExportResult result = RunExport();
    ASSERT_EQ(result.State, FontExportResult::Done) << testutil::Describe(result.Error);
    EXPECT_TRUE(bdfTakesOnlyOneBit);
    EXPECT_TRUE(bdfNamesNoFont);
    EXPECT_EQ(compressOffered, (std::vector<bool>{false, true, false, false}));
    EXPECT_TRUE(bdfFile.endsWith(".bdf")) << bdfFile.toStdString();
    EXPECT_EQ(result.Glyphs, 6);
    EXPECT_TRUE(messages.isEmpty());

    // The same file as dotrix-cli writes with the same packing: "ZN" scan, inverted, 2 bpp.
    QTemporaryDir cliDir;
    QProcess cli;
    cli.start(QStringLiteral(DOTRIX_CLI_PATH), {"--export", "ubin", "--out", cliDir.filePath("cli.ubin"), "--bpp", "2",
                                                "--scan", "zn", "--invert", "汉字ab中€"});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const std::string bytes = testutil::ReadFileBytes(font);
    EXPECT_TRUE(bytes == testutil::ReadFileBytes(cliDir.filePath("cli.ubin")));
    EXPECT_EQ(bytes.substr(34, 4), std::string("\x02\x02\x08\x01", 4)); // 2 bpp, "ZN", 8-bit groups, inverted
}

TEST_F(BatchTest, ListKeepsItsBytesThroughImportSortEditsAndARun)
{
    CFontSel *pane = frame->CharacterList();
    const auto userTypes = [pane](const QString &text) {
        pane->ListEdit()->moveCursor(QTextCursor::End);
        pane->ListEdit()->insertPlainText(text);
    };
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("GB2312.txt"), Gbk("字汉\r\n")));
    frame->Action(CmdImportGB2312)->trigger();
    ASSERT_EQ(pane->ListText, Gbk("字汉\r\n"));
    // The sort puts the one-byte characters LF, CR first, in byte order; a second sort keeps them.
    for (int i = 0; i < 2; ++i) {
        pane->OnSort();
        EXPECT_EQ(pane->ListText, "\n\r" + Gbk("汉字")) << "sort " << i + 1;
    }
    pane->AutoDeleteCheck()->setChecked(false);
    userTypes("a");
    EXPECT_EQ(pane->ListText, "\n\r" + Gbk("汉字") + "a");
    const BatchResult result = RunCommand(CmdCreateAllGlyphs);
    EXPECT_EQ(result.Glyphs, 5);
    EXPECT_EQ(pane->ListText, "\n\r" + Gbk("汉字") + "a");
    // A pasted line break is the platform's CR LF; the duplicate removal drops line breaks.
    userTypes("\nb");
    EXPECT_EQ(pane->ListText, "\n\r" + Gbk("汉字") + "a\r\nb");
    pane->AutoDeleteCheck()->setChecked(true);
    userTypes("b");
    EXPECT_EQ(pane->ListText, Gbk("汉字ab"));

    // A lone LF stays one through edits elsewhere in the list.
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("GBK.txt"), Gbk("字\n")));
    frame->Action(CmdImportGBK)->trigger();
    pane->AutoDeleteCheck()->setChecked(false);
    pane->ListEdit()->moveCursor(QTextCursor::Start);
    pane->ListEdit()->insertPlainText("x");
    userTypes(QStringLiteral("汉"));
    EXPECT_EQ(pane->ListText, Gbk("x字\n汉"));
    pane->OnFilterSingleByte();
    EXPECT_EQ(pane->ListText, Gbk("字汉"));
}

TEST_F(BatchTest, ExportOfAWholeCharacterSetKeepsTheWindowAnswering)
{
    // As many files as a third of GBK leaves behind.
    LeaveEarlierFiles(8000, {".c"});
    hooks.chosen = saveDir.path();
    EXPECT_GT(TicksDuring(CmdExportAllGlyphFiles), 0) << "the window did not answer while the files were copied";
    EXPECT_EQ(QDir(saveDir.path()).entryList(QDir::Files).size(), 8000);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(BatchTest, SingleGlyphAfterAWholeCharacterSetKeepsTheWindowAnswering)
{
    // The files of an earlier run of 4000 characters, which the command deletes first.
    LeaveEarlierFiles(4000, {".bmp", ".c"});
    frame->CharBox()->setText(QStringLiteral("中"));
    EXPECT_GT(TicksDuring(CmdCreateSingleGlyph), 0) << "the window did not answer while the earlier files were deleted";
    EXPECT_FALSE(QFile::exists(dir.filePath("g0.c")));
    EXPECT_EQ(opened, QStringList{dir.filePath("zhong0.c")});
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(BatchTest, InputMethodTextDoesNotReachTheCharacterBoxDuringARun)
{
    QString list;
    for (int i = 0; i < 3000; ++i)
        list += QChar(0x4E00 + i);
    frame->CharacterList()->SetList(QStringToCp936(list), 3000);
    frame->CharBox()->setText(QStringLiteral("中"));
    // An input method commits a character while the run is going, as Chinese typing does.
    int committed = 0;
    QTimer typing;
    QObject::connect(&typing, &QTimer::timeout, [&] {
        if (!frame->BatchRunning())
            return;
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("国"));
        QApplication::sendEvent(frame->CharBox(), &commit);
        ++committed;
    });
    typing.start(5);
    ASSERT_EQ(RunCommand(CmdCreateAllGlyphs).State, BatchResult::Done);
    typing.stop();
    ASSERT_GT(committed, 0) << "the run ended before anything was typed";
    EXPECT_EQ(frame->CharBox()->text(), QStringLiteral("中"));
}

TEST_F(BatchTest, ClosingTheProgramWhileARunStillClearsEarlierFilesStopsAndFreesIt)
{
    // An empty list ends the progress bar at once while the run still deletes the earlier
    // files; the program ends meanwhile (the sanitizer build finds a worker left behind).
    LeaveEarlierFiles(30000, {".c"});
    frame->CharacterList()->SetList("", 0);
    frame->Action(CmdCreateAllGlyphs)->trigger();
    ASSERT_TRUE(frame->BatchRunning()) << "the run ended before the window";
    frame.reset();
    QApplication::processEvents();
}

TEST_F(BatchTest, WorkDirectorysPatchIsDrawnByTheBoxAndTheBatchAndAForeignOneIsRefused)
{
    // 汉 fixed as a frame round the cell, in the window's own settings.
    GlyphSettings &settings = frame->Settings();
    GlyphPatch patch;
    patch.Basis = PatchBasis::Of(settings);
    GlyphPatch::Dots frameDots(size_t(settings.Width * settings.Height));
    for (int y = 0; y < settings.Height; ++y)
        for (int x = 0; x < settings.Width; ++x)
            frameDots[size_t(y * settings.Width + x)] =
                x == 0 || y == 0 || x == settings.Width - 1 || y == settings.Height - 1;
    patch.SetDots(U'汉', frameDots);
    ASSERT_TRUE(SaveGlyphPatch(patch, PatchPathIn(dir.path())));
    EXPECT_EQ(frame->LoadPatch(), QString());

    frame->CharBox()->setText(QStringLiteral("汉"));
    for (int y = 0; y < settings.Height; ++y)
        for (int x = 0; x < settings.Width; ++x)
            ASSERT_EQ(frame->Matrix().IsInk(y, x), frameDots[size_t(y * settings.Width + x)] != 0);
    frame->CharacterList()->SetList(Gbk("汉字"), 2);
    ASSERT_EQ(RunCommand(CmdCreateAllGlyphs).State, BatchResult::Done);
    const std::string all = testutil::ReadFileBytes(dir.filePath("All.c"));
    EXPECT_NE(all.find("0xFF,0xFF,  0x80,0x01,  0x80,0x01,"), std::string::npos) << all;

    // Drawn at another size, the patch is named at start and refused by the run.
    patch = GlyphPatch();
    patch.Basis = PatchBasis::Of(settings);
    patch.Basis.Width = patch.Basis.Height = 8;
    patch.SetDots(U'汉', GlyphPatch::Dots(64, 1));
    ASSERT_TRUE(SaveGlyphPatch(patch, PatchPathIn(dir.path())));
    EXPECT_TRUE(frame->LoadPatch().contains(QStringLiteral("8x8"))) << frame->LoadPatch();
    messages.clear();
    const BatchResult refused = RunCommand(CmdCreateAllGlyphs);
    EXPECT_EQ(refused.State, BatchResult::Failed);
    EXPECT_EQ(refused.Error.Code, FailureCode::PatchMismatch);
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.last().contains(QStringLiteral("8x8"))) << messages.last();
}
