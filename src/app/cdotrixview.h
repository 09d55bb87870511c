#pragma once
// CDotrixView: the zoomed glyph view, one Zoom x Zoom square per dot with a one-pixel grid on a
// dark blue field: the dots the next glyph file holds, black and white whatever bit depth a font
// export chose.

#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"

#include <QWidget>

class QPainter;

class CDotrixView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int GridLeft = 50;
    static constexpr int GridTop = 40;

    CDotrixView(GlyphSettings &settings, const DotMatrix &matrix, QWidget *parent = nullptr);

    // Start-up and every new or opened document: the glyph geometry returns to 16 x 16 at (0, 0).
    void OnInitialUpdate();

    // The room a glyph of width x height dots at the zoom takes, with the margins round its grid.
    static QSize Extent(int width, int height, int zoom);

    // Sizes the view to hold the whole grid, so that the pane scrolls to glyphs larger than
    // it; call after the size or zoom changes.
    void UpdateExtent();

    // Draws the field and the dots that meet clip (the view draws only what is visible, so a
    // 1024 x 1024 glyph at zoom 30 repaints as fast as a small one).
    void Draw(QPainter &painter, const QRect &clip) const;

    // Asks for a printer and prints the whole field, scaled to the page.
    void Print();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GlyphSettings &m_settings;
    const DotMatrix &m_matrix;
};
