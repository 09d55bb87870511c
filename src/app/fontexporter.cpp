#include "fontexporter.h"

#include "batchrunner.h"
#include "cexportdlg.h"
#include "exportsummary.h"
#include "failuretexts.h"
#include "inknotes.h"
#include "messages.h"
#include "l10n/failuretext.h"

#include "charset/cp936.h"
#include "export/exportrun.h"
#include "l10n/language.h"

#include <QComboBox>
#include <QDir>
#include <QMainWindow>
#include <QStatusBar>

namespace {

// The preview's first text: the character list's first characters, in list order.
QString PreviewText(const std::string &list)
{
    constexpr size_t Characters = 12;
    std::string text;
    size_t taken = 0;
    for (const std::string &character : SplitChars(list)) {
        if (character == "\r" || character == "\n")
            continue;
        text += character;
        if (++taken == Characters)
            break;
    }
    return Cp936ToQString(text);
}

} // namespace

FontExporter::FontExporter(const GlyphSettings &settings, BatchRunner &runner, QMainWindow *window)
    : QObject(window), m_settings(settings), m_runner(runner), m_window(window)
{
}

int FontExporter::Start(const std::string &list, const QString &startDir)
{
    if (m_runner.Running())
        return -1;
    CodePointList characters = MapToCodePoints(list);
    if (characters.Characters.empty()) {
        ShowMessage(m_window, tr("字符列表里没有可以导出的字符。"));
        return -1;
    }
    CExportDlg dialog(m_request, DefaultFontName(MeasureExportFont(m_settings, 1, AdvanceMode::Font)), startDir, m_window);
    // The sample starts at the bit depth the dialog shows (1 where the format takes no other).
    const int shownBpp = dialog.findChild<QComboBox *>(QStringLiteral("exportBppCombo"))->currentData().toInt();
    auto *summary = new ExportSummary(m_settings, characters.Characters, int(characters.Unmapped.size()),
                                      shownBpp, &dialog);
    dialog.AddSummary(summary);
    connect(&dialog, &CExportDlg::BppChosen, summary, &ExportSummary::ShowBpp);
    dialog.AddPreview(m_settings, PreviewText(list), characters.Characters);
    // The summary's glyphs show each bit depth as it is chosen; the glyph view keeps the dots the
    // glyph files hold.
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    m_request = dialog.Request();

    FontExportRequest request = m_request;
    // As in dotrix-cli: the export places the font by its ink unless the user moved the cell
    // (the arrow pad) and did not ask for a fit.
    request.FitOffsetY = (m_settings.OffsetX == 0 && m_settings.OffsetY == 0) || m_settings.FitOffsetY;
    const int total = int(characters.Characters.size());
    request.MadeWith = ExportCommandLine(m_settings, request, {"--list", "list.txt"}) + "\n(from the window; list.txt: the "
                       + std::to_string(total) + " characters of its character list)";
    m_unmapped = int(characters.Unmapped.size());
    m_runner.StartExport(std::move(characters.Characters), m_settings, request);
    return total;
}

void FontExporter::Report(const FontExportResult &result)
{
    QStatusBar *status = m_window->statusBar();
    switch (result.State) {
    case FontExportResult::Failed:
    case FontExportResult::Refused:
        ShowMessage(m_window, tr("字体没有导出：\n") + FailureText(result.Error));
        return;
    case FontExportResult::Cancelled:
        status->showMessage(tr("字体导出已停止"), 5000);
        return;
    case FontExportResult::Done:
        break;
    }
    QString text = tr("已导出 %1 个字形到 %2（%3 字节）")
                       .arg(result.Glyphs)
                       .arg(QDir::toNativeSeparators(result.Path))
                       .arg(result.Bytes);
    if (m_unmapped > 0)
        text += tr("；已略去 %1 个没有 Unicode 编码的字符").arg(m_unmapped);
    GlyphSettings placed = m_settings;
    placed.OffsetY = result.OffsetY;
    const QString ink = InkNotes::Text(result.Ink, placed, result.Moved);
    if (!ink.isEmpty())
        text += QStringLiteral("; ") + ink;
    status->showMessage(text + MissingFontNote(m_settings.GlyphFont), 10000);
    // Glyphs cut off by the cell are worth a word before the font is used, as is a note of the
    // format's.
    const QString lost = InkLossNote(result.Ink, placed, [](const char *t) { return CoreMessage(t); });
    QStringList notes;
    for (const QString &note : {result.Note, lost})
        if (!note.isEmpty())
            notes.append(note);
    if (!notes.isEmpty())
        ShowMessage(m_window, tr("字体已导出。使用前请注意：\n") + notes.join(QLatin1Char('\n')));
}
