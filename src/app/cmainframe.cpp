// CMainFrame: the main window. Its construction, the command table, layout, remembered settings,
// the live drawing of the character box and the dialogs of the settings menu; the commands that
// make files and run batches are in cmainframecommands.cpp.
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
#include "glypheditor.h"
#include "inknotes.h"
#include "lockkeys.h"
#include "messages.h"
#include "l10n/failuretext.h"
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
#include "encode/boxrender.h"
#include "encode/pictureimport.h"
#include "export/patchfile.h"

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
#include <QUndoStack>

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
    m_editor = new GlyphEditor(m_settings, m_matrix, PatchPathIn(m_output->Path()), this);
    ConnectCommands();
    ConnectEditor();
    RetranslateUi();
    InitialUpdateViews();
}

CMainFrame::~CMainFrame()
{
    // The worker writes into the output directory this window owns: it stops first.
    m_batch.reset();
    // The undo stack goes with the window's children, after its actions; it tells nobody.
    m_editor->UndoStack()->disconnect(this);
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
        {CmdCreateAllGlyphs, [this] { StartBatch(DataFile::None); }},
        {CmdCreateAllToDat, [this] { StartBatch(DataFile::Dat); }},
        {CmdCreateAllToBin, [this] { StartBatch(DataFile::Bin); }},
        {CmdImportGB2312, [this] { OnImportCharset(CharacterSet::GB2312); }},
        {CmdImportGBK, [this] { OnImportCharset(CharacterSet::GBK); }},
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
    exportChoice.Compress = remembered.FontExport.Compress;
    exportChoice.FontName = remembered.FontExport.FontName;
    exportChoice.Advance = remembered.FontExport.Advance;
    exportChoice.Kerning = remembered.FontExport.Kerning;
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

QString CMainFrame::LoadPatch()
{
    const QString path = PatchPathIn(m_output->Path());
    if (!QFileInfo::exists(path))
        return {};
    auto patch = std::make_shared<GlyphPatch>();
    Failure failure;
    if (!LoadGlyphPatch(path, *patch, &failure))
        return tr("没有采用修补文件，字模按字体绘制：\n%1").arg(FailureText(failure));
    m_settings.Patch = std::move(patch);
    m_editor->PatchLoaded();
    // The character box's glyph is drawn again with the fixed glyphs.
    OnCharTextChanged();
    if (const Failure mismatch = CheckPatch(m_settings))
        return tr("修补文件与当前设置不符；生成字模和导出字库会拒绝它，直到设置改回：\n%1").arg(FailureText(mismatch));
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
    remembered.FontExport.Compress = exportChoice.Compress;
    remembered.FontExport.FontName = exportChoice.FontName;
    remembered.FontExport.Advance = exportChoice.Advance;
    remembered.FontExport.Kerning = exportChoice.Kerning;
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
    m_pDotrixView->SetEdited(m_editor && m_editor->Edited(m_shownCharacter));
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
        ShowMessage(this, tr("error!\n\n") + FailureText(result.Error));
    if (!result.Loaded)
        return false;
    m_shownCharacter = result.Character;
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

std::string CMainFrame::DrawBoxGlyph()
{
    const BoxRenderResult result = RenderBoxText(CharBoxText(), m_settings, m_matrix, *m_output);
    const bool shown = ShowBoxGlyph(result);
    return shown && !result.RenderFailed ? result.Character : std::string();
}

void CMainFrame::ConnectEditor()
{
    m_editor->SetGlyphDrawer([this] { return DrawBoxGlyph(); });
    connect(m_pDotrixView, &CDotrixView::StrokeBegun, m_editor, &GlyphEditor::BeginStroke);
    connect(m_pDotrixView, &CDotrixView::StrokeExtended, m_editor, &GlyphEditor::ExtendStroke);
    connect(m_pDotrixView, &CDotrixView::StrokeEnded, m_editor, &GlyphEditor::EndStroke);
    connect(m_pDotrixView, &CDotrixView::DotFlipped, m_editor, &GlyphEditor::FlipDot);
    // The view and the preview follow every dot of a stroke.
    connect(m_editor, &GlyphEditor::MatrixEdited, this, [this](const QString &note) {
        RepaintViews();
        statusBar()->showMessage(note, 5000);
    });
    // Each change of the patch draws the character again, as every output now draws it.
    connect(m_editor, &GlyphEditor::PatchChanged, this, [this](const QString &note) {
        DrawBoxGlyph();
        if (!note.isEmpty())
            statusBar()->showMessage(note, 5000);
    });
    connect(m_editor, &GlyphEditor::Notice, this, [this](const QString &note) { statusBar()->showMessage(note, 5000); });
    QUndoStack *undo = m_editor->UndoStack();
    connect(Action(CmdUndo), &QAction::triggered, undo, &QUndoStack::undo);
    connect(Action(CmdRedo), &QAction::triggered, undo, &QUndoStack::redo);
    connect(undo, &QUndoStack::canUndoChanged, this, &CMainFrame::UpdateUndoActions);
    connect(undo, &QUndoStack::canRedoChanged, this, &CMainFrame::UpdateUndoActions);
    UpdateUndoActions();
    connect(Action(CmdEditMode), &QAction::toggled, this, &CMainFrame::SetEditMode);
    connect(Action(CmdRevertGlyph), &QAction::triggered, m_editor, &GlyphEditor::RevertGlyph);
    const std::pair<CommandId, QPoint> shifts[] = {{CmdShiftGlyphUp, {0, -1}},
                                                   {CmdShiftGlyphDown, {0, 1}},
                                                   {CmdShiftGlyphLeft, {-1, 0}},
                                                   {CmdShiftGlyphRight, {1, 0}}};
    for (const auto &[id, step] : shifts)
        connect(Action(id), &QAction::triggered, this, [this, step] { OnShiftCommand(step.x(), step.y()); });
}

void CMainFrame::SetEditMode(bool on)
{
    m_pDotrixView->SetEditMode(on);
    if (on) {
        m_pDotrixView->setFocus(Qt::OtherFocusReason);
        statusBar()->showMessage(tr("修改字形：点击或拖动改点，Shift+点击画直线；方向键移动光标，空格翻转光标处的点"));
    } else {
        statusBar()->clearMessage();
    }
}

void CMainFrame::UpdateUndoActions()
{
    Action(CmdUndo)->setEnabled(!m_busy && m_editor->UndoStack()->canUndo());
    Action(CmdRedo)->setEnabled(!m_busy && m_editor->UndoStack()->canRedo());
}

void CMainFrame::OnShiftCommand(int dx, int dy)
{
    if (m_pDotrixView->EditMode())
        m_editor->ShiftGlyph(dx, dy);
    else
        OnShift(dx, dy);
}
