#pragma once
// ClientPanes: the main window's client area: the zoomed glyph view (scrolling when the grid is
// larger than its pane) over the source-text preview on the left, the character list on the
// right, and the split bars between them, which the keyboard can move too.

#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"

#include <QSplitter>

class CDotrixView;
class QScrollArea;
class CFontSel;
class CFontView;

class ClientPanes : public QSplitter
{
    Q_OBJECT
public:
    ClientPanes(GlyphSettings &settings, const DotMatrix &matrix, QWidget *parent = nullptr);

    CDotrixView *GlyphView() const { return m_glyphView; }
    CFontView *Preview() const { return m_preview; }
    CFontSel *CharacterList() const { return m_characterList; }
    // The left column's splitter (glyph view over preview); this splitter is the outer one.
    QSplitter *LeftColumn() const { return m_left; }

    // The panes beside this client area that F6 visits too, in the order it visits them before
    // the glyph view: the character box and the control bar.
    void SetOuterPanes(QList<QWidget *> panes) { m_outerPanes = std::move(panes); }
    // Moves the focus to the next pane (step 1) or the previous one (-1), round the outer panes,
    // the glyph view, the preview and the list.
    void FocusNextPane(int step);
    // The arrow keys move the split bar beside the pane that has the focus, ten pixels a press,
    // until Enter or Esc.
    void TrackSplitBar();

signals:
    // Enter or Esc ended the split bar's tracking.
    void TrackingFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Sizes the preview row: 320 pixels where the glyph view keeps room for the default glyph,
    // less on a small screen.
    void FitPreviewRow();

    QSplitter *m_left;
    CDotrixView *m_glyphView;
    CFontView *m_preview;
    CFontSel *m_characterList;
    QList<QWidget *> m_outerPanes;
    QSplitter *m_tracking = nullptr;
    bool m_previewRowSetByUser = false;
};

// A scroll area round pane that is as wide as the pane asks (its scroll bar beside it, never one
// below) and as low as the window needs: a pane of many controls scrolls on a low screen instead
// of making the window taller than the screen.
QScrollArea *ScrollingPane(QWidget *pane);
