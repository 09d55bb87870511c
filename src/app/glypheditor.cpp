#include "glypheditor.h"

#include "messages.h"

#include "charset/cp936.h"
#include "export/patchfile.h"
#include "l10n/failuretext.h"

#include <QFileInfo>
#include <QUndoCommand>
#include <QUndoStack>

#include <cstdlib>

// One step of the undo stack: the patch before and after a stroke, a revert or a shift.
class PatchStep : public QUndoCommand
{
public:
    PatchStep(GlyphEditor *editor, std::shared_ptr<const GlyphPatch> before, std::shared_ptr<const GlyphPatch> after,
              const QString &text)
        : QUndoCommand(text), m_editor(editor), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    // The first redo comes with the push, after the editor has saved the patch already.
    void redo() override
    {
        m_editor->Apply(m_after, !m_first, m_first ? text() : GlyphEditor::tr("重做：%1").arg(text()));
        m_first = false;
    }
    void undo() override { m_editor->Apply(m_before, true, GlyphEditor::tr("撤销：%1").arg(text())); }

private:
    GlyphEditor *m_editor;
    std::shared_ptr<const GlyphPatch> m_before, m_after;
    bool m_first = true;
};

GlyphEditor::GlyphEditor(GlyphSettings &settings, DotMatrix &matrix, const QString &patchPath, QWidget *window)
    : QObject(window), m_settings(settings), m_matrix(matrix), m_patchPath(patchPath), m_window(window),
      m_undo(new QUndoStack(this))
{
}

void GlyphEditor::PatchLoaded()
{
    m_undo->clear();
}

bool GlyphEditor::TakeUpPatchFile()
{
    if (m_settings.Patch || !QFileInfo::exists(m_patchPath))
        return true;
    auto patch = std::make_shared<GlyphPatch>();
    Failure failure;
    if (!LoadGlyphPatch(m_patchPath, *patch, &failure)) {
        ShowMessage(m_window, tr("修补文件读不了，不能修改字形（保存会盖掉其中的字形）：\n%1").arg(FailureText(failure)));
        return false;
    }
    m_settings.Patch = std::move(patch);
    return true;
}

bool GlyphEditor::Edited(const std::string &character) const
{
    const GlyphPatch *patch = m_settings.Patch.get();
    return patch && patch->Find(character) && !patch->Check(m_settings);
}

QString GlyphEditor::CharacterName() const
{
    return tr("「%1」").arg(Cp936ToQString(m_character));
}

bool GlyphEditor::StartEdit()
{
    if (!TakeUpPatchFile())
        return false;
    const std::string character = m_drawGlyph ? m_drawGlyph() : std::string();
    const char32_t codePoint = CodePointOf(character);
    if (codePoint == 0) {
        emit Notice(tr("先在字符框里输入要修改的字符。"));
        return false;
    }
    if (const GlyphPatch *patch = m_settings.Patch.get()) {
        if (const Failure mismatch = patch->Check(m_settings)) {
            ShowMessage(m_window, tr("修补文件里的字形是在别的设置下画的，在当前设置下不能修改字形，"
                                     "以免盖掉它们；请把设置改回：\n%1")
                                      .arg(FailureText(mismatch)));
            return false;
        }
    }
    if (character != m_character)
        m_haveLast = false;
    m_character = character;
    m_codePoint = codePoint;
    return true;
}

void GlyphEditor::PaintDot(QPoint dot)
{
    if (dot.x() < 0 || dot.y() < 0 || dot.x() >= std::min(m_settings.Width, DotMatrix::Size) ||
        dot.y() >= std::min(m_settings.Height, DotMatrix::Size))
        return;
    const int32_t value = m_ink ? CellInk : CellBlank;
    if (m_matrix.IsInk(dot.y(), dot.x()) != m_ink) {
        m_matrix.Set(dot.y(), dot.x(), value);
        m_changed = true;
    }
    m_last = dot;
    m_haveLast = true;
}

bool GlyphEditor::BeginStroke(QPoint dot, bool line)
{
    m_stroke = false;
    if (!StartEdit())
        return false;
    m_stroke = true;
    m_changed = false;
    if (line && m_haveLast) {
        ExtendStroke(dot);
        return true;
    }
    m_ink = !m_matrix.IsInk(dot.y(), dot.x());
    PaintDot(dot);
    emit MatrixEdited(tr("%1 第 %2 行第 %3 列").arg(CharacterName()).arg(dot.y() + 1).arg(dot.x() + 1));
    return true;
}

