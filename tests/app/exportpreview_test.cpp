// The export dialog's preview: the list's first characters set as the chosen advance sets them,
// following every choice and the edited text, with kerning offered only where a file carries it,
// and the chosen advance and kerning taken by the export.

#include "app/cexportdlg.h"
#include "app/cfontsel.h"
#include "app/fontexporter.h"
#include "batchtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <map>

using testutil::Gbk;

TEST_F(BatchTest, ExportPreviewFollowsTheAdvanceFormatDepthAndText)
{
    frame->Settings().Width = frame->Settings().Height = 16;
    frame->Settings().GlyphFont.Face = QStringLiteral("WenQuanYi Zen Hei");
    frame->Settings().GlyphFont.SetPixelHeight(16);
    if (!frame->Settings().GlyphFont.IsInstalled())
        GTEST_SKIP() << "WenQuanYi Zen Hei (Debian fonts-wqy-zenhei) is not installed";
    // A line break among the list's characters: the preview starts with the first twelve others.
    frame->CharacterList()->SetList(Gbk("温度: 23.5\n°C 世界"), 14);
    QString text;
    std::map<AdvanceMode, int> widths;
    int edited = 0, greysAt1 = -1, greysAt4 = -1;
    bool kerningForLvgl = false, kerningForCell = true, kerningForBdf = true;
    AnswerDialogs([&](QWidget *modal) {
        auto *dialog = qobject_cast<CExportDlg *>(modal);
        if (!dialog)
            return;
        auto *edit = dialog->findChild<QLineEdit *>("exportPreviewEdit");
        auto *preview = dialog->findChild<QLabel *>("exportPreviewLabel");
        auto *advance = dialog->findChild<QComboBox *>("exportAdvanceCombo");
        auto *kerning = dialog->findChild<QCheckBox *>("exportKerningCheck");
        auto *format = dialog->findChild<QComboBox *>("exportFormatCombo");
        auto *bpp = dialog->findChild<QComboBox *>("exportBppCombo");
        if (!edit || !preview || !advance || !kerning) {
            dialog->reject();
            return;
        }
        text = edit->text();
        const auto greys = [&] {
            const QImage image = preview->pixmap().toImage().convertToFormat(QImage::Format_Grayscale8);
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    n += qGray(image.pixel(x, y)) != 0 && qGray(image.pixel(x, y)) != 255;
            return n;
        };
        kerningForLvgl = kerning->isEnabled();
        for (const AdvanceMode mode : {AdvanceMode::Font, AdvanceMode::Cell, AdvanceMode::Half}) {
            advance->setCurrentIndex(advance->findData(int(mode)));
            widths[mode] = preview->pixmap().width();
            if (mode == AdvanceMode::Cell)
                kerningForCell = kerning->isEnabled();
        }
        const int before = preview->pixmap().width();
        edit->setText(edit->text() + QStringLiteral("世界"));
        edited = preview->pixmap().width() - before;
        greysAt1 = greys();
        bpp->setCurrentIndex(bpp->findData(4));
        greysAt4 = greys();
        advance->setCurrentIndex(advance->findData(int(AdvanceMode::Font)));
        format->setCurrentIndex(format->findData(int(ExportFormat::Bdf)));
        kerningForBdf = kerning->isEnabled();
        format->setCurrentIndex(format->findData(int(ExportFormat::Lvgl)));
        advance->setCurrentIndex(advance->findData(int(AdvanceMode::Half)));
        kerning->setChecked(false);
        dialog->findChild<QLineEdit *>("exportFileEdit")->setText(dir.filePath("half.c"));
        dialog->accept();
    });
    ASSERT_EQ(RunExport().State, FontExportResult::Done);
    EXPECT_EQ(text, QStringLiteral("温度: 23.5°C 世"));
    // Twelve characters at 3 times: a cell each (16 px), half of it for the eight single-byte
    // ones, their own advances (narrower than the cell for Latin) in between; 4 px of paper on
    // each side. Two more hanzi: two more cells.
    EXPECT_EQ(widths[AdvanceMode::Cell], 12 * 16 * 3 + 8);
    EXPECT_EQ(widths[AdvanceMode::Half], (8 * 8 + 4 * 16) * 3 + 8);
    EXPECT_LT(widths[AdvanceMode::Font], widths[AdvanceMode::Cell]);
    EXPECT_NE(widths[AdvanceMode::Font], widths[AdvanceMode::Half]);
    EXPECT_EQ(edited, 2 * 16 * 3);
    EXPECT_EQ(greysAt1, 0);
    EXPECT_GT(greysAt4, 0);
    EXPECT_TRUE(kerningForLvgl);
    EXPECT_FALSE(kerningForCell);
    EXPECT_FALSE(kerningForBdf);
    EXPECT_EQ(frame->FontExport().Choice().Advance, AdvanceMode::Half);
    EXPECT_FALSE(frame->FontExport().Choice().Kerning);
}
