// The window by keyboard and on small screens: what the focus does at start and on Tab, when a
// typed size is taken, and that the whole window (and the About box) fits a 1366 x 768 or a
// 1280 x 720 screen in either language whatever the fonts.

#include "app/caboutdlg.h"
#include "app/cdotrixview.h"
#include "app/cfontsel.h"
#include "l10n/language.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class KeyboardFitTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        frame->resize(1366, 768);
        frame->show();
        QApplication::setActiveWindow(frame.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    void TearDown() override
    {
        SetLanguage(Language::Chinese);
        WindowTest::TearDown();
    }

    QSize Size() const { return {frame->Settings().Width, frame->Settings().Height}; }
};

// Whatever a label or button shows is whole: the widget has the room its text asks for.
void ExpectWhole(QWidget *top, const std::string &where)
{
    for (QWidget *widget : top->findChildren<QWidget *>()) {
        // Widgets of a fixed size (the arrow buttons with their pictures) are drawn to fit it.
        if (!widget->isVisibleTo(top) || widget->minimumSize() == widget->maximumSize()
            || !(qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget)))
            continue;
        const int needs = widget->hasHeightForWidth() ? widget->heightForWidth(widget->width())
                                                      : widget->minimumSizeHint().height();
        const std::string name = where + (": " + widget->objectName().toStdString());
        EXPECT_GE(widget->height(), needs) << name;
        if (!widget->hasHeightForWidth()) {
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width()) << name;
        }
    }
}

} // namespace

TEST_F(KeyboardFitTest, CustomSizeIsTakenOnEnterOrOnLeavingTheBoxNotWhileTyping)
{
    bar->m_sizeCustom->click();
    QLineEdit *width = bar->m_customWidthEdit;
    width->selectAll();
    QTest::keyClicks(width, "24");
    EXPECT_EQ(Size(), QSize(16, 16)) << "taken while typing";
    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_EQ(Size(), QSize(24, 24));

    // From 24 to 40 by way of 2404 and 4: neither is taken, and no message box stops the typing;
    // the box shows that 2404 is too big.
    QTest::keyClick(width, Qt::Key_End);
    QTest::keyClicks(width, "04");
    EXPECT_EQ(Size(), QSize(24, 24));
    EXPECT_TRUE(width->property("invalid").toBool());
    EXPECT_FALSE(width->toolTip().isEmpty());
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(width, Qt::Key_Backspace);
    QTest::keyClick(width, '4');
    EXPECT_FALSE(width->property("invalid").toBool());
    EXPECT_EQ(Size(), QSize(24, 24));
    QTest::keyClick(width, '0');
    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_EQ(Size(), QSize(40, 40));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();

    // Leaving the height box takes it too.
    bar->m_customHeightEdit->setFocus();
    bar->m_customHeightEdit->selectAll();
    QTest::keyClicks(bar->m_customHeightEdit, "12");
    EXPECT_EQ(Size(), QSize(40, 40));
    frame->GlyphView()->setFocus();
    EXPECT_EQ(Size(), QSize(40, 12));
}

TEST_F(KeyboardFitTest, FocusStartsInTheCharacterBoxAndTabLeavesTheListWithoutATab)
{
    EXPECT_EQ(QApplication::focusWidget(), frame->CharBox());

    CFontSel *pane = frame->CharacterList();
    QPlainTextEdit *list = pane->ListEdit();
    list->setFocus();
    QTest::keyClicks(list, "AB");
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), list) << "Tab stayed in the list";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), list);
    QTest::keyClicks(list, "C");
    pane->PullFields();
    EXPECT_EQ(pane->ListText, "ABC");
    // Ctrl+Tab types a tab as in other multi-line boxes.
    QTest::keyClick(list, Qt::Key_Tab, Qt::ControlModifier);
    pane->PullFields();
    EXPECT_EQ(pane->ListText, "ABC\t");
}

TEST_F(KeyboardFitTest, TheWholeWindowAndTheAboutBoxFitSmallScreensInBothLanguages)
{
    auto *barScroll = frame->findChild<QScrollArea *>("controlBarScroll");
    EXPECT_NE(barScroll, nullptr) << "the control bar does not scroll";
    // Another machine's fonts may be taller than this one's: the window fits with fonts a third
    // taller too.
    const QFont usual = QApplication::font();
    QFont taller = usual;
    taller.setPointSizeF(usual.pointSizeF() * 4 / 3);
    for (const auto &[language, font] : {std::pair(Language::Chinese, usual), std::pair(Language::English, usual),
                                         std::pair(Language::Chinese, taller), std::pair(Language::English, taller)}) {
        ASSERT_TRUE(SetLanguage(language));
        QApplication::setFont(font);
        for (const QSize screen : {QSize(1366, 768), QSize(1280, 720)}) {
            const std::string where = std::string(font == usual ? "" : "taller ")
                                      + (language == Language::Chinese ? "Chinese " : "English ")
                                      + std::to_string(screen.width()) + "x" + std::to_string(screen.height());
            // The window with a title bar and a desktop panel of 32 pixels each.
            const QSize room = screen - QSize(0, 64);
            frame->resize(room);
            // The new texts' sizes go up from the controls to the window in several steps.
            for (int i = 0; i < 4; ++i)
                QApplication::processEvents();
            EXPECT_LE(frame->minimumSizeHint().height(), room.height()) << where;
            EXPECT_LE(frame->minimumSizeHint().width(), room.width()) << where;
            ASSERT_EQ(frame->size(), room) << where;
            const QRect status = frame->statusBar()->geometry();
            EXPECT_TRUE(frame->statusBar()->isVisible()) << where;
            EXPECT_LE(status.bottom(), frame->height() - 1) << where;
            EXPECT_GE(status.height(), frame->statusBar()->minimumSizeHint().height()) << where;
            // The control bar keeps its full size and scrolls where the window is lower.
            EXPECT_GE(bar->height(), bar->minimumSizeHint().height()) << where;
            if (barScroll && bar->height() > barScroll->viewport()->height()) {
                EXPECT_TRUE(barScroll->verticalScrollBar()->isVisible()) << where;
            }
            EXPECT_GE((barScroll ? barScroll->viewport() : bar)->width(), bar->minimumSizeHint().width()) << where;
            ExpectWhole(bar, where);

            CAboutDlg about(frame.get());
            about.show();
            QApplication::processEvents();
            EXPECT_LE(about.height(), room.height()) << where;
            EXPECT_LE(about.width(), room.width()) << where;
            ExpectWhole(&about, "About " + where);
        }
    }
    QApplication::setFont(usual);
}
