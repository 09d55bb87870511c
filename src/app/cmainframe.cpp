#include "cmainframe.h"
#include "filechooser.h"

#include "artwork.h"
#include "caboutdlg.h"
#include "ccontrolbar.h"
#include "cdotrixdoc.h"
#include "cdotrixview.h"
#include "cfontsel.h"
#include "cfontview.h"
#include "cglyphformatdlg.h"
#include "cindexdlg.h"
#include "cprogressdlg.h"
#include "encode/indextable.h"
#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "charset/scriptconvert.h"
#include "encode/singleglyph.h"
#include "filechooser.h"
#include "lockkeys.h"
#include "messages.h"
#include "openineditor.h"
#include "progressbox.h"
#include "raster/boxrender.h"
#include "raster/pictureimport.h"
#include "encode/glyphtext.h"
#include "userguide.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QThread>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollArea>
#include <QScreen>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <atomic>

namespace {

// The program's commands: identifier, pop-up menu, menu text, whether a separator comes first,
// and the status-bar prompt and tooltip ("prompt\ntooltip").
struct CommandSpec
{
    int Id;
    const char *Menu;
    const char *Text;
    bool SeparatorBefore;
    const char *Prompt;
};

const CommandSpec Commands[] = {
    {32787, "文件(&F)", "导入GB2312简体中文字符集", false, nullptr},
    {32791, "文件(&F)", "导入GBK中文字符集", false, nullptr},
    {32780, "文件(&F)", "导入图片文件", false, nullptr},
    {32774, "文件(&F)", "导出所有字模文件", true, "保存所有字模文件\n保存所有字模文件"},
    {57665, "文件(&F)", "退出(&X)", true, "退出应用程序；提示保存文档\n退出"},
    {32772, "设置", "设置字体", false, "设置字体\n设置字体"},
    {32781, "设置", "设置字模格式", false, "字模格式\n设置字模格式"},
    {32792, "设置", "转为繁体", true, nullptr},
    {32793, "设置", "转为简体", false, nullptr},
    {32777, "创建点阵数据", "创建单个字模", false, "创建单个字模\n创建单个字模"},
    {32773, "创建点阵数据", "创建所有字模", false, "创建所有点阵字模\n创建所有点阵字模"},
    {32788, "创建点阵数据", "创建所有字模到DAT文件", false, nullptr},
    {32789, "创建点阵数据", "创建所有字模到二进制文件", false, nullptr},
    {32784, "创建点阵数据", "创建图片点阵数据", false, "创建图片点阵数据\n创建图片点阵数据"},
    {32801, "创建点阵数据", "创建字符索引表", false, nullptr},
    {32798, "数据通讯", "通过RS232串口传送字模数据", false, nullptr},
    {32799, "数据通讯", "发送到软盘", false, nullptr},
    {32800, "数据通讯", "发送到移动存储设备", false, nullptr},
    {59392, "查看(&V)", "工具栏(&T)", false, "显示或隐藏工具栏\n显隐工具栏"},
    {59393, "查看(&V)", "状态栏(&S)", false, "显示或隐藏状态栏\n显隐状态栏"},
    {57653, "查看(&V)", "分隔(&P)", false, "将活动的窗口分隔成窗格\n分隔"},
    {32797, "帮助(&H)", "阅读 Dotrix 用户指南，了解更多信息", false, nullptr},
    {57664, "帮助(&H)", "关于 Dotrix(&A)...", false, "显示程序信息，版本号和版权\n关于"},
};

const char *const MenuOrder[] = {"文件(&F)", "设置", "创建点阵数据", "数据通讯", "查看(&V)", "帮助(&H)"};

const int ToolbarOrder[] = {32777, 32773, 32784, 32772, 32781, 32774, 32792, 32793, 57664};

// Commands that may not start while a batch worker writes the output directory (a new font
// draws the box's character there).
const int BatchExclusiveCommands[] = {32777, 32773, 32788, 32789, 32774, 32801, 32787, 32791,
                                      32792, 32793, 32780, 32784, 32798, 32799, 32800, 32772};

constexpr int CharBoxId = 32771;
// The preview row's height where the screen has room for it and the glyph view, and the least it
// keeps on a small screen.
constexpr int PreviewRowHeight = 320;
constexpr int MinPreviewRowHeight = 120;
const QString IdleText = QStringLiteral("就绪");

// A decimal integer as the C library reads it: leading blanks, an optional sign, digits up to
// the first other character; no digits give 0. Values too large for an int saturate.
int ReadDecimal(const QString &text)
{
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    long long value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        value = std::min<long long>(value * 10 + (text[i].unicode() - '0'), 1LL << 40);
    value = negative ? -value : value;
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// Why a picture was not imported, in the window's language (the core's own text is English).
QString PictureFailureText(const QString &path, const PictureConversion &converted, const QString &outputDir)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (converted.Problem) {
    case PictureConversion::NotAFile:
        return QStringLiteral("%1 不存在或不是文件。").arg(shown);
    case PictureConversion::NotAPicture:
        return QStringLiteral("%1 不是 Dotrix 能读的图片（BMP、JPEG、GIF）：%2").arg(shown, converted.Detail);
    case PictureConversion::Undecodable:
        return QStringLiteral("%1 无法解码：%2").arg(shown, converted.Detail);
    case PictureConversion::NotWritten: {
        const QFileInfo folder(outputDir);
        const QString why = !folder.isDir()        ? QStringLiteral("工作文件夹不存在")
                            : !folder.isWritable() ? QStringLiteral("工作文件夹没有写入权限")
                                                   : QStringLiteral("磁盘已满，或文件被占用");
        return QStringLiteral("无法在 %1 中写入 tmp.bmp：%2").arg(QDir::toNativeSeparators(outputDir), why);
    }
    case PictureConversion::NoReason:
        break;
    }
    return converted.Error;
}

} // namespace

