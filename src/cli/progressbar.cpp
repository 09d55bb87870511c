#include "progressbar.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <future>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// The job a Ctrl-C stops; set only while RunWithProgressBar runs one.
std::atomic<JobControl *> g_interruptible{nullptr};
std::atomic<bool> g_interrupted{false};

extern "C" void OnInterrupt(int)
{
    // Only lock-free atomic stores here: all that is safe in a signal handler. The next Ctrl-C
    // gets the default action.
    if (JobControl *job = g_interruptible.load())
        job->Cancel();
    g_interrupted = true;
    std::signal(SIGINT, SIG_DFL);
}

// Stops the job on Ctrl-C while it is in scope.
class InterruptScope
{
public:
    explicit InterruptScope(JobControl &control)
    {
        g_interrupted = false;
        g_interruptible = &control;
        struct sigaction action = {};
        action.sa_handler = &OnInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previous);
    }
    ~InterruptScope()
    {
        sigaction(SIGINT, &m_previous, nullptr);
        g_interruptible = nullptr;
    }
    InterruptScope(const InterruptScope &) = delete;
    InterruptScope &operator=(const InterruptScope &) = delete;

private:
    struct sigaction m_previous = {};
};

} // namespace

void DrawBar(std::ostream &err, qint64 done, qint64 total)
{
    constexpr int Width = 40;
    const int filled = total > 0 ? int(std::min(done, total) * Width / total) : Width;
    err << "\r[" << std::string(size_t(filled), '#') << std::string(size_t(Width - filled), '.') << "] " << done
        << '/' << total << std::flush;
}

bool RunWithProgressBar(JobControl &control, std::ostream &err, const std::function<void()> &work)
{
    const bool terminal = isatty(STDERR_FILENO);
    const InterruptScope interrupt(control);
    // The bar is redrawn every 100 ms, and the command goes on the moment the work ends, not at
    // the next redraw.
    std::packaged_task<void()> task(work);
    const std::future<void> done = task.get_future();
    std::thread worker(std::move(task));
    while (done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready)
        if (terminal)
            DrawBar(err, control.Done(), control.Total());
    worker.join();
    if (terminal) {
        DrawBar(err, control.Done(), control.Total());
        err << '\n';
    }
    return g_interrupted;
}
