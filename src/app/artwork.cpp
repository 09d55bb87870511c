#include "artwork.h"

#include "commandid.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

// One palette for every picture: flat fills, each shape edged with a darker tone of its own colour.
namespace Colour {
const QColor Paper(0xff, 0xff, 0xff);
const QColor PaperEdge(0x7b, 0x89, 0x9e);
const QColor GridDot(0xc9, 0xd1, 0xdc);
const QColor Blue(0x2f, 0x6f, 0xd0);
const QColor BlueDark(0x1b, 0x4a, 0x96);
const QColor Red(0xdc, 0x3b, 0x34);
const QColor RedDark(0x9e, 0x1f, 0x1a);
const QColor Green(0x3f, 0xa9, 0x4f);
const QColor GreenLight(0x7c, 0xcb, 0x6a);
const QColor GreenDark(0x23, 0x7a, 0x35);
const QColor Sky(0xd6, 0xec, 0xff);
const QColor Sun(0xff, 0xc9, 0x2e);
const QColor Yellow(0xf7, 0xc2, 0x1b);
const QColor Amber(0xa8, 0x6d, 0x00);
const QColor Orange(0xf0, 0x93, 0x2b);
const QColor OrangeDark(0xa5, 0x58, 0x0c);
const QColor Steel(0x8d, 0x9b, 0xad);
const QColor SteelDark(0x4b, 0x58, 0x6b);
const QColor Metal(0xd3, 0xd9, 0xe1);
} // namespace Colour

using PaintFunction = std::function<void(QPainter &)>;

// Paints at the given logical size; devicePixelRatio scales the painter, so painting code always
// works in logical pixels and stays sharp on high-density screens.
QPixmap Render(QSize size, qreal devicePixelRatio, const PaintFunction &paint)
{
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        paint(painter);
    }
    return QPixmap::fromImage(image);
}

QIcon MakeIcon(QSize size, const PaintFunction &paint)
{
    QIcon icon;
    icon.addPixmap(Render(size, 1.0, paint));
    icon.addPixmap(Render(size, 2.0, paint));
    return icon;
}

QPen Edge(const QColor &colour, qreal width = 1.0)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The outline of text, drawn large so that its curves are smooth when scaled down.
QPainterPath TextPath(const QString &text, const QString &family, QFont::Weight weight)
{
    QFont font(family);
    font.setPixelSize(200);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferOutline);
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

// Scales a path uniformly so that its ink fits the box, centred in it.
QPainterPath FitPath(const QPainterPath &path, const QRectF &box)
{
    const QRectF ink = path.boundingRect();
    if (ink.isEmpty())
        return path;
    const qreal scale = std::min(box.width() / ink.width(), box.height() / ink.height());
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scale, scale);
    transform.translate(-ink.center().x(), -ink.center().y());
    return transform.map(path);
}

// ---------------------------------------------------------------------------------------------
// Toolbar pictures, 28 x 28 logical pixels.

// A sheet of 5 x 5 dots; '#' in the pattern marks an inked dot.
void DrawDotSheet(QPainter &p, const QRectF &sheet, const std::array<const char *, 5> &pattern,
                  const QColor &ink)
{
    p.setPen(Edge(Colour::PaperEdge));
    p.setBrush(Colour::Paper);
    p.drawRoundedRect(sheet, 2.0, 2.0);

    const qreal pitch = (sheet.width() - 4.0) / 5.0;
    const QPointF first(sheet.left() + 2.0 + pitch / 2, sheet.top() + 2.0 + pitch / 2);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 5; ++column) {
            const QPointF centre = first + QPointF(column * pitch, row * pitch);
            const bool inked = pattern[row][column] == '#';
            p.setBrush(inked ? ink : Colour::GridDot);
            const qreal radius = inked ? pitch * 0.42 : pitch * 0.24;
            p.drawEllipse(centre, radius, radius);
        }
    }
}