CMainFrame::CMainFrame(const QString &programDir, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainFrame"));
    m_settings.ProgramDir = programDir;
    m_output = std::make_unique<OutputDirectory>(programDir);
    m_pDoc = new CDotrixDoc(this);
    setWindowIcon(ApplicationIcon());
    setWindowTitle(ApplicationTitle + QStringLiteral(" - ") + DocumentTitle);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateControlBar();
    if (!CreateCharBox())
        ShowMessage(this, QStringLiteral("Create My Combo ToolBar Failure"));
    CreateClient();
    ConnectControlBar();
    InitialUpdateViews();
}

CMainFrame::~CMainFrame()
{
    // The worker uses state this window owns: stop it and let it finish first. Its questions to
    // this thread are answered (with "stop") while it winds down.
    if (QThread *thread = m_batchThread) {
        // Its finished handler, should it still come, finds no run to take back: the run is
        // stopped and its thread deleted here.
        m_batchThread = nullptr;
        m_batchControl->Cancel = true;
        while (!thread->wait(20))
            QCoreApplication::processEvents();
        delete thread;
    }
}

QAction *CMainFrame::Action(int commandId) const
{
    const auto it = m_actions.find(commandId);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions()
{
    for (const CommandSpec &command : Commands) {
        auto *action = new QAction(QString::fromUtf8(command.Text), this);
        action->setData(command.Id);
        action->setObjectName(QStringLiteral("command%1").arg(command.Id));
        if (command.Prompt) {
            const QStringList parts = QString::fromUtf8(command.Prompt).split(QLatin1Char('\n'));
            action->setStatusTip(parts.value(0));
            action->setToolTip(parts.value(1));
        }
        action->setIcon(ToolbarIcon(command.Id));
        action->setIconVisibleInMenu(false);
        // Every command starts by taking back the note of the last one's written file.
        connect(action, &QAction::triggered, this, &CMainFrame::ClearResultNote);
        m_actions[command.Id] = action;
    }

    connect(Action(57665), &QAction::triggered, this, &QWidget::close);
    connect(Action(32772), &QAction::triggered, this, &CMainFrame::OnChooseFont);
    connect(Action(32781), &QAction::triggered, this, &CMainFrame::OnGlyphFormat);
    connect(Action(32777), &QAction::triggered, this, &CMainFrame::OnCreateSingleGlyph);
    connect(Action(32797), &QAction::triggered, this, &CMainFrame::OnVisitWebSite);
    connect(Action(57664), &QAction::triggered, this, &CMainFrame::OnAppAbout);
    connect(Action(57653), &QAction::triggered, this, &CMainFrame::OnSplit);
    connect(Action(32773), &QAction::triggered, this, &CMainFrame::OnCreateAllGlyphs);
    connect(Action(32788), &QAction::triggered, this, &CMainFrame::OnCreateAllToDat);
    connect(Action(32789), &QAction::triggered, this, &CMainFrame::OnCreateAllToBin);
    connect(Action(32774), &QAction::triggered, this, &CMainFrame::OnExportAllGlyphFiles);
    connect(Action(32801), &QAction::triggered, this, &CMainFrame::OnCreateIndexTable);
    connect(Action(32780), &QAction::triggered, this, &CMainFrame::OnImportPicture);
    connect(Action(32798), &QAction::triggered, m_pDoc, &CDotrixDoc::OnSendSerial);
    connect(Action(32799), &QAction::triggered, m_pDoc, &CDotrixDoc::OnSendFloppy);
    connect(Action(32800), &QAction::triggered, m_pDoc, &CDotrixDoc::OnSendRemovable);
    connect(Action(32784), &QAction::triggered, this, &CMainFrame::OnCreatePictureData);
    connect(Action(32787), &QAction::triggered, this, &CMainFrame::OnImportGB2312);
    connect(Action(32791), &QAction::triggered, this, &CMainFrame::OnImportGBK);
    connect(Action(32792), &QAction::triggered, this, &CMainFrame::OnToTraditional);
    connect(Action(32793), &QAction::triggered, this, &CMainFrame::OnToSimplified);
    Action(59392)->setCheckable(true);
    Action(59393)->setCheckable(true);

    // Keyboard commands without a menu item: document commands, printing, pane cycling.
    const struct {
        int Id;
        QKeySequence Keys;
        std::function<void()> Handler;
    } keys[] = {
        {57600, QKeySequence(Qt::CTRL | Qt::Key_N), [this] { m_pDoc->OnFileNew(); }},
        {57601, QKeySequence(Qt::CTRL | Qt::Key_O), [this] { m_pDoc->OnFileOpen(); }},
        {57603, QKeySequence(Qt::CTRL | Qt::Key_S), [this] { m_pDoc->OnFileSave(); }},
        {57607, QKeySequence(Qt::CTRL | Qt::Key_P), [this] { OnPrint(); }},
        {57680, QKeySequence(Qt::Key_F6), [this] { OnNextPane(1); }},
        {57681, QKeySequence(Qt::SHIFT | Qt::Key_F6), [this] { OnNextPane(-1); }},
    };
    for (const auto &key : keys) {
        auto *action = new QAction(this);
        action->setData(key.Id);
        action->setObjectName(QStringLiteral("command%1").arg(key.Id));
        action->setShortcut(key.Keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, &CMainFrame::ClearResultNote);
        connect(action, &QAction::triggered, this, key.Handler);
        addAction(action);
        m_actions[key.Id] = action;
    }
}

void CMainFrame::CreateMenus()
{
    for (const char *menuTitle : MenuOrder) {
        QMenu *menu = menuBar()->addMenu(QString::fromUtf8(menuTitle));
        for (const CommandSpec &command : Commands) {
            if (qstrcmp(command.Menu, menuTitle) != 0)
                continue;
            if (command.SeparatorBefore)
                menu->addSeparator();
            menu->addAction(Action(command.Id));
        }
    }
}

void CMainFrame::CreateToolBar()
{
    m_wndToolBar = addToolBar(QStringLiteral("工具栏"));
    m_wndToolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_wndToolBar->setIconSize(QSize(28, 28));
    m_wndToolBar->setMovable(true);
    for (int id : ToolbarOrder)
        m_wndToolBar->addAction(Action(id));
    connect(Action(59392), &QAction::toggled, m_wndToolBar, &QToolBar::setVisible);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, Action(59392), &QAction::setChecked);
    Action(59392)->setChecked(true);
}

