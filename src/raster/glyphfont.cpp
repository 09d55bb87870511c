#include "glyphsettings.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

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
    // The same integer arithmetic as a logical font's height: points x 10 x dpi / 720.
    return PointSize * 10 * ScreenDpi() / 720;
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
    desc.PointSize = font.pointSize() > 0 ? font.pointSize() : 12;
    desc.Weight = font.weight() == QFont::Normal ? 0 : int(font.weight());
    desc.Italic = font.italic();
    desc.Underline = font.underline();
    desc.StrikeOut = font.strikeOut();
    return desc;
}
