#include "progressbar.h"

#include <chrono>
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
    std::thread worker(work);
    while (!control.Finished) {
        if (terminal)
            DrawBar(err, control.Progress, total);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    worker.join();
    if (terminal) {
        DrawBar(err, control.Progress, total);
        err << '\n';
    }
}