void GlyphEditor::ExtendStroke(QPoint dot)
{
    if (!m_stroke || !m_haveLast || dot == m_last)
        return;
    // The dots of the straight line from the last dot to this one (Bresenham's), so a fast drag
    // leaves no gaps.
    const QPoint from = m_last;
    const int dx = std::abs(dot.x() - from.x()), dy = -std::abs(dot.y() - from.y());
    const int sx = from.x() < dot.x() ? 1 : -1, sy = from.y() < dot.y() ? 1 : -1;
    int error = dx + dy;
    for (QPoint at = from;;) {
        PaintDot(at);
        if (at == dot)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += sy;
        }
    }
    emit MatrixEdited(tr("%1 第 %2 行第 %3 列").arg(CharacterName()).arg(dot.y() + 1).arg(dot.x() + 1));
}

void GlyphEditor::EndStroke()
{
    if (!m_stroke)
        return;
    m_stroke = false;
    if (!m_changed)
        return;
    std::shared_ptr<GlyphPatch> patch = CopyOfPatch();
    if (const Failure refused = patch->SetGlyph(m_codePoint, m_matrix, m_settings)) {
        ShowMessage(m_window, tr("这一笔没有记下：\n%1").arg(FailureText(refused)));
        emit PatchChanged(QString());
        return;
    }
    Commit(std::move(patch), tr("修改%1的点").arg(CharacterName()));
}

void GlyphEditor::FlipDot(QPoint dot)
{
    if (BeginStroke(dot, false))
        EndStroke();
}

void GlyphEditor::RevertGlyph()
{
    if (!StartEdit())
        return;
    std::shared_ptr<GlyphPatch> patch = CopyOfPatch();
    if (!patch->Revert(m_codePoint)) {
        emit Notice(tr("%1没有修改过，画的就是字体的字形").arg(CharacterName()));
        return;
    }
    Commit(std::move(patch), tr("还原%1").arg(CharacterName()));
}

void GlyphEditor::ShiftGlyph(int dx, int dy)
{
    if (!StartEdit())
        return;
    const int width = std::min(m_settings.Width, DotMatrix::Size);
    const int height = std::min(m_settings.Height, DotMatrix::Size);
    DotMatrix moved;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            if (!m_matrix.IsInk(row, column))
                continue;
            const int x = column + dx, y = row + dy;
            if (x < 0 || y < 0 || x >= width || y >= height) {
                emit Notice(tr("%1已到格子边上，再移就会丢点").arg(CharacterName()));
                return;
            }
            moved.Set(y, x, CellInk);
        }
    std::shared_ptr<GlyphPatch> patch = CopyOfPatch();
    if (const Failure refused = patch->SetGlyph(m_codePoint, moved, m_settings)) {
        ShowMessage(m_window, tr("字形没有移动：\n%1").arg(FailureText(refused)));
        return;
    }
    Commit(std::move(patch), tr("移动%1").arg(CharacterName()));
}

std::shared_ptr<GlyphPatch> GlyphEditor::CopyOfPatch() const
{
    auto patch = m_settings.Patch ? std::make_shared<GlyphPatch>(*m_settings.Patch) : std::make_shared<GlyphPatch>();
    patch->Path = m_patchPath;
    return patch;
}

bool GlyphEditor::Commit(std::shared_ptr<GlyphPatch> patch, const QString &text)
{
    Failure failure;
    if (!SaveGlyphPatch(*patch, m_patchPath, &failure)) {
        // The file keeps the glyphs it had; the glyph is drawn as it was.
        ShowMessage(m_window, tr("修补文件没有写成，这一步没有记下：\n%1").arg(FailureText(failure)));
        emit PatchChanged(QString());
        return false;
    }
    std::shared_ptr<const GlyphPatch> before = m_settings.Patch;
    if (!before) {
        // Undone, the glyphs are the font's again: a patch of none, in the same cell.
        auto none = std::make_shared<GlyphPatch>();
        none->Basis = patch->Basis;
        none->Path = m_patchPath;
        before = std::move(none);
    }
    m_undo->push(new PatchStep(this, std::move(before), std::move(patch), text));
    return true;
}

void GlyphEditor::Apply(const std::shared_ptr<const GlyphPatch> &patch, bool save, const QString &note)
{
    m_settings.Patch = patch;
    Failure failure;
    if (save && !SaveGlyphPatch(*patch, m_patchPath, &failure))
        ShowMessage(m_window, tr("修补文件没有写成（字形只改在窗口里）：\n%1").arg(FailureText(failure)));
    emit PatchChanged(note);
}
