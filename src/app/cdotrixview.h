#pragma once
// CDotrixView: the zoomed glyph view, one Zoom x Zoom square per dot with a one-pixel grid on a
// dark blue field: the dots the next glyph file holds, black and white whatever bit depth a font
// export chose. In edit mode the mouse and the keyboard fix the glyph's dots (GlyphEditor does
// the fixing): the view tells which dots a stroke reaches and draws a dot cursor.

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

    // Edit mode: clicks, drags, the arrow keys and Space edit dots; off, the view only shows them.
    void SetEditMode(bool on);
    bool EditMode() const { return m_editMode; }
    // The glyph shown is drawn from the patch: a frame round it and a note say so.
    void SetEdited(bool edited);
    bool Edited() const { return m_edited; }
    // The dot (column, row) under a point of the view, or (-1, -1) off the grid.
    QPoint DotAt(QPoint position) const;
    // The point in the middle of a dot's square.
    QPoint DotCentre(QPoint dot) const;
    QPoint Cursor() const { return m_cursor; }

signals:
    // A stroke began at dot (line: Shift held, a line from the last dot), went on to dot, ended.
    void StrokeBegun(QPoint dot, bool line);
    void StrokeExtended(QPoint dot);
    void StrokeEnded();
    // Space on the dot cursor.
    void DotFlipped(QPoint dot);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The cell, clamped to the matrix.
    QSize Cell() const;
    // Draws the edited glyph's frame and note and the dot cursor over the grid.
    void DrawMarks(QPainter &painter) const;

    GlyphSettings &m_settings;
    const DotMatrix &m_matrix;
    bool m_editMode = false;
    bool m_edited = false;
    bool m_stroking = false;
    QPoint m_cursor{0, 0};
};