bool CMainFrame::CreateCharBox()
{
    m_wndCharBox = new QLineEdit;
    m_wndCharBox->setObjectName(QStringLiteral("charBox"));
    // While a batch runs the box is read-only, yet Qt lets an input method's text into it.
    m_wndCharBox->installEventFilter(this);
    m_wndCharBox->setProperty("controlId", CharBoxId);
    // The box shows its text in the glyph font's face at a size that reads well.
    QFont font(m_settings.GlyphFont.ResolvedFace());
    font.setPointSize(12);
    m_wndCharBox->setFont(font);
    m_wndCharBox->setMinimumWidth(1);
    m_wndCharBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_wndCharBox->setPlaceholderText(QStringLiteral("在此输入要生成字模的字符"));
    m_wndToolBar->addWidget(m_wndCharBox);
    connect(m_wndCharBox, &QLineEdit::textChanged, this, &CMainFrame::OnCharTextChanged);
    return true;
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    m_messagePane = new QLabel(IdleText);
    m_messagePane->setObjectName(QStringLiteral("messagePane"));
    // A long path is cut at the pane's edge (its tooltip holds all of it) instead of widening
    // the window, and can be selected and copied.
    m_messagePane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_messagePane->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar->addWidget(m_messagePane, 1);
    const char *names[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        m_lockPanes[i] = new QLabel(QString::fromLatin1(names[i]));
        m_lockPanes[i]->setObjectName(QStringLiteral("lockPane%1").arg(QString::fromLatin1(names[i])));
        m_lockPanes[i]->setAlignment(Qt::AlignCenter);
        m_lockPanes[i]->setMinimumWidth(44);
        m_lockPanes[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addPermanentWidget(m_lockPanes[i]);
    }
    connect(Action(59393), &QAction::toggled, bar, &QStatusBar::setVisible);
    Action(59393)->setChecked(true);
    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CMainFrame::UpdateLockPanes);
    timer->start(250);
    UpdateLockPanes();
}

void CMainFrame::UpdateLockPanes()
{
    const LockKeyState state = QueryLockKeys();
    const bool on[3] = {state.CapsLock, state.NumLock, state.ScrollLock};
    for (int i = 0; i < 3; ++i)
        m_lockPanes[i]->setEnabled(state.Known && on[i]);
}

void CMainFrame::CreateControlBar()
{
    m_wndDlgBar = new CControlBar;
    m_controlDock = new QDockWidget(QStringLiteral("控制栏"), this);
    m_controlDock->setObjectName(QStringLiteral("controlDock"));
    m_controlDock->setWidget(m_wndDlgBar);
    m_controlDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_controlDock->setFeatures(QDockWidget::DockWidgetMovable);
    m_controlDock->setTitleBarWidget(new QWidget);
    addDockWidget(Qt::LeftDockWidgetArea, m_controlDock);
}

