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

#include <gtest/gtest.h>

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

TEST_F(FontSelTest, PastedCharactersWithoutCodeAreLeftOut)
{
    UserTypes(QStringLiteral("中😀文"));
    EXPECT_EQ(pane->ListText, Gbk("中文"));
    EXPECT_EQ(pane->ListEdit()->toPlainText(), QStringLiteral("中文"));
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains("1"));
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
