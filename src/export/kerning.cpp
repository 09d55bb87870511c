#include "kerning.h"

#include <QByteArray>
#include <QRawFont>

#include <hb-ot.h>
#include <hb.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Characters from the CJK radicals onwards (ideographs, kana, hangul, full-width forms) take no
// part: fonts set them on a fixed grid.
constexpr char32_t FirstGridCharacter = 0x2E80;

// HarfBuzz reads the font's tables through Qt, which has the face open already.
hb_blob_t *ReadTable(hb_face_t *, hb_tag_t tag, void *user)
{
    const auto *font = static_cast<const QRawFont *>(user);
    const char name[4] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag)};
    const QByteArray table = font->fontTable(name);
    if (table.isEmpty())
        return nullptr;
    return hb_blob_create(table.constData(), unsigned(table.size()), HB_MEMORY_MODE_DUPLICATE, nullptr, nullptr);
}

bool HasKerning(hb_face_t *face, const QRawFont &font)
{
    if (!font.fontTable("kern").isEmpty())
        return true;
    hb_tag_t tags[64];
    for (unsigned start = 0;;) {
        unsigned count = 64;
        hb_ot_layout_table_get_feature_tags(face, HB_OT_TAG_GPOS, start, &count, tags);
        if (std::find(tags, tags + count, HB_TAG('k', 'e', 'r', 'n')) != tags + count)
            return true;
        if (count < 64)
            return false;
        start += count;
    }
}

struct Candidate
{
    char32_t CodePoint;
    hb_script_t Script; // HB_SCRIPT_COMMON for punctuation, digits and the like
};

// Whether text layout sets the two characters in one run: the same script, or either common.
bool OneRun(const Candidate &left, const Candidate &right)
{
    const auto common = [](hb_script_t s) { return s == HB_SCRIPT_COMMON || s == HB_SCRIPT_INHERITED; };
    return left.Script == right.Script || common(left.Script) || common(right.Script);
}

} // namespace

std::vector<KernPair> MeasureKerning(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                                     int bpp)
{
    std::vector<KernPair> pairs;
    const QRawFont raw = QRawFont::fromFont(settings.GlyphFont.ToQFont(bpp > 1));
    if (!raw.isValid())
        return pairs;
    const std::unique_ptr<hb_face_t, decltype(&hb_face_destroy)> face(
        hb_face_create_for_tables(ReadTable, const_cast<QRawFont *>(&raw), nullptr), hb_face_destroy);
    if (!HasKerning(face.get(), raw))
        return pairs;
    const std::unique_ptr<hb_font_t, decltype(&hb_font_destroy)> font(hb_font_create(face.get()), hb_font_destroy);
    hb_ot_font_set_funcs(font.get());
    // 26.6 fixed point at the drawn size: positions come out in 64ths of a pixel.
    const int scale = int(std::lround(raw.pixelSize() * 64));
    hb_font_set_scale(font.get(), scale, scale);

    std::vector<Candidate> candidates;
    hb_unicode_funcs_t *unicode = hb_unicode_funcs_get_default();
    for (const CodePointChar &character : characters) {
        hb_codepoint_t glyph = 0;
        if (character.CodePoint < FirstGridCharacter && hb_font_get_nominal_glyph(font.get(), character.CodePoint, &glyph))
            candidates.push_back({character.CodePoint, hb_unicode_script(unicode, character.CodePoint)});
    }
    const std::unique_ptr<hb_buffer_t, decltype(&hb_buffer_destroy)> buffer(hb_buffer_create(), hb_buffer_destroy);
    for (const Candidate &left : candidates) {
        for (const Candidate &right : candidates) {
            if (!OneRun(left, right))
                continue;
            hb_buffer_clear_contents(buffer.get());
            const uint32_t text[2] = {uint32_t(left.CodePoint), uint32_t(right.CodePoint)};
            hb_buffer_add_utf32(buffer.get(), text, 2, 0, 2);
            hb_buffer_guess_segment_properties(buffer.get());
            hb_shape(font.get(), buffer.get(), nullptr, 0);
            unsigned count = 0;
            const hb_glyph_info_t *info = hb_buffer_get_glyph_infos(buffer.get(), &count);
            const hb_glyph_position_t *position = hb_buffer_get_glyph_positions(buffer.get(), nullptr);
            if (count != 2)
                continue; // a ligature, not a pair
            // How far the pair moves the pen beyond the two glyphs' own advances.
            const hb_position_t kerned = position[0].x_advance + position[1].x_advance
                                         - hb_font_get_glyph_h_advance(font.get(), info[0].codepoint)
                                         - hb_font_get_glyph_h_advance(font.get(), info[1].codepoint);
            const int value16 = int(std::lround(kerned / 4.0));
            if (value16 != 0)
                pairs.push_back({left.CodePoint, right.CodePoint, value16});
        }
    }
    return pairs;
}