void CMainFrame::CreateClient()
{
    m_wndSplitter = new QSplitter(Qt::Horizontal, this);
    m_wndSplitter->setObjectName(QStringLiteral("outerSplitter"));
    m_wndLeftSplitter = new QSplitter(Qt::Vertical, m_wndSplitter);
    m_wndLeftSplitter->setObjectName(QStringLiteral("leftSplitter"));
    // The glyph view scrolls when the grid is larger than its pane.
    auto *glyphScroll = new QScrollArea(m_wndLeftSplitter);
    glyphScroll->setObjectName(QStringLiteral("glyphScroll"));
    glyphScroll->setWidgetResizable(true);
    glyphScroll->setFrameShape(QFrame::NoFrame);
    m_pDotrixView = new CDotrixView(m_settings, m_matrix);
    glyphScroll->setWidget(m_pDotrixView);
    m_pFontView = new CFontView(m_settings, m_matrix, m_wndLeftSplitter);
    m_pFontSel = new CFontSel(m_wndSplitter);
    connect(m_pFontSel, &CFontSel::StatusMessage, this, [this](const QString &text) {
        statusBar()->showMessage(text, 5000);
    });
    m_wndSplitter->addWidget(m_wndLeftSplitter);
    m_wndSplitter->addWidget(m_pFontSel);
    // The preview row starts 320 pixels high and the list column 420 wide; the glyph view takes
    // the rest.
    m_wndLeftSplitter->setStretchFactor(0, 1);
    m_wndLeftSplitter->setStretchFactor(1, 0);
    m_wndSplitter->setStretchFactor(0, 1);
    m_wndSplitter->setStretchFactor(1, 0);
    m_wndLeftSplitter->setSizes({10000, PreviewRowHeight});
    m_wndSplitter->setSizes({10000, 420});
    // On a small screen the preview row gives up height so that the default glyph fits; once the
    // user moves the split bar, the rows are theirs.
    m_wndLeftSplitter->installEventFilter(this);
    connect(m_wndLeftSplitter, &QSplitter::splitterMoved, this, [this] { m_previewRowSetByUser = true; });
    setCentralWidget(m_wndSplitter);
    m_pDotrixView->setFocus();
}

void CMainFrame::ConnectControlBar()
{
    CControlBar *bar = m_wndDlgBar;
    connect(bar->m_btnLeft, &QToolButton::clicked, this, &CMainFrame::OnShiftLeft);
    connect(bar->m_btnRight, &QToolButton::clicked, this, &CMainFrame::OnShiftRight);
    connect(bar->m_btnUp, &QToolButton::clicked, this, &CMainFrame::OnShiftUp);
    connect(bar->m_btnDown, &QToolButton::clicked, this, &CMainFrame::OnShiftDown);
    const std::pair<QRadioButton *, QSize> presets[] = {{bar->m_size8x8, {8, 8}},     {bar->m_size8x16, {8, 16}},
                                                        {bar->m_size16x16, {16, 16}}, {bar->m_size24x24, {24, 24}},
                                                        {bar->m_size32x32, {32, 32}}};
    for (const auto &[radio, size] : presets)
        connect(radio, &QRadioButton::clicked, this, [this, size] { OnSizePreset(size.width(), size.height()); });
    connect(bar->m_sizeCustom, &QRadioButton::clicked, this, &CMainFrame::OnCustomSize);
    connect(bar->m_customWidthEdit, &QLineEdit::textChanged, this, &CMainFrame::OnCustomWidthChanged);
    connect(bar->m_customHeightEdit, &QLineEdit::textChanged, this, &CMainFrame::OnCustomHeightChanged);
    connect(bar->m_scanHorizontal, &QRadioButton::clicked, this, [this] { OnScanMode(ScanHorizontal); });
    connect(bar->m_scanVertical, &QRadioButton::clicked, this, [this] { OnScanMode(ScanVertical); });
    connect(bar->m_scanZN, &QRadioButton::clicked, this, [this] { OnScanMode(ScanZN); });
    connect(bar->m_dataLengthCombo, &QComboBox::currentIndexChanged, this, &CMainFrame::OnDataLengthChanged);
    connect(bar->m_invertCheck, &QCheckBox::clicked, this, &CMainFrame::OnInvert);
    connect(bar->m_bitReverseCheck, &QCheckBox::clicked, this, &CMainFrame::OnBitReverse);
    connect(bar->m_zoomSlider, &QSlider::sliderReleased, this, &CMainFrame::OnZoomReleased);
    connect(bar->m_zoomSlider, &QSlider::valueChanged, this, &CMainFrame::OnZoomKeyboard);
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

void CMainFrame::OnCharTextChanged()
{
    int skipped = 0;
    const std::string text = CharBoxText(&skipped);
    if (skipped > 0)
        statusBar()->showMessage(QStringLiteral("已略去 %1 个在 GBK 编码中没有的字符").arg(skipped), 5000);
    const BoxRenderResult result = RenderBoxText(text, m_settings, m_matrix, *m_output, [this](const std::string &ch) {
        m_pFontSel->AddTypedCharacter(ch);
    });
    if (result.RenderFailed)
        ShowMessage(this, QStringLiteral("error!\n\n") + result.Error);
    if (result.Loaded)
        RepaintViews();
}

void CMainFrame::Shift(int dx, int dy)
{
    const BoxRenderResult result = ShiftAndRender(dx, dy, CharBoxText(), m_settings, m_matrix, *m_output);
    if (result.RenderFailed)
        ShowMessage(this, QStringLiteral("error!\n\n") + result.Error);
    if (!result.Loaded)
        return;
    RepaintViews();
    if (dx != 0)
        m_wndDlgBar->m_offsetXEdit->setText(QString::number(m_settings.OffsetX));
    if (dy != 0)
        m_wndDlgBar->m_offsetYEdit->setText(QString::number(m_settings.OffsetY));
}

void CMainFrame::OnChooseFont()
{
    QFont initial(m_settings.GlyphFont.ResolvedFace());
    initial.setPointSize(std::max(1, m_settings.GlyphFont.PointSize));
    initial.setItalic(m_settings.GlyphFont.Italic);
    initial.setUnderline(m_settings.GlyphFont.Underline);
    initial.setStrikeOut(m_settings.GlyphFont.StrikeOut);
    if (m_settings.GlyphFont.Weight > 0)
        initial.setWeight(QFont::Weight(m_settings.GlyphFont.Weight));
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this, QStringLiteral("设置字体"));
    if (!ok)
        return;
    m_settings.GlyphFont = GlyphFontDesc::FromQFont(chosen);
    QFont boxFont(m_settings.GlyphFont.ResolvedFace());
    boxFont.setPointSize(12);
    m_wndCharBox->setFont(boxFont);
    OnCharTextChanged();
}

