#include "progressbox.h"

#include <QEventLoop>
#include <QThread>

#include <memory>

namespace {
int g_runningJobs = 0; // touched by the window's thread only
}

int RunningJobs()
{
    return g_runningJobs;
}

void RunJob(QWidget *parent, JobControl &control, const ProgressLook &look, const std::function<void()> &work)
{
    struct Running
    {
        Running() { ++g_runningJobs; }
        ~Running() { --g_runningJobs; }
    } running;
    CProgressDlg progress(control, -1, parent, look);
    std::unique_ptr<QThread> worker(QThread::create(work));
    QEventLoop wait;
    QObject::connect(worker.get(), &QThread::finished, &wait, &QEventLoop::quit);
    // The box is up (and the window closed to input) from before the work starts until after it
    // has ended: a command taken in between would meet this work in the output directory.
    progress.show();
    worker->start();
    wait.exec();
    worker->wait();
    progress.hide();
}
