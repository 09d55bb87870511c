#include "progressbox.h"

#include "messages.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {
int g_runningBoxes = 0; // touched by the window's thread only
}

int RunningProgressBoxes()
{
    return g_runningBoxes;
}

void RunWithProgressBox(QWidget *parent, const ProgressWork &work)
{
    struct Running
    {
        Running() { ++g_runningBoxes; }
        ~Running() { --g_runningBoxes; }
    } running;
    QProgressDialog progress(work.Label, QCoreApplication::translate("ProgressBox", "取消"), 0, 100, parent);
    progress.setObjectName(work.Name);
    progress.setWindowTitle(ApplicationTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    if (!work.Cancel)
        progress.setCancelButton(nullptr);
    if (!work.Percent)
        progress.setRange(0, 0);
    bool cancelled = false;
    std::unique_ptr<QThread> worker(QThread::create(work.Work));
    QEventLoop wait;
    QObject::connect(worker.get(), &QThread::finished, &wait, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &progress, [&] {
        // A cancelled box stays hidden while the work winds down; left polling, the box (and its
        // timer) would bring it back.
        if (!cancelled)
            progress.setValue(work.Percent ? work.Percent() : 0);
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] {
        cancelled = true;
        if (work.Cancel)
            work.Cancel();
    });
    // The box is up (and the window closed to input) from the start: a command started in the
    // moment before would meet this work in the output directory.
    progress.show();
    worker->start();
    poll.start(100);
    wait.exec();
    worker->wait();
    poll.stop();
    progress.hide();
}