void CMainFrame::OnVisitWebSite()
{
    const QString guide = FindUserGuide();
    if (guide.isEmpty()) {
        ShowMessage(this, QStringLiteral("找不到用户指南 user-guide.html。\n找过这些地方：\n")
                              + UserGuidePlaces().join(QLatin1Char('\n')));
        return;
    }
    // The guide is there; what is missing is a program to show it.
    if (!OpenDocument(guide))
        ShowMessage(this, QStringLiteral("没有能打开用户指南的浏览器。\n请用浏览器打开：\n%1").arg(guide));
}

void CMainFrame::OnGlyphFormat()
{
    CGlyphFormatDlg dialog(m_settings, this);
    dialog.exec();
    RepaintViews();
}

void CMainFrame::OnCreateSingleGlyph()
{
    // The command clears the glyph files of earlier runs first; after a whole character set
    // they are tens of thousands, deleted beside the window.
    if (m_output->WrittenFiles().size() > 2000)
        RunWithProgressBox(this, {QStringLiteral("正在删除上次生成的字模文件 …"), QStringLiteral("deleteProgressDialog"),
                                  [this] { DeleteGlyphFiles(*m_output); }, {}, {}});
    const SingleGlyphResult result = CreateSingleGlyph(CharBoxText(), m_settings, m_matrix, *m_output);
    switch (result.State) {
    case SingleGlyphResult::EmptyText:
        return;
    case SingleGlyphResult::Written:
        RepaintViews();
        OpenResult(result.FilePath);
        return;
    case SingleGlyphResult::Refused:
        RepaintViews();
        ShowMessage(this, QString::fromUtf8(GroupTooLongMessage));
        return;
    case SingleGlyphResult::RenderFailed:
        ShowMessage(this, QStringLiteral("error!\n\n") + result.Error);
        return;
    case SingleGlyphResult::LoadFailed:
    case SingleGlyphResult::WriteFailed:
        RepaintViews();
        ShowMessage(this, QStringLiteral("字模文件没有写成：") + result.Error);
        return;
    }
}

void CMainFrame::OpenResult(const QString &path)
{
    if (OpenInEditor(path))
        return;
    // Where no editor can be started the user still learns where the file is: it stays in the
    // status bar (not as a passing message that a hovered button wipes) until the next command.
    const QFileInfo file(path);
    m_messagePane->setText(QStringLiteral("没有能打开 %1 的文本编辑器。它已写入文件夹 %2")
                               .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath())));
    m_messagePane->setToolTip(QDir::toNativeSeparators(file.absoluteFilePath()));
}

void CMainFrame::ClearResultNote()
{
    m_messagePane->setText(IdleText);
    m_messagePane->setToolTip(QString());
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::OnImportGB2312()
{
    ImportCharset(int(CharacterSet::GB2312));
}

void CMainFrame::OnImportGBK()
{
    ImportCharset(int(CharacterSet::GBK));
}

void CMainFrame::ImportCharset(int set)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const CharsetImport imported = LoadCharset(CharacterSet(set), m_settings.ProgramDir);
    if (imported.Ok)
        m_pFontSel->SetList(imported.Text, imported.Count);
    QApplication::restoreOverrideCursor();
    if (!imported.Ok) {
        ShowMessage(this, imported.Error);
        return;
    }
    statusBar()->showMessage(QStringLiteral("已导入 %1 个字符").arg(imported.Count), 5000);
}

void CMainFrame::OnToTraditional()
{
    ConvertScripts(true);
}

void CMainFrame::OnToSimplified()
{
    ConvertScripts(false);
}

void CMainFrame::ConvertScripts(bool toTraditional)
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
    for (int id : BatchExclusiveCommands)
        Action(id)->setEnabled(!busy);
    m_wndCharBox->setReadOnly(busy);
    m_wndDlgBar->setEnabled(!busy);
    m_pFontSel->setEnabled(!busy);
}

