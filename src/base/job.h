#pragma once
// JobControl: how a long command (a batch, a font export, a serial send, copying or clearing glyph
// files) and whoever shows it share its state. The work, on a thread of its own, sets how much
// there is and how far it has got and asks whether to stop; the window's progress box or
// dotrix-cli's bar reads that and may ask it to stop. Each command returns its own result when it
// ends.

#include <QtGlobal>

#include <atomic>

class JobControl
{
public:
    // The work's side.
    void SetTotal(qint64 total) { m_total = total; }
    void SetDone(qint64 done) { m_done = done; }
    void Advance(qint64 steps = 1) { m_done += steps; }
    bool Cancelled() const { return m_cancel; }

    // The watcher's side.
    qint64 Done() const { return m_done; }
    qint64 Total() const { return m_total; } // 0: the work does not know how much there is
    bool Finished() const { return m_finished; }
    // Asks the work to stop at its next step; a job not yet begun stops before its first.
    void Cancel() { m_cancel = true; }

private:
    friend class JobScope;
    std::atomic<qint64> m_done{0};
    std::atomic<qint64> m_total{0};
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_finished{false};
};

// A run's hold on its control: nothing done and not finished when the run begins (with its total
// when it knows it), finished however the run returns.
class JobScope
{
public:
    explicit JobScope(JobControl &control, qint64 total = 0) : m_control(control)
    {
        control.m_done = 0;
        control.m_total = total;
        control.m_finished = false;
    }
    ~JobScope() { m_control.m_finished = true; }
    JobScope(const JobScope &) = delete;
    JobScope &operator=(const JobScope &) = delete;

private:
    JobControl &m_control;
};
