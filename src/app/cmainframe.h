#pragma once
// CMainFrame: the main window. It owns the program's working state (the dot matrix, the
// generation settings and the output directory), lays out the toolbar with the character box,
// the status bar, the control bar and the three panes, and routes each command to the core and
// its outcome to the user.

#include "encode/batchrun.h"
#include "export/fontexport.h"
#include "l10n/language.h"
#include "output/outputdirectory.h"
#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"

#include <QMainWindow>

#include <memory>
#include <optional>
#include <string>

class BatchRunner;
struct BoxRenderResult;
class CControlBar;
class CDotrixDoc;
class CDotrixView;
class ClientPanes;
class FontExporter;
class GlyphEditor;
class CFontSel;
class CFontView;
class CommandActions;
class QAction;
class QDockWidget;
class QLabel;
class QLineEdit;
class QToolBar;

class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // Fixed document title shown after "Dotrix - " in the caption (translated when shown).
    static constexpr const char *DocumentTitleText = QT_TR_NOOP("字模数据");
    static inline const QString DocumentTitle = QString::fromUtf8(DocumentTitleText);

    explicit CMainFrame(const QString &programDir, QWidget *parent = nullptr);
    ~CMainFrame() override;

    GlyphSettings &Settings() { return m_settings; }
    DotMatrix &Matrix() { return m_matrix; }
    OutputDirectory &Output() { return *m_output; }

    // The action of a command identifier (CommandId), or nullptr.
    QAction *Action(int commandId) const;
    QLineEdit *CharBox() const { return m_wndCharBox; }
    CControlBar *ControlBar() const { return m_wndDlgBar; }
    CDotrixView *GlyphView() const { return m_pDotrixView; }
    CFontView *PreviewView() const { return m_pFontView; }
    CFontSel *CharacterList() const { return m_pFontSel; }
    CDotrixDoc *Document() const { return m_pDoc; }
    GlyphEditor *Editor() const { return m_editor; }

    // Every view's initial update: at start-up and on each new or opened document.
    void InitialUpdateViews();
    // Marks the glyph view and the preview for repainting.
    void RepaintViews();

    // Takes up what the user chose in earlier runs (windowsettings.h) and remembers the choices of
    // this run when the window closes. Returns the message to show when the remembered settings
    // had to be ignored, else an empty string.
    QString RestoreSettings();
    // Writes this run's choices as the ones to remember.
    void SaveSettings();
    // Takes up the work directory's patch file of hand-fixed glyphs (dotrix-patch.bdf), which
    // every output then draws in place of the font's. Returns the message to show when it cannot
    // be read or was drawn with another glyph size or font than the settings, else an empty string.
    QString LoadPatch();

    // Imports the picture at path as the file dialog's choice would.
    void ImportPicture(const QString &path);
    // True while a batch worker runs (and until its results are taken back).
    bool BatchRunning() const;
    // The font export's dialog and choices.
    FontExporter &FontExport() const { return *m_fontExport; }

signals:
    // A batch run has ended and its results are back in the window's state.
    void BatchFinished(const BatchResult &result);
    // A font export has ended.
    void ExportFinished(const FontExportResult &result);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateCharBox(QToolBar *toolBar);
    void CreateStatusBar();
    void CreateControlBar();
    void CreateClient();
    void ConnectCommands();
    // Gives every text of the window the language in use.
    void RetranslateUi();
    void SetCharBoxFont();
    void ChooseLanguage(Language language);

    // The character box's text in code page 936; characters without a code are counted in
    // skipped.
    std::string CharBoxText(int *skipped = nullptr) const;
    // Opens a written text file in the editor, or says where it is until the next command.
    void OpenResult(const QString &path);
    void ClearResultNote();

    // Command and control handlers.
    void OnCharTextChanged();
    void OnShift(int dx, int dy);
    // The glyph the box drew: a failure said, the dots shown. False when no glyph was loaded.
    bool ShowBoxGlyph(const BoxRenderResult &result);
    // The box's character drawn again (with the patch's glyphs): the character, or an empty
    // string when there is none to draw.
    std::string DrawBoxGlyph();
    // Editing the glyph by hand: the glyph editor's signals, the edit mode, the undo commands
    // and the shift commands (the patch's dots in edit mode, else the offsets as the control
    // bar's arrows move them).
    void ConnectEditor();
    void SetEditMode(bool on);
    void UpdateUndoActions();
    void OnShiftCommand(int dx, int dy);
    void OnChooseFont();
    void OnVisitWebSite();
    void OnGlyphFormat();
    void OnCreateSingleGlyph();
    void OnAppAbout();
    void OnExportAllGlyphFiles();
    void OnImportPicture();
    void OnCreatePictureData();
    void OnCreateIndexTable();
    void OnImportCharset(CharacterSet set);
    void OnConvertScripts(bool toTraditional);

    // The batch commands: start a run, show its progress, take its result back.
    void StartBatch(DataFile data);
    void OnBatchFinished(const BatchResult &result, const DotMatrix &lastGlyph, int width, int height);
    void ReportBatch(const BatchResult &result, DataFile data);
    // The font export: the list pane's characters, after the export dialog, run like a batch.
    void OnExportFont();
    void SetBusy(bool busy);
    // The window is busy while it shows the progress of the running job, out of total characters.
    void ShowProgress(int total);
    // After a run: the window takes its controls back, or closes when that was asked for while
    // the run went (false then).
    bool EndRun();

    GlyphSettings m_settings;
    DotMatrix m_matrix;
    std::unique_ptr<OutputDirectory> m_output;

    CommandActions *m_commands = nullptr;
    ClientPanes *m_panes = nullptr;
    FontExporter *m_fontExport = nullptr;
    QLineEdit *m_wndCharBox = nullptr;
    QLabel *m_messagePane = nullptr;
    CControlBar *m_wndDlgBar = nullptr;
    QDockWidget *m_controlDock = nullptr;
    CDotrixView *m_pDotrixView = nullptr;
    CFontView *m_pFontView = nullptr;
    CFontSel *m_pFontSel = nullptr;
    CDotrixDoc *m_pDoc = nullptr;
    GlyphEditor *m_editor = nullptr;
    // The character whose glyph the view shows (code page 936); empty for a picture or a batch's
    // last glyph.
    std::string m_shownCharacter;
    bool m_busy = false;

    // The batch worker uses the output directory: it is declared after it, so it goes first.
    std::unique_ptr<BatchRunner> m_batch;
    DataFile m_batchData = DataFile::None; // what the running batch makes besides All.c
    bool m_closeAfterBatch = false;

    // What is remembered beside the settings: where glyph files were last exported, the language
    // chosen under 查看, and whether this window remembers at all (the program's does; tests'
    // windows only when they ask).
    QString m_exportDirectory;
    std::optional<Language> m_chosenLanguage;
    bool m_rememberSettings = false;
};
