#pragma once
// GlyphEditor: fixing the character box's glyph by hand in the glyph view. A stroke (a click, a
// drag, a Shift+click line, a Space on the dot cursor) changes the dots of the window's matrix as
// it goes, so the view and the preview follow each dot; when it ends the glyph goes into a new
// patch (raster/glyphpatch.h), which is saved whole to the work directory's patch file before it
// takes the place of the old one in the settings, so every output draws it. Each stroke, revert
// and shift is one step of the undo stack, which holds the patch before and after it.

#include "raster/dotmatrix.h"
#include "raster/glyphpatch.h"
#include "raster/glyphsettings.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QUndoStack;
class QWidget;

class GlyphEditor : public QObject
{
    Q_OBJECT
public:
    // Edits settings.Patch and saves it to patchPath; matrix is the glyph the view shows. Messages
    // appear over window.
    GlyphEditor(GlyphSettings &settings, DotMatrix &matrix, const QString &patchPath, QWidget *window);

    QUndoStack *UndoStack() const { return m_undo; }

    // Draws the character box's last character into the matrix with the settings and returns it
    // (code page 936), or an empty string when the box has none; every edit starts with it, so the
    // dots edited are the character's as every output draws it.
    void SetGlyphDrawer(std::function<std::string()> drawGlyph) { m_drawGlyph = std::move(drawGlyph); }
    // The settings' patch was replaced from the patch file: the undo steps of the old one go.
    void PatchLoaded();

    // Whether character (code page 936) is drawn from the patch with the current settings.
    bool Edited(const std::string &character) const;

    // A stroke at dot (column, row of the cell): flips the dot, and later dots get its new state;
    // line: paints a straight line from the last dot edited in the last stroke's state instead.
    // False when the glyph cannot be edited now (the window has said why).
    bool BeginStroke(QPoint dot, bool line);
    // The stroke reaches dot: the dots on the way from the last one get the stroke's state.
    void ExtendStroke(QPoint dot);
    // The stroke ends: its glyph is saved to the patch file as one undo step.
    void EndStroke();
    // One dot flipped as a stroke of its own (the keyboard's Space).
    void FlipDot(QPoint dot);
    // The glyph goes back to the font's drawing.
    void RevertGlyph();
    // The whole glyph moves by (dx, dy) dots within its cell.
    void ShiftGlyph(int dx, int dy);

signals:
    // The matrix changed during a stroke: the views repaint.
    void MatrixEdited(const QString &note);
    // The patch changed (a stroke, a revert, a shift, an undo or redo; note says which): the
    // character is drawn again.
    void PatchChanged(const QString &note);
    // Why nothing was edited, when it is no fault (no character to edit, a glyph at the cell's
    // edge): for the status bar.
    void Notice(const QString &note);

private:
    friend class PatchStep;
    // Draws the box's glyph and says why it cannot be edited (false), else keeps its code point.
    bool StartEdit();
    // Without a patch in the settings, takes up the patch file if there is one, so that saving
    // keeps its glyphs; false, after saying why, when it cannot be read.
    bool TakeUpPatchFile();
    // Sets a dot to the stroke's state; remembers it as the last dot.
    void PaintDot(QPoint dot);
    // Saves patch and makes it the settings' as an undo step named text; false, with the glyph
    // drawn again as before, when it cannot be saved.
    bool Commit(std::shared_ptr<GlyphPatch> patch, const QString &text);
    // A copy of the settings' patch (a new one without), saved to the patch file.
    std::shared_ptr<GlyphPatch> CopyOfPatch() const;
    // Makes patch the settings' (saving it first unless it is saved already) and draws again.
    void Apply(const std::shared_ptr<const GlyphPatch> &patch, bool save, const QString &note);
    // The character as shown in texts: 「中」.
    QString CharacterName() const;

    GlyphSettings &m_settings;
    DotMatrix &m_matrix;
    QString m_patchPath;
    QWidget *m_window;
    QUndoStack *m_undo;
    std::function<std::string()> m_drawGlyph;

    std::string m_character; // the glyph being edited
    char32_t m_codePoint = 0;
    bool m_stroke = false;   // a stroke is going on
    bool m_changed = false;  // it changed a dot
    bool m_ink = true;       // the stroke's state
    bool m_haveLast = false; // m_last is a dot edited in this glyph
    QPoint m_last;
};