// A pencil lying from its point (tip) up to the right at 45 degrees.
void DrawPencil(QPainter &p, QPointF tip, qreal length, qreal width)
{
    p.save();
    p.translate(tip);
    p.rotate(-45.0);
    const qreal half = width / 2;
    const qreal cone = width * 0.95;
    const qreal ferrule = width * 0.38;
    const qreal eraser = width * 0.55;
    const qreal bodyEnd = length - ferrule - eraser;

    const QColor body(0xf5, 0xb8, 0x2e);
    const QColor bodyShade(0xe0, 0x95, 0x10);
    const QColor wood(0xf7, 0xdc, 0xae);
    const QColor lead(0x3a, 0x3f, 0x47);
    const QColor eraserColour(0xee, 0x75, 0x75);
    const QColor outline(0x5a, 0x42, 0x18);

    p.setPen(Qt::NoPen);
    // Body: the upper facet light, the lower facet shaded.
    p.setBrush(body);
    p.drawRect(QRectF(cone, -half, bodyEnd - cone, half));
    p.setBrush(bodyShade);
    p.drawRect(QRectF(cone, 0, bodyEnd - cone, half));
    p.setBrush(Colour::Metal);
    p.drawRect(QRectF(bodyEnd, -half, ferrule, width));
    p.setBrush(eraserColour);
    QPainterPath rubber;
    rubber.addRoundedRect(QRectF(bodyEnd + ferrule - 1.0, -half, eraser + 1.0, width), 1.2, 1.2);
    p.drawPath(rubber);
    p.setBrush(Colour::Metal);
    p.drawRect(QRectF(bodyEnd, -half, ferrule, width));
    // Sharpened wood and the lead.
    p.setBrush(wood);
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(cone, -half), QPointF(cone, half)}));
    p.setBrush(lead);
    const qreal leadLength = cone * 0.42;
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(leadLength, -half * 0.42),
                             QPointF(leadLength, half * 0.42)}));

    // One outline round the whole pencil.
    QPainterPath shape;
    shape.moveTo(0, 0);
    shape.lineTo(cone, -half);
    shape.lineTo(length - 1.2, -half);
    shape.quadTo(length, -half, length, -half + 1.2);
    shape.lineTo(length, half - 1.2);
    shape.quadTo(length, half, length - 1.2, half);
    shape.lineTo(cone, half);
    shape.closeSubpath();
    p.setBrush(Qt::NoBrush);
    p.setPen(Edge(outline, 0.8));
    p.drawPath(shape);
    p.setPen(Edge(outline, 0.6));
    p.drawLine(QPointF(bodyEnd, -half), QPointF(bodyEnd, half));
    p.drawLine(QPointF(bodyEnd + ferrule, -half), QPointF(bodyEnd + ferrule, half));
    p.restore();
}

void PaintSingleGlyph(QPainter &p)
{
    // The dots of a small "A".
    DrawDotSheet(p, QRectF(1.5, 1.5, 20, 20), {"..#..", ".#.#.", "#...#", "#####", "#...#"},
                 Colour::Blue);
    DrawPencil(p, QPointF(13.0, 22.5), 17.5, 5.2);
}

void PaintAllGlyphs(QPainter &p)
{
    // A second sheet behind the first: many glyphs at once.
    DrawDotSheet(p, QRectF(6.5, 0.5, 19, 19), {".....", ".....", ".....", ".....", "....."},
                 Colour::Red);
    DrawDotSheet(p, QRectF(1.5, 4.5, 19, 19), {"#####", "#...#", "#.#.#", "#...#", "#####"},
                 Colour::Red);
    DrawPencil(p, QPointF(13.0, 24.5), 16.5, 5.2);
}

void PaintPicture(QPainter &p)
{
    const QRectF frame(1.5, 4.5, 25, 19);
    QPainterPath inside;
    inside.addRoundedRect(frame, 2.0, 2.0);

    p.save();
    p.setClipPath(inside);
    p.fillRect(frame, Colour::Sky);
    p.setPen(Qt::NoPen);
    p.setBrush(Colour::Sun);
    p.drawEllipse(QPointF(20.5, 9.5), 2.6, 2.6);
    // Far hill, then the near one.
    QPainterPath far;
    far.moveTo(1, 19);
    far.cubicTo(6, 10, 11, 10, 17, 17);
    far.lineTo(17, 25);
    far.lineTo(1, 25);
    far.closeSubpath();
    p.setBrush(Colour::GreenLight);
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(6, 25);
    near.cubicTo(11, 15, 19, 12, 28, 18);
    near.lineTo(28, 25);
    near.closeSubpath();
    p.setBrush(Colour::Green);
    p.drawPath(near);
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(Edge(Colour::GreenDark));
    p.drawRoundedRect(frame, 2.0, 2.0);
}

