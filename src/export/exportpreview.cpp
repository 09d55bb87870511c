#include "exportpreview.h"

#include "charset/cp936.h"
#include "exportrun.h"
#include "kerning.h"

#include <algorithm>
#include <map>
#include <utility>

std::vector<CodePointChar> PreviewCharacters(const QString &text)
{
    std::vector<CodePointChar> characters;
    const QList<uint> codes = text.toUcs4();
    const std::vector<std::string> bytes = Utf8ToCp936Chars(text.toStdString());
    // One entry of bytes per code point of text (an unpaired surrogate is one U+FFFD in both).
    for (qsizetype i = 0; i < codes.size(); ++i) {
        if (codes[i] == '\n' || codes[i] == '\r')
            continue;
        characters.push_back({char32_t(codes[i]), size_t(i) < bytes.size() ? bytes[size_t(i)] : std::string()});
    }
    return characters;
}

ExportPreview DrawExportPreview(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                                int bpp, AdvanceMode advance, bool kerning)
{
    ExportPreview preview;
    if (characters.empty() || !IsExportBpp(bpp))
        return preview;
    const ExportFontMetrics metrics = MeasureExportFont(settings, bpp, advance);
    preview.Baseline = metrics.Baseline;

    // Each different character drawn once.
    std::map<char32_t, ExportGlyph> glyphs;
    std::vector<CodePointChar> distinct;
    GlyphDrawer drawer(settings.GlyphFont, bpp > 1, settings.Patch.get());
    for (const CodePointChar &character : characters)
        if (glyphs.find(character.CodePoint) == glyphs.end()) {
            glyphs.emplace(character.CodePoint, DrawExportGlyph(character, settings, bpp, metrics, &drawer));
            distinct.push_back(character);
        }
    std::map<std::pair<char32_t, char32_t>, int> kerns;
    if (kerning)
        for (const KernPair &pair : MeasureKerning(distinct, settings, bpp))
            kerns[{pair.Left, pair.Right}] = pair.Value16;

    // Where each glyph's pen stands, from the line's start.
    struct Placed
    {
        const ExportGlyph *Glyph;
        long long Pen;
    };
    std::vector<Placed> line;
    line.reserve(characters.size());
    long long pen = 0, left = 0, right = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
        const ExportGlyph &glyph = glyphs.at(characters[i].CodePoint);
        line.push_back({&glyph, pen});
        if (!glyph.Empty()) {
            left = std::min(left, pen + glyph.OffsetX);
            right = std::max(right, pen + glyph.OffsetX + glyph.BoxWidth);
        }
        int advance16 = glyph.Advance16;
        if (i + 1 < characters.size()) {
            const auto kern = kerns.find({characters[i].CodePoint, characters[i + 1].CodePoint});
            if (kern != kerns.end())
                advance16 += kern->second;
        }
        pen += RoundSixteenths(advance16);
    }
    preview.Width = int(std::clamp<long long>(pen, 0, 1LL << 30));
    right = std::max(right, pen);
    // Ink far left of the pen's start is cut off as ink too far right is.
    left = std::max(left, -(long long)(MaxPreviewWidth));
    const long long width = std::min<long long>(right - left, MaxPreviewWidth);
    if (width <= 0 || metrics.CellHeight <= 0)
        return preview;
    preview.PenLeft = int(-left);

    QImage image(int(width), metrics.CellHeight, QImage::Format_Grayscale8);
    image.fill(255);
    for (const Placed &placed : line) {
        const ExportGlyph &glyph = *placed.Glyph;
        if (glyph.Empty())
            continue;
        // The box as the file holds it: its left edge OffsetX from the pen, its bottom edge
        // OffsetY above the baseline.
        const long long boxLeft = placed.Pen + glyph.OffsetX - left;
        const long long boxTop = metrics.Baseline - glyph.OffsetY - glyph.BoxHeight;
        const std::vector<uint8_t> levels = glyph.BoxLevels();
        for (int y = 0; y < glyph.BoxHeight; ++y) {
            const long long row = boxTop + y;
            if (row < 0 || row >= image.height())
                continue;
            uchar *dots = image.scanLine(int(row));
            for (int x = 0; x < glyph.BoxWidth; ++x) {
                const long long column = boxLeft + x;
                const int level = levels[size_t(y) * size_t(glyph.BoxWidth) + size_t(x)];
                if (level == 0 || column < 0 || column >= image.width())
                    continue;
                const auto grey = uchar(255 - (255 * level + glyph.MaxLevel() / 2) / glyph.MaxLevel());
                dots[column] = std::min(dots[column], grey);
            }
        }
    }
    preview.Image = image;
    return preview;
}
