#include "cmainframe.h"

#include "artwork.h"
#include "batchrunner.h"
#include "caboutdlg.h"
#include "ccontrolbar.h"
#include "cdotrixdoc.h"
#include "cdotrixview.h"
#include "cfontsel.h"
#include "cfontview.h"
#include "cglyphformatdlg.h"
#include "clientpanes.h"
#include "cindexdlg.h"
#include "commandactions.h"
#include "cprogressdlg.h"
#include "failuretexts.h"
#include "filechooser.h"
#include "fontexporter.h"
#include "inknotes.h"
#include "lockkeys.h"
#include "messages.h"
#include "openineditor.h"
#include "progressbox.h"
#include "userguide.h"
#include "windowsettings.h"

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
#include "raster/boxrender.h"
#include "raster/pictureimport.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include <atomic>

CMainFrame::CMainFrame(const QString &programDir, QWidget *parent)
    : QMainWindow(parent), m_output(std::make_unique<OutputDirectory>(programDir))
{
    setObjectName(QStringLiteral("mainFrame"));
    m_pDoc = new CDotrixDoc(*m_output, this);
    m_batch = std::make_unique<BatchRunner>(*m_output);
    setWindowIcon(ApplicationIcon());

    m_commands = new CommandActions(this);
    m_commands->FillMenuBar();
    QToolBar *toolBar = m_commands->CreateToolBar();
    CreateStatusBar();
    // Tab visits the character box, the control bar and the panes in the order they are made.
    CreateCharBox(toolBar);
    CreateControlBar();
    CreateClient();
    m_fontExport = new FontExporter(m_settings, *m_batch, this);
    ConnectCommands();
    RetranslateUi();
    InitialUpdateViews();
}

CMainFrame::~CMainFrame()
{
    // The worker writes into the output directory this window owns: it stops first.
    m_batch.reset();
}

QAction *CMainFrame::Action(int commandId) const
{
    return m_commands->Action(commandId);
}

bool CMainFrame::BatchRunning() const
{
    return m_batch->Running();
}

