// CMainFrame's commands that make files and lists: the single glyph, the picture's data, the
// index table, the copy of the glyph files, the character sets and their conversion, and the
// batch and font export runs with their reports. The frame's construction, layout, settings and
// the live drawing are in cmainframe.cpp.
#include "cmainframe.h"

#include "batchrunner.h"
#include "ccontrolbar.h"
#include "cdotrixview.h"
#include "cfontsel.h"
#include "cindexdlg.h"
#include "commandactions.h"
#include "cprogressdlg.h"
#include "failuretexts.h"
#include "l10n/failuretext.h"
#include "filechooser.h"
#include "fontexporter.h"
#include "inknotes.h"
#include "messages.h"
#include "progressbox.h"

#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "charset/scriptconvert.h"
#include "encode/glyphtext.h"
#include "encode/indextable.h"
#include "encode/picturedata.h"
#include "encode/singleglyph.h"
#include "l10n/language.h"
#include "output/atomicfile.h"
#include "output/exportglyphfiles.h"
#include "encode/pictureimport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>


void CMainFrame::OnCreateSingleGlyph()
{
    // The command clears the glyph files of earlier runs first; after a whole character set
    // they are tens of thousands, deleted beside the window.
    if (m_output->WrittenFiles().size() > 2000) {
        JobControl clearing;
        RunJob(this, clearing, {tr("正在删除上次生成的字模文件 …"), QStringLiteral("deleteProgressDialog")},
               [this] { DeleteGlyphFiles(*m_output); });
    }
    const SingleGlyphResult result = CreateSingleGlyph(CharBoxText(), m_settings, m_matrix, *m_output);
    switch (result.State) {
    case SingleGlyphResult::EmptyText:
        return;
    case SingleGlyphResult::Written:
        m_shownCharacter = LastCharOf(m_settings.CurrentText);
        InkNotes::ShowAfterRender(statusBar(), LastCharOf(m_settings.CurrentText), result.Ink, m_settings);
        m_wndDlgBar->ShowDrawnFont();
        RepaintViews();
        OpenResult(result.FilePath);
        return;
    case SingleGlyphResult::Refused:
        RepaintViews();
        ShowMessage(this, CoreMessage(GroupTooLongMessage));
        return;
    case SingleGlyphResult::RenderFailed:
        ShowMessage(this, tr("error!\n\n") + FailureText(result.Error));
        return;
    case SingleGlyphResult::LoadFailed:
    case SingleGlyphResult::WriteFailed:
        RepaintViews();
        ShowMessage(this, tr("字模文件没有写成：") + FailureText(result.Error));
        return;
    }
}

void CMainFrame::OnImportPicture()
{
    const QString picture = ChooseFile(
        this, {FileRequest::OpenFile, tr("导入图片文件"), m_output->Path(),
               {tr("BMP 文件(*.bmp)"), tr("JPG 文件(*.jpg *.jpeg)"), tr("GIF 文件(*.gif)"), tr("所有文件(*)")},
               QStringLiteral("bmp")});
    if (picture.isEmpty())
        return;
    ImportPicture(picture);
}

void CMainFrame::ImportPicture(const QString &path)
{
    const PictureConversion imported = ImportPictureGlyph(path, m_settings, m_matrix, *m_output);
    if (imported.State == PictureConversion::Failed) {
        ShowMessage(this, tr("图片没有导入：\n") + FailureText(imported.Error));
        return;
    }
    m_shownCharacter.clear();
    // The picture's size goes into the custom size edits, whose handlers refuse more than 1024.
    m_wndDlgBar->TypeCustomSize(imported.Width, imported.Height);
    RepaintViews();
}

void CMainFrame::OnCreatePictureData()
{
    const PictureDataResult result = CreatePictureData(m_settings, m_matrix, *m_output);
    switch (result.State) {
    case GlyphTextResult::Refused:
        ShowMessage(this, FailureText(result.Error));
        return;
    case GlyphTextResult::Failed:
        ShowMessage(this, tr("图片点阵数据没有写成：\n") + FailureText(result.Error));
        return;
    case GlyphTextResult::Written:
        OpenResult(result.FilePath);
        return;
    }
}

void CMainFrame::OnCreateIndexTable()
{
    m_pFontSel->PullFields();
    QString path;
    Failure error;
    switch (WriteIndexTable(m_pFontSel->ListText, *m_output, &path, &error)) {
    case IndexTableResult::EmptyList:
        return;
    case IndexTableResult::Failed:
        ShowMessage(this, tr("Index.c 没有写成：\n") + FailureText(error));
        return;
    case IndexTableResult::Written:
        OpenResult(path);
        return;
    }
}

void CMainFrame::OnExportAllGlyphFiles()
{
    const QString start = QFileInfo(m_exportDirectory).isDir() ? m_exportDirectory : m_output->Path();
    const QString folder = ChooseFile(this, {FileRequest::Directory, tr("Select a directory"), start, {}, {}});
    if (folder.isEmpty())
        return;
    m_exportDirectory = folder;
    // A whole character set is tens of thousands of files: they are copied beside the window,
    // which shows how far it has got and can stop it.
    ExportResult exported;
    JobControl copying;
    RunJob(this, copying, {tr("正在导出字模文件 …"), QStringLiteral("exportProgressDialog"), true},
           [&] { exported = ExportGlyphFiles(m_output->Path(), folder, &copying); });
    if (exported.Stopped) {
        statusBar()->showMessage(tr("导出已停止：已导出 %1 个文件到 %2").arg(exported.Copied).arg(folder), 10000);
        return;
    }
    if (!exported.Failures.isEmpty()) {
        ShowMessage(this, tr("有 %1 个文件没有导出：\n").arg(exported.Failures.size())
                              + FailureLines(exported.Failures));
        return;
    }
    statusBar()->showMessage(tr("已导出 %1 个文件到 %2").arg(exported.Copied).arg(folder), 10000);
}

