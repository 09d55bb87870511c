// What a new user runs into first: captions, Qt's own dialogs in the program's language, the
// help item and written files on a desktop without a browser or editor, moving between panes with
// F6, and the default glyph on a 1366 x 768 screen.

#include "app/cdotrixapp.h"
#include "l10n/language.h"
#include "app/cdotrixview.h"
#include "app/cfontsel.h"
#include "app/cfontview.h"
#include "app/cglyphformatdlg.h"
#include "app/cindexdlg.h"
#include "app/caboutdlg.h"
#include "app/userguide.h"
#include "common/testutil.h"
#include "windowtest.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A desktop where nothing can be opened: no browser, no text editor.
class BareDesktopTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        SetOpenerFunction([this](const QString &path) {
            opened.append(path);
            return false;
        });
        frame->resize(1600, 1000);
        frame->show();
    }

    // What the status bar shows now: a passing message, or else its message pane.
    QString StatusText() const
    {
        const QString passing = frame->statusBar()->currentMessage();
        return passing.isEmpty() ? frame->findChild<QLabel *>("messagePane")->text() : passing;
    }
};

} // namespace

TEST_F(BareDesktopTest, HelpSaysTheBrowserIsMissingAndWhereTheGuideIs)
{
    const QString guide = FindUserGuide();
    ASSERT_FALSE(guide.isEmpty()) << "the source tree's docs/user-guide.html";
    frame->Action(CmdUserGuide)->trigger();
    ASSERT_EQ(opened, QStringList{guide});
    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(messages.first().contains(QStringLiteral("找不到"))) << messages.first();
    EXPECT_TRUE(messages.first().contains(QStringLiteral("浏览器"))) << messages.first();
    EXPECT_TRUE(messages.first().contains(guide)) << messages.first();
}

TEST_F(BareDesktopTest, WrittenFileStaysInTheStatusBarUntilTheNextCommand)
{
    frame->CharBox()->setText(QStringLiteral("中"));
    frame->Action(CmdCreateSingleGlyph)->trigger();
    ASSERT_EQ(opened, QStringList{dir.filePath("zhong0.c")});
    EXPECT_TRUE(StatusText().contains("zhong0.c")) << StatusText();
    EXPECT_TRUE(StatusText().contains(QDir::toNativeSeparators(dir.path()))) << "names the folder: " << StatusText();

    // Pointing at a toolbar button and away again, as anyone does within ten seconds.
    QStatusTipEvent hover(QStringLiteral("创建单个字模")), leave{QString()};
    QApplication::sendEvent(frame.get(), &hover);
    QApplication::sendEvent(frame.get(), &leave);
    EXPECT_TRUE(StatusText().contains("zhong0.c")) << StatusText();

    frame->Action(CmdFileNew)->trigger();
    EXPECT_EQ(StatusText(), QStringLiteral("就绪"));
}

TEST_F(BareDesktopTest, F6AndShiftF6BringTheKeyboardToEachPaneInTurn)
{
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->GlyphView()->setFocus();
    QPlainTextEdit *list = frame->CharacterList()->ListEdit();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_TRUE(frame->PreviewView()->hasFocus() || frame->PreviewView()->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    ASSERT_EQ(QApplication::focusWidget(), list);
    QTest::keyClicks(QApplication::focusWidget(), "AB");
    frame->CharacterList()->PullFields();
    EXPECT_EQ(frame->CharacterList()->ListText, "AB");

    // From the list F6 goes round to the character box and the control bar, then the glyph view.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), frame->CharBox());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_TRUE(frame->ControlBar()->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), frame->GlyphView());

    // Shift+F6 goes back the same way.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(frame->ControlBar()->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), frame->CharBox());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), list);
}

TEST_F(BareDesktopTest, DefaultGlyphFitsOnA1366x768ScreenAndThePreviewKeeps320WhereThereIsRoom)
{
    auto *glyphPane = frame->findChild<QScrollArea *>("glyphScroll");
    const int glyphNeeds = CDotrixView::Extent(16, 16, 20).height();
    QApplication::processEvents();
    EXPECT_EQ(frame->PreviewView()->height(), 320);
    EXPECT_GE(glyphPane->viewport()->height(), glyphNeeds);

    frame->resize(1366, 768);
    QApplication::processEvents();
    ASSERT_EQ(frame->height(), 768) << "the window does not fit the screen";
    EXPECT_GE(glyphPane->viewport()->height(), glyphNeeds);
    EXPECT_FALSE(glyphPane->verticalScrollBar()->isVisible()) << "the default glyph scrolls";
    EXPECT_GE(frame->PreviewView()->height(), 200) << "the preview still shows a 16 x 16 C array";

    // Back on a large screen the preview row has its 320 pixels again.
    frame->resize(1600, 1000);
    QApplication::processEvents();
    EXPECT_EQ(frame->PreviewView()->height(), 320);
}

TEST(Captions, AreExactlyTheProgramsOwnWithoutTheApplicationName)
{
    const QString name = QCoreApplication::applicationName(), organisation = QCoreApplication::organizationName();
    SetApplicationIdentity();
    EXPECT_EQ(QCoreApplication::applicationName(), "Dotrix");
    // A display name once set is appended by Qt to every caption on the desktop; without one the
    // display name follows the application name.
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe") << "a display name is set";
    QCoreApplication::setApplicationName(name);
    QCoreApplication::setOrganizationName(organisation);

    QTemporaryDir dir;
    CMainFrame frame(dir.path());
    GlyphSettings settings;
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Dotrix - 字模数据"));
    EXPECT_EQ(CGlyphFormatDlg(settings).windowTitle(), QStringLiteral("字模格式"));
    EXPECT_EQ(CIndexDlg().windowTitle(), QStringLiteral("索引"));
    EXPECT_EQ(CAboutDlg().windowTitle(), QStringLiteral("关于 Dotrix"));
}

TEST(QtTexts, DialogsAndPictureReasonsSpeakChinese)
{
    ASSERT_TRUE(SetLanguage(Language::Chinese)) << "qt6-translations-l10n is not installed";
    QMessageBox box(QMessageBox::NoIcon, "Dotrix", "text", QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    QDialogButtonBox *buttons = files.findChild<QDialogButtonBox *>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_TRUE(buttons->button(QDialogButtonBox::Save)->text().startsWith(QStringLiteral("保存")));

    // Reasons under the window's messages: a file that is no picture, a broken one, none at all.
    RecordingHooks hooks;
    QTemporaryDir dir;
    CMainFrame frame(dir.path());
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("junk.gif"), "GIF89a-not-really"));
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("notes.bmp"), "just some text"));
    frame.ImportPicture(dir.filePath("junk.gif"));
    frame.ImportPicture(dir.filePath("notes.bmp"));
    frame.ImportPicture(dir.filePath("missing.jpg"));
    ASSERT_EQ(hooks.messages.size(), 3);
    for (const QString &message : hooks.messages) {
        EXPECT_TRUE(message.startsWith(QStringLiteral("图片没有导入："))) << message;
        // Nothing but the path and the names of the formats is in English.
        QString rest = message;
        rest.remove(QRegularExpression(QRegularExpression::escape(dir.path()) + "/\\S+"));
        for (const char *name : {"BMP", "JPEG", "GIF", "Dotrix"})
            rest.remove(QLatin1String(name));
        EXPECT_FALSE(rest.contains(QRegularExpression("[A-Za-z]{3,}"))) << message;
    }
}