void PaintFontLetters(QPainter &p)
{
    const QString family = QStringLiteral("DejaVu Sans");
    const QPainterPath a = FitPath(TextPath(QStringLiteral("A"), family, QFont::Bold),
                                   QRectF(1.0, 2.0, 16.5, 18.0));
    const QPainterPath b = FitPath(TextPath(QStringLiteral("B"), family, QFont::Bold),
                                   QRectF(14.5, 11.5, 12.0, 15.0));
    p.setPen(Edge(Colour::BlueDark, 0.8));
    p.setBrush(Colour::Blue);
    p.drawPath(a);
    // A white rim keeps the B apart from the A it overlaps.
    p.setPen(Edge(Colour::Paper, 2.4));
    p.setBrush(Colour::Paper);
    p.drawPath(b);
    p.setPen(Edge(Colour::RedDark, 0.8));
    p.setBrush(Colour::Red);
    p.drawPath(b);
}

QPainterPath GearPath(QPointF centre, qreal outerRadius, qreal rootRadius, int teeth,
                      qreal holeRadius, qreal phaseDegrees)
{
    const qreal pitch = 2 * std::numbers::pi / teeth;
    const qreal phase = phaseDegrees * std::numbers::pi / 180;
    auto at = [&](qreal radius, qreal angle) {
        return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    };
    QPolygonF outline;
    for (int i = 0; i < teeth; ++i) {
        const qreal middle = phase + i * pitch;
        outline << at(rootRadius, middle - pitch * 0.30) << at(outerRadius, middle - pitch * 0.17)
                << at(outerRadius, middle + pitch * 0.17) << at(rootRadius, middle + pitch * 0.30);
    }
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    path.addEllipse(centre, holeRadius, holeRadius);
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

void PaintGears(QPainter &p)
{
    auto gear = [&p](const QPainterPath &path, const QColor &fill, const QColor &edge) {
        p.setPen(Edge(edge, 0.9));
        p.setBrush(fill);
        p.drawPath(path);
    };
    gear(GearPath(QPointF(20.5, 7.0), 5.8, 4.3, 7, 1.5, 10), Colour::Orange, Colour::OrangeDark);
    gear(GearPath(QPointF(19.5, 20.0), 6.8, 5.0, 8, 1.8, 0), Colour::Steel, Colour::SteelDark);
    gear(GearPath(QPointF(9.5, 12.5), 8.6, 6.6, 10, 2.6, 0), Colour::Blue, Colour::BlueDark);
    // Hubs round the axle holes.
    p.setBrush(Qt::NoBrush);
    p.setPen(Edge(QColor(255, 255, 255, 150), 1.0));
    p.drawEllipse(QPointF(9.5, 12.5), 4.2, 4.2);
}

void PaintFloppy(QPainter &p)
{
    QPainterPath body;
    body.moveTo(3.5, 2.5);
    body.lineTo(21.5, 2.5);
    body.lineTo(25.5, 6.5);
    body.lineTo(25.5, 24.0);
    body.quadTo(25.5, 25.5, 24.0, 25.5);
    body.lineTo(4.0, 25.5);
    body.quadTo(2.5, 25.5, 2.5, 24.0);
    body.lineTo(2.5, 4.0);
    body.quadTo(2.5, 2.5, 4.0, 2.5);
    body.closeSubpath();
    p.setPen(Edge(Colour::BlueDark));
    p.setBrush(Colour::Blue);
    p.drawPath(body);

    // Metal shutter with its window.
    p.setPen(Edge(Colour::SteelDark, 0.8));
    p.setBrush(Colour::Metal);
    p.drawRect(QRectF(8.5, 2.5, 11, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(Colour::SteelDark);
    p.drawRect(QRectF(15.0, 4.0, 2.5, 5.0));

    // Label with two ruled lines.
    p.setPen(Edge(Colour::BlueDark, 0.8));
    p.setBrush(Colour::Paper);
    p.drawRoundedRect(QRectF(6.5, 14.5, 15, 11), 1.0, 1.0);
    p.setPen(Edge(QColor(0xa9, 0xb6, 0xc8), 1.0));
    p.drawLine(QPointF(9.0, 18.5), QPointF(19.0, 18.5));
    p.drawLine(QPointF(9.0, 21.5), QPointF(19.0, 21.5));
}

// A Chinese character in a Ming face, made bold so that it reads at toolbar size. On a plain
// screen it is drawn as text, emboldened and hinted by the font engine, which keeps its many strokes
// apart at 28 pixels; on a high-density screen its outline is filled and thickened instead, which
// looks fuller there.
void PaintCharacter(QPainter &p, const QString &character, const QColor &colour)
{
    const QString family = QStringLiteral("AR PL UMing CN");
    if (p.device()->devicePixelRatioF() < 1.5) {
        QFont font(family);
        font.setPixelSize(27);
        font.setBold(true);
        p.setFont(font);
        p.setPen(colour);
        const QRectF ink = QFontMetricsF(font).tightBoundingRect(character);
        p.drawText(QPointF(std::round(14.0 - ink.center().x()), std::round(14.0 - ink.center().y())),
                   character);
        return;
    }
    const qreal weight = 1.0;
    const QPainterPath path =
        FitPath(TextPath(character, family, QFont::Normal),
                QRectF(1.0 + weight / 2, 1.0 + weight / 2, 26.0 - weight, 26.0 - weight));
    p.setPen(Edge(colour, weight));
    p.setBrush(colour);
    p.drawPath(path);
}

void PaintQuestionMark(QPainter &p)
{
    const QPainterPath mark = FitPath(
        TextPath(QStringLiteral("?"), QStringLiteral("DejaVu Sans"), QFont::Black),
        QRectF(5.0, 1.5, 18.0, 25.0));
    p.setPen(Edge(Colour::Amber, 1.2));
    p.setBrush(Colour::Yellow);
    p.drawPath(mark);
}

// ---------------------------------------------------------------------------------------------
// Arrow pad.

// A rounded triangle pointing right, centred on the button, turned for the other directions.
QPainterPath ArrowPath(int quarterTurns, qreal shift)
{
    QPainterPath arrow;
    arrow.moveTo(21.5, 15.0);
    arrow.lineTo(11.5, 8.5);
    arrow.lineTo(11.5, 21.5);
    arrow.closeSubpath();
    QTransform transform;
    transform.translate(15.0 + shift, 15.0 + shift);
    transform.rotate(90.0 * quarterTurns);
    transform.translate(-15.0, -15.0);
    return transform.map(arrow);
}

void PaintArrowButton(QPainter &p, int quarterTurns, char state)
{
    const QRectF face(1.5, 1.5, 27, 27);
    QColor fillTop(0xfb, 0xfc, 0xfe);
    QColor fillBottom(0xe6, 0xeb, 0xf2);
    QColor edge(0x8c, 0x9d, 0xb5);
    QColor arrow = Colour::Blue;
    qreal edgeWidth = 1.0;
    qreal shift = 0.0;
    switch (state) {
    case 'D':
        fillTop = QColor(0xcf, 0xdb, 0xec);
        fillBottom = QColor(0xdc, 0xe6, 0xf3);
        edge = QColor(0x4f, 0x72, 0xa6);
        arrow = Colour::BlueDark;
        shift = 0.75;
        break;
    case 'F':
        edge = QColor(0x3d, 0x84, 0xe8);
        edgeWidth = 2.0;
        break;
    case 'X':
        fillTop = QColor(0xf3, 0xf4, 0xf6);
        fillBottom = QColor(0xec, 0xee, 0xf1);
        edge = QColor(0xc4, 0xca, 0xd3);
        arrow = QColor(0xb5, 0xbd, 0xc9);
        break;
    default:
        break;
    }

    // Soft drop shadow under raised states.
    if (state != 'D') {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x20, 0x30, 0x50, 28));
        p.drawRoundedRect(face.translated(0, 1.0), 7, 7);
    }
    QLinearGradient gradient(face.topLeft(), face.bottomLeft());
    gradient.setColorAt(0, fillTop);
    gradient.setColorAt(1, fillBottom);
    p.setBrush(gradient);
    const qreal inset = (edgeWidth - 1.0) / 2;
    p.setPen(Edge(edge, edgeWidth));
    p.drawRoundedRect(face.adjusted(inset, inset, -inset, -inset), 7 - inset, 7 - inset);

    p.setPen(Edge(arrow, 2.2));
    p.setBrush(arrow);
    p.drawPath(ArrowPath(quarterTurns, shift));
}

int QuarterTurns(const QString &caption)
{
    if (caption == QLatin1String("RIGHT"))
        return 0;
    if (caption == QLatin1String("DOWN"))
        return 1;
    if (caption == QLatin1String("LEFT"))
        return 2;
    if (caption == QLatin1String("UP"))
        return 3;
    return -1;
}

bool IsArrowState(char state)
{
    return state == 'U' || state == 'D' || state == 'F' || state == 'X';
}

void PaintArrowPad(QPainter &p)
{
    const QRectF panel(0.5, 0.5, 94, 95);
    QLinearGradient panelFill(panel.topLeft(), panel.bottomLeft());
    panelFill.setColorAt(0, QColor(0xf1, 0xf4, 0xf8));
    panelFill.setColorAt(1, QColor(0xe1, 0xe7, 0xef));
    p.setPen(Edge(QColor(0xb4, 0xc0, 0xd0)));
    p.setBrush(panelFill);
    p.drawRoundedRect(panel, 12, 12);

    const QPointF centre(47.5, 48.0);
    // A shallow round dish, lit from above.
    QRadialGradient dish(centre - QPointF(0, 8), 46);
    dish.setColorAt(0, QColor(0xe9, 0xee, 0xf5));
    dish.setColorAt(1, QColor(0xd3, 0xdb, 0xe6));
    p.setBrush(dish);
    p.setPen(Edge(QColor(0xc3, 0xcd, 0xda)));
    p.drawEllipse(centre, 41.5, 41.5);

    // A cross of grooves joining the four button places.
    QPainterPath cross;
    cross.addRoundedRect(QRectF(centre.x() - 7, centre.y() - 38, 14, 76), 7, 7);
    cross.addRoundedRect(QRectF(centre.x() - 38, centre.y() - 7, 76, 14), 7, 7);
    cross = cross.simplified();
    p.setBrush(QColor(0xc8, 0xd2, 0xdf));
    p.setPen(Edge(QColor(0xb6, 0xc2, 0xd2)));
    p.drawPath(cross);

    // Centre cap.
    QRadialGradient cap(centre - QPointF(2, 2), 9);
    cap.setColorAt(0, QColor(0xfa, 0xfb, 0xfd));
    cap.setColorAt(1, QColor(0xd7, 0xdf, 0xea));
    p.setBrush(cap);
    p.setPen(Edge(QColor(0xa9, 0xb6, 0xc8)));
    p.drawEllipse(centre, 7.5, 7.5);
}

// ---------------------------------------------------------------------------------------------
// Application icon: 字 as a 12 x 12 dot matrix on a blue tile.

constexpr int IconDots = 12;
constexpr std::array<const char *, IconDots> IconGlyph = {
    ".....#......",
    "......#.....",
    "############",
    "#..........#",
    "..#######...",
    ".......#....",
    "......#.....",
    "############",
    "......#.....",
    "......#.....",
    "......#.....",
    "....###.....",
};

void PaintApplicationIcon(QPainter &p, int size)
{
    const qreal s = size;
    const QRectF tile(0.5, 0.5, s - 1.0, s - 1.0);
    const qreal radius = s * 0.19;
    QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
    fill.setColorAt(0, QColor(0x3b, 0x7d, 0xdd));
    fill.setColorAt(1, QColor(0x22, 0x5c, 0xbd));
    p.setPen(Edge(QColor(0x17, 0x45, 0x92), 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(tile, radius, radius);

    // Whole pixels per dot where the icon is small, so the glyph stays sharp.
    const qreal cell = size < 32 ? std::max(1.0, std::floor((s - 4.0) / IconDots))
                                 : std::floor(s * 0.75 / IconDots);
    const qreal origin = std::round((s - cell * IconDots) / 2);
    const bool roundDots = cell >= 3;
    const bool showUnlit = cell >= 4;
    p.setPen(Qt::NoPen);
    for (int row = 0; row < IconDots; ++row) {
        for (int column = 0; column < IconDots; ++column) {
            const bool lit = IconGlyph[row][column] == '#';
            if (!lit && !showUnlit)
                continue;
            const QRectF box(origin + column * cell, origin + row * cell, cell, cell);
            if (!roundDots) {
                p.fillRect(box, Qt::white);
                continue;
            }
            const qreal diameter = cell * (lit ? 0.84 : 0.46);
            p.setBrush(lit ? QColor(Qt::white) : QColor(255, 255, 255, 46));
            p.drawEllipse(box.center(), diameter / 2, diameter / 2);
        }
    }
}

} // namespace

QIcon ToolbarIcon(int commandId)
{
    PaintFunction paint;
    switch (commandId) {
    case CmdCreateSingleGlyph:
        paint = PaintSingleGlyph;
        break;
    case CmdCreateAllGlyphs:
        paint = PaintAllGlyphs;
        break;
    case CmdCreatePictureData:
        paint = PaintPicture;
        break;
    case CmdChooseFont:
        paint = PaintFontLetters;
        break;
    case CmdGlyphFormat:
        paint = PaintGears;
        break;
    case CmdExportAllGlyphFiles:
        paint = PaintFloppy;
        break;
    case CmdToTraditional:
        paint = [](QPainter &p) { PaintCharacter(p, QStringLiteral("繁"), Colour::RedDark); };
        break;
    case CmdToSimplified:
        paint = [](QPainter &p) { PaintCharacter(p, QStringLiteral("简"), Colour::BlueDark); };
        break;
    case CmdAbout:
        paint = PaintQuestionMark;
        break;
    default:
        return QIcon();
    }
    return MakeIcon(QSize(28, 28), paint);
}

QPixmap ArrowButtonPixmap(const QString &caption, char state)
{
    const int turns = QuarterTurns(caption);
    if (turns < 0 || !IsArrowState(state))
        return QPixmap();
    return Render(QSize(30, 30), 1.0, [=](QPainter &p) { PaintArrowButton(p, turns, state); });
}

QIcon ArrowButtonIcon(const QString &caption)
{
    const int turns = QuarterTurns(caption);
    if (turns < 0)
        return QIcon();
    QIcon icon;
    const struct {
        char state;
        QIcon::Mode mode;
        QIcon::State iconState;
    } entries[] = {
        {'U', QIcon::Normal, QIcon::Off},
        {'F', QIcon::Active, QIcon::Off},
        {'D', QIcon::Normal, QIcon::On},
        {'D', QIcon::Active, QIcon::On},
        {'X', QIcon::Disabled, QIcon::Off},
        {'X', QIcon::Disabled, QIcon::On},
    };
    for (const auto &entry : entries) {
        for (const qreal ratio : {1.0, 2.0}) {
            const char state = entry.state;
            icon.addPixmap(Render(QSize(30, 30), ratio,
                                  [=](QPainter &p) { PaintArrowButton(p, turns, state); }),
                           entry.mode, entry.iconState);
        }
    }
    return icon;
}

QPixmap ArrowPadBackground()
{
    return Render(QSize(95, 96), 1.0, PaintArrowPad);
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(Render(QSize(size, size), 1.0,
                              [size](QPainter &p) { PaintApplicationIcon(p, size); }));
    return icon;
}
