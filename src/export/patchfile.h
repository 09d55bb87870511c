#pragma once
// The patch file: the glyphs fixed by hand (raster/glyphpatch.h) kept as a BDF font, one glyph
// per fixed character keyed by its code point (ENCODING), 1 bit per pixel, written by the font
// export's BDF writer, so that FreeType, u8g2's bdfconv and any BDF editor read it and a person
// can read and diff it. Its properties hold what the glyphs were drawn with:
//   DOTRIX_CELL_WIDTH, DOTRIX_CELL_HEIGHT  the cell (also FONTBOUNDINGBOX's size)
//   DOTRIX_OFFSET_X, DOTRIX_OFFSET_Y       the offsets the cell was drawn at
//   DOTRIX_FACE, DOTRIX_POINT_SIZE         the face and size as the settings name them
//   DOTRIX_WEIGHT, SLANT                   weight (0: the face's normal) and R or I
//   PIXEL_SIZE                             the pixel height drawn at
//   FONT_ASCENT                            rows from the cell's top to the baseline, which the
//                                          glyphs' BBX offsets count from

#include "base/failure.h"
#include "raster/glyphpatch.h"

#include <QByteArray>
#include <QString>

// The patch file's name in the work directory.
inline const QString PatchFileName = QStringLiteral("dotrix-patch.bdf");

// workDir's patch file.
QString PatchPathIn(const QString &workDir);

// Reads the patch file at path into patch (its Path set to path). False, with failure saying
// what and where (a file cut short, a line that is not what a patch file has there, a missing
// property, a glyph whose dots leave the cell), and patch unchanged, when it cannot be read.
bool LoadGlyphPatch(const QString &path, GlyphPatch &patch, Failure *failure = nullptr);

// The same from the file's bytes; path names it in failures.
bool ParseGlyphPatch(const QByteArray &bytes, const QString &path, GlyphPatch &patch, Failure *failure = nullptr);

// Writes patch to path whole or not at all (an earlier file stays as it was when writing fails).
// The font's metrics come from the basis' font as this machine draws it. An empty patch keeps
// its basis in a file of no glyphs; one never given a cell (a new GlyphPatch) writes nothing.
bool SaveGlyphPatch(const GlyphPatch &patch, const QString &path, Failure *failure = nullptr);
