#include "glyphsettings.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

constexpr int DefaultDpi = 96;
const QString SongFace = QStringLiteral("宋体");
const QString SongFallback = QStringLiteral("AR PL UMing CN");

int ScreenDpi()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const int dpi = qRound(screen->logicalDotsPerInchY());
            if (dpi > 0)
                return dpi;
        }
    }
    return DefaultDpi;
}

} // namespace

int GlyphFontDesc::PixelHeight() const
{
    // Whole points: the same integer arithmetic as a logical font's height, points x 10 x dpi /
    // 720. Fractions of a point are rounded down the same way (a hair's room for the points that
    // SetPixelHeight computed).
    if (PointSize == std::floor(PointSize) && std::abs(PointSize) < 1e6)
        return int(PointSize) * 10 * ScreenDpi() / 720;
    return int(std::floor(PointSize * ScreenDpi() / 72 + 1e-6));
}

void GlyphFontDesc::SetPixelHeight(int pixels)
{
    PointSize = double(pixels) * 72 / ScreenDpi();
}

QString GlyphFontDesc::PointSizeText() const
{
    return QString::number(PointSize, 'g', 10);
}

QString GlyphFontDesc::ResolvedFace() const
{
    if (Face != SongFace)
        return Face;
    // Asking the font database costs far more than drawing a glyph; the answer is taken once.
    static const bool songInstalled = QFontDatabase::hasFamily(SongFace);
    if (!songInstalled)
        return SongFallback;
    return Face;
}

bool GlyphFontDesc::IsInstalled() const
{
    return QFontDatabase::hasFamily(ResolvedFace());
}

QFont GlyphFontDesc::ToQFont(bool antialiased) const
{
    QFont font(ResolvedFace());
    font.setPixelSize(std::max(1, PixelHeight()));
    font.setStyleStrategy(QFont::StyleStrategy((antialiased ? QFont::PreferAntialias : QFont::NoAntialias)
                                               | QFont::NoSubpixelAntialias));
    if (Weight > 0)
        font.setWeight(QFont::Weight(std::clamp(Weight, 1, 1000)));
    font.setItalic(Italic);
    font.setUnderline(Underline);
    font.setStrikeOut(StrikeOut);
    return font;
}

GlyphFontDesc GlyphFontDesc::FromQFont(const QFont &font)
{
    GlyphFontDesc desc;
    desc.Face = font.family();
    desc.PointSize = font.pointSizeF() > 0 ? font.pointSizeF() : 12;
    desc.Weight = font.weight() == QFont::Normal ? 0 : int(font.weight());
    desc.Italic = font.italic();
    desc.Underline = font.underline();
    desc.StrikeOut = font.strikeOut();
    return desc;
}
