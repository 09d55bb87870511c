#pragma once
// ExportSummary: the head of the font export's dialog. It says what the export writes before the
// user chooses the file: the characters of the character list (how many, how many are left out),
// the font and the cell they are drawn with, and a line of the first glyphs drawn as the chosen
// bit depth writes them.

#include "export/codepointlist.h"
#include "raster/glyphsettings.h"

#include <QWidget>

#include <vector>

class QLabel;

class ExportSummary : public QWidget
{
    Q_OBJECT
public:
    // characters: what the export draws, from the character list; unmapped: the list's
    // characters left out for want of a code point.
    ExportSummary(const GlyphSettings &settings, std::vector<CodePointChar> characters, int unmapped, int bpp,
                  QWidget *parent = nullptr);

    // Draws the sample line again at another bit depth.
    void ShowBpp(int bpp);

private:
    const GlyphSettings &m_settings;
    std::vector<CodePointChar> m_characters;
    QLabel *m_sample;
};