void CMainFrame::StartBatch(int mode)
{
    if (m_batchThread)
        return;
    m_pFontSel->PullFields();
    const std::string list = m_pFontSel->ListText;
    BatchMode = mode;
    if (mode != BatchAllOnly) {
        // Data files are made of 8-bit groups in the typical layout; the group length stays.
        m_wndDlgBar->m_dataLengthCombo->setCurrentIndex(1);
        m_settings.GroupDigits = 2;
        m_savedOutputFormat = m_settings.OutputFormat;
        m_settings.OutputFormat = Typical;
    }
    m_batchControl = std::make_unique<BatchControl>();
    m_batchSettings = std::make_unique<GlyphSettings>(m_settings);
    m_batchMatrix = std::make_unique<DotMatrix>(m_matrix);
    m_batchResult = BatchResult();
    SetBusy(true);

    BatchHooks hooks;
    hooks.AskIndex = [this](uint16_t &start) {
        // Dialogs live on this window's thread: the worker waits for the answer.
        bool indexed = false;
        QMetaObject::invokeMethod(this, [&] { indexed = AskIndex(start); }, Qt::BlockingQueuedConnection);
        return indexed;
    };
    m_batchThread = QThread::create([this, list, mode, hooks] {
        m_batchResult = BatchGenerate(list, *m_batchSettings, *m_batchMatrix, *m_output, mode, *m_batchControl, hooks);
    });
    m_batchThread->setObjectName(QStringLiteral("batchWorker"));
    connect(m_batchThread, &QThread::finished, this, &CMainFrame::OnBatchThreadFinished, Qt::QueuedConnection);
    m_batchThread->start();

    CProgressDlg progress(*m_batchControl, int(CountChars(list)), this);
    progress.exec();
    if (mode != BatchAllOnly)
        m_settings.OutputFormat = m_savedOutputFormat;
    RepaintViews();
}

bool CMainFrame::AskIndex(uint16_t &start)
{
    if (m_batchControl && m_batchControl->Cancel)
        return false;
    CIndexDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    start = uint16_t(dialog.m_nIndex);
    return true;
}

