#include "artwork.h"

#include "commandid.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into the program library from res/dotrix.qrc; a static library's
// resources are registered by hand.
static void InitArtworkResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(dotrix);
        return true;
    }();
    (void)done;
}

namespace {

// Draws a picture of the resource folder at the given logical size; devicePixelRatio scales it,
// so the picture stays sharp on high-density screens.
QPixmap Render(const QString &name, QSize size, qreal devicePixelRatio)
{
    InitArtworkResources();
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    if (!renderer.isValid())
        return QPixmap();
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(image);
}

QIcon MakeIcon(const QString &name, QSize size)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0})
        icon.addPixmap(Render(name, size, ratio));
    return icon;
}

bool IsArrowCaption(const QString &caption)
{
    return caption == QLatin1String("LEFT") || caption == QLatin1String("RIGHT") ||
           caption == QLatin1String("UP") || caption == QLatin1String("DOWN");
}

// The picture of an arrow button: arrow-<direction>-<state>.
QString ArrowName(const QString &caption, char state)
{
    const char *stateName = state == 'U' ? "normal"
                            : state == 'D' ? "pressed"
                            : state == 'F' ? "focused"
                            : state == 'X' ? "disabled"
                                           : nullptr;
    if (!stateName || !IsArrowCaption(caption))
        return {};
    return QStringLiteral("arrow-%1-%2").arg(caption.toLower(), QLatin1String(stateName));
}

constexpr QSize ArrowButtonSize(30, 30);

} // namespace

QIcon ToolbarIcon(int commandId)
{
    const char *name = nullptr;
    switch (commandId) {
    case CmdCreateSingleGlyph:
        name = "single-glyph";
        break;
    case CmdCreateAllGlyphs:
        name = "all-glyphs";
        break;
    case CmdCreatePictureData:
        name = "picture-data";
        break;
    case CmdChooseFont:
        name = "font";
        break;
    case CmdGlyphFormat:
        name = "glyph-format";
        break;
    case CmdExportAllGlyphFiles:
        name = "export-glyphs";
        break;
    case CmdToTraditional:
        name = "traditional";
        break;
    case CmdToSimplified:
        name = "simplified";
        break;
    case CmdEditMode:
        name = "edit-dots";
        break;
    case CmdAbout:
        name = "about";
        break;
    default:
        return QIcon();
    }
    return MakeIcon(QLatin1String(name), QSize(28, 28));
}

QPixmap ArrowButtonPixmap(const QString &caption, char state)
{
    const QString name = ArrowName(caption, state);
    return name.isEmpty() ? QPixmap() : Render(name, ArrowButtonSize, 1.0);
}

QIcon ArrowButtonIcon(const QString &caption)
{
    if (!IsArrowCaption(caption))
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
    for (const auto &entry : entries)
        for (const qreal ratio : {1.0, 2.0})
            icon.addPixmap(Render(ArrowName(caption, entry.state), ArrowButtonSize, ratio), entry.mode,
                           entry.iconState);
    return icon;
}

QPixmap ArrowPadBackground()
{
    return Render(QStringLiteral("arrow-pad"), QSize(95, 96), 1.0);
}

QIcon ApplicationIcon()
{
    // One picture per size, drawn dot by dot on whole pixels so the glyph stays sharp.
    InitArtworkResources();
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/dotrix-%1.png").arg(size), QSize(size, size));
    return icon;
}
