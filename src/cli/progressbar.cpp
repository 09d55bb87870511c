#include "progressbar.h"

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <unistd.h>

void DrawBar(std::ostream &err, int done, int total)
{
    constexpr int Width = 40;
    const int filled = total > 0 ? int(qint64(done) * Width / total) : Width;
    err << "\r[" << std::string(size_t(filled), '#') << std::string(size_t(Width - filled), '.') << "] " << done
        << '/' << total << std::flush;
}

void RunWithProgressBar(const BatchControl &control, int total, std::ostream &err, const std::function<void()> &work)
{
    const bool terminal = isatty(STDERR_FILENO);
    // The bar is redrawn every 100 ms, and the command goes on the moment the work ends, not at
    // the next redraw.
    std::packaged_task<void()> task(work);
    const std::future<void> done = task.get_future();
    std::thread worker(std::move(task));
    while (done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready)
        if (terminal)
            DrawBar(err, control.Progress, total);
    worker.join();
    if (terminal) {
        DrawBar(err, control.Progress, total);
        err << '\n';
    }
}
