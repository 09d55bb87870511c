#pragma once
// CFontView is the source-text preview pane (the name is kept from the program's first design):
// the text the current glyph produces, shown live on a green field.

#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"

#include <QWidget>

#include <string>
#include <vector>

class CFontView : public QWidget
{
    Q_OBJECT
public:
    CFontView(const GlyphSettings &settings, const DotMatrix &matrix, QWidget *parent = nullptr);

    // One line of the preview as drawn: its text (code page 936) and the top-left corner of its
    // text cell.
    struct PlacedLine
    {
        std::string Text;
        QPoint At;
        bool Opaque = false; // drawn on a white background
    };
    // The lines OnDraw paints for the current glyph; a refused group gives the one message line.
    std::vector<PlacedLine> Layout() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const GlyphSettings &m_settings;
    const DotMatrix &m_matrix;
};
