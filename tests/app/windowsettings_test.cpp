// What the window remembers: a second window takes up the first one's choices, 文件 → 新建 still
// returns the view to its defaults, dotrix-cli reads none of it, and a settings file that is
// broken or not the window's is left aside with a message.

#include "app/cglyphformatdlg.h"
#include "app/fontexporter.h"
#include "common/testutil.h"
#include "l10n/language.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QSlider>
#include <QSplitter>
#include <QToolButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class WindowSettingsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        // Each test starts with nothing remembered (the test main points the settings at a
        // scratch folder).
        QSettings store;
        store.clear();
        store.sync();
        QFile::remove(store.fileName());
        WindowTest::SetUp();
    }
    void TearDown() override
    {
        SetLanguage(Language::Chinese);
        WindowTest::TearDown();
    }

    // Closes the window as the user does and opens the next run's.
    QString Restart()
    {
        frame->close();
        OpenWindow(dir.path());
        const QString message = frame->RestoreSettings();
        frame->show();
        return message;
    }

    // The settings file, its folder made.
    static QString SettingsFile()
    {
        const QString path = QSettings().fileName();
        QDir().mkpath(QFileInfo(path).path());
        return path;
    }
};

} // namespace

TEST_F(WindowSettingsTest, ChoicesSurviveARestartAndNewStillResetsTheView)
{
    ASSERT_EQ(frame->RestoreSettings(), QString());
    frame->show();
    GlyphSettings &chosen = frame->Settings();
    chosen.GlyphFont.Face = QStringLiteral("Unifont");
    chosen.GlyphFont.PointSize = 18;
    chosen.GlyphFont.Italic = true;
    frame->CharBox()->setText(QStringLiteral("中"));
    bar->m_btnLeft->click();
    bar->m_btnLeft->click();
    bar->m_btnDown->click();
    bar->m_sizeCustom->click();
    bar->m_customWidthEdit->setText(QStringLiteral("40"));
    bar->m_customHeightEdit->setText(QStringLiteral("24"));
    QTest::keyClick(bar->m_customHeightEdit, Qt::Key_Return);
    bar->m_scanZN->click();
    bar->m_dataLengthCombo->setCurrentIndex(3);
    bar->m_invertCheck->click();
    bar->m_bitReverseCheck->click();
    bar->m_zoomSlider->setValue(7);
    CGlyphFormatDlg(chosen, frame.get()).Choice(1035)->click();
    hooks.chosen = dir.filePath("exported");
    QDir(dir.path()).mkdir(QStringLiteral("exported"));
    frame->Action(CmdExportAllGlyphFiles)->trigger();
    FontExportRequest &exportChoice = frame->FontExport().Choice();
    exportChoice.Format = ExportFormat::Lvgl;
    exportChoice.Bpp = 4;
    exportChoice.Compress = true;
    exportChoice.FontName = QStringLiteral("cjk20");
    exportChoice.Advance = AdvanceMode::Half;
    exportChoice.Kerning = false;
    frame->Action(CmdLanguageEnglish)->trigger();
    frame->resize(1100, 700);
    auto *outer = frame->findChild<QSplitter *>("outerSplitter");
    outer->setSizes({600, 500});
    const GlyphSettings before = chosen;

    SetLanguage(Language::Chinese); // as the next run starts; the remembered choice is the window's to give
    ASSERT_EQ(Restart(), QString());
    const GlyphSettings &after = frame->Settings();
    EXPECT_EQ(after.GlyphFont, before.GlyphFont);
    EXPECT_EQ(std::tuple(after.Width, after.Height, after.OffsetX, after.OffsetY), std::tuple(40, 24, -2, 1));
    EXPECT_EQ(std::tuple(after.ScanMode, after.GroupDigits, after.Invert, after.BitReverse, after.Zoom),
              std::tuple(ScanOrder::ZN, 4, true, true, 7));
    EXPECT_EQ(std::pair(after.OutputFormat, after.NumberedNames), std::pair(SourceFormat::AsmTable, true));
    EXPECT_EQ(after.CurrentText, ""); // the text typed is not a setting
    const FontExportRequest &exportAfter = frame->FontExport().Choice();
    EXPECT_EQ(std::tuple(exportAfter.Format, exportAfter.Bpp, exportAfter.Compress, exportAfter.FontName, exportAfter.Advance,
                         exportAfter.Kerning),
              std::tuple(ExportFormat::Lvgl, 4, true, QStringLiteral("cjk20"), AdvanceMode::Half, false));
    // The controls show what the settings hold.
    EXPECT_TRUE(bar->m_sizeCustom->isChecked());
    EXPECT_EQ(std::pair(bar->m_customWidthEdit->text(), bar->m_customHeightEdit->text()),
              std::pair(QStringLiteral("40"), QStringLiteral("24")));
    EXPECT_TRUE(bar->m_customWidthEdit->isEnabled());
    EXPECT_EQ(std::pair(bar->m_offsetXEdit->text(), bar->m_offsetYEdit->text()),
              std::pair(QStringLiteral("-2"), QStringLiteral("1")));
    EXPECT_TRUE(bar->m_scanZN->isChecked());
    EXPECT_EQ(bar->m_dataLengthCombo->currentIndex(), 3);
    EXPECT_TRUE(bar->m_invertCheck->isChecked() && bar->m_bitReverseCheck->isChecked());
    EXPECT_EQ(std::pair(bar->m_zoomSlider->value(), bar->m_zoomEdit->text()), std::pair(7, QStringLiteral("7")));
    EXPECT_EQ(frame->CharBox()->font().family(), QStringLiteral("Unifont"));
    // (The platform without a window manager may add the frame it would have drawn to the height.)
    EXPECT_EQ(frame->width(), 1100);
    EXPECT_NEAR(frame->height(), 700, 100);
    // The list pane keeps its width; the glyph column takes the rest.
    EXPECT_EQ(frame->findChild<QSplitter *>("outerSplitter")->sizes().value(1), 500);
    EXPECT_EQ(QSettings().value("Window/Language").toString(), QStringLiteral("en"));
    // The controls work on from there: the invert box clears inversion.
    bar->m_invertCheck->click();
    EXPECT_FALSE(frame->Settings().Invert);
    // The export folder chosen last time is offered first.
    hooks.chosen.clear();
    frame->Action(CmdExportAllGlyphFiles)->trigger();
    ASSERT_FALSE(hooks.asked.isEmpty());
    EXPECT_EQ(hooks.asked.last().StartPath, dir.filePath("exported"));

    // 文件 → 新建 returns the view to its defaults, as it always has; the controls stay.
    frame->Action(CmdFileNew)->trigger();
    EXPECT_EQ(std::tuple(after.Width, after.Height, after.OffsetX, after.OffsetY), std::tuple(16, 16, 0, 0));
    EXPECT_TRUE(bar->m_scanZN->isChecked());

    // dotrix-cli reads none of it (it shares the test's settings folder): its default preview.
    QProcess cli;
    cli.start(QStringLiteral(DOTRIX_CLI_PATH), {QStringLiteral("--workdir"), dir.path(), QStringLiteral("--preview"),
                                                QStringLiteral("中")});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_TRUE(cli.readAllStandardOutput().startsWith("/* @zhong 中(16x16,V)@ */")) << cli.readAllStandardError().data();
}

