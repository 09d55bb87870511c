#include "glyphrender.h"

#include "charset/cp936.h"
#include "glyphbitmap.h"

#include <QFontMetrics>
#include <QPainter>

QImage DrawGlyphImage(const std::string &character, int x, int y, int width, int height,
                      const GlyphFontDesc &font, bool antialiased)
{
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (character.empty())
        return image;

    const QFont qfont = font.ToQFont(antialiased);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, antialiased);
    painter.setFont(qfont);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(qfont);
    // Offsets far outside the picture are clipped anyway; keep the arithmetic in range.
    const int left = std::clamp(x, -1'000'000, 1'000'000);
    const int top = std::clamp(y, -1'000'000, 1'000'000);
    painter.drawText(QPoint(left, top + metrics.ascent()), Cp936ToQString(character));
    return image;
}

bool RenderGlyph(const std::string &character, const QString &baseName, int x, int y, int width,
                 int height, const GlyphFontDesc &font, OutputDirectory &output, QString *error)
{
    const QImage image = DrawGlyphImage(character, x, y, width, height, font);
    return output.WriteFile(baseName + QStringLiteral(".bmp"), EncodeBitmapFile(image, width, height), error);
}