void CMainFrame::ConnectCommands()
{
    const std::pair<CommandId, std::function<void()>> calls[] = {
        {CmdChooseFont, [this] { OnChooseFont(); }},
        {CmdGlyphFormat, [this] { OnGlyphFormat(); }},
        {CmdCreateSingleGlyph, [this] { OnCreateSingleGlyph(); }},
        {CmdUserGuide, [this] { OnVisitWebSite(); }},
        {CmdAbout, [this] { OnAppAbout(); }},
        {CmdExportAllGlyphFiles, [this] { OnExportAllGlyphFiles(); }},
        {CmdCreateIndexTable, [this] { OnCreateIndexTable(); }},
        {CmdExportFont, [this] { OnExportFont(); }},
        {CmdImportPicture, [this] { OnImportPicture(); }},
        {CmdCreatePictureData, [this] { OnCreatePictureData(); }},
        {CmdExit, [this] { close(); }},
        {CmdCreateAllGlyphs, [this] { StartBatch(BatchAllOnly); }},
        {CmdCreateAllToDat, [this] { StartBatch(BatchDat); }},
        {CmdCreateAllToBin, [this] { StartBatch(BatchBin); }},
        {CmdImportGB2312, [this] { OnImportCharset(int(CharacterSet::GB2312)); }},
        {CmdImportGBK, [this] { OnImportCharset(int(CharacterSet::GBK)); }},
        {CmdToTraditional, [this] { OnConvertScripts(true); }},
        {CmdToSimplified, [this] { OnConvertScripts(false); }},
        {CmdPrint, [this] { m_pDotrixView->Print(); }},
        {CmdNextPane, [this] { m_panes->FocusNextPane(1); }},
        {CmdPreviousPane, [this] { m_panes->FocusNextPane(-1); }},
        {CmdSplit,
         [this] {
             // Keyboard tracking of the split bars until Enter or Esc.
             m_panes->TrackSplitBar();
             statusBar()->showMessage(tr("用方向键移动分隔条，回车或 Esc 结束"));
         }},
        {CmdSendSerial, [this] { m_pDoc->OnSendSerial(); }},
        {CmdSendFloppy, [this] { m_pDoc->OnSendFloppy(); }},
        {CmdSendRemovable, [this] { m_pDoc->OnSendRemovable(); }},
        {CmdFileNew, [this] { m_pDoc->OnFileNew(); }},
        {CmdFileOpen, [this] { m_pDoc->OnFileOpen(); }},
        {CmdFileSave, [this] { m_pDoc->OnFileSave(); }},
        {CmdLanguageChinese, [this] { ChooseLanguage(Language::Chinese); }},
        {CmdLanguageEnglish, [this] { ChooseLanguage(Language::English); }},
    };
    // Every command starts by taking back the note of the last one's written file.
    connect(m_commands, &CommandActions::CommandStarted, this, &CMainFrame::ClearResultNote);
    for (const auto &[id, call] : calls)
        connect(Action(id), &QAction::triggered, this, call);

    connect(m_pDoc, &CDotrixDoc::Reset, this, &CMainFrame::InitialUpdateViews);
    // The views' fresh start puts back the size and the offsets; the control bar shows them.
    connect(m_pDoc, &CDotrixDoc::Reset, m_wndDlgBar, [this] { m_wndDlgBar->ShowSettings(false); });
    connect(m_pDoc, &CDotrixDoc::StatusMessage, this, [this](const QString &text) {
        statusBar()->showMessage(text, 10000);
    });
    connect(m_pFontSel, &CFontSel::StatusMessage, this, [this](const QString &text) {
        statusBar()->showMessage(text, 5000);
    });
    connect(m_wndDlgBar, &CControlBar::SettingsChanged, this, &CMainFrame::RepaintViews);
    connect(m_wndDlgBar, &CControlBar::ShiftRequested, this, &CMainFrame::OnShift);
    connect(m_batch.get(), &BatchRunner::Finished, this, &CMainFrame::OnBatchFinished);
    connect(m_batch.get(), &BatchRunner::ExportFinished, this, [this](const FontExportResult &result) {
        emit ExportFinished(result);
        if (EndRun())
            m_fontExport->Report(result);
    });
}

void CMainFrame::RetranslateUi()
{
    setWindowTitle(ApplicationTitle + QStringLiteral(" - ") + tr(DocumentTitleText));
    m_commands->RetranslateUi();
    m_wndCharBox->setPlaceholderText(tr("在此输入要生成字模的字符"));
    ClearResultNote();
    m_controlDock->setWindowTitle(tr("控制栏"));
    m_wndDlgBar->RetranslateUi();
    m_pFontSel->RetranslateUi();
    Action(CurrentLanguage() == Language::Chinese ? CmdLanguageChinese : CmdLanguageEnglish)->setChecked(true);
}

void CMainFrame::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QMainWindow::changeEvent(event);
}

void CMainFrame::CreateCharBox(QToolBar *toolBar)
{
    m_wndCharBox = new QLineEdit;
    m_wndCharBox->setObjectName(QStringLiteral("charBox"));
    // While a batch runs the box is read-only, yet Qt lets an input method's text into it.
    m_wndCharBox->installEventFilter(this);
    m_wndCharBox->setProperty("controlId", CharBoxControlId);
    SetCharBoxFont();
    m_wndCharBox->setMinimumWidth(1);
    m_wndCharBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    toolBar->addWidget(m_wndCharBox);
    connect(m_wndCharBox, &QLineEdit::textChanged, this, &CMainFrame::OnCharTextChanged);
}

void CMainFrame::SetCharBoxFont()
{
    // The box shows its text in the glyph font's face at a size that reads well.
    QFont font(m_settings.GlyphFont.ResolvedFace());
    font.setPointSize(12);
    m_wndCharBox->setFont(font);
}

void CMainFrame::ChooseLanguage(Language language)
{
    m_chosenLanguage = language;
    SetLanguage(language);
}

