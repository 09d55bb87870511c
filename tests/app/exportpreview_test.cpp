// The export dialog's preview: the list's first characters set as the chosen advance sets them,
// characters the font will not hold named, kerning offered only where a file carries it, and the
// chosen advance and kerning exported.

#include "app/cexportdlg.h"
#include "app/cfontsel.h"
#include "app/fontexporter.h"
#include "batchtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <map>

TEST_F(BatchTest, ExportPreviewFollowsTheAdvanceAndTheChoicesAreExported)
{
    frame->Settings().GlyphFont.Face = QStringLiteral("WenQuanYi Zen Hei");
    frame->Settings().GlyphFont.SetPixelHeight(16);
    if (!frame->Settings().GlyphFont.IsInstalled())
        GTEST_SKIP() << "WenQuanYi Zen Hei (Debian fonts-wqy-zenhei) is not installed";
    // A line break among the list's characters: the preview starts with the first twelve others.
    frame->CharacterList()->SetList(testutil::Gbk("温度: 23.5\n°C 世界"), 14);
    QString text, note;
    std::map<AdvanceMode, int> widths;
    std::map<AdvanceMode, bool> kerningOffered;
    AnswerDialogs([&](QWidget *modal) {
        auto *dialog = qobject_cast<CExportDlg *>(modal);
        if (!dialog)
            return;
        auto *preview = dialog->findChild<QLabel *>("exportPreviewLabel");
        auto *advance = dialog->findChild<QComboBox *>("exportAdvanceCombo");
        auto *kerning = dialog->findChild<QCheckBox *>("exportKerningCheck");
        text = dialog->findChild<QLineEdit *>("exportPreviewEdit")->text();
        for (const AdvanceMode mode : {AdvanceMode::Font, AdvanceMode::Cell, AdvanceMode::Half}) {
            advance->setCurrentIndex(advance->findData(int(mode)));
            widths[mode] = preview->pixmap().width();
            kerningOffered[mode] = kerning->isEnabled();
        }
        kerning->setChecked(false);
        dialog->findChild<QLineEdit *>("exportPreviewEdit")->setText(QStringLiteral("温度 XxX"));
        note = dialog->findChild<QLabel *>("exportPreviewNote")->text();
        dialog->findChild<QLineEdit *>("exportFileEdit")->setText(dir.filePath("half.c"));
        dialog->accept();
    });
    ASSERT_EQ(RunExport().State, FontExportResult::Done);
    EXPECT_EQ(text, QStringLiteral("温度: 23.5°C 世"));
    // Three times enlarged with 4 px of paper on each side: a cell (16 px) for each character,
    // half of it for the eight single-byte ones, the font's own advances in between.
    EXPECT_EQ(widths[AdvanceMode::Cell], 12 * 16 * 3 + 8);
    EXPECT_EQ(widths[AdvanceMode::Half], (8 * 8 + 4 * 16) * 3 + 8);
    EXPECT_LT(widths[AdvanceMode::Font], widths[AdvanceMode::Cell]);
    EXPECT_NE(widths[AdvanceMode::Font], widths[AdvanceMode::Half]);
    // Characters the list does not hold are named, each once.
    EXPECT_TRUE(note.endsWith(QStringLiteral("字符列表中没有“Xx”，导出的字体里也没有"))) << note.toStdString();
    EXPECT_TRUE(kerningOffered[AdvanceMode::Font]);
    EXPECT_FALSE(kerningOffered[AdvanceMode::Cell] || kerningOffered[AdvanceMode::Half]);
    EXPECT_EQ(frame->FontExport().Choice().Advance, AdvanceMode::Half);
    EXPECT_FALSE(frame->FontExport().Choice().Kerning);
    // The file holds the half-cell advances: 8 px (128 sixteenths) for the colon.
    EXPECT_TRUE(testutil::ReadFileBytes(dir.filePath("half.c")).find("adv_w = 128") != std::string::npos);
}
