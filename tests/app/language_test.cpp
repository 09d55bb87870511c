// The window in both languages: English shows no Chinese text, the way back to Chinese gives
// every text as it was, messages follow the language, and what is written into files does not.

#include "app/caboutdlg.h"
#include "app/cglyphformatdlg.h"
#include "app/cexportdlg.h"
#include "app/cindexdlg.h"
#include "app/fontexporter.h"
#include "common/testutil.h"
#include "l10n/language.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Every text a user can read in root and its children, each after the name of what shows it:
// titles, labels, button and menu texts, choices, placeholders, tips and prompts. What the user
// typed and the numbers in the edits are not among them.
QStringList ShownTexts(QWidget *root)
{
    QStringList texts;
    const auto add = [&texts](const QObject *owner, const char *what, const QString &text) {
        if (!text.isEmpty())
            texts.append(QStringLiteral("%1.%2: %3").arg(owner->objectName(), QLatin1String(what), text));
    };
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *widget : widgets) {
        if (widget->isWindow() || qobject_cast<QDockWidget *>(widget))
            add(widget, "title", widget->windowTitle());
        add(widget, "tip", widget->toolTip());
        add(widget, "prompt", widget->statusTip());
        if (auto *label = qobject_cast<QLabel *>(widget))
            add(label, "text", label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(button, "text", button->text());
        if (auto *group = qobject_cast<QGroupBox *>(widget))
            add(group, "title", group->title());
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            for (int i = 0; i < combo->count(); ++i)
                add(combo, "item", combo->itemText(i));
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            add(edit, "placeholder", edit->placeholderText());
        if (auto *list = qobject_cast<QPlainTextEdit *>(widget))
            add(list, "placeholder", list->placeholderText());
        if (auto *menu = qobject_cast<QMenu *>(widget))
            add(menu, "title", menu->title());
        for (const QAction *action : widget->actions()) {
            add(action, "text", action->text());
            add(action, "tip", action->toolTip());
            add(action, "prompt", action->statusTip());
        }
    }
    return texts;
}

QStringList WithChinese(const QStringList &texts)
{
    return texts.filter(QRegularExpression(QStringLiteral("\\p{Han}")));
}

class LanguageTest : public WindowTest
{
protected:
    void TearDown() override
    {
        SetLanguage(Language::Chinese);
        WindowTest::TearDown();
    }

    // Chooses a language under 查看 and lets the widgets hear of it, as the event loop would.
    void Choose(CommandId language)
    {
        frame->Action(language)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }

    // The glyph file of 中 the single-glyph command writes, as bytes.
    std::string SingleGlyphOfZhong()
    {
        frame->CharBox()->setText(QStringLiteral("中"));
        opened.clear();
        frame->Action(CmdCreateSingleGlyph)->trigger();
        return opened.size() == 1 ? testutil::ReadFileBytes(opened.front()) : std::string();
    }
};

} // namespace

TEST_F(LanguageTest, EnglishShowsNoChineseAndChineseComesBackAsItWas)
{
    ASSERT_TRUE(SetLanguage(Language::Chinese)) << "qt6-translations-l10n is not installed";
    const auto okText = [] {
        return QMessageBox(QMessageBox::NoIcon, "Dotrix", "text", QMessageBox::Ok).button(QMessageBox::Ok)->text();
    };
    ASSERT_EQ(okText(), QStringLiteral("确定"));
    const QStringList chinese = ShownTexts(frame.get());
    ASSERT_GT(WithChinese(chinese).size(), 60) << chinese.join(QLatin1Char('\n')).toStdString();
    const std::string chineseGlyph = SingleGlyphOfZhong();
    ASSERT_FALSE(chineseGlyph.empty());

    Choose(CmdLanguageEnglish);
    EXPECT_EQ(CurrentLanguage(), Language::English);
    EXPECT_TRUE(frame->Action(CmdLanguageEnglish)->isChecked());
    const QStringList english = ShownTexts(frame.get());
    EXPECT_EQ(english.size(), chinese.size());
    EXPECT_TRUE(WithChinese(english).isEmpty()) << WithChinese(english).join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Dotrix - Glyph Data"));
    EXPECT_EQ(frame->Action(CmdCreateSingleGlyph)->text(), QStringLiteral("Create Single Glyph"));

    { // The dialogs, opened in English.
        CAboutDlg about(frame.get());
        CGlyphFormatDlg format(frame->Settings(), frame.get());
        CIndexDlg index(frame.get());
        CExportDlg exportFont(frame->FontExport().Choice(), QStringLiteral("dotrix_font_16"), dir.path(), frame.get());
        for (QWidget *dialog : std::initializer_list<QWidget *>{&about, &format, &index, &exportFont}) {
            const QStringList texts = ShownTexts(dialog);
            EXPECT_GE(texts.size(), 2) << dialog->objectName().toStdString();
            EXPECT_TRUE(WithChinese(texts).isEmpty()) << WithChinese(texts).join(QLatin1Char('\n')).toStdString();
        }
    }

    // Qt's own texts (message box buttons, file dialogs) follow the window's language.
    EXPECT_EQ(okText(), QStringLiteral("OK"));

    // Messages, from the window and from the core, follow; the file written is the same data.
    bar->m_sizeCustom->click();
    bar->m_customWidthEdit->setText(QStringLiteral("2000"));
    QTest::keyClick(bar->m_customWidthEdit, Qt::Key_Return);
    frame->Settings().GroupDigits = 8;
    bar->m_size8x8->click();
    frame->Action(CmdCreateSingleGlyph)->trigger();
    EXPECT_EQ(messages, QStringList({QStringLiteral("The matrix is too big: at most 1024"),
                                     QStringLiteral("Too many bytes in a group!")}));
    bar->SelectGroupDigits(2);
    bar->m_size16x16->click();
    EXPECT_EQ(SingleGlyphOfZhong(), chineseGlyph);

    Choose(CmdLanguageChinese);
    EXPECT_EQ(ShownTexts(frame.get()), chinese);
    EXPECT_EQ(okText(), QStringLiteral("确定"));
}
