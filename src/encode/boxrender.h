#pragma once
// Re-rendering the character box's character into "tmp.bmp" and the dot matrix, as the window
// does on every edit of the box and every press of a shift button.

#include "raster/dotmatrix.h"
#include "glyphfile.h"
#include "raster/glyphsettings.h"
#include "output/outputdirectory.h"

#include <QString>

#include <functional>
#include <string>

// Base name of the bitmap every interactive render writes.
inline const QString InteractiveBaseName = QStringLiteral("tmp");

// The box text without line breaks and without a lone lead byte at its very end; two-byte
// characters are kept whole.
std::string CleanBoxText(const std::string &boxText);

struct BoxRenderResult
{
    bool RenderFailed = false; // tmp.bmp could not be written (the window says "error!")
    bool Loaded = false;       // the matrix was (re)loaded from tmp.bmp: repaint
    std::string Character;     // the character rendered; empty when there was none
    Failure Error;             // why the bitmap could not be written or read
    GlyphInk Ink;              // where the rendered character's ink lies against the cell
};

// The box's text changed: settings.CurrentText becomes CleanBoxText(boxText); its last character
// (a final line break counts as none) is rendered into tmp.bmp, after beforeRender has seen it;
// with settings.FitOffsetY its offset is fitted to the character first;
// then tmp.bmp is loaded with the all-bytes ink test, also when nothing was rendered (the matrix
// then comes back from the last bitmap).
BoxRenderResult RenderBoxText(const std::string &boxText, GlyphSettings &settings, DotMatrix &matrix,
                              OutputDirectory &output,
                              const std::function<void(const std::string &)> &beforeRender = {});

// A shift button moved the offset by (dx, dy): settings.CurrentText becomes boxText unchanged, its
// last character (or the empty text) is rendered at the new offset and loaded.
BoxRenderResult ShiftAndRender(int dx, int dy, const std::string &boxText, GlyphSettings &settings,
                               DotMatrix &matrix, OutputDirectory &output);