TEST_F(WindowSettingsTest, BrokenOrForeignSettingsAreLeftAsideWithAMessage)
{
    const struct {
        const char *content;
        const char *mentions; // in the message
    } cases[] = {
        {"[Glyph\nWidth=12\n", "Dotrix Tests"},                            // not a settings file at all
        {"[Window]\nVersion=1\n[Glyph]\nWidth=banana\n", "Glyph/Width=banana"},
        {"[Window]\nVersion=1\n[Glyph]\nWidth=5000\nZoom=3\n", "Glyph/Width=5000"},
        {"[Window]\nVersion=1\n[Glyph]\nZoom=0\n", "Glyph/Zoom=0"},
        {"[Window]\nVersion=1\n[Glyph]\nGroupBits=20\n", "Glyph/GroupBits=20"},
        {"[Window]\nVersion=1\n[Glyph]\nScan=diagonal\n", "Glyph/Scan=diagonal"},
        {"[Window]\nVersion=1\n[Glyph]\nInvert=1\n", "Glyph/Invert=1"},
        {"[Window]\nVersion=1\n[Glyph]\nFont=@ByteArray(x)\n", "Glyph/Font"},
        {"[Window]\nVersion=1\nLanguage=fr\n", "Window/Language=fr"},
        {"[Window]\nVersion=1\n[Export]\nFormat=ttf\n", "Export/Format=ttf"},
        {"[Window]\nVersion=1\n[Export]\nBpp=3\n", "Export: "},
        {"[Window]\nVersion=1\n[Export]\nFormat=bdf\nBpp=4\n", "Export: "},
        {"[Window]\nVersion=1\n[Export]\nFontName=9lives\n", "Export: "},
        {"[Window]\nVersion=1\n[Export]\nAdvance=wide\n", "Export/Advance=wide"},
        {"[Window]\nVersion=1\n[Export]\nBpp=8\nCompress=true\n", "Export: "},
        {"[Window]\nVersion=1\nGeometry=12\n", "Window/Geometry=12"},
        {"[Window]\nVersion=2\n[Glyph]\nWidth=12\n", "another version"},
        {"[Editor]\nTheme=dark\n", "another program"},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(testutil::WriteFileBytes(SettingsFile(), c.content));
        OpenWindow(dir.path());
        const QString message = frame->RestoreSettings();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.mentions))) << c.content << " -> " << message.toStdString();
        EXPECT_TRUE(message.startsWith(QStringLiteral("没有采用记住的设置"))) << message.toStdString();
        EXPECT_EQ(std::tuple(frame->Settings().Width, frame->Settings().Zoom, frame->Settings().ScanMode),
                  std::tuple(16, 20, ScanOrder::Vertical))
            << c.content;
        // The run's own settings replace the file when the window closes.
        bar->m_size24x24->click();
        EXPECT_EQ(Restart(), QString()) << c.content;
        EXPECT_EQ(frame->Settings().Width, 24) << c.content;
    }

    // Only a recent-file list, as an earlier version left it: nothing to say.
    ASSERT_TRUE(testutil::WriteFileBytes(SettingsFile(), "[Recent File List]\nFile1=/tmp/a\n"));
    OpenWindow(dir.path());
    EXPECT_EQ(frame->RestoreSettings(), QString());

    // Bytes of any kind never stop the window.
    QRandomGenerator random(14);
    for (int round = 0; round < 40; ++round) {
        std::string bytes(size_t(random.bounded(1, 300)), '\0');
        for (char &byte : bytes)
            byte = char(random.bounded(256));
        if (round % 2)
            bytes = "[Window]\nVersion=1\n[Glyph]\n" + bytes;
        ASSERT_TRUE(testutil::WriteFileBytes(SettingsFile(), bytes));
        OpenWindow(dir.path());
        frame->RestoreSettings();
        const GlyphSettings &s = frame->Settings();
        EXPECT_TRUE(s.Width >= 1 && s.Width <= 1024 && s.Zoom >= 1 && s.Zoom <= 30) << round;
    }
}
