#pragma once
// CMainFrame: the main window. It owns the program's working state (the dot matrix, the
// generation settings and the output directory), builds the menus, toolbar with the character
// box, status bar, control bar and the three panes, and handles almost every command.

#include "encode/batchrun.h"
#include "export/fontexport.h"
#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"
#include "raster/outputdirectory.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>

class CControlBar;
class CDotrixDoc;
class CDotrixView;
class CFontSel;
class CFontView;
class QAction;
class QDockWidget;
class QLabel;
class QLineEdit;
class QSplitter;
class QToolBar;

class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    // Fixed document title shown after "Dotrix - " in the caption.
    static inline const QString DocumentTitle = QStringLiteral("字模数据");

    explicit CMainFrame(const QString &programDir, QWidget *parent = nullptr);
    ~CMainFrame() override;

    GlyphSettings &Settings() { return m_settings; }
    DotMatrix &Matrix() { return m_matrix; }
    OutputDirectory &Output() { return *m_output; }

    // The action of a command identifier (32777, ...), or nullptr.
    QAction *Action(int commandId) const;
    QLineEdit *CharBox() const { return m_wndCharBox; }
    CControlBar *ControlBar() const { return m_wndDlgBar; }
    CDotrixView *GlyphView() const { return m_pDotrixView; }
    CFontView *PreviewView() const { return m_pFontView; }
    CFontSel *CharacterList() const { return m_pFontSel; }
    CDotrixDoc *Document() const { return m_pDoc; }

    // Every view's initial update: at start-up and on each new or opened document.
    void InitialUpdateViews();
    // Marks the glyph view and the preview for repainting.
    void RepaintViews();

    // Command and control handlers.
    void OnCharTextChanged();
    void OnShiftLeft() { Shift(-1, 0); }
    void OnShiftRight() { Shift(1, 0); }
    void OnShiftUp() { Shift(0, -1); }
    void OnShiftDown() { Shift(0, 1); }
    void OnChooseFont();
    void OnVisitWebSite();
    void OnGlyphFormat();
    void OnCreateSingleGlyph();
    void OnAppAbout();
    void OnPrint();
    void OnCreateAllGlyphs() { StartBatch(BatchAllOnly); }
    void OnCreateAllToDat() { StartBatch(BatchDat); }
    void OnCreateAllToBin() { StartBatch(BatchBin); }
    void OnExportAllGlyphFiles();
    void OnImportPicture();
    // Imports the picture at path as the file dialog's choice would.
    void ImportPicture(const QString &path);
    void OnCreatePictureData();
    void OnCreateIndexTable();
    // Exports the list pane's characters as a font for a display library, after the export
    // dialog, with the progress dialog.
    void OnExportFont();
    // The export choices (format, bit depth, name, file) the export dialog shows next.
    FontExportRequest &ExportChoice() { return m_exportRequest; }
    // True while a batch worker runs (and until its results are taken back).
    bool BatchRunning() const { return m_batchThread != nullptr; }
    // The running batch's counter and stop switch (valid while BatchRunning()).
    BatchControl *RunningBatch() const { return m_batchControl.get(); }
    int BatchMode = BatchAllOnly;
    void OnImportGB2312();
    void OnImportGBK();
    void OnToTraditional();
    void OnToSimplified();
    void OnNextPane(int step);
    void OnSplit();

    void OnSizePreset(int width, int height);
    void OnCustomSize();
    void OnCustomWidthChanged();
    void OnCustomHeightChanged();
    void OnScanMode(int scanMode);
    void OnDataLengthChanged(int index);
    void OnInvert();
    void OnBitReverse();
    void OnZoomReleased();
    void OnZoomKeyboard(int value);

signals:
    // A batch run has ended and its results are back in the window's state.
    void BatchFinished(const BatchResult &result);
    // A font export has ended.
    void ExportFinished(const FontExportResult &result);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    bool CreateCharBox();
    void CreateStatusBar();
    void CreateControlBar();
    void CreateClient();
    void ConnectControlBar();
    void Shift(int dx, int dy);
    // The character box's text in code page 936; characters without a code are counted in
    // skipped.
    std::string CharBoxText(int *skipped = nullptr) const;
    void RefuseCustomSize();
    // Opens a written text file in the editor, or says where it is.
    void OpenResult(const QString &path);
    void StartBatch(int mode);
    void FinishBatch();
    void FinishExport();
    // Runs work on the worker thread while the progress dialog shows the progress of total;
    // finished runs on this thread once the worker has ended.
    void RunWorker(int total, std::function<void()> work, std::function<void()> finished);
    void OnWorkerFinished();
    // Shows the anti-aliased shades of the character last drawn from the box while an export
    // bit depth above 1 is chosen (bpp), and black and white dots otherwise.
    void UpdateShades(int bpp);
    bool AskIndex(uint16_t &start);
    void SetBusy(bool busy);
    void ImportCharset(int set);
    void ConvertScripts(bool toTraditional);
    void UpdateLockPanes();

    GlyphSettings m_settings;
    DotMatrix m_matrix;
    std::unique_ptr<OutputDirectory> m_output;

    std::map<int, QAction *> m_actions;
    QSplitter *m_wndSplitter = nullptr;
    QSplitter *m_wndLeftSplitter = nullptr;
    QToolBar *m_wndToolBar = nullptr;
    QLineEdit *m_wndCharBox = nullptr;
    QLabel *m_messagePane = nullptr;
    QLabel *m_lockPanes[3] = {};
    QDockWidget *m_controlDock = nullptr;
    CControlBar *m_wndDlgBar = nullptr;
    CDotrixView *m_pDotrixView = nullptr;
    CFontView *m_pFontView = nullptr;
    CFontSel *m_pFontSel = nullptr;
    CDotrixDoc *m_pDoc = nullptr;
    bool m_syncingCustomSize = false;
    QSplitter *m_trackingSplitter = nullptr;

    // The running batch: its own settings and matrix, so the window keeps painting its own.
    QThread *m_batchThread = nullptr;
    std::unique_ptr<BatchControl> m_batchControl;
    std::unique_ptr<GlyphSettings> m_batchSettings;
    std::unique_ptr<DotMatrix> m_batchMatrix;
    BatchResult m_batchResult;
    int m_savedOutputFormat = Typical;
    bool m_closeAfterBatch = false;
    std::function<void()> m_workerFinished;

    FontExportRequest m_exportRequest;
    FontExportResult m_exportResult;
    // The character the matrix holds when it was drawn from the box; empty after a picture or a
    // batch filled it.
    std::string m_shadedCharacter;
};
