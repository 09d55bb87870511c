#include "glyphpatch.h"

#include "charset/cp936.h"

#include <algorithm>

namespace {

QString CodePointName(char32_t codePoint)
{
    return QStringLiteral("U+%1").arg(uint(codePoint), 4, 16, QLatin1Char('0')).toUpper();
}

QString SizeText(int width, int height)
{
    return QStringLiteral("%1x%2").arg(width).arg(height);
}

} // namespace

char32_t CodePointOf(const std::string &character)
{
    if (character.empty())
        return 0;
    const QList<uint> units = Cp936ToQString(character).toUcs4();
    return units.size() == 1 ? char32_t(units.front()) : 0;
}

PatchBasis PatchBasis::Of(const GlyphSettings &settings)
{
    PatchBasis basis;
    basis.Width = settings.Width;
    basis.Height = settings.Height;
    // Drawing clamps the offsets there: a cell typed farther off draws as it does there.
    basis.OffsetX = std::clamp(settings.OffsetX, -1'000'000, 1'000'000);
    basis.OffsetY = std::clamp(settings.OffsetY, -1'000'000, 1'000'000);
    basis.Face = settings.GlyphFont.Face;
    basis.PointSize = settings.GlyphFont.PointSize;
    basis.PixelSize = settings.GlyphFont.PixelHeight();
    basis.Weight = settings.GlyphFont.Weight;
    basis.Italic = settings.GlyphFont.Italic;
    return basis;
}

GlyphSettings PatchBasis::ToSettings() const
{
    GlyphSettings settings;
    settings.Width = Width;
    settings.Height = Height;
    settings.OffsetX = OffsetX;
    settings.OffsetY = OffsetY;
    settings.GlyphFont.Face = Face;
    settings.GlyphFont.PointSize = PointSize;
    settings.GlyphFont.Weight = Weight;
    settings.GlyphFont.Italic = Italic;
    return settings;
}

const GlyphPatch::Dots *GlyphPatch::Find(char32_t codePoint) const
{
    const auto found = m_glyphs.find(codePoint);
    return found == m_glyphs.end() ? nullptr : &found->second;
}

const GlyphPatch::Dots *GlyphPatch::Find(const std::string &character) const
{
    if (m_glyphs.empty())
        return nullptr;
    const char32_t codePoint = CodePointOf(character);
    return codePoint != 0 ? Find(codePoint) : nullptr;
}

Failure CheckPatch(const GlyphSettings &settings)
{
    return settings.Patch ? settings.Patch->Check(settings) : Failure();
}

namespace {

Failure Differs(const QString &path, const char *what, const QString &patch, const QString &asked)
{
    return {FailureCode::PatchMismatch, path, {}, {QLatin1String(what), patch, asked}};
}

} // namespace

Failure GlyphPatch::CheckFont(const GlyphFontDesc &font) const
{
    if (Empty())
        return {};
    const PatchBasis &b = Basis;
    if (b.Face != font.Face)
        return Differs(Path, "face", b.Face, font.Face);
    if (b.PixelSize != font.PixelHeight())
        return Differs(Path, "font-size", QString::number(b.PixelSize), QString::number(font.PixelHeight()));
    if (b.Weight != font.Weight)
        return Differs(Path, "weight", QString::number(b.Weight), QString::number(font.Weight));
    if (b.Italic != font.Italic)
        return Differs(Path, "slant", b.Italic ? QStringLiteral("I") : QStringLiteral("R"),
                       font.Italic ? QStringLiteral("I") : QStringLiteral("R"));
    return {};
}

Failure GlyphPatch::Check(const GlyphSettings &settings) const
{
    if (Empty())
        return {};
    if (Basis.Width != settings.Width || Basis.Height != settings.Height)
        return Differs(Path, "size", SizeText(Basis.Width, Basis.Height), SizeText(settings.Width, settings.Height));
    return CheckFont(settings.GlyphFont);
}

Failure GlyphPatch::SetGlyph(char32_t codePoint, const DotMatrix &matrix, const GlyphSettings &settings)
{
    if (Empty())
        Basis = PatchBasis::Of(settings);
    if (Failure mismatch = Check(settings))
        return mismatch;
    const int width = std::min(Basis.Width, DotMatrix::Size);
    const int height = std::min(Basis.Height, DotMatrix::Size);
    // A dot at (x, y) of a cell drawn at the settings' offsets lies at (x + dx, y + dy) of the
    // basis' cell.
    const PatchBasis drawn = PatchBasis::Of(settings);
    const long long dx = (long long)Basis.OffsetX - drawn.OffsetX;
    const long long dy = (long long)Basis.OffsetY - drawn.OffsetY;
    Dots dots(size_t(width) * size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!matrix.IsInk(y, x))
                continue;
            const long long bx = x + dx, by = y + dy;
            if (bx < 0 || by < 0 || bx >= width || by >= height)
                return {FailureCode::PatchGlyphOutside, Path, {}, {CodePointName(codePoint)}};
            dots[size_t(by) * size_t(width) + size_t(bx)] = 1;
        }
    m_glyphs[codePoint] = std::move(dots);
    return {};
}

bool GlyphPatch::SetDots(char32_t codePoint, Dots dots)
{
    if (Basis.Width < 0 || Basis.Height < 0 || dots.size() != size_t(Basis.Width) * size_t(Basis.Height))
        return false;
    m_glyphs[codePoint] = std::move(dots);
    return true;
}

bool GlyphPatch::Revert(char32_t codePoint)
{
    return m_glyphs.erase(codePoint) != 0;
}

QRect GlyphPatch::Paint(const Dots &dots, QImage &image, QPoint cellTopLeft, int x, int y) const
{
    const long long dx = (long long)x - Basis.OffsetX + cellTopLeft.x();
    const long long dy = (long long)y - Basis.OffsetY + cellTopLeft.y();
    int left = Basis.Width, right = -1, top = Basis.Height, bottom = -1;
    for (int row = 0; row < Basis.Height; ++row)
        for (int column = 0; column < Basis.Width; ++column) {
            if (!dots[size_t(row) * size_t(Basis.Width) + size_t(column)])
                continue;
            left = std::min(left, column);
            right = std::max(right, column);
            top = std::min(top, row);
            bottom = std::max(bottom, row);
            const long long px = column + dx, py = row + dy;
            if (px >= 0 && py >= 0 && px < image.width() && py < image.height())
                image.setPixel(int(px), int(py), qRgb(0, 0, 0));
        }
    if (right < 0)
        return {};
    // Offsets far beyond any cell are drawn clipped; the box stays in range as drawing's does.
    const int mx = int(std::clamp<long long>((long long)x - Basis.OffsetX, -1'000'000, 1'000'000));
    const int my = int(std::clamp<long long>((long long)y - Basis.OffsetY, -1'000'000, 1'000'000));
    return QRect(QPoint(left, top), QPoint(right, bottom)).translated(mx, my);
}
