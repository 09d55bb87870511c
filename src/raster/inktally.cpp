#include "inktally.h"

#include "charset/cp936.h"
#include "glyphinkmeter.h"
#include "glyphpipeline.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// %1 x %2 the cell, %3 the glyphs that lost ink, %4 the first of them.
const char *const InkLostMessage = QT_TRANSLATE_NOOP("CoreMessage", "笔画超出 %1×%2 点阵而被截去的字形：%3 个（%4）");
// %1,%2 the offset that holds the ink.
const char *const OffsetHoldsInkMessage = QT_TRANSLATE_NOOP("CoreMessage", "；偏移 %1,%2 可容下全部笔画");
// %1 x %2 the cell that holds the ink, %3,%4 the offset in it.
const char *const CellHoldsInkMessage = QT_TRANSLATE_NOOP("CoreMessage", "；%1×%2 点阵（偏移 %3,%4）才容得下全部笔画");

// The offset nearest offset that moves the ink from first..last (cell coordinates at offset)
// into 0..side-1.
std::optional<int> Fit(int offset, int first, int last, int side)
{
    if (last - first + 1 > side)
        return std::nullopt;
    if (first < 0)
        return offset - first;
    if (last > side - 1)
        return offset - (last - (side - 1));
    return offset;
}

} // namespace

void InkTally::Add(const std::string &character, const GlyphInk &ink, int width)
{
    if (ink.Box.isNull())
        return;
    m_width = width;
    m_span = m_span.isNull() ? ink.Box : m_span.united(ink.Box);
    m_rows.push_back({ink.Box.top(), ink.Box.bottom(), ink.Box.left(), ink.Box.right(), character});
    if (!ink.Outside)
        return;
    ++m_outside;
    if (m_named.size() < NamedGlyphs)
        m_named.push_back(character);
}

std::optional<int> InkTally::FittingOffsetX(int offset, int side) const
{
    if (m_span.isNull())
        return offset;
    return Fit(offset, m_span.left(), m_span.right(), side);
}

std::optional<int> InkTally::FittingOffsetY(int offset, int side) const
{
    if (m_span.isNull())
        return offset;
    return Fit(offset, m_span.top(), m_span.bottom(), side);
}

int InkTally::BestOffsetY(int offset, int side) const
{
    if (const std::optional<int> fit = FittingOffsetY(offset, side))
        return *fit;
    // Every offset from the one that puts the span's bottom on the last row to the one that puts
    // its top on the first.
    int best = offset;
    size_t fewest = SIZE_MAX;
    for (int candidate = offset + side - 1 - m_span.bottom(); candidate <= offset - m_span.top(); ++candidate) {
        const int shift = candidate - offset;
        const size_t lost = size_t(OutsideAtShiftY(shift, side));
        if (lost < fewest || (lost == fewest && std::abs(candidate - offset) < std::abs(best - offset))) {
            fewest = lost;
            best = candidate;
        }
    }
    return best;
}

int InkTally::OutsideAtShiftY(int shift, int side, std::vector<std::string> *first) const
{
    int count = 0;
    for (const Rows &rows : m_rows) {
        if (rows.Top + shift >= 0 && rows.Bottom + shift <= side - 1 && rows.Left >= 0 && rows.Right < m_width)
            continue;
        ++count;
        if (first && first->size() < NamedGlyphs)
            first->push_back(rows.Character);
    }
    return count;
}

InkTally MeasureInk(const std::vector<std::string> &characters, const GlyphSettings &settings, bool antialiased,
                    int inkCoverage, const JobControl *job)
{
    InkTally tally;
    GlyphPipeline<GlyphInk> pipeline(characters.size(), [&] {
        // Each worker measures with a meter of its own.
        auto meter = std::make_shared<GlyphInkMeter>(settings.GlyphFont, antialiased, inkCoverage);
        return [&, meter](size_t i) {
            return meter->Measure(characters[i], settings.OffsetX, settings.OffsetY, settings.Width, settings.Height);
        };
    });
    pipeline.Start(GlyphPipeline<GlyphInk>::WorkerCount(0, 8));
    GlyphInk ink;
    for (size_t i = 0; i < characters.size(); ++i) {
        if ((job && job->Cancelled()) || !pipeline.Take(i, ink))
            break;
        tally.Add(characters[i], ink, settings.Width);
    }
    return tally;
}

bool FitOffsetY(const std::vector<std::string> &characters, GlyphSettings &settings)
{
    const InkTally ink = MeasureInk(characters, settings);
    const bool fits = ink.FittingOffsetY(settings.OffsetY, settings.Height).has_value();
    settings.OffsetY = ink.BestOffsetY(settings.OffsetY, settings.Height);
    return fits;
}

QString InkLossNote(const InkTally &ink, const GlyphSettings &settings,
                    const std::function<QString(const char *)> &translate)
{
    if (ink.Outside() == 0)
        return {};
    QStringList names;
    for (const std::string &character : ink.FirstOutside())
        names.append(Cp936ToQString(character));
    if (size_t(ink.Outside()) > ink.FirstOutside().size())
        names.append(QStringLiteral("…"));
    QString note = translate(InkLostMessage)
                       .arg(settings.Width)
                       .arg(settings.Height)
                       .arg(ink.Outside())
                       .arg(names.join(QLatin1Char(' ')));
    const std::optional<int> x = ink.FittingOffsetX(settings.OffsetX, settings.Width);
    const std::optional<int> y = ink.FittingOffsetY(settings.OffsetY, settings.Height);
    if (x && y)
        return note + translate(OffsetHoldsInkMessage).arg(*x).arg(*y);
    // The span is measured at the settings' offset; a cell just as large holds it moved by as much.
    const QRect span = ink.Span();
    const int width = std::max(settings.Width, span.width());
    const int height = std::max(settings.Height, span.height());
    return note + translate(CellHoldsInkMessage)
                      .arg(width)
                      .arg(height)
                      .arg(ink.FittingOffsetX(settings.OffsetX, width).value_or(settings.OffsetX))
                      .arg(ink.FittingOffsetY(settings.OffsetY, height).value_or(settings.OffsetY));
}
