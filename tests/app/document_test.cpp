// The document's file commands: Ctrl+S writes an empty file under a name the user gives, and
// never over a file the user opened.

#include "common/testutil.h"
#include "windowtest.h"

#include <QAction>
#include <QFileInfo>

TEST_F(WindowTest, SaveAfterOpenAsksForANameAndNeverEmptiesTheOpenedFile)
{
    // A fresh run: Ctrl+S asks for a name and writes an empty file there.
    hooks.chosen = dir.filePath("first.dot");
    frame->Action(CmdFileSave)->trigger();
    ASSERT_EQ(hooks.asked.size(), 1);
    EXPECT_EQ(hooks.asked[0].Mode, FileRequest::SaveFile);
    EXPECT_TRUE(QFileInfo(dir.filePath("first.dot")).exists());
    EXPECT_EQ(QFileInfo(dir.filePath("first.dot")).size(), 0);

    // Ctrl+O on the user's own file, then Ctrl+S: asked again, the opened file not offered.
    const QString mine = dir.filePath("mine.txt");
    ASSERT_TRUE(testutil::WriteFileBytes(mine, "the user's own words"));
    hooks.chosen = mine;
    frame->Action(CmdFileOpen)->trigger();
    frame->Action(CmdFileSave)->trigger();
    ASSERT_EQ(hooks.asked.size(), 3);
    EXPECT_EQ(hooks.asked[2].Mode, FileRequest::SaveFile);
    EXPECT_NE(QFileInfo(hooks.asked[2].StartPath).absoluteFilePath(), QFileInfo(mine).absoluteFilePath());
    // Choosing the opened file all the same is refused with a message.
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("mine.txt")) << messages[0].toStdString();
    EXPECT_EQ(testutil::ReadFileBytes(mine), "the user's own words");

    // Another name is written, empty; the opened file stays as it was.
    hooks.chosen = dir.filePath("other.dot");
    frame->Action(CmdFileSave)->trigger();
    EXPECT_EQ(hooks.asked.size(), 4);
    EXPECT_EQ(QFileInfo(dir.filePath("other.dot")).size(), 0);
    EXPECT_EQ(testutil::ReadFileBytes(mine), "the user's own words");
    EXPECT_EQ(messages.size(), 1);
}