void CMainFrame::OnBatchThreadFinished()
{
    if (!m_batchThread)
        return;
    m_batchThread->wait();
    m_batchThread->deleteLater();
    m_batchThread = nullptr;
    const BatchResult result = m_batchResult;
    const int mode = BatchMode;
    BatchMode = BatchAllOnly;
    // The window takes the last glyph back as if the run had filled its own matrix.
    m_matrix = *m_batchMatrix;
    m_settings.Width = m_batchSettings->Width;
    m_settings.Height = m_batchSettings->Height;
    m_batchMatrix.reset();
    m_batchSettings.reset();
    SetBusy(false);
    RepaintViews();
    emit BatchFinished(result);

    if (m_closeAfterBatch) {
        close();
        return;
    }
    switch (result.State) {
    case BatchResult::Failed:
        ShowMessage(this, QStringLiteral("字模生成在第 %1 个字符处中止：\n%2").arg(result.Glyphs + 1).arg(result.Error));
        return;
    case BatchResult::Cancelled:
        statusBar()->showMessage(QStringLiteral("字模生成已停止"), 5000);
        return;
    case BatchResult::Done:
        break;
    }
    statusBar()->showMessage(QStringLiteral("已生成 %1 个字模").arg(result.Glyphs), 10000);
    if (mode == BatchAllOnly) {
        OpenResult(result.AllPath);
        return;
    }
    const bool dat = mode == BatchDat;
    FileRequest request;
    request.Mode = FileRequest::SaveFile;
    request.Caption = QStringLiteral("另存为");
    request.StartPath = m_settings.ProgramDir;
    request.Filters = {dat ? QStringLiteral("文件(*.dat)") : QStringLiteral("文件(*.bin)"), QStringLiteral("所有文件(*.*)")};
    request.DefaultSuffix = dat ? QStringLiteral("DAT") : QStringLiteral("BIN");
    const QString copy = ChooseFile(this, request);
    if (copy.isEmpty())
        return;
    QString error;
    if (!CopyFileReplacing(result.DataPath, copy, &error))
        ShowMessage(this, QStringLiteral("font.dat 没有复制成功：\n") + error);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (m_batchThread) {
        // The run stops at its next character; the window closes when it has.
        m_batchControl->Cancel = true;
        m_closeAfterBatch = true;
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::OnExportAllGlyphFiles()
{
    const QString folder = ChooseFile(
        this, {FileRequest::Directory, QStringLiteral("Select a directory"), m_settings.ProgramDir, {}, {}});
    if (folder.isEmpty())
        return;
    const QStringList written = m_output->WrittenFiles();
    QStringList names;
    for (const QString &suffix : {QStringLiteral(".bmp"), QStringLiteral(".c")})
        for (const QString &name : written)
            if (name.endsWith(suffix, Qt::CaseInsensitive))
                names.append(name);
    // A whole character set is tens of thousands of files: they are copied beside the window,
    // which shows how far it has got and can stop it.
    QStringList failures;
    int copied = 0;
    std::atomic<int> tried{0};
    std::atomic<bool> stop{false};
    RunWithProgressBox(this, {QStringLiteral("正在导出字模文件 …"), QStringLiteral("exportProgressDialog"),
                              [&] {
                                  for (const QString &name : names) {
                                      if (stop)
                                          break;
                                      QString error;
                                      if (CopyFileReplacing(m_output->FilePath(name), folder + QLatin1Char('/') + name,
                                                            &error))
                                          ++copied;
                                      else
                                          failures.append(error);
                                      ++tried;
                                  }
                              },
                              [&] { return names.isEmpty() ? 100 : int(tried * 100LL / names.size()); },
                              [&] { stop = true; }});
    if (stop) {
        statusBar()->showMessage(QStringLiteral("导出已停止：已导出 %1 个文件到 %2").arg(copied).arg(folder), 10000);
        return;
    }
    if (!failures.isEmpty()) {
        ShowMessage(this, QStringLiteral("有 %1 个文件没有导出：\n").arg(failures.size())
                              + QStringList(failures.mid(0, 10)).join(QLatin1Char('\n')));
        return;
    }
    statusBar()->showMessage(QStringLiteral("已导出 %1 个文件到 %2").arg(copied).arg(folder), 10000);
}

void CMainFrame::OnImportPicture()
{
    const QString picture = ChooseFile(
        this, {FileRequest::OpenFile, QStringLiteral("导入图片文件"), m_settings.ProgramDir,
               {QStringLiteral("BMP 文件(*.bmp)"), QStringLiteral("JPG 文件(*.jpg *.jpeg)"),
                QStringLiteral("GIF 文件(*.gif)"), QStringLiteral("所有文件(*)")},
               QStringLiteral("bmp")});
    if (picture.isEmpty())
        return;
    ImportPicture(picture);
}

void CMainFrame::ImportPicture(const QString &path)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    const PictureConversion converted = ConvertPictureToBitmap(path, *m_output, dpi);
    if (converted.State == PictureConversion::Failed) {
        ShowMessage(this, QStringLiteral("图片没有导入：\n") + PictureFailureText(path, converted, m_output->Path()));
        return;
    }
    // The picture's size goes into the custom size edits, whose handlers refuse more than 1024.
    CControlBar *bar = m_wndDlgBar;
    bar->m_sizeCustom->setChecked(true);
    bar->m_customWidthEdit->setText(QString::number(converted.Width));
    // A refused width has already set 16 x 16; the height must not undo that.
    if (converted.Width <= MaxGlyphSide)
        bar->m_customHeightEdit->setText(QString::number(converted.Height));
    if (converted.State == PictureConversion::TooBig)
        return;
    QString error;
    if (!LoadPictureBitmap(*m_output, m_matrix, m_settings, &error)) {
        ShowMessage(this, QStringLiteral("图片没有导入：\n") + error);
        return;
    }
    m_settings.PictureName = PictureNameOf(path);
    RepaintViews();
}

void CMainFrame::OnCreatePictureData()
{
    const QString fileName = Cp936ToQString(m_settings.PictureName) + QStringLiteral(".c");
    GlyphFileSink sink(*m_output, fileName);
    QString error;
    switch (WriteGlyphText(sink, m_settings.PictureName, std::string(), m_settings.Width, m_settings.Height,
                           m_settings.GroupDigits, m_settings, m_matrix, &error)) {
    case GlyphTextResult::Refused:
        ShowMessage(this, QString::fromUtf8(GroupTooLongMessage));
        return;
    case GlyphTextResult::Failed:
        ShowMessage(this, QStringLiteral("图片点阵数据没有写成：\n") + error);
        return;
    case GlyphTextResult::Written:
        OpenResult(sink.FilePath());
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
        ShowMessage(this, QStringLiteral("Index.c 没有写成：\n") + error);
        return;
    case IndexTableResult::Written:
        OpenResult(path);
        return;
    }
}

void CMainFrame::OnPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QRect field(0, 0, 1000, 700);
    const double scale = std::min(page.width() / double(field.width()), page.height() / double(field.height()));
    painter.scale(scale, scale);
    m_pDotrixView->Draw(painter, field);
}

