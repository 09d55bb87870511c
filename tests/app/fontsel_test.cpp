// The character list pane: the user's edits, its tools, and the commands that fill or convert it.

#include "app/cfontsel.h"
#include "app/cmainframe.h"
#include "app/messages.h"
#include "common/testutil.h"
#include "windowtest.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <random>

using testutil::Gbk;

namespace {

class FontSelTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        pane = frame->CharacterList();
    }

    // What a user's typing or pasting at the end of the list does.
    void UserTypes(const QString &text)
    {
        QPlainTextEdit *edit = pane->ListEdit();
        edit->moveCursor(QTextCursor::End);
        edit->insertPlainText(text);
    }

    CFontSel *pane = nullptr;
};

} // namespace

TEST_F(FontSelTest, UserEditsLoseDuplicatesAndLineBreaksWhenTicked)
{
    UserTypes(QStringLiteral("aa汉汉\nb"));
    EXPECT_EQ(pane->ListText, Gbk("a汉b"));
    EXPECT_EQ(pane->CharCount, 3);
    EXPECT_EQ(pane->ListEdit()->toPlainText(), QStringLiteral("a汉b"));
    EXPECT_EQ(pane->CountEdit()->text(), "3");
}

TEST_F(FontSelTest, UntickedEditsKeepTextAndCount)
{
    pane->AutoDeleteCheck()->setChecked(false);
    UserTypes(QStringLiteral("aa汉汉"));
    EXPECT_EQ(pane->ListText, Gbk("aa汉汉"));
    EXPECT_EQ(pane->CharCount, 0);
}

TEST_F(FontSelTest, ProgramChangesAreNotDeduplicated)
{
    pane->SetList(Gbk("aa汉汉"), 4);
    EXPECT_EQ(pane->ListText, Gbk("aa汉汉"));
    EXPECT_EQ(pane->ListEdit()->toPlainText(), QStringLiteral("aa汉汉"));
}

TEST_F(FontSelTest, FilterKeepsOnlyHanziWithReadings)
{
    pane->SetList(Gbk("a汉，汉b字"), 6);
    pane->OnFilterSingleByte();
    EXPECT_EQ(pane->ListText, Gbk("汉字"));
    EXPECT_EQ(pane->CharCount, 2);
}

TEST_F(FontSelTest, SortPutsOneByteCharactersFirstThenReadingsAndKeepsCount)
{
    pane->SetList(Gbk("字ba汉"), 4);
    pane->OnSort();
    EXPECT_EQ(pane->ListText, Gbk("ab汉字")); // han < zi
    EXPECT_EQ(pane->CharCount, 4);
}

TEST_F(FontSelTest, SeededEditsChangeOnlyTheBytesTheyTouch)
{
    // Lists of CR, LF, CR LF and other characters: the edit shows each line break as one, a
    // character typed or deleted anywhere changes just its own bytes.
    const std::vector<std::string> pieces = {"\r", "\n", "\r\n", "a", " ", Gbk("汉"), Gbk("字"), "\x80"};
    std::mt19937 random(6763);
    pane->AutoDeleteDuplicates = false; // the field, which every SetList pushes to the box
    for (int round = 0; round < 300; ++round) {
        std::string list;
        std::vector<size_t> unitStart; // byte offset of each character the edit shows
        std::vector<bool> lineBreak;
        for (int n = int(random() % 12); n > 0; --n) {
            const std::string &piece = pieces[random() % pieces.size()];
            if (!list.empty() && list.back() == '\r' && piece[0] == '\n')
                continue; // it would join the CR before it
            unitStart.push_back(list.size());
            lineBreak.push_back(piece[0] == '\r' || piece[0] == '\n');
            list += piece;
        }
        unitStart.push_back(list.size());
        pane->SetList(list, 0);
        pane->PullFields();
        ASSERT_EQ(pane->ListText, list) << "round " << round;

        std::string expected = list;
        QTextCursor cursor(pane->ListEdit()->document());
        const size_t at = random() % unitStart.size();
        cursor.setPosition(int(at));
        if (at + 1 < unitStart.size() && !lineBreak[at] && random() % 2) {
            expected.erase(unitStart[at], unitStart[at + 1] - unitStart[at]);
            cursor.deleteChar();
        } else {
            expected.insert(unitStart[at], Gbk("中"));
            cursor.insertText(QStringLiteral("中"));
        }
        ASSERT_EQ(pane->ListText, expected) << "round " << round;
    }
}

