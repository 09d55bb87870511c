#include "glyphpipeline.h"

#include "glyphtext.h"
#include "raster/glyphbitmap.h"
#include "raster/glyphrender.h"

#include <QThread>

namespace {
// Glyphs a worker may finish ahead of the one being written: bounds the memory a run holds
// however long the list is.
constexpr size_t WorkAhead = 256;
} // namespace

GlyphPipeline::GlyphPipeline(const GlyphPlan &plan, const GlyphSettings &settings, bool wantData)
    : m_plan(plan), m_settings(settings), m_wantData(wantData), m_slots(plan.Characters.size())
{
}

GlyphPipeline::~GlyphPipeline()
{
    Stop();
}

void GlyphPipeline::Start()
{
    // The run's own thread creates the files, which is most of the work; the other cores draw.
    const int workers = std::clamp(QThread::idealThreadCount() - 1, 1, 4);
    for (int w = 0; w < workers; ++w)
        m_threads.emplace_back([this] { Work(); });
}

bool GlyphPipeline::Take(size_t i, GlyphSlot &slot)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_slots[i].Ready || m_stop; });
    if (!m_slots[i].Ready)
        return false;
    slot = std::move(m_slots[i]);
    m_slots[i] = GlyphSlot();
    m_taken = i + 1;
    m_changed.notify_all();
    return true;
}

void GlyphPipeline::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
    m_threads.clear();
}

void GlyphPipeline::Work()
{
    DotMatrix matrix;
    for (;;) {
        const size_t i = m_next.fetch_add(1);
        if (i >= m_slots.size())
            return;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return i < m_taken + WorkAhead || m_stop; });
            if (m_stop)
                return;
        }
        GlyphSlot slot = MakeGlyph(i, matrix);
        {
            std::lock_guard lock(m_mutex);
            slot.Ready = true;
            m_slots[i] = std::move(slot);
        }
        m_changed.notify_all();
    }
}

// Draws, reads back and lays out one glyph in memory; the files are created in list order by the
// run itself, since creating files in one directory from several threads at once only makes them
// wait for each other.
GlyphSlot GlyphPipeline::MakeGlyph(size_t i, DotMatrix &matrix) const
{
    GlyphSlot slot;
    const GlyphSettings &settings = m_settings;
    const std::string &character = m_plan.Characters[i];
    const QImage image = DrawGlyphImage(character, settings.OffsetX, settings.OffsetY, settings.Width,
                                        settings.Height, settings.GlyphFont);
    slot.Bitmap = EncodeBitmapFile(image, settings.Width, settings.Height);
    // The glyph is read back from exactly the bytes its bitmap file holds, which have the run's
    // size.
    GlyphSize size;
    if (!LoadMatrixFromBitmapBytes(slot.Bitmap, InkTest::BlueByte, matrix, size, &slot.Error)) {
        slot.Ok = false;
        return slot;
    }
    const GlyphText text = ComposeGlyphText(m_plan.Names[i], character, settings, matrix, true);
    if (text.Refused)
        return slot; // a group too long for the glyph: no text, no data, the run goes on
    slot.Text = GlyphFileBytes(text, false);
    if (m_wantData)
        slot.Data = GlyphDataBytes(text);
    return slot;
}
