#include "windowdriver.h"

#include "app/caboutdlg.h"
#include "app/ccontrolbar.h"
#include "app/cdotrixapp.h"
#include "l10n/language.h"
#include "app/cdotrixdoc.h"
#include "app/cdotrixview.h"
#include "app/cfontsel.h"
#include "app/cglyphformatdlg.h"
#include "app/cindexdlg.h"
#include "app/cmainframe.h"
#include "app/commandid.h"
#include "app/cprogressdlg.h"
#include "app/openineditor.h"
#include "app/progressbox.h"
#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "common/serialpeer.h"
#include "common/testutil.h"
#include "export/patchfile.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// Every command the window has: menu items, toolbar buttons and the keyboard-only ones.
const int CommandIds[] = {
    CmdImportGB2312,      CmdImportGBK,        CmdImportPicture,     CmdExportAllGlyphFiles, CmdExit,
    CmdChooseFont,        CmdGlyphFormat,      CmdToTraditional,     CmdToSimplified,        CmdCreateSingleGlyph,
    CmdCreateAllGlyphs,   CmdCreateAllToDat,   CmdCreateAllToBin,    CmdCreatePictureData,   CmdCreateIndexTable,
    CmdSendSerial,        CmdSendFloppy,       CmdSendRemovable,     CmdViewToolBar,         CmdViewStatusBar,
    CmdSplit,             CmdUserGuide,        CmdAbout,             CmdFileNew,             CmdFileOpen,
    CmdFileSave,          CmdPrint,            CmdNextPane,          CmdPreviousPane,        CmdLanguageChinese,
    CmdLanguageEnglish,   CmdExportFont,       CmdUndo,              CmdRedo,                CmdEditMode,
    CmdRevertGlyph,       CmdShiftGlyphUp,     CmdShiftGlyphDown,    CmdShiftGlyphLeft,      CmdShiftGlyphRight};
const int ToolbarIds[] = {CmdCreateSingleGlyph, CmdCreateAllGlyphs, CmdCreatePictureData,
                          CmdChooseFont,        CmdGlyphFormat,     CmdEditMode,
                          CmdExportAllGlyphFiles, CmdToTraditional, CmdToSimplified,
                          CmdAbout};

struct Accelerator
{
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
    const char *Name;
};
const Accelerator Accelerators[] = {
    {Qt::Key_N, Qt::ControlModifier, "Ctrl+N"},        {Qt::Key_O, Qt::ControlModifier, "Ctrl+O"},
    {Qt::Key_S, Qt::ControlModifier, "Ctrl+S"},        {Qt::Key_P, Qt::ControlModifier, "Ctrl+P"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},        {Qt::Key_Backspace, Qt::AltModifier, "Alt+Backspace"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},        {Qt::Key_Delete, Qt::ShiftModifier, "Shift+Delete"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},        {Qt::Key_Insert, Qt::ControlModifier, "Ctrl+Insert"},
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},        {Qt::Key_Insert, Qt::ShiftModifier, "Shift+Insert"},
    {Qt::Key_F6, Qt::NoModifier, "F6"},                {Qt::Key_F6, Qt::ShiftModifier, "Shift+F6"},
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},        {Qt::Key_Escape, Qt::NoModifier, "Esc"},
    {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
    {Qt::Key_F2, Qt::NoModifier, "F2"},               {Qt::Key_Left, Qt::AltModifier, "Alt+Left"},
    {Qt::Key_Up, Qt::AltModifier, "Alt+Up"},           {Qt::Key_Space, Qt::NoModifier, "Space"},
};

const char *const PhaseNames[] = {"calm", "no serial port", "output folder removed", "output folder read-only",
                                  "huge list pasted"};

// Drives of the scratch folder: a floppy, a read-only floppy and a removable drive.
class ScratchDrives : public DriveList
{
public:
    explicit ScratchDrives(const QString &scratch) : m_scratch(scratch) {}
    std::vector<Drive> Drives() const override
    {
        return {{"A:", m_scratch + "/driveA", DriveKind::Floppy},
                {"B:", m_scratch + "/locked", DriveKind::Floppy},
                {"E:", m_scratch + "/driveE", DriveKind::Removable}};
    }

private:
    QString m_scratch;
};

// The smallest GIF: one white pixel.
const char TinyGif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00\x00,"
                       "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02" "D\x01\x00;";

QString Describe(QWidget *widget)
{
    QString text = QString::fromLatin1(widget->metaObject()->className());
    if (!widget->windowTitle().isEmpty())
        text += QStringLiteral(" \"%1\"").arg(widget->windowTitle());
    if (auto *box = qobject_cast<QMessageBox *>(widget))
        text += QStringLiteral(": ") + box->text().simplified().left(120);
    if (auto *progress = qobject_cast<CProgressDlg *>(widget))
        if (auto *label = progress->findChild<QLabel *>())
            text += QStringLiteral(": ") + label->text();
    return text;
}

