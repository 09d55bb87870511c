#pragma once
// WindowDriver: one user at random in front of the main window. Each step either answers the
// dialog or menu that is open, or does one thing in the window: a menu command, a toolbar button,
// an accelerator, a control-bar control, typing. The run passes through phases, each with one
// fault of the surroundings: none, no serial port, output folder removed, output folder
// read-only, a huge character list pasted.

#include "soakoptions.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <map>
#include <memory>
#include <random>
#include <thread>
#include <vector>

class CMainFrame;
class QSerialPort;
class QWidget;
namespace testutil {
class SerialPeer;
}

class WindowDriver : public QObject
{
public:
    WindowDriver(const SoakOptions &options, const QString &scratch);
    ~WindowDriver() override;

    // Sets up the scratch folders, serial peers and the window, and starts stepping.
    bool Start();

private:
    enum Phase { Calm, NoSerialPort, FolderRemoved, FolderReadOnly, HugeList, PhaseCount };

    void Step();
    void ScheduleNext();
    void Finish();
    void Fail(const QString &reason);
    void Log(const QString &what);
    void Count(const QString &what) { ++m_counts[what]; }

    void OpenWindow();
    void EnterPhase(Phase phase);
    void LeavePhase();
    void ChooseSerialPort();

    // Answering what is open.
    void AnswerPopup(QWidget *popup);
    void AnswerModal(QWidget *modal);
    bool WatchModal(QWidget *modal);
    void AnswerFileDialog(QWidget *dialog);

    // Doing something in the window.
    void Act();
    void TriggerCommand();
    void UseMenuBar();
    void UseToolBar();
    void PressAccelerator();
    void UseControlBar();
    void TypeInCharBox();
    void UseCharacterList();
    // Edit mode in the glyph view: strokes, lines, the dot cursor, undo and redo.
    void EditGlyph();
    void ResizeWindow();
    // True when it chose a small glyph size because the list is long (and did nothing else).
    bool KeepBatchesSmall();
    QString RandomText();

    int Pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(m_random)); }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_random) < p; }

    SoakOptions m_options;
    QString m_scratch, m_workDir;
    std::mt19937_64 m_random;
    std::unique_ptr<CMainFrame> m_frame;
    QElapsedTimer m_clock, m_phaseClock;
    Phase m_phase = Calm;
    int m_phaseMs = 12000;
    long long m_steps = 0;
    int m_depth = 0;       // window actions of this driver on the stack (nested dialog loops)
    bool m_finishing = false;
    bool m_rebuilding = false;
    QPointer<QWidget> m_modal; // the dialog on top, since when, and how often it was answered
    QElapsedTimer m_modalClock, m_busyClock;
    bool m_busy = false;       // some dialog has been open since m_busyClock
    std::map<QString, long long> m_counts;
    std::unique_ptr<testutil::SerialPeer> m_silentPeer, m_busyPeer, m_rxPeer;
    std::unique_ptr<QSerialPort> m_holder;
    QString m_hugeList;
    std::vector<std::thread> m_trash; // removed output folders being deleted
};
