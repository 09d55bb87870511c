// The font export's dialog says what it will write before the file is chosen: the list's
// characters and their number, the font and cell, and the first glyphs at the chosen bit depth.

#include "app/cexportdlg.h"
#include "app/cfontsel.h"
#include "common/testutil.h"
#include "windowtest.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

using testutil::Gbk;

namespace {

// The number of different grey levels in a picture.
int Greys(const QImage &image)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            seen.insert(image.pixel(x, y));
    return int(seen.size());
}

} // namespace

TEST_F(WindowTest, ExportDialogSaysWhichCharactersFontAndCellItWritesAndShowsThem)
{
    frame->Settings().Width = frame->Settings().Height = 20;
    frame->Settings().GlyphFont.PointSize = 14;
    frame->CharBox()->setText(QStringLiteral("永"));
    frame->CharacterList()->SetList(Gbk("汉字ab中"), 5);
    QString characters, font;
    QImage oneBit, fourBits;
    bool asked = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<CExportDlg *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        asked = true;
        auto *characterLine = dialog->findChild<QLabel *>("exportCharactersLabel");
        auto *fontLine = dialog->findChild<QLabel *>("exportFontLabel");
        auto *sample = dialog->findChild<QLabel *>("exportSampleLabel");
        auto *bpp = dialog->findChild<QComboBox *>("exportBppCombo");
        if (characterLine && fontLine && sample) {
            characters = characterLine->text();
            font = fontLine->text();
            bpp->setCurrentIndex(bpp->findData(1));
            oneBit = sample->pixmap().toImage();
            bpp->setCurrentIndex(bpp->findData(4));
            fourBits = sample->pixmap().toImage();
        }
        dialog->reject();
    });
    frame->Action(CmdExportFont)->trigger();
    ASSERT_TRUE(asked);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    // The list's five characters, not the box's one.
    EXPECT_TRUE(characters.contains(QStringLiteral("字符列表"))) << characters.toStdString();
    EXPECT_TRUE(characters.contains(QStringLiteral(" 5 "))) << characters.toStdString();
    EXPECT_TRUE(font.contains(QStringLiteral("14"))) << font.toStdString();
    EXPECT_TRUE(font.contains(QStringLiteral("20 x 20"))) << font.toStdString();

    // Five glyphs of 20 x 20 dots shown twice their size, 4 pixels apart; black and white at 1 bit,
    // greys at 4.
    EXPECT_EQ(oneBit.size(), QSize(5 * 44 - 4, 40));
    EXPECT_EQ(Greys(oneBit), 3); // ink, paper and the gaps
    EXPECT_EQ(fourBits.size(), oneBit.size());
    EXPECT_GT(Greys(fourBits), 5);
}