void CMainFrame::OnNextPane(int step)
{
    QWidget *panes[] = {m_pDotrixView, m_pFontView, m_pFontSel};
    int current = 0;
    for (int i = 0; i < 3; ++i)
        if (panes[i]->isAncestorOf(QApplication::focusWidget()) || panes[i] == QApplication::focusWidget())
            current = i;
    panes[(current + step + 3) % 3]->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::OnSplit()
{
    // Keyboard tracking of the split bars: arrows move the bar of the splitter that holds the
    // active pane; Enter or Esc ends it.
    QWidget *focus = QApplication::focusWidget();
    m_trackingSplitter = (focus && m_wndLeftSplitter->isAncestorOf(focus)) ? m_wndLeftSplitter : m_wndSplitter;
    statusBar()->showMessage(QStringLiteral("用方向键移动分隔条，回车或 Esc 结束"));
    qApp->installEventFilter(this);
}

void CMainFrame::FitPreviewRow()
{
    const int total = m_wndLeftSplitter->height() - m_wndLeftSplitter->handleWidth();
    if (m_previewRowSetByUser || total <= 0)
        return;
    // The default glyph: 16 x 16 dots at zoom 20.
    const int glyphNeeds = CDotrixView::Extent(16, 16, 20).height();
    const int preview = std::min(total, std::max(MinPreviewRowHeight, std::min(PreviewRowHeight, total - glyphNeeds)));
    if (m_wndLeftSplitter->sizes() != QList<int>{total - preview, preview})
        m_wndLeftSplitter->setSizes({total - preview, preview});
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_wndLeftSplitter && event->type() == QEvent::Resize)
        FitPreviewRow();
    // Text typed through an input method would draw the character into the output directory
    // that the running batch owns (and wait there for it).
    if (watched == m_wndCharBox && event->type() == QEvent::InputMethod && m_wndCharBox->isReadOnly())
        return true;
    if (m_trackingSplitter && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        QList<int> sizes = m_trackingSplitter->sizes();
        const bool horizontal = m_trackingSplitter->orientation() == Qt::Horizontal;
        int move = 0;
        if ((horizontal && key->key() == Qt::Key_Left) || (!horizontal && key->key() == Qt::Key_Up))
            move = -10;
        else if ((horizontal && key->key() == Qt::Key_Right) || (!horizontal && key->key() == Qt::Key_Down))
            move = 10;
        if (move != 0 && sizes.size() == 2) {
            sizes[0] = std::max(0, sizes[0] + move);
            sizes[1] = std::max(0, sizes[1] - move);
            m_trackingSplitter->setSizes(sizes);
            m_previewRowSetByUser = m_previewRowSetByUser || m_trackingSplitter == m_wndLeftSplitter;
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape) {
            m_trackingSplitter = nullptr;
            qApp->removeEventFilter(this);
            statusBar()->clearMessage();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::OnSizePreset(int width, int height)
{
    m_settings.Width = width;
    m_settings.Height = height;
    m_wndDlgBar->m_customWidthEdit->setEnabled(false);
    m_wndDlgBar->m_customHeightEdit->setEnabled(false);
    RepaintViews();
}

void CMainFrame::OnCustomSize()
{
    CControlBar *bar = m_wndDlgBar;
    bar->m_customWidthEdit->setEnabled(true);
    bar->m_customHeightEdit->setEnabled(true);
    const int w = ReadDecimal(bar->m_customWidthEdit->text());
    const int h = ReadDecimal(bar->m_customHeightEdit->text());
    if (w > 0 && h > 0) {
        m_settings.Width = w;
        m_settings.Height = h;
    } else {
        // Fill the edits from the current preset width; their handlers make the size square.
        for (int preset : {8, 16, 24, 32})
            if (m_settings.Width == preset)
                bar->m_customWidthEdit->setText(QString::number(preset));
    }
    bar->m_customWidthEdit->setFocus();
    RepaintViews();
}

void CMainFrame::RefuseCustomSize()
{
    ShowMessage(this, QString::fromUtf8(MatrixTooBigMessage));
    m_syncingCustomSize = true;
    m_wndDlgBar->m_customWidthEdit->setText(QStringLiteral("16"));
    m_wndDlgBar->m_customHeightEdit->setText(QStringLiteral("16"));
    m_syncingCustomSize = false;
    m_settings.Width = 16;
    m_settings.Height = 16;
    RepaintViews();
}

void CMainFrame::OnCustomWidthChanged()
{
    if (m_syncingCustomSize)
        return;
    const QString text = m_wndDlgBar->m_customWidthEdit->text();
    const int width = ReadDecimal(text);
    if (width > MaxGlyphSide) {
        RefuseCustomSize();
        return;
    }
    // Typing a width makes the glyph square; the height edit follows.
    m_syncingCustomSize = true;
    m_wndDlgBar->m_customHeightEdit->setText(text);
    m_syncingCustomSize = false;
    m_settings.Width = width;
    m_settings.Height = width;
    RepaintViews();
}

void CMainFrame::OnCustomHeightChanged()
{
    if (m_syncingCustomSize)
        return;
    const int width = ReadDecimal(m_wndDlgBar->m_customWidthEdit->text());
    const int height = ReadDecimal(m_wndDlgBar->m_customHeightEdit->text());
    if (width > MaxGlyphSide || height > MaxGlyphSide) {
        RefuseCustomSize();
        return;
    }
    m_settings.Width = width;
    m_settings.Height = height;
    RepaintViews();
}

void CMainFrame::OnScanMode(int scanMode)
{
    m_settings.ScanMode = scanMode;
    RepaintViews();
}

void CMainFrame::OnDataLengthChanged(int index)
{
    if (index < 0 || index >= int(std::size(GroupDigitsChoices)))
        return;
    m_settings.GroupDigits = GroupDigitsChoices[index];
    RepaintViews();
}

void CMainFrame::OnInvert()
{
    m_settings.Invert = !m_settings.Invert;
    RepaintViews();
}

void CMainFrame::OnBitReverse()
{
    // Takes effect at the preview's next repaint, as the invert box's change does at once.
    m_settings.BitReverse = !m_settings.BitReverse;
    m_pFontView->update();
}

void CMainFrame::OnZoomReleased()
{
    m_settings.Zoom = m_wndDlgBar->m_zoomSlider->value();
    m_wndDlgBar->m_zoomEdit->setText(QString::number(m_settings.Zoom));
    RepaintViews();
}

void CMainFrame::OnZoomKeyboard(int value)
{
    // A drag takes effect when the mouse is released; keys and wheel take effect at once.
    if (m_wndDlgBar->m_zoomSlider->isSliderDown())
        return;
    m_settings.Zoom = value;
    m_wndDlgBar->m_zoomEdit->setText(QString::number(value));
    RepaintViews();
}