void CMainFrame::OnImportCharset(CharacterSet set)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CharsetImport imported = LoadCharset(set, m_output->Path());
    if (imported.Ok)
        m_pFontSel->SetList(imported.Text, imported.Count);
    QApplication::restoreOverrideCursor();
    if (!imported.Ok) {
        ShowMessage(this, FailureText(imported.Error));
        return;
    }
    statusBar()->showMessage(tr("已导入 %1 个字符").arg(imported.Count), 5000);
}

void CMainFrame::OnConvertScripts(bool toTraditional)
{
    auto convert = toTraditional ? &ToTraditional : &ToSimplified;
    m_pFontSel->PullFields();
    const ScriptConversion list = convert(m_pFontSel->ListText);
    if (list.Error) {
        ShowMessage(this, FailureText(list.Error));
        return;
    }
    m_pFontSel->SetList(list.Text, m_pFontSel->CharCount);
    // The box's new text is drawn as any change of the box is.
    const ScriptConversion box = convert(CharBoxText());
    const QString converted = Cp936ToQString(box.Text);
    if (!box.Error && converted != m_wndCharBox->text())
        m_wndCharBox->setText(converted);
}

void CMainFrame::SetBusy(bool busy)
{
    m_commands->SetBatchCommandsEnabled(!busy);
    m_busy = busy;
    UpdateUndoActions();
    m_wndCharBox->setReadOnly(busy);
    m_wndDlgBar->setEnabled(!busy);
    m_pFontSel->setEnabled(!busy);
}

void CMainFrame::StartBatch(DataFile data)
{
    if (m_batch->Running())
        return;
    m_pFontSel->PullFields();
    const std::string list = m_pFontSel->ListText;
    m_batchData = data;
    // Data files are made of 8-bit groups in the typical layout. The group length stays chosen;
    // the layout is the run's own (BatchGenerate lays out its copy of the settings), so the
    // user's layout is never touched.
    if (data != DataFile::None)
        m_wndDlgBar->SelectGroupDigits(2);
    m_batch->Start(list, data, m_settings, m_matrix, [this](uint16_t &start) { return CIndexDlg::Ask(this, start); });
    ShowProgress(int(CountChars(list)));
    RepaintViews();
}

void CMainFrame::OnBatchFinished(const BatchResult &result, const DotMatrix &lastGlyph, int width, int height)
{
    const DataFile data = m_batchData;
    m_batchData = DataFile::None;
    // The window takes the last glyph back as if the run had filled its own matrix.
    m_matrix = lastGlyph;
    m_shownCharacter.clear();
    m_settings.Width = width;
    m_settings.Height = height;
    emit BatchFinished(result);
    if (EndRun())
        ReportBatch(result, data);
}

void CMainFrame::OnExportFont()
{
    m_pFontSel->PullFields();
    const int total = m_fontExport->Start(m_pFontSel->ListText, m_output->Path());
    if (total >= 0)
        ShowProgress(total);
}

void CMainFrame::ShowProgress(int total)
{
    SetBusy(true);
    CProgressDlg(m_batch->Control(), total, this).exec();
}

bool CMainFrame::EndRun()
{
    SetBusy(false);
    RepaintViews();
    if (!m_closeAfterBatch)
        return true;
    close();
    return false;
}

void CMainFrame::ReportBatch(const BatchResult &result, DataFile data)
{
    switch (result.State) {
    case BatchResult::Failed:
        if (result.FailedFile.isEmpty())
            ShowMessage(this, tr("字模生成在第 %1 个字符处中止：\n%2").arg(result.Glyphs + 1).arg(FailureText(result.Error)));
        else
            ShowMessage(this, tr("字模生成在写 %1 时中止：\n%2").arg(result.FailedFile, FailureText(result.Error)));
        return;
    case BatchResult::Cancelled:
        statusBar()->showMessage(tr("字模生成已停止"), 5000);
        return;
    case BatchResult::Done:
        break;
    }
    statusBar()->showMessage(tr("已生成 %1 个字模").arg(result.Glyphs) + MissingFontNote(m_settings.GlyphFont), 10000);
    GlyphSettings drawn = m_settings;
    drawn.OffsetY = result.OffsetY;
    if (const QString note = InkNotes::Text(result.Ink, drawn, result.OffsetY != m_settings.OffsetY); !note.isEmpty()) {
        m_messagePane->setText(note);
        m_messagePane->setToolTip(note);
    }
    if (data == DataFile::None) {
        OpenResult(result.AllPath);
        return;
    }
    const bool dat = data == DataFile::Dat;
    FileRequest request;
    request.Mode = FileRequest::SaveFile;
    request.Caption = tr("另存为");
    request.StartPath = m_output->Path();
    request.Filters = {dat ? tr("文件(*.dat)") : tr("文件(*.bin)"), tr("所有文件(*.*)")};
    request.DefaultSuffix = dat ? QStringLiteral("DAT") : QStringLiteral("BIN");
    const QString copy = ChooseFile(this, request);
    if (copy.isEmpty())
        return;
    Failure error;
    if (!CopyFileReplacing(result.DataPath, copy, &error))
        ShowMessage(this, tr("font.dat 没有复制成功：\n") + FailureText(error));
}