QString CMainFrame::RestoreSettings()
{
    m_rememberSettings = true;
    QSettings store;
    const WindowSettingsRead read = ReadWindowSettings(store);
    if (!read.Settings)
        return read.Problem.isEmpty() ? QString() : tr("没有采用记住的设置，本次使用默认设置：\n%1").arg(read.Problem);
    const WindowSettings &remembered = *read.Settings;
    // The user's choices; what this run holds (the text, the picture's name) stays.
    GlyphSettings chosen = remembered.Glyph;
    chosen.CurrentText = m_settings.CurrentText;
    chosen.PictureName = m_settings.PictureName;
    m_settings = chosen;
    m_wndDlgBar->ShowSettings(remembered.CustomSize);
    SetCharBoxFont();
    m_exportDirectory = remembered.ExportDirectory;
    FontExportRequest &exportChoice = m_fontExport->Choice();
    exportChoice.Format = remembered.FontExport.Format;
    exportChoice.Bpp = remembered.FontExport.Bpp;
    exportChoice.FontName = remembered.FontExport.FontName;
    m_chosenLanguage = remembered.ChosenLanguage;
    // Pictures of an earlier layout that no longer fit are left alone by Qt.
    if (!remembered.Geometry.isEmpty())
        restoreGeometry(remembered.Geometry);
    restoreState(remembered.BarLayout);
    m_panes->restoreState(remembered.OuterSplit);
    m_panes->LeftColumn()->restoreState(remembered.LeftSplit);
    RepaintViews();
    return {};
}

void CMainFrame::SaveSettings()
{
    WindowSettings remembered;
    remembered.Glyph = m_settings;
    remembered.Glyph.CurrentText.clear();
    remembered.Glyph.PictureName.clear();
    remembered.CustomSize = m_wndDlgBar->CustomSizeChosen();
    remembered.ExportDirectory = m_exportDirectory;
    const FontExportRequest &exportChoice = m_fontExport->Choice();
    remembered.FontExport.Format = exportChoice.Format;
    remembered.FontExport.Bpp = exportChoice.Bpp;
    remembered.FontExport.FontName = exportChoice.FontName;
    remembered.ChosenLanguage = m_chosenLanguage;
    remembered.Geometry = saveGeometry();
    remembered.BarLayout = saveState();
    remembered.OuterSplit = m_panes->saveState();
    remembered.LeftSplit = m_panes->LeftColumn()->saveState();
    QSettings store;
    WriteWindowSettings(store, remembered);
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    m_messagePane = new QLabel;
    m_messagePane->setObjectName(QStringLiteral("messagePane"));
    // A long path is cut at the pane's edge (its tooltip holds all of it) instead of widening
    // the window, and can be selected and copied.
    m_messagePane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_messagePane->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar->addWidget(m_messagePane, 1);
    AddLockKeyPanes(bar);
    connect(Action(CmdViewStatusBar), &QAction::toggled, bar, &QStatusBar::setVisible);
    Action(CmdViewStatusBar)->setChecked(true);
}

void CMainFrame::CreateControlBar()
{
    m_wndDlgBar = new CControlBar(m_settings);
    auto *dock = new QDockWidget(this);
    m_controlDock = dock;
    dock->setObjectName(QStringLiteral("controlDock"));
    // On a low screen the control bar scrolls instead of making the window taller than the screen.
    dock->setWidget(ScrollingPane(m_wndDlgBar));
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    dock->setFeatures(QDockWidget::DockWidgetMovable);
    dock->setTitleBarWidget(new QWidget);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
}

void CMainFrame::CreateClient()
{
    m_panes = new ClientPanes(m_settings, m_matrix, this);
    m_pDotrixView = m_panes->GlyphView();
    m_pFontView = m_panes->Preview();
    m_pFontSel = m_panes->CharacterList();
    setCentralWidget(m_panes);
    m_panes->SetOuterPanes({m_wndCharBox, m_wndDlgBar});
    // What the user does first is type the characters.
    m_wndCharBox->setFocus();
    connect(m_panes, &ClientPanes::TrackingFinished, statusBar(), &QStatusBar::clearMessage);
}

