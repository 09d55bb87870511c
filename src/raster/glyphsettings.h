#pragma once
// GlyphSettings: the generation settings every command reads (size, position, scan, grouping,
// inversion, bit order, zoom, font, naming).

#include "base/failure.h"
#include "raster/settingwords.h"

#include <QFont>
#include <QString>

#include <memory>
#include <string>

class GlyphPatch;


// Largest glyph side; larger custom sizes are refused with MatrixTooBigMessage (Chinese; the
// programs translate it through their "CoreMessage" context).
constexpr int MaxGlyphSide = 1024;
inline constexpr const char *MatrixTooBigMessage = QT_TRANSLATE_NOOP("CoreMessage", "点阵太大，最大不能超过1024");

// The face every glyph is drawn with: a logical font description (face, size in points, style)
// turned into a pixel-sized QFont when drawing.
struct GlyphFontDesc
{
    QString Face = QStringLiteral("宋体");
    double PointSize = 12; // whole points, or such as 10.5; see SetPixelHeight
    int Weight = 0;  // 0: the face's normal weight
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    // Character height in pixels: PointSize x dpi / 72, rounded down; dpi is the screen's logical
    // vertical resolution, 96 when there is no screen. 12 points is 16 pixels at 96 dpi.
    int PixelHeight() const;
    // Sets PointSize to the points that make pixels pixels at this screen's resolution.
    void SetPixelHeight(int pixels);
    // PointSize as the user writes it: "12", "10.5".
    QString PointSizeText() const;
    // The face actually drawn: Face, or AR PL UMing CN when Face is 宋体 and not installed.
    QString ResolvedFace() const;
    // Whether ResolvedFace() is installed; when not, the nearest installed face is drawn instead.
    bool IsInstalled() const;
    // A QFont of PixelHeight() pixels for drawing glyphs: antialiasing off, or on (grey levels,
    // no subpixel colours) for the anti-aliased glyphs of font exports.
    QFont ToQFont(bool antialiased = false) const;
    // Takes face, size, weight and style from a font chosen in a font dialog.
    static GlyphFontDesc FromQFont(const QFont &font);

    bool operator==(const GlyphFontDesc &) const = default;
};

// Group lengths offered by the data-length combo, by item index: hex digits per group.
inline constexpr int GroupDigitsChoices[6] = {1, 2, 3, 4, 6, 8};

struct GlyphSettings
{
    int Width = 16;  // dots per row of the glyph area, at most 1024
    int Height = 16; // dot rows of the glyph area, at most 1024
    int OffsetX = 0; // pixel column where the character cell's left edge is drawn; unbounded
    int OffsetY = 0; // pixel row where the character cell's top edge is drawn; unbounded
    ScanOrder ScanMode = ScanOrder::Vertical;
    int GroupDigits = 2; // hex digits per data group: 1, 2, 3, 4, 6 or 8
    bool Invert = false;
    bool BitReverse = false;
    int Zoom = 20; // pixels per dot in the zoomed view, 1 to 30
    GlyphFontDesc GlyphFont;
    std::string CurrentText; // character box text, code page 936
    std::string PictureName; // last imported picture's name, code page 936
    SourceFormat OutputFormat = SourceFormat::Typical;
    bool NumberedNames = false;
    // The single glyph and the batch first move OffsetY by the least that puts the ink of every
    // character they draw inside the cell (see FitOffsetY).
    bool FitOffsetY = false;
    // Glyphs fixed by hand (raster/glyphpatch.h), drawn in place of the font's by every command;
    // none: the font's glyphs only. Shared read-only by the runs; an edit hands in a new one.
    std::shared_ptr<const GlyphPatch> Patch;
};

// Why settings.Patch cannot be drawn with the settings (GlyphPatch::Check); none without a patch.
Failure CheckPatch(const GlyphSettings &settings);
