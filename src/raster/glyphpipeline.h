#pragma once
// GlyphPipeline: glyphs made on several cores and taken in list order by one thread, with at
// most a fixed number made ahead of the one taken last, so that memory stays flat however long
// the list is. Batch runs and font exports draw through it.

#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

template <typename Slot>
class GlyphPipeline
{
public:
    // Makes glyph i; runs on a worker thread.
    using Maker = std::function<Slot(size_t i)>;

    // count glyphs; newMaker is called once on each worker thread and gives that worker its own
    // maker (with its own matrix, settings or drawing state).
    GlyphPipeline(size_t count, std::function<Maker()> newMaker, size_t ahead = 256)
        : m_newMaker(std::move(newMaker)), m_ahead(ahead), m_slots(count)
    {
    }
    ~GlyphPipeline() { Stop(); }
    GlyphPipeline(const GlyphPipeline &) = delete;
    GlyphPipeline &operator=(const GlyphPipeline &) = delete;

    // Workers a run on this machine uses when the taking thread has spare work of its own to do
    // (reserve 1) or none (reserve 0).
    static int WorkerCount(int reserve, int most)
    {
        return std::clamp(QThread::idealThreadCount() - reserve, 1, most);
    }

    void Start(int workers)
    {
        for (int w = 0; w < workers; ++w)
            m_threads.emplace_back([this] { Work(); });
    }

    // Waits for glyph i; false when the pipeline was stopped before it was made.
    bool Take(size_t i, Slot &slot)
    {
        std::unique_lock lock(m_mutex);
        if (!m_slots[i] && !m_stop) {
            m_awaited = i;
            m_made.wait(lock, [&] { return m_slots[i].has_value() || m_stop; });
            m_awaited = NoneAwaited;
        }
        if (!m_slots[i])
            return false;
        slot = std::move(*m_slots[i]);
        m_slots[i].reset();
        m_taken = i + 1;
        // Waking the workers for every glyph taken would cost more than drawing small glyphs.
        if (m_workersWaiting > 0)
            m_takenChanged.notify_all();
        return true;
    }

    // Stops the workers after the glyph each is making and waits for them.
    void Stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_made.notify_all();
        m_takenChanged.notify_all();
        for (std::thread &thread : m_threads)
            thread.join();
        m_threads.clear();
    }

private:
    void Work()
    {
        const Maker make = m_newMaker();
        for (;;) {
            const size_t i = m_next.fetch_add(1);
            if (i >= m_slots.size())
                return;
            {
                std::unique_lock lock(m_mutex);
                ++m_workersWaiting;
                m_takenChanged.wait(lock, [&] { return i < m_taken + m_ahead || m_stop; });
                --m_workersWaiting;
                if (m_stop)
                    return;
            }
            Slot slot = make(i);
            bool awaited;
            {
                std::lock_guard lock(m_mutex);
                m_slots[i] = std::move(slot);
                awaited = m_awaited == i;
            }
            if (awaited)
                m_made.notify_one();
        }
    }

    const std::function<Maker()> m_newMaker;
    const size_t m_ahead;
    std::vector<std::optional<Slot>> m_slots;
    std::vector<std::thread> m_threads;
    std::atomic<size_t> m_next{0};
    static constexpr size_t NoneAwaited = size_t(-1);

    std::mutex m_mutex;
    std::condition_variable m_made;          // a glyph was made (the taker waits for one)
    std::condition_variable m_takenChanged; // a glyph was taken (workers wait for room ahead)
    size_t m_taken = 0;
    size_t m_awaited = NoneAwaited; // the glyph the taker waits for
    int m_workersWaiting = 0;
    bool m_stop = false;
};
