#pragma once
// InkTally: where the ink of a set of glyphs lies against their cell, gathered glyph by glyph:
// which glyphs lost ink outside the cell, and the offset or cell size that would hold them all.

#include "glyphrender.h"
#include "glyphsettings.h"
#include "base/job.h"

#include <QRect>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class InkTally
{
public:
    // How many of the glyphs that lost ink are named.
    static constexpr size_t NamedGlyphs = 5;

    // Counts one glyph (code page 936) drawn at the offset the tally is about, in a cell width dots
    // wide.
    void Add(const std::string &character, const GlyphInk &ink, int width);

    // Glyphs whose ink reached outside the cell, and the first NamedGlyphs of them in the order
    // they were added.
    int Outside() const { return m_outside; }
    const std::vector<std::string> &FirstOutside() const { return m_named; }
    // The union of every glyph's ink box, in cell coordinates; null when no glyph had ink.
    QRect Span() const { return m_span; }

    // The offset on one axis closest to offset (the one the glyphs were drawn at) that puts every
    // glyph's ink inside a cell of side dots; none when the ink is longer than the side. No ink
    // at all keeps offset.
    std::optional<int> FittingOffsetX(int offset, int side) const;
    std::optional<int> FittingOffsetY(int offset, int side) const;
    // FittingOffsetY when there is one; else the offset at which the fewest glyphs lose ink
    // (of several, the nearest to offset).
    int BestOffsetY(int offset, int side) const;
    // The glyphs that lose ink with the vertical offset moved by shift: how many, and the first
    // NamedGlyphs of them.
    int OutsideAtShiftY(int shift, int side, std::vector<std::string> *first = nullptr) const;

private:
    struct Rows
    {
        int Top, Bottom, Left, Right; // ink box edges, cell coordinates
        std::string Character;
    };
    std::vector<Rows> m_rows; // every inked glyph's ink box
    int m_width = 0;          // the cell's width
    int m_outside = 0;
    std::vector<std::string> m_named;
    QRect m_span;
};

// Measures the ink of every character (code page 936) drawn with settings (font, offset, cell),
// on every core; antialiased and inkCoverage as DrawGlyphImage takes them. job, when given,
// stops the measuring early when it is cancelled (the tally then holds the glyphs measured so far).
InkTally MeasureInk(const std::vector<std::string> &characters, const GlyphSettings &settings,
                    bool antialiased = false, int inkCoverage = 1, const JobControl *job = nullptr);

// settings.OffsetY moved by the least that puts the ink of every character (code page 936) inside
// the cell, when it can; when the ink is taller than the cell, to where the fewest glyphs lose
// ink (InkTally::BestOffsetY). Returns whether the ink fits.
bool FitOffsetY(const std::vector<std::string> &characters, GlyphSettings &settings);

// What a command says when glyphs lost ink, drawn with settings: how many, the first few, and
// the offset or cell size that would hold the ink of every glyph; empty when none lost any. The
// texts are Chinese, marked for the "CoreMessage" context; translate shows them in the language
// in use (the programs pass CoreMessage).
QString InkLossNote(const InkTally &ink, const GlyphSettings &settings,
                    const std::function<QString(const char *)> &translate);
// What a command says when it chose the offset from the ink: %1,%2 the offset. Whether every
// glyph's ink then fits is the loss note's to say (a glyph may be wider than the cell).
inline constexpr const char *InkPlacedMessage =
    QT_TRANSLATE_NOOP("CoreMessage", "按笔画把字形放在偏移 %1,%2 处");
