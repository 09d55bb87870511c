#pragma once
// GlyphPipeline: a batch run's glyphs drawn, read back and laid out as text on the other cores,
// ahead of the run that writes them to their files in list order.

#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The characters of a run (code page 936) and the unique name of each.
struct GlyphPlan
{
    std::vector<std::string> Characters;
    std::vector<std::string> Names;
};

// One glyph's work, done on any core.
struct GlyphSlot
{
    bool Ready = false;
    bool Ok = true;
    QString Error;
    QByteArray Bitmap; // the glyph's bitmap file
    std::string Text;  // the glyph's source text, as appended to All.c; empty when refused
    std::string Data;  // its data bytes, for font.dat
};

class GlyphPipeline
{
public:
    // plan and settings must outlive the pipeline. wantData: the slots carry font.dat's bytes.
    GlyphPipeline(const GlyphPlan &plan, const GlyphSettings &settings, bool wantData);
    ~GlyphPipeline(); // stops the workers

    // Starts the workers: the cores but the one the run writes files on, at most four.
    void Start();
    // Waits for glyph i, taken in list order; false when the pipeline was stopped before it was
    // done.
    bool Take(size_t i, GlyphSlot &slot);
    // Stops the workers and waits for them.
    void Stop();

private:
    void Work();
    GlyphSlot MakeGlyph(size_t i, DotMatrix &matrix) const;

    const GlyphPlan &m_plan;
    const GlyphSettings &m_settings;
    const bool m_wantData;
    std::vector<GlyphSlot> m_slots;
    std::vector<std::thread> m_threads;
    std::atomic<size_t> m_next{0};
    std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_taken = 0;
    bool m_stop = false;
};