void CMainFrame::InitialUpdateViews()
{
    m_pDotrixView->OnInitialUpdate();
    m_pFontSel->OnInitialUpdate();
    RepaintViews();
}

void CMainFrame::RepaintViews()
{
    m_pDotrixView->UpdateExtent();
    m_pDotrixView->update();
    m_pFontView->update();
}

std::string CMainFrame::CharBoxText(int *skipped) const
{
    std::vector<std::string> left;
    std::string text = QStringToCp936(m_wndCharBox ? m_wndCharBox->text() : QString(), &left);
    if (skipped)
        *skipped = int(left.size());
    return text;
}

void CMainFrame::OpenResult(const QString &path)
{
    if (OpenInEditor(path))
        return;
    // Where no editor can be started the user still learns where the file is: it stays in the
    // status bar (not as a passing message that a hovered button wipes) until the next command.
    const QFileInfo file(path);
    m_messagePane->setText(tr("没有能打开 %1 的文本编辑器。它已写入文件夹 %2")
                               .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath())));
    m_messagePane->setToolTip(QDir::toNativeSeparators(file.absoluteFilePath()));
}

void CMainFrame::ClearResultNote()
{
    m_messagePane->setText(tr("就绪"));
    m_messagePane->setToolTip(QString());
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    // Text typed through an input method would draw the character into the output directory
    // that the running batch owns (and wait there for it).
    if (watched == m_wndCharBox && event->type() == QEvent::InputMethod && m_wndCharBox->isReadOnly())
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::OnCharTextChanged()
{
    int skipped = 0;
    const std::string text = CharBoxText(&skipped);
    if (skipped > 0)
        statusBar()->showMessage(tr("已略去 %1 个在 GBK 编码中没有的字符").arg(skipped), 5000);
    const BoxRenderResult result = RenderBoxText(text, m_settings, m_matrix, *m_output, [this](const std::string &ch) {
        m_pFontSel->AddTypedCharacter(ch);
    });
    ShowBoxGlyph(result);
}

void CMainFrame::OnShift(int dx, int dy)
{
    const BoxRenderResult result = ShiftAndRender(dx, dy, CharBoxText(), m_settings, m_matrix, *m_output);
    if (ShowBoxGlyph(result))
        m_wndDlgBar->ShowShiftedOffset(dx, dy);
}

bool CMainFrame::ShowBoxGlyph(const BoxRenderResult &result)
{
    if (result.RenderFailed)
        ShowMessage(this, tr("error!\n\n") + result.Error);
    if (!result.Loaded)
        return false;
    InkNotes::ShowAfterRender(statusBar(), result.Character, result.Ink, m_settings);
    m_wndDlgBar->ShowDrawnFont();
    RepaintViews();
    return true;
}

void CMainFrame::OnChooseFont()
{
    QFont initial(m_settings.GlyphFont.ResolvedFace());
    initial.setPointSizeF(std::max(1.0, m_settings.GlyphFont.PointSize));
    initial.setItalic(m_settings.GlyphFont.Italic);
    initial.setUnderline(m_settings.GlyphFont.Underline);
    initial.setStrikeOut(m_settings.GlyphFont.StrikeOut);
    if (m_settings.GlyphFont.Weight > 0)
        initial.setWeight(QFont::Weight(m_settings.GlyphFont.Weight));
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this, tr("设置字体"));
    if (!ok)
        return;
    m_settings.GlyphFont = GlyphFontDesc::FromQFont(chosen);
    SetCharBoxFont();
    OnCharTextChanged();
}

void CMainFrame::OnVisitWebSite()
{
    const QString guide = FindUserGuide();
    if (guide.isEmpty()) {
        ShowMessage(this, tr("找不到用户指南 user-guide.html。\n找过这些地方：\n")
                              + UserGuidePlaces().join(QLatin1Char('\n')));
        return;
    }
    // The guide is there; what is missing is a program to show it.
    if (!OpenDocument(guide))
        ShowMessage(this, tr("没有能打开用户指南的浏览器。\n请用浏览器打开：\n%1").arg(guide));
}