TEST_F(FontSelTest, PastedCharactersWithoutCodeAreLeftOut)
{
    UserTypes(QStringLiteral("中😀文"));
    EXPECT_EQ(pane->ListText, Gbk("中文"));
    EXPECT_EQ(pane->ListEdit()->toPlainText(), QStringLiteral("中文"));
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains("1"));

    // Showing the list without them keeps the box and the count as the user set them.
    pane->AutoDeleteCheck()->setChecked(false);
    pane->CountEdit()->setText("7");
    UserTypes(QStringLiteral("中😀"));
    EXPECT_EQ(pane->ListText, Gbk("中文中"));
    EXPECT_FALSE(pane->AutoDeleteCheck()->isChecked());
    EXPECT_EQ(pane->CharCount, 7);
}

TEST_F(FontSelTest, ImportGB2312FillsTheListWithTheWholeSet)
{
    frame->Action(CmdImportGB2312)->trigger();
    ASSERT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_EQ(pane->CharCount, 7445);
    EXPECT_EQ(pane->ListText.substr(0, 4), Gbk("　、"));
    EXPECT_NE(pane->ListText.find(Gbk("啊阿埃")), std::string::npos);
    EXPECT_EQ(pane->ListText.substr(pane->ListText.size() - 2), Gbk("齄"));
}

TEST_F(FontSelTest, ConversionChangesListAndCharacterBoxBothWays)
{
    pane->SetList(Gbk("汉a"), 2);
    frame->CharBox()->setText(QStringLiteral("汉"));
    frame->Action(CmdToTraditional)->trigger();
    EXPECT_EQ(pane->ListText, Gbk("漢a"));
    EXPECT_EQ(frame->CharBox()->text(), QStringLiteral("漢"));
    EXPECT_EQ(frame->Settings().CurrentText, Gbk("漢"));
    frame->Action(CmdToSimplified)->trigger();
    EXPECT_EQ(pane->ListText, Gbk("汉a"));
    EXPECT_EQ(frame->CharBox()->text(), QStringLiteral("汉"));
    EXPECT_TRUE(messages.isEmpty());
}

// Collecting from a folder adds only the characters the list lacks, at its end, and says how many
// were new; a code page 936 file in the same folder is read too.
TEST_F(FontSelTest, CollectFromAFolderAddsTheNewCharactersAndSaysHowMany)
{
    QTemporaryDir sources;
    ASSERT_TRUE(testutil::WriteFileBytes(sources.filePath("ui.c"), "const char *t = \"温度\"; /* 注释 */\n"));
    ASSERT_TRUE(testutil::WriteFileBytes(sources.filePath("old.h"), "#define H \"\xCA\xAA\xB6\xC8\"\n")); // 湿度
    pane->SetList(Gbk("度a"), 2);
    hooks.chosen = sources.path();
    pane->findChild<QAction *>(QStringLiteral("collectFolder"))->trigger();
    ASSERT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_EQ(hooks.asked.last().Mode, FileRequest::Directory);
    EXPECT_EQ(pane->ListText, Gbk("度a温湿"));
    EXPECT_EQ(pane->CharCount, 4);
    EXPECT_EQ(pane->ListEdit()->toPlainText(), QStringLiteral("度a温湿"));
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("从 2 个文件收集到 3 个字符，其中 2 个是新的，已加到列表末尾"));

    // Nothing readable there: a message, and the list as it was.
    QTemporaryDir empty;
    hooks.chosen = empty.path();
    pane->findChild<QAction *>(QStringLiteral("collectFolder"))->trigger();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(pane->ListText, Gbk("度a温湿"));
}
