// The font export's bit depth in the window: the export dialog shows it in its own sample, while
// the glyph view and the preview keep the dots the glyph files hold.

#include "app/cdotrixview.h"
#include "app/cexportdlg.h"
#include "app/cfontview.h"
#include "app/fontexporter.h"
#include "batchtest.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TEST_F(BatchTest, FontExportDialogShowsItsDepthInItsSampleRefusesBadNamesAndCancels)
{
    frame->CharBox()->setText(QStringLiteral("永"));
    CDotrixView *view = frame->GlyphView();
    const QImage dots = view->grab().toImage();
    auto previewText = [this] {
        std::vector<std::string> lines;
        for (const auto &line : frame->PreviewView()->Layout())
            lines.push_back(line.Text);
        return lines;
    };
    const std::vector<std::string> preview = previewText();
    // Pixels of the summary's glyphs that are neither black nor white.
    auto greys = [](QDialog *dialog) {
        auto *sample = dialog->findChild<QLabel *>("exportSampleLabel");
        if (!sample) {
            ADD_FAILURE() << "no sample in the export dialog";
            return -1;
        }
        const QImage image = sample->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) != qRgb(0, 0, 0) && image.pixel(x, y) != qRgb(255, 255, 255);
        return image.isNull() ? -1 : n;
    };
    int greysAt1 = -1, greysAt4 = -1, refusals = 0;
    bool viewKeptItsDots = false, cancel = true;
    AnswerDialogs([&](QWidget *modal) {
        auto *dialog = qobject_cast<CExportDlg *>(modal);
        if (!dialog)
            return;
        auto *bpp = dialog->findChild<QComboBox *>("exportBppCombo");
        greysAt1 = greys(dialog);
        bpp->setCurrentIndex(bpp->findData(4));
        greysAt4 = greys(dialog);
        viewKeptItsDots = view->grab().toImage() == dots;
        if (cancel) {
            dialog->findChild<QLineEdit *>("exportFontNameEdit")->setText("2fast");
            dialog->findChild<QPushButton *>("exportOkButton")->click();
            refusals = messages.size();
            dialog->findChild<QPushButton *>("exportCancelButton")->click();
            return;
        }
        dialog->findChild<QLineEdit *>("exportFileEdit")->setText(dir.filePath("yong.c"));
        dialog->findChild<QPushButton *>("exportOkButton")->click();
    });
    QSignalSpy finished(frame.get(), &CMainFrame::ExportFinished);
    frame->Action(CmdExportFont)->trigger();
    EXPECT_EQ(greysAt1, 0);
    EXPECT_GT(greysAt4, 0);
    EXPECT_TRUE(viewKeptItsDots);
    EXPECT_EQ(refusals, 1);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains("2fast"));
    // Cancel: the bit depth is as it was, nothing ran.
    EXPECT_EQ(frame->FontExport().Choice().Bpp, 1);
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.c"}, QDir::Files).isEmpty());

    // After an export at 4 bits the glyph view and the preview still show the glyph file's dots,
    // for this character and the next one drawn.
    cancel = false;
    messages.clear();
    ASSERT_EQ(RunExport().State, FontExportResult::Done);
    EXPECT_EQ(frame->FontExport().Choice().Bpp, 4);
    EXPECT_TRUE(view->grab().toImage() == dots);
    EXPECT_EQ(previewText(), preview);
    frame->CharBox()->setText(QStringLiteral("中"));
    frame->CharBox()->setText(QStringLiteral("永"));
    EXPECT_TRUE(view->grab().toImage() == dots);
}