void CMainFrame::OnGlyphFormat()
{
    CGlyphFormatDlg dialog(m_settings, this);
    dialog.exec();
    RepaintViews();
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::OnCreateSingleGlyph()
{
    // The command clears the glyph files of earlier runs first; after a whole character set
    // they are tens of thousands, deleted beside the window.
    if (m_output->WrittenFiles().size() > 2000)
        RunWithProgressBox(this, {tr("正在删除上次生成的字模文件 …"), QStringLiteral("deleteProgressDialog"),
                                  [this] { DeleteGlyphFiles(*m_output); }, {}, {}});
    const SingleGlyphResult result = CreateSingleGlyph(CharBoxText(), m_settings, m_matrix, *m_output);
    switch (result.State) {
    case SingleGlyphResult::EmptyText:
        return;
    case SingleGlyphResult::Written:
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
        ShowMessage(this, tr("error!\n\n") + result.Error);
        return;
    case SingleGlyphResult::LoadFailed:
    case SingleGlyphResult::WriteFailed:
        RepaintViews();
        ShowMessage(this, tr("字模文件没有写成：") + result.Error);
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
        ShowMessage(this, tr("图片没有导入：\n") + PictureFailureText(path, imported, m_output->Path()));
        return;
    }
    // The picture's size goes into the custom size edits, whose handlers refuse more than 1024.
    m_wndDlgBar->TypeCustomSize(imported.Width, imported.Height);
    RepaintViews();
}

void CMainFrame::OnCreatePictureData()
{
    const PictureDataResult result = CreatePictureData(m_settings, m_matrix, *m_output);
    switch (result.State) {
    case GlyphTextResult::Refused:
        ShowMessage(this, CoreMessage(result.Error));
        return;
    case GlyphTextResult::Failed:
        ShowMessage(this, tr("图片点阵数据没有写成：\n") + result.Error);
        return;
    case GlyphTextResult::Written:
        OpenResult(result.FilePath);
        return;
    }
}

void CMainFrame::OnCreateIndexTable()
{
    m_pFontSel->PullFields();
    QString path, error;
    switch (WriteIndexTable(m_pFontSel->ListText, *m_output, &path, &error)) {
    case IndexTableResult::EmptyList:
        return;
    case IndexTableResult::Failed:
        ShowMessage(this, tr("Index.c 没有写成：\n") + error);
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
    std::atomic<int> percent{0};
    std::atomic<bool> stop{false};
    RunWithProgressBox(this, {tr("正在导出字模文件 …"), QStringLiteral("exportProgressDialog"),
                              [&] {
                                  exported = ExportGlyphFiles(m_output->Path(), folder, [&](int tried, int total) {
                                      percent = int(tried * 100LL / total);
                                      return !stop;
                                  });
                              },
                              [&] { return int(percent); },
                              [&] { stop = true; }});
    if (exported.Stopped) {
        statusBar()->showMessage(tr("导出已停止：已导出 %1 个文件到 %2").arg(exported.Copied).arg(folder), 10000);
        return;
    }
    if (!exported.Failures.isEmpty()) {
        ShowMessage(this, tr("有 %1 个文件没有导出：\n").arg(exported.Failures.size())
                              + QStringList(exported.Failures.mid(0, 10)).join(QLatin1Char('\n')));
        return;
    }
    statusBar()->showMessage(tr("已导出 %1 个文件到 %2").arg(exported.Copied).arg(folder), 10000);
}

void CMainFrame::OnImportCharset(int set)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CharsetImport imported = LoadCharset(CharacterSet(set), m_output->Path());
    if (imported.Ok)
        m_pFontSel->SetList(imported.Text, imported.Count);
    QApplication::restoreOverrideCursor();
    if (!imported.Ok) {
        ShowMessage(this, imported.Error);
        return;
    }
    statusBar()->showMessage(tr("已导入 %1 个字符").arg(imported.Count), 5000);
}

void CMainFrame::OnConvertScripts(bool toTraditional)
{
    auto convert = toTraditional ? &ToTraditional : &ToSimplified;
    m_pFontSel->PullFields();
    const ScriptConversion list = convert(m_pFontSel->ListText);
    if (!list.Error.isEmpty()) {
        ShowMessage(this, list.Error);
        return;
    }
    m_pFontSel->SetList(list.Text, m_pFontSel->CharCount);
    // The box's new text is drawn as any change of the box is.
    const ScriptConversion box = convert(CharBoxText());
    const QString converted = Cp936ToQString(box.Text);
    if (box.Error.isEmpty() && converted != m_wndCharBox->text())
        m_wndCharBox->setText(converted);
}

void CMainFrame::SetBusy(bool busy)
{
    m_commands->SetBatchCommandsEnabled(!busy);
    m_wndCharBox->setReadOnly(busy);
    m_wndDlgBar->setEnabled(!busy);
    m_pFontSel->setEnabled(!busy);
}

void CMainFrame::StartBatch(int mode)
{
    if (m_batch->Running())
        return;
    m_pFontSel->PullFields();
    const std::string list = m_pFontSel->ListText;
    m_batchMode = mode;
    if (mode != BatchAllOnly) {
        // Data files are made of 8-bit groups in the typical layout; the group length stays.
        m_wndDlgBar->SelectGroupDigits(2);
        m_savedOutputFormat = m_settings.OutputFormat;
        m_settings.OutputFormat = Typical;
    }
    m_batch->Start(list, mode, m_settings, m_matrix, [this](uint16_t &start) { return CIndexDlg::Ask(this, start); });
    ShowProgress(int(CountChars(list)));
    if (mode != BatchAllOnly)
        m_settings.OutputFormat = m_savedOutputFormat;
    RepaintViews();
}

void CMainFrame::OnBatchFinished(const BatchResult &result, const DotMatrix &lastGlyph, int width, int height)
{
    const int mode = m_batchMode;
    m_batchMode = BatchAllOnly;
    // The window takes the last glyph back as if the run had filled its own matrix.
    m_matrix = lastGlyph;
    m_settings.Width = width;
    m_settings.Height = height;
    // A window that closes before StartBatch puts the format back remembers the user's.
    if (m_closeAfterBatch && mode != BatchAllOnly)
        m_settings.OutputFormat = m_savedOutputFormat;
    emit BatchFinished(result);
    if (EndRun())
        ReportBatch(result, mode);
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

void CMainFrame::ReportBatch(const BatchResult &result, int mode)
{
    switch (result.State) {
    case BatchResult::Failed:
        if (result.FailedFile.isEmpty())
            ShowMessage(this, tr("字模生成在第 %1 个字符处中止：\n%2").arg(result.Glyphs + 1).arg(result.Error));
        else
            ShowMessage(this, tr("字模生成在写 %1 时中止：\n%2").arg(result.FailedFile, result.Error));
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
    if (mode == BatchAllOnly) {
        OpenResult(result.AllPath);
        return;
    }
    const bool dat = mode == BatchDat;
    FileRequest request;
    request.Mode = FileRequest::SaveFile;
    request.Caption = tr("另存为");
    request.StartPath = m_output->Path();
    request.Filters = {dat ? tr("文件(*.dat)") : tr("文件(*.bin)"), tr("所有文件(*.*)")};
    request.DefaultSuffix = dat ? QStringLiteral("DAT") : QStringLiteral("BIN");
    const QString copy = ChooseFile(this, request);
    if (copy.isEmpty())
        return;
    QString error;
    if (!CopyFileReplacing(result.DataPath, copy, &error))
        ShowMessage(this, tr("font.dat 没有复制成功：\n") + error);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (m_batch->Running()) {
        // The run stops at its next character; the window closes when it has.
        m_batch->Cancel();
        m_closeAfterBatch = true;
        event->ignore();
        return;
    }
    if (m_rememberSettings)
        SaveSettings();
    QMainWindow::closeEvent(event);
}