bool Clickable(QWidget *widget)
{
    return widget && widget->isVisible() && widget->isEnabled();
}

// Text as an input method commits it (how Chinese reaches a box), or key presses for ASCII.
void Enter(QWidget *widget, const QString &text)
{
    bool ascii = true;
    for (QChar ch : text)
        ascii = ascii && ch.unicode() >= 0x20 && ch.unicode() < 0x7F;
    if (ascii) {
        QTest::keyClicks(widget, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(widget, &commit);
}

} // namespace

WindowDriver::WindowDriver(const SoakOptions &options, const QString &scratch)
    : m_options(options), m_scratch(scratch), m_workDir(scratch + QStringLiteral("/work")), m_random(options.Seed)
{
    m_phaseMs = std::clamp(options.Seconds * 1000 / int(PhaseCount), 2000, 15000);
}

WindowDriver::~WindowDriver()
{
    for (std::thread &deleting : m_trash)
        deleting.join();
}

bool WindowDriver::Start()
{
    QDir scratch(m_scratch);
    for (const char *folder : {"work", "pictures", "out", "export", "locked", "peers", "config", "tmp", "driveA",
                               "driveE"})
        scratch.mkpath(QString::fromLatin1(folder));
    scratch.mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(m_scratch + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(m_scratch + QStringLiteral("/locked"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                                     | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    testutil::WriteFileBytes(m_scratch + QStringLiteral("/out/existing.dat"), "an earlier copy");

    // Pictures to import: good ones of each kind, too large, empty, broken, not pictures at all.
    const QString pictures = m_scratch + QStringLiteral("/pictures/");
    QImage logo(100, 50, QImage::Format_RGB32);
    logo.fill(Qt::white);
    for (int i = 0; i < 50; ++i)
        logo.setPixel(i * 2, i, qRgb(0, 0, 0));
    logo.save(pictures + QStringLiteral("logo.bmp"));
    logo.scaled(40, 20).save(pictures + QStringLiteral("photo.jpg"));
    QImage(1100, 20, QImage::Format_RGB32).save(pictures + QStringLiteral("wide.bmp"));
    testutil::WriteFileBytes(pictures + QStringLiteral("dot.gif"), std::string(TinyGif, sizeof TinyGif - 1));
    testutil::WriteFileBytes(pictures + QStringLiteral("junk.gif"), "GIF89a but not really");
    testutil::WriteFileBytes(pictures + QStringLiteral("empty.jpg"), "");
    const std::string jpeg = testutil::ReadFileBytes(pictures + QStringLiteral("photo.jpg"));
    testutil::WriteFileBytes(pictures + QStringLiteral("cut.jpg"), jpeg.substr(0, jpeg.size() / 2));
    testutil::WriteFileBytes(pictures + QStringLiteral("notes.bmp"), "just text");

    // The huge list: every GBK character, as a user pastes it from somewhere.
    const CharsetImport gbk = LoadCharset(CharacterSet::GBK, m_workDir);
    m_hugeList = gbk.Ok ? Cp936ToQString(gbk.Text) : QString(20000, QChar(0x4E2D));

    // Serial peers: a terminal where nobody answers, and one that another program holds open.
    qputenv("TRELLON_TIMEOUT_MS", "400");
    if (!testutil::FindTool({QStringLiteral("socat")}).isEmpty()) {
        m_silentPeer = std::make_unique<testutil::SerialPeer>(m_scratch + "/peers", testutil::SilentReceiver(),
                                                              QStringLiteral("ttySILENT"));
        m_busyPeer = std::make_unique<testutil::SerialPeer>(m_scratch + "/peers", testutil::SilentReceiver(),
                                                            QStringLiteral("ttyBUSY"));
        m_holder = std::make_unique<QSerialPort>(m_busyPeer->Port);
        m_holder->open(QIODevice::ReadWrite);
    }
    ChooseSerialPort();

    // No editor or browser is started; half the time there is none.
    SetOpenerFunction([this](const QString &) {
        const bool opened = Chance(0.5);
        Count(opened ? QStringLiteral("editor opened") : QStringLiteral("editor missing"));
        return opened;
    });

    auto *heartbeat = new QTimer(this);
    connect(heartbeat, &QTimer::timeout, this, [] {
        std::fputs("H\n", stdout);
        std::fflush(stdout);
    });
    heartbeat->start(250);
    m_clock.start();
    OpenWindow();
    EnterPhase(Calm);
    ScheduleNext();
    return true;
}

void WindowDriver::OpenWindow()
{
    QDir().mkpath(m_workDir);
    m_frame = std::make_unique<CMainFrame>(m_workDir);
    m_frame->Document()->SetDriveList(std::make_unique<ScratchDrives>(m_scratch));
    connect(m_frame.get(), &CMainFrame::BatchFinished, this, [this](const BatchResult &result) {
        const char *states[] = {"done", "stopped", "failed"};
        Count(QStringLiteral("batch %1").arg(QLatin1String(states[int(result.State)])));
    });
    const QSize sizes[] = {{1600, 1000}, {1366, 768}};
    m_frame->resize(sizes[Pick(2)]);
    m_frame->show();
    QApplication::setActiveWindow(m_frame.get());
    Count(QStringLiteral("window opened"));
}

void WindowDriver::ScheduleNext()
{
    // Mostly quick hands, now and then a pause in which timers (a progress box's delay) run out.
    const int delay = Chance(0.04) ? 150 + Pick(700) : Pick(12);
    QTimer::singleShot(delay, this, &WindowDriver::Step);
}

void WindowDriver::Log(const QString &what)
{
    ++m_steps;
    std::printf("S %lld %.3f %s\n", m_steps, m_clock.elapsed() / 1000.0, qPrintable(what));
    std::fflush(stdout);
}

void WindowDriver::Fail(const QString &reason)
{
    std::printf("F %s\n", qPrintable(reason));
    std::fflush(stdout);
    ::_exit(3);
}

void WindowDriver::Step()
{
    if (m_rebuilding || !m_frame)
        return;
    ScheduleNext();
    if (QWidget *popup = QApplication::activePopupWidget()) {
        AnswerPopup(popup);
        return;
    }
    if (QWidget *modal = QApplication::activeModalWidget()) {
        if (WatchModal(modal))
            AnswerModal(modal);
        return;
    }
    m_busy = false;
    m_modal = nullptr;
    if (!m_frame->isVisible()) {
        // The user closed the window: start the program again (or show it, while one of its
        // commands is still on the stack).
        if (m_depth == 0 && !m_frame->BatchRunning() && RunningJobs() == 0) {
            Log(QStringLiteral("restart the program"));
            m_rebuilding = true;
            m_frame.reset();
            m_rebuilding = false;
            OpenWindow();
        } else {
            m_frame->show();
        }
        return;
    }
    if (m_clock.elapsed() > m_options.Seconds * 1000LL) {
        // Work beside the window (a serial send, say, started from a menu's own key handling) has
        // the window's commands on the stack: the window goes only once that has returned.
        if (m_depth == 0 && RunningJobs() == 0)
            Finish();
        return;
    }
    if (m_phaseClock.elapsed() > m_phaseMs) {
        LeavePhase();
        EnterPhase(Phase((m_phase + 1) % PhaseCount));
        return;
    }
    ++m_depth;
    if (!KeepBatchesSmall())
        Act();
    --m_depth;
}

bool WindowDriver::KeepBatchesSmall()
{
    // A whole character set at a large glyph size is tens of gigabytes of bitmaps: before a long
    // list meets a large size, this user picks 16 x 16, as one who knows the disk would.
    const qint64 characters = m_frame->CharacterList()->ListEdit()->toPlainText().size();
    const GlyphSettings &settings = m_frame->Settings();
    if (characters * std::max(1, settings.Width) * std::max(1, settings.Height) <= 8'000'000)
        return false;
    QRadioButton *small = m_frame->ControlBar()->m_size16x16;
    if (!Clickable(small))
        return false;
    Log(QStringLiteral("control size16x16Radio: click (a long list)"));
    Count(QStringLiteral("16x16 chosen for a long list"));
    QTest::mouseClick(small, Qt::LeftButton);
    return true;
}

bool WindowDriver::WatchModal(QWidget *modal)
{
    if (modal != m_modal) {
        m_modal = modal;
        m_modalClock.restart();
    }
    if (!m_busy) {
        m_busy = true;
        m_busyClock.restart();
    }
    // A batch's progress bar closes by itself when the run ends; every other dialog answers to
    // the user at once.
    const bool batch = qobject_cast<CProgressDlg *>(modal) != nullptr;
    if (m_modalClock.elapsed() > (batch ? 300000 : 30000))
        Fail(QStringLiteral("a dialog cannot be closed: ") + Describe(modal));
    if (m_busyClock.elapsed() > 400000)
        Fail(QStringLiteral("dialogs kept the window blocked for 400 s; now: ") + Describe(modal));
    return true;
}

void WindowDriver::Finish()
{
    Log(QStringLiteral("close the program"));
    LeavePhase();
    m_rebuilding = true;
    m_frame->close();
    m_frame.reset();
    std::printf("T %lld steps, %d phases of %d s\n", m_steps, int(m_clock.elapsed() / m_phaseMs), m_phaseMs / 1000);
    for (const auto &[what, count] : m_counts)
        std::printf("T %6lld  %s\n", count, qPrintable(what));
    std::fflush(stdout);
    SetOpenerFunction({});
    QCoreApplication::exit(0);
}

void WindowDriver::EnterPhase(Phase phase)
{
    m_phase = phase;
    m_phaseClock.restart();
    Log(QStringLiteral("phase: ") + QLatin1String(PhaseNames[phase]));
    std::printf("P phase %s at %.1f s\n", PhaseNames[phase], m_clock.elapsed() / 1000.0);
    Count(QStringLiteral("phase ") + QLatin1String(PhaseNames[phase]));
    switch (phase) {
    case NoSerialPort:
        qputenv("TRELLON_PORT", QFile::encodeName(m_scratch + QStringLiteral("/peers/ttyNONE")));
        break;
    case FolderRemoved: {
        // Gone at once for the window; the files go on being deleted beside it (tens of
        // thousands after a whole character set, which would hold this thread for seconds).
        const QString trash = m_scratch + QStringLiteral("/trash%1").arg(m_trash.size());
        QDir().rename(m_workDir, trash);
        m_trash.emplace_back([trash] { QDir(trash).removeRecursively(); });
        break;
    }
    case FolderReadOnly:
        QFile::setPermissions(m_workDir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        break;
    case HugeList: {
        QPlainTextEdit *list = m_frame->CharacterList()->ListEdit();
        QGuiApplication::clipboard()->setText(m_hugeList);
        if (Clickable(list)) {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
        }
        break;
    }
    case Calm:
    case PhaseCount:
        break;
    }
}

void WindowDriver::LeavePhase()
{
    switch (m_phase) {
    case NoSerialPort:
        ChooseSerialPort();
        break;
    case FolderRemoved:
        QDir().mkpath(m_workDir);
        break;
    case FolderReadOnly:
        QFile::setPermissions(m_workDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                             | QFile::ExeOther);
        break;
    case HugeList:
        QGuiApplication::clipboard()->setText(QStringLiteral("中文"));
        if (QPlainTextEdit *list = m_frame->CharacterList()->ListEdit(); Clickable(list)) {
            list->setFocus();
            QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(list, Qt::Key_Delete);
        }
        break;
    case Calm:
    case PhaseCount:
        break;
    }
}

void WindowDriver::ChooseSerialPort()
{
    if (m_phase == NoSerialPort || !m_silentPeer)
        return;
    // The port may change only between sends.
    if (m_frame && m_frame->findChild<CProgressDlg *>(QStringLiteral("serialProgressDialog")))
        return;
    const QString peers = m_scratch + QStringLiteral("/peers");
    QString port;
    switch (Pick(4)) {
    case 0:
        port = m_silentPeer->Port;
        break;
    case 1:
        port = m_busyPeer->Port;
        break;
    case 2:
        m_rxPeer.reset();
        m_rxPeer = std::make_unique<testutil::SerialPeer>(peers, testutil::RxReceiving(QStringLiteral("got.dat")),
                                                          QStringLiteral("ttyRX"));
        port = m_rxPeer->Port;
        break;
    default:
        port = peers + QStringLiteral("/ttyNONE");
        break;
    }
    qputenv("TRELLON_PORT", QFile::encodeName(port));
    if (m_frame)
        Log(QStringLiteral("serial port: ") + QFileInfo(port).fileName());
}

void WindowDriver::AnswerPopup(QWidget *popup)
{
    auto *menu = qobject_cast<QMenu *>(popup);
    QList<QAction *> items;
    if (menu)
        for (QAction *action : menu->actions())
            if (!action->isSeparator() && action->isVisible())
                items << action;
    if (items.isEmpty() || Chance(0.15)) {
        Log(QStringLiteral("popup: Esc"));
        QTest::keyClick(popup, Qt::Key_Escape);
        return;
    }
    QAction *item = items[Pick(int(items.size()))];
    Log(QStringLiteral("menu item: ") + item->text());
    Count(QStringLiteral("menu item %1").arg(item->data().toInt()));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}

void WindowDriver::AnswerModal(QWidget *modal)
{
    if (!modal->property("soakSeen").toBool()) {
        modal->setProperty("soakSeen", true);
        Count(QStringLiteral("dialog ") + QLatin1String(modal->metaObject()->className()));
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            Count(QStringLiteral("message: ") + box->text().section(QLatin1Char('\n'), 0, 0).left(60));
    }
    const auto pressKey = [&](Qt::Key key, const char *name) {
        Log(QStringLiteral("%1: %2").arg(Describe(modal).left(80), QLatin1String(name)));
        QWidget *target = modal->focusWidget() ? modal->focusWidget() : modal;
        QTest::keyClick(target, key);
    };
    const auto click = [&](QAbstractButton *button) {
        if (!Clickable(button)) {
            pressKey(Qt::Key_Escape, "Esc");
            return;
        }
        Log(QStringLiteral("%1: click %2").arg(Describe(modal).left(80), button->text()));
        QTest::mouseClick(button, Qt::LeftButton);
    };
    const auto closeBox = [&] {
        Log(QStringLiteral("%1: close box").arg(Describe(modal).left(80)));
        modal->close();
    };

    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        const QList<QAbstractButton *> buttons = box->buttons();
        switch (Pick(5)) {
        case 0: pressKey(Qt::Key_Escape, "Esc"); return;
        case 1: pressKey(Qt::Key_Return, "Enter"); return;
        case 2: closeBox(); return;
        default: click(buttons.isEmpty() ? nullptr : buttons[Pick(int(buttons.size()))]); return;
        }
    }
    if (auto *files = qobject_cast<QFileDialog *>(modal)) {
        AnswerFileDialog(files);
        return;
    }
    if (auto *fonts = qobject_cast<QFontDialog *>(modal)) {
        if (Chance(0.5)) {
            const char *families[] = {"Unifont", "AR PL UMing CN", "DejaVu Sans", "No Such Font"};
            const int sizes[] = {1, 6, 9, 12, 18, 36, 72, 200};
            QFont font(QLatin1String(families[Pick(4)]));
            font.setPointSize(sizes[Pick(8)]);
            font.setBold(Chance(0.3));
            fonts->setCurrentFont(font);
            Log(QStringLiteral("font dialog: choose %1 %2").arg(font.family()).arg(font.pointSize()));
        }
        auto *buttons = fonts->findChild<QDialogButtonBox *>();
        switch (Pick(4)) {
        case 0: pressKey(Qt::Key_Escape, "Esc"); return;
        case 1: closeBox(); return;
        default: click(buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr); return;
        }
    }
    if (auto *index = qobject_cast<CIndexDlg *>(modal)) {
        const char *values[] = {"0000", "FFFF", "00A0", "abcd", "12345", "", "123", "12G4", "12:4", "7fff"};
        if (Chance(0.6)) {
            index->IndexEdit()->setText(QLatin1String(values[Pick(10)]));
            Log(QStringLiteral("index dialog: type \"%1\"").arg(index->IndexEdit()->text()));
        }
        switch (Pick(5)) {
        case 0: pressKey(Qt::Key_Escape, "Esc"); return;
        case 1: pressKey(Qt::Key_Return, "Enter"); return;
        case 2: click(index->findChild<QPushButton *>(QStringLiteral("indexCancelButton"))); return;
        default: click(index->findChild<QPushButton *>(QStringLiteral("indexOkButton"))); return;
        }
    }
    if (auto *format = qobject_cast<CGlyphFormatDlg *>(modal)) {
        if (Chance(0.7)) {
            const int ids[] = {1017, 1025, 1026, 1034, 1035};
            click(format->Choice(ids[Pick(5)]));
            return;
        }
        switch (Pick(3)) {
        case 0: pressKey(Qt::Key_Escape, "Esc"); return;
        case 1: closeBox(); return;
        default: click(format->findChild<QPushButton *>(QStringLiteral("formatOkButton"))); return;
        }
    }
    if (auto *progress = qobject_cast<CProgressDlg *>(modal); progress && progress->CancelButton()) {
        if (Chance(0.1)) {
            if (Chance(0.5))
                pressKey(Qt::Key_Escape, "Esc");
            else
                click(progress->CancelButton());
        }
        return;
    }
    if (qobject_cast<CProgressDlg *>(modal)) {
        // A batch's bar has no buttons; keys and the close request must not disturb the run.
        if (Chance(0.02)) {
            switch (Pick(3)) {
            case 0: pressKey(Qt::Key_Escape, "Esc"); return;
            case 1: pressKey(Qt::Key_Return, "Enter"); return;
            default: closeBox(); return;
            }
        }
        return;
    }
    if (qobject_cast<QPrintDialog *>(modal)) {
        // Now and then it prints (to a PDF file where there is no printer).
        auto *buttons = modal->findChild<QDialogButtonBox *>();
        if (Chance(0.1) && buttons)
            click(buttons->button(QDialogButtonBox::Ok));
        else
            pressKey(Qt::Key_Escape, "Esc");
        return;
    }
    // Anything else (the about box, Qt's own questions): one of its buttons, Esc or the close box.
    const QList<QPushButton *> buttons = modal->findChildren<QPushButton *>();
    switch (Pick(4)) {
    case 0: pressKey(Qt::Key_Escape, "Esc"); return;
    case 1: closeBox(); return;
    default: click(buttons.isEmpty() ? nullptr : buttons[Pick(int(buttons.size()))]); return;
    }
}

void WindowDriver::AnswerFileDialog(QWidget *widget)
{
    auto *dialog = static_cast<QFileDialog *>(widget);
    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (Chance(0.3) || !Clickable(name)) {
        Log(QStringLiteral("file dialog \"%1\": Esc").arg(dialog->windowTitle()));
        QTest::keyClick(dialog, Qt::Key_Escape);
        return;
    }
    const QString s = m_scratch;
    QStringList choices;
    if (dialog->fileMode() == QFileDialog::Directory)
        choices = {s + "/export", s + "/locked", s + "/missing/folder", m_workDir, s + "/out/existing.dat"};
    else if (dialog->acceptMode() == QFileDialog::AcceptSave)
        choices = {s + "/out/copy.dat", s + "/out/existing.dat", s + "/locked/copy.bin", s + "/missing/copy.dat",
                   m_workDir + "/font.dat", s + "/out", s + "/out/noextension"};
    else
        choices = {s + "/pictures/logo.bmp", s + "/pictures/photo.jpg", s + "/pictures/wide.bmp",
                   s + "/pictures/dot.gif", s + "/pictures/junk.gif", s + "/pictures/empty.jpg",
                   s + "/pictures/cut.jpg", s + "/pictures/notes.bmp", s + "/pictures/gone.gif", s + "/pictures"};
    const QString path = choices[Pick(int(choices.size()))];
    Log(QStringLiteral("file dialog \"%1\": choose %2").arg(dialog->windowTitle(), QString(path).remove(s)));
    name->setFocus();
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
}

void WindowDriver::Act()
{
    const int roll = Pick(100);
    if (roll < 24)
        TriggerCommand();
    else if (roll < 30)
        UseMenuBar();
    else if (roll < 38)
        UseToolBar();
    else if (roll < 50)
        PressAccelerator();
    else if (roll < 68)
        UseControlBar();
    else if (roll < 78)
        TypeInCharBox();
    else if (roll < 87)
        UseCharacterList();
    else if (roll < 96)
        EditGlyph();
    else if (roll < 98)
        ChooseSerialPort();
    else
        ResizeWindow();
}

void WindowDriver::TriggerCommand()
{
    const int id = CommandIds[Pick(int(std::size(CommandIds)))];
    if (id == CmdExit && !Chance(0.1))
        return; // closing the program is rarer than the rest
    QAction *action = m_frame->Action(id);
    if (!action || !action->isEnabled())
        return;
    Log(QStringLiteral("command %1 %2").arg(id).arg(action->text()));
    Count(QStringLiteral("command %1").arg(id));
    action->trigger();
}

void WindowDriver::UseMenuBar()
{
    QMenuBar *bar = m_frame->menuBar();
    const QList<QAction *> menus = bar->actions();
    if (!Clickable(bar) || menus.isEmpty())
        return;
    QAction *menu = menus[Pick(int(menus.size()))];
    Log(QStringLiteral("open menu ") + menu->text());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu).center());
}

void WindowDriver::UseToolBar()
{
    auto *bar = m_frame->findChild<QToolBar *>(QStringLiteral("mainToolBar"));
    const int id = ToolbarIds[Pick(int(std::size(ToolbarIds)))];
    QWidget *button = bar ? bar->widgetForAction(m_frame->Action(id)) : nullptr;
    if (!Clickable(button))
        return;
    Log(QStringLiteral("toolbar button %1").arg(id));
    Count(QStringLiteral("toolbar %1").arg(id));
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowDriver::PressAccelerator()
{
    const Accelerator &key = Accelerators[Pick(int(std::size(Accelerators)))];
    if (QApplication::activeWindow() != m_frame.get())
        QApplication::setActiveWindow(m_frame.get());
    QWidget *target = QApplication::focusWidget();
    if (!target || target->window() != m_frame.get())
        target = m_frame.get();
    Log(QStringLiteral("key %1 in %2").arg(QLatin1String(key.Name), target->objectName()));
    Count(QStringLiteral("key %1").arg(QLatin1String(key.Name)));
    QTest::keyClick(target, key.Key, key.Modifiers);
}

void WindowDriver::UseControlBar()
{
    CControlBar *bar = m_frame->ControlBar();
    if (!Clickable(bar))
        return;
    const int choice = Pick(9);
    const auto note = [&](QWidget *control, const QString &what) {
        Log(QStringLiteral("control %1: %2").arg(control->objectName(), what));
        Count(QStringLiteral("control ") + control->objectName());
    };
    if (choice <= 2) {
        QAbstractButton *buttons[] = {bar->m_btnLeft,     bar->m_btnRight,       bar->m_btnUp,        bar->m_btnDown,
                                      bar->m_size8x8,     bar->m_size8x16,       bar->m_size16x16,    bar->m_size24x24,
                                      bar->m_size32x32,   bar->m_sizeCustom,     bar->m_scanHorizontal, bar->m_scanVertical,
                                      bar->m_scanZN,      bar->m_invertCheck,    bar->m_bitReverseCheck};
        QAbstractButton *button = buttons[Pick(int(std::size(buttons)))];
        if (!Clickable(button))
            return;
        note(button, QStringLiteral("click"));
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (choice <= 4) {
        QLineEdit *edit = Chance(0.5) ? bar->m_customWidthEdit : bar->m_customHeightEdit;
        if (!Clickable(edit))
            return;
        const char *values[] = {"8", "16", "20", "30", "64", "100", "1024", "1025", "2000", "0", "-5", "abc", "", " 7x"};
        const QString value = Chance(0.8) ? QLatin1String(values[Pick(int(std::size(values)))])
                                          : QString::number(1 + Pick(1100));
        note(edit, QStringLiteral("type \"%1\"").arg(value));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, value);
    } else if (choice == 5) {
        QComboBox *combo = bar->m_dataLengthCombo;
        if (!Clickable(combo))
            return;
        const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End};
        note(combo, QStringLiteral("key"));
        combo->setFocus();
        QTest::keyClick(combo, keys[Pick(4)]);
    } else {
        QSlider *slider = bar->m_zoomSlider;
        if (!Clickable(slider))
            return;
        if (Chance(0.5)) {
            const int position = 1 + Pick(30);
            note(slider, QStringLiteral("drag to %1").arg(position));
            slider->setSliderDown(true);
            slider->setSliderPosition(position);
            slider->setSliderDown(false);
        } else {
            const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
            note(slider, QStringLiteral("key"));
            slider->setFocus();
            QTest::keyClick(slider, keys[Pick(6)]);
        }
    }
}

QString WindowDriver::RandomText()
{
    const char *pool[] = {"中", "汉字", "A", "abc", "😀", "中😀", "€", "〇", "龘", "丂", "\t", "e\u0301", "\uE000",
                          "Dotrix 字模", "繁體", "あ", " ", "0", "\\", "%1"};
    if (Chance(0.1)) {
        QString text;
        for (int i = 0; i < 50 + Pick(400); ++i)
            text += QChar(0x4E00 + Pick(0x51A5));
        return text;
    }
    if (Chance(0.2))
        return QString(QChar(0x4E00 + Pick(0x51A5)));
    return QString::fromUtf8(pool[Pick(int(std::size(pool)))]);
}

void WindowDriver::TypeInCharBox()
{
    QLineEdit *box = m_frame->CharBox();
    if (!Clickable(box))
        return;
    box->setFocus();
    switch (Pick(5)) {
    case 0:
        Log(QStringLiteral("char box: clear"));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        return;
    case 1:
        Log(QStringLiteral("char box: Backspace"));
        QTest::keyClick(box, Qt::Key_Backspace);
        return;
    default: {
        const QString text = RandomText();
        Log(QStringLiteral("char box: type \"%1\"").arg(text.left(20)));
        Count(QStringLiteral("char box typing"));
        Enter(box, text);
        return;
    }
    }
}

void WindowDriver::UseCharacterList()
{
    CFontSel *pane = m_frame->CharacterList();
    if (!Clickable(pane))
        return;
    QPlainTextEdit *list = pane->ListEdit();
    switch (Pick(9)) {
    case 0:
        Log(QStringLiteral("list: filter"));
        Count(QStringLiteral("list filter"));
        QTest::mouseClick(pane->findChild<QPushButton *>(QStringLiteral("filterButton")), Qt::LeftButton);
        return;
    case 1:
        Log(QStringLiteral("list: sort"));
        Count(QStringLiteral("list sort"));
        QTest::mouseClick(pane->findChild<QPushButton *>(QStringLiteral("sortButton")), Qt::LeftButton);
        return;
    case 2:
        Log(QStringLiteral("list: toggle duplicate removal"));
        QTest::mouseClick(pane->AutoDeleteCheck(), Qt::LeftButton);
        return;
    case 3: {
        const QString count = QString::number(Pick(3) == 0 ? -1 : Pick(30000));
        Log(QStringLiteral("list: count \"%1\"").arg(count));
        pane->CountEdit()->setFocus();
        pane->CountEdit()->selectAll();
        QTest::keyClicks(pane->CountEdit(), count);
        return;
    }
    case 8:
        // Its menu (a file or a folder) and the file dialog come up as popups and modals.
        Log(QStringLiteral("list: collect characters from files"));
        Count(QStringLiteral("list collect"));
        QTest::mouseClick(pane->findChild<QPushButton *>(QStringLiteral("collectButton")), Qt::LeftButton);
        return;
    case 4:
        Log(QStringLiteral("list: select all, delete"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_Delete);
        return;
    default: {
        const QString text = Chance(0.2) ? QStringLiteral("\n") : RandomText();
        Log(QStringLiteral("list: type \"%1\"").arg(text.left(20)));
        Count(QStringLiteral("list typing"));
        list->setFocus();
        if (text == QLatin1String("\n"))
            QTest::keyClick(list, Qt::Key_Return);
        else
            Enter(list, text);
        return;
    }
    }
}

void WindowDriver::EditGlyph()
{
    CDotrixView *view = m_frame->GlyphView();
    if (!Clickable(view))
        return;
    if (!view->EditMode()) {
        QAction *mode = m_frame->Action(CmdEditMode);
        if (!mode->isEnabled())
            return;
        Log(QStringLiteral("edit mode on"));
        Count(QStringLiteral("edit mode on"));
        mode->trigger();
        return;
    }
    const GlyphSettings &settings = m_frame->Settings();
    const int width = std::clamp(settings.Width, 1, 64), height = std::clamp(settings.Height, 1, 64);
    const auto randomDot = [&] { return view->DotCentre(QPoint(Pick(width), Pick(height))); };
    switch (Pick(6)) {
    case 0:
    case 1: {
        const int moves = 1 + Pick(12);
        Log(QStringLiteral("glyph view: stroke of %1 moves").arg(moves));
        Count(QStringLiteral("glyph stroke"));
        QTest::mousePress(view, Qt::LeftButton, {}, randomDot());
        for (int i = 0; i < moves; ++i)
            QTest::mouseMove(view, randomDot());
        QTest::mouseRelease(view, Qt::LeftButton, {}, randomDot());
        break;
    }
    case 2:
        Log(QStringLiteral("glyph view: Shift+click"));
        Count(QStringLiteral("glyph line"));
        QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, randomDot());
        break;
    case 3: {
        const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space};
        Log(QStringLiteral("glyph view: cursor keys"));
        Count(QStringLiteral("glyph keys"));
        for (int i = 0; i < 1 + Pick(6); ++i)
            QTest::keyClick(view, keys[Pick(5)]);
        break;
    }
    case 4: {
        const int id = Chance(0.6) ? CmdUndo : CmdRedo;
        QAction *action = m_frame->Action(id);
        if (!action->isEnabled())
            return;
        Log(QStringLiteral("glyph %1").arg(id == CmdUndo ? "undo" : "redo"));
        Count(QStringLiteral("glyph undo/redo"));
        action->trigger();
        break;
    }
    default:
        Log(QStringLiteral("edit mode off"));
        m_frame->Action(CmdEditMode)->trigger();
        return;
    }
    // Whatever went wrong, the patch file is there whole or not at all.
    const QString patchPath = PatchPathIn(m_workDir);
    Failure failure;
    GlyphPatch patch;
    if (QFileInfo::exists(patchPath) && !LoadGlyphPatch(patchPath, patch, &failure)) {
        QFile::copy(patchPath, QDir::temp().filePath(QStringLiteral("dotrix-soak-bad-patch.bdf")));
        Fail(QStringLiteral("the patch file does not read back (failure %1: %2 %3)")
                 .arg(int(failure.Code))
                 .arg(failure.Reason, failure.Details.join(QLatin1Char(' '))));
    }
}

void WindowDriver::ResizeWindow()
{
    const QSize sizes[] = {{1600, 1000}, {1366, 768}, {1024, 600}, {800, 600}};
    const QSize size = sizes[Pick(4)];
    Log(QStringLiteral("window size %1 x %2").arg(size.width()).arg(size.height()));
    m_frame->resize(size);
}

int RunWorker(int &argc, char **argv, const SoakOptions &options)
{
    // A file-size limit makes a write fail instead of ending the program, as in the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    SetApplicationIdentity();
    SetLanguage(Language::Chinese);
    QApplication::setQuitOnLastWindowClosed(false);
    WindowDriver driver(options, options.Scratch);
    if (!driver.Start())
        return 1;
    return app.exec();
}
