// Any bytes as a patch file of hand-fixed glyphs: a refusal leaves the patch as it was, and a
// patch read has a cell of at most 1024 x 1024 and every glyph's dots exactly filling it.
#include "fuzzsupport.h"

#include "export/patchfile.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Not copied: the parser sees exactly the input's bytes, so reading past them is caught.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    GlyphPatch patch;
    patch.Basis.Width = -7; // no file gives it: shows whether a refusal changed the patch
    Failure failure;
    if (!ParseGlyphPatch(bytes, QStringLiteral("fuzz.bdf"), patch, &failure)) {
        Require(bool(failure), "a refusal says why");
        Require(patch.Basis.Width == -7 && patch.Empty(), "a refusal leaves the patch as it was");
        return 0;
    }
    Require(!failure, "a patch read has no failure");
    const PatchBasis &basis = patch.Basis;
    Require(basis.Width >= 1 && basis.Width <= 1024 && basis.Height >= 1 && basis.Height <= 1024,
            "the cell is a glyph size");
    for (const auto &[codePoint, dots] : patch.Glyphs()) {
        Require(codePoint > 0 && codePoint <= 0x10FFFF, "a glyph is keyed by a code point");
        Require(dots.size() == size_t(basis.Width) * size_t(basis.Height), "a glyph's dots fill the cell");
        for (uint8_t dot : dots)
            Require(dot == 0 || dot == 1, "a dot is ink or clear");
    }
    return 0;
}
