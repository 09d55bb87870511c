#include "lvglfontwriter.h"

#include "lvglcompress.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t MostCharMaps = 511;    // a font's cmap_num has 9 bits
constexpr uint32_t LongestRange = 65535; // range_length and list_length have 16 bits
constexpr size_t MostGlyphs = 65535;    // glyph ids have 16 bits; id 0 means "none"
constexpr uint32_t FirstLongRun = 24;   // a map costs about what 12 sparse entries do; a run
                                        // gets its own when it saves the sparse list more

// Plans maps in which every run of at least longRun consecutive code points has a map of its
// own and the runs between them share sparse maps.
std::vector<LvglCharMap> PlanCharMaps(const std::vector<char32_t> &codePoints, uint32_t longRun)
{
    std::vector<LvglCharMap> maps;
    std::vector<char32_t> sparse;
    uint32_t sparseId = 0;
    auto flushSparse = [&] {
        if (sparse.empty())
            return;
        LvglCharMap map;
        map.RangeStart = sparse.front();
        map.RangeLength = uint32_t(sparse.back() - sparse.front() + 1);
        map.GlyphIdStart = sparseId;
        // Code points that turn out consecutive need no list: a plain range.
        if (map.RangeLength != sparse.size())
            for (char32_t c : sparse)
                map.Sparse.push_back(uint16_t(c - map.RangeStart));
        maps.push_back(std::move(map));
        sparse.clear();
    };
    for (size_t i = 0; i < codePoints.size();) {
        size_t end = i + 1;
        while (end < codePoints.size() && codePoints[end] == codePoints[end - 1] + 1)
            ++end;
        if (end - i >= longRun) {
            flushSparse();
            for (size_t k = i; k < end; k += LongestRange) {
                LvglCharMap map;
                map.RangeStart = codePoints[k];
                map.RangeLength = uint32_t(std::min<size_t>(LongestRange, end - k));
                map.GlyphIdStart = uint32_t(k + 1);
                maps.push_back(std::move(map));
            }
        } else {
            for (size_t k = i; k < end; ++k) {
                if (!sparse.empty() && (codePoints[k] - sparse.front() >= LongestRange || sparse.size() == LongestRange))
                    flushSparse();
                if (sparse.empty())
                    sparseId = uint32_t(k + 1);
                sparse.push_back(codePoints[k]);
            }
        }
        i = end;
    }
    flushSparse();
    return maps;
}

std::string Utf8(const QString &text)
{
    return text.toStdString();
}

std::string Number(long long value)
{
    return std::to_string(value);
}

} // namespace

std::vector<LvglCharMap> PlanLvglCharMaps(const std::vector<char32_t> &codePoints)
{
    for (uint32_t longRun = FirstLongRun;; longRun *= 2) {
        std::vector<LvglCharMap> maps = PlanCharMaps(codePoints, longRun);
        if (maps.size() <= MostCharMaps || longRun > LongestRange)
            return maps;
    }
}

bool LvglFontWriter::Begin(const FontFileInfo &info, Failure *failure)
{
    if (info.GlyphCount > MostGlyphs) {
        return Report(failure, {FailureCode::LvglTooManyGlyphs, {}, {}, {QString::number(info.GlyphCount)}});
    }
    m_info = info;
    // The switch that leaves the font out of a build, as LVGL's own fonts have: the name in capitals.
    m_guard = Utf8(info.FontName);
    std::transform(m_guard.begin(), m_guard.end(), m_guard.begin(), [](char c) { return char(std::toupper(uint8_t(c))); });
    m_descriptors.reserve(info.GlyphCount);
    m_codePoints.reserve(info.GlyphCount);
    WriteHeader();
    if (m_info.Compress)
        m_text += "/*LVGL decodes compressed glyphs only when built with LV_USE_FONT_COMPRESSED*/\n"
                  "#if !LV_USE_FONT_COMPRESSED\n"
                  "    #error \"" + Utf8(m_info.FontName)
                  + " needs LV_USE_FONT_COMPRESSED 1 in lv_conf.h: its glyphs are compressed\"\n"
                  "#endif\n\n";
    m_text += "/*-----------------\n"
              " *    BITMAPS\n"
              " *----------------*/\n\n"
              "/*Store the image of the glyphs*/\n"
              "static LV_ATTRIBUTE_LARGE_CONST const uint8_t glyph_bitmap[] = {\n";
    return Drain(failure);
}

void LvglFontWriter::WriteHeader()
{
    const ExportFontMetrics &m = m_info.Metrics;
    const std::string name = Utf8(m_info.FontName);
    m_text += "/*******************************************************************************\n"
              " * LVGL font " + name + ", made by Dotrix " DOTRIX_VERSION "\n"
              " * Face: " + CommentSafe(Utf8(m.Family)) + ", " + Number(m.PixelSize) + " px ("
              + Number(m.DeciPoints / 10) + (m.DeciPoints % 10 ? "." + Number(m.DeciPoints % 10) : "") + " pt)\n"
              " * Cell: " + Number(m.CellWidth) + " x " + Number(m.CellHeight) + " px, baseline "
              + Number(m.Baseline) + " px below its top\n"
              " * Bpp: " + Number(m_info.Bpp) + (m_info.Compress ? ", compressed; " : ", uncompressed; ")
              + Number(qint64(m_info.GlyphCount))
              + (m_info.GlyphCount == 1 ? " glyph\n" : " glyphs\n");
    if (!m_info.Kerning.empty())
        m_text += " * Kerning: " + Number(qint64(m_info.Kerning.size())) + " pairs from the font\n";
    if (!m_info.Placement.empty())
        m_text += " * " + CommentSafe(m_info.Placement) + "\n";
    if (!m_info.MadeWith.empty()) {
        m_text += " * Made with:\n";
        size_t start = 0;
        for (size_t end; start <= m_info.MadeWith.size(); start = end + 1) {
            end = std::min(m_info.MadeWith.find('\n', start), m_info.MadeWith.size());
            m_text += " *   " + CommentSafe(m_info.MadeWith.substr(start, end - start)) + "\n";
        }
    }
    m_text += " * Use: LV_FONT_DECLARE(" + name + ");\n"
              " ******************************************************************************/\n\n"
              "#ifdef __has_include\n"
              "    #if __has_include(\"lvgl.h\")\n"
              "        #ifndef LV_LVGL_H_INCLUDE_SIMPLE\n"
              "            #define LV_LVGL_H_INCLUDE_SIMPLE\n"
              "        #endif\n"
              "    #endif\n"
              "#endif\n\n"
              "#ifdef LV_LVGL_H_INCLUDE_SIMPLE\n"
              "    #include \"lvgl.h\"\n"
              "#else\n"
              "    #include \"lvgl/lvgl.h\"\n"
              "#endif\n\n"
              "#ifndef " + m_guard + "\n"
              "    #define " + m_guard + " 1\n"
              "#endif\n\n"
              "#if " + m_guard + "\n\n";
}

bool LvglFontWriter::AddGlyph(const ExportGlyph &glyph, Failure *failure)
{
    const Descriptor d{m_bitmapBytes, glyph.Advance16, glyph.BoxWidth, glyph.BoxHeight, glyph.OffsetX, glyph.OffsetY};
    const QString codePoint = CodePointName(glyph.CodePoint);
    // The large format holds 16-bit boxes and offsets; a cell of at most 1024 dots fits them
    // unless the glyph lies absurdly far from its baseline.
    if (d.BoxWidth > 65535 || d.BoxHeight > 65535 || d.OffsetX < -32768 || d.OffsetX > 32767 || d.OffsetY < -32768
        || d.OffsetY > 32767) {
        return Report(failure, {FailureCode::LvglGlyphTooFar, {}, {}, {codePoint, QString::number(d.OffsetY)}});
    }
    if (m_largeReason.isEmpty()) {
        if (d.BitmapIndex >= (uint64_t(1) << 20))
            m_largeReason = QStringLiteral("its glyph bitmaps pass 1 MiB");
        else if (d.Advance16 > 4095)
            m_largeReason = QStringLiteral("its advance is wider than 255 px");
        else if (d.BoxWidth > 255 || d.BoxHeight > 255)
            m_largeReason = QStringLiteral("%1 is wider or taller than 255 px").arg(codePoint);
        else if (d.OffsetX < -128 || d.OffsetX > 127 || d.OffsetY < -128 || d.OffsetY > 127)
            m_largeReason = QStringLiteral("%1 lies more than 127 px from the baseline or the cell's left edge")
                                .arg(codePoint);
    }
    m_descriptors.push_back(d);
    m_codePoints.push_back(glyph.CodePoint);

    m_text += "    /* " + codePoint.toStdString();
    if (glyph.CodePoint >= 0x20 && glyph.CodePoint != 0x7F)
        m_text += " \"" + QString::fromUcs4(&glyph.CodePoint, 1).toStdString() + "\"";
    m_text += " */\n";
    // The box's levels, bpp bits each, first pixel in the most significant bits, rows running on
    // without padding; the glyph's last byte is filled with zero bits. Compressed: those levels
    // as LVGL's run-length code.
    const std::vector<uint8_t> levels = glyph.BoxLevels();
    unsigned pending = 0;
    int bits = 0;
    int onLine = 0;
    auto put = [&](uint8_t byte) {
        m_text += onLine == 0 ? "    " : " ";
        m_text += CHexByte(byte);
        if (++onLine == 16) {
            m_text += '\n';
            onLine = 0;
        }
        ++m_bitmapBytes;
    };
    if (m_info.Compress) {
        for (uint8_t byte : CompressLvglGlyph(levels, glyph.BoxWidth, glyph.BoxHeight, glyph.Bpp))
            put(byte);
    } else {
        for (uint8_t level : levels) {
            pending = (pending << glyph.Bpp) | level;
            bits += glyph.Bpp;
            if (bits == 8) {
                put(uint8_t(pending));
                pending = 0;
                bits = 0;
            }
        }
        if (bits > 0)
            put(uint8_t(pending << (8 - bits)));
    }
    if (onLine > 0)
        m_text += '\n';
    m_text += '\n';
    if (m_bitmapBytes > 0xFFFFFFFFu) {
        return Report(failure, {FailureCode::LvglTooLarge, {}, {}, {}});
    }
    return Drain(failure);
}

bool LvglFontWriter::Finish(Failure *failure)
{
    if (m_bitmapBytes == 0)
        m_text += "    0x00 /* no glyph has ink; C takes no empty array */\n";
    else if (m_info.Compress)
        m_text += "    0x00 /* LVGL's decoder may read a byte past the last glyph */\n";
    m_text += "};\n\n";
    if (!m_largeReason.isEmpty())
        m_text += "/*The glyphs need LVGL's large font format*/\n"
                  "#if !LV_FONT_FMT_TXT_LARGE\n"
                  "    #error \"" + Utf8(Note()) + "\"\n"
                  "#endif\n\n";
    WriteDescriptors();
    if (!Drain(failure))
        return false;
    WriteCharMaps();
    m_kernScale = WriteKerning();
    WriteFontDescription();
    return Drain(failure, true);
}

QString LvglFontWriter::Note() const
{
    if (m_largeReason.isEmpty())
        return {};
    return QStringLiteral("%1 needs LV_FONT_FMT_TXT_LARGE 1 in lv_conf.h: %2").arg(m_info.FontName, m_largeReason);
}

void LvglFontWriter::WriteDescriptors()
{
    m_text += "/*---------------------\n"
              " *  GLYPH DESCRIPTION\n"
              " *--------------------*/\n\n"
              "static const lv_font_fmt_txt_glyph_dsc_t glyph_dsc[] = {\n"
              "    {.bitmap_index = 0, .adv_w = 0, .box_w = 0, .box_h = 0, .ofs_x = 0, .ofs_y = 0} /* id = 0 reserved */";
    char line[160];
    for (const Descriptor &d : m_descriptors) {
        std::snprintf(line, sizeof line,
                      ",\n    {.bitmap_index = %llu, .adv_w = %lld, .box_w = %d, .box_h = %d, .ofs_x = %d, .ofs_y = %d}",
                      static_cast<unsigned long long>(d.BitmapIndex), static_cast<long long>(d.Advance16),
                      d.BoxWidth, d.BoxHeight, d.OffsetX, d.OffsetY);
        m_text += line;
    }
    m_text += "\n};\n\n";
}

void LvglFontWriter::WriteCharMaps()
{
    const std::vector<LvglCharMap> maps = PlanLvglCharMaps(m_codePoints);
    m_text += "/*---------------------\n"
              " *  CHARACTER MAPPING\n"
              " *--------------------*/\n\n";
    for (size_t i = 0; i < maps.size(); ++i) {
        if (maps[i].Sparse.empty())
            continue;
        m_text += "static const uint16_t unicode_list_" + Number(qint64(i)) + "[] = {";
        for (size_t k = 0; k < maps[i].Sparse.size(); ++k) {
            m_text += k % 12 == 0 ? "\n    " : " ";
            char value[16];
            std::snprintf(value, sizeof value, "0x%x,", maps[i].Sparse[k]);
            m_text += value;
        }
        m_text += "\n};\n\n";
    }
    m_text += "/*Collect the unicode lists and glyph_id offsets*/\n"
              "static const lv_font_fmt_txt_cmap_t cmaps[] = {";
    for (size_t i = 0; i < maps.size(); ++i) {
        const LvglCharMap &map = maps[i];
        const bool sparse = !map.Sparse.empty();
        m_text += std::string(i == 0 ? "" : ",") + "\n    {\n"
                  "        .range_start = " + Number(map.RangeStart) + ", .range_length = " + Number(map.RangeLength)
                  + ", .glyph_id_start = " + Number(map.GlyphIdStart) + ",\n"
                  "        .unicode_list = " + (sparse ? "unicode_list_" + Number(qint64(i)) : std::string("NULL"))
                  + ", .glyph_id_ofs_list = NULL, .list_length = " + Number(qint64(map.Sparse.size()))
                  + ", .type = " + (sparse ? "LV_FONT_FMT_TXT_CMAP_SPARSE_TINY" : "LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY")
                  + "\n    }";
    }
    m_text += "\n};\n\n";
    m_cmapCount = maps.size();
}

int LvglFontWriter::WriteKerning()
{
    const std::vector<KernPair> &pairs = m_info.Kerning;
    if (pairs.empty())
        return 0;
    // Values are signed bytes times kern_scale / 16, in sixteenths of a pixel: a scale of 16
    // keeps every value exact up to 127/16 px, a larger one holds larger values.
    int largest = 0;
    for (const KernPair &pair : pairs)
        largest = std::max(largest, std::abs(pair.Value16));
    const int scale = std::max(16, (largest * 16 + 126) / 127);
    const auto glyphId = [&](char32_t c) {
        return size_t(std::lower_bound(m_codePoints.begin(), m_codePoints.end(), c) - m_codePoints.begin()) + 1;
    };
    const bool wide = std::any_of(pairs.begin(), pairs.end(), [&](const KernPair &pair) {
        return glyphId(pair.Left) > 255 || glyphId(pair.Right) > 255;
    });
    m_text += "/*-----------------\n"
              " *    KERNING\n"
              " *----------------*/\n\n"
              "/*Pair left and right glyphs for kerning*/\n"
              "static const " + std::string(wide ? "uint16_t" : "uint8_t") + " kern_pair_glyph_ids[] = {";
    for (size_t i = 0; i < pairs.size(); ++i)
        m_text += (i % 8 == 0 ? "\n    " : " ") + Number(qint64(glyphId(pairs[i].Left))) + ", "
                  + Number(qint64(glyphId(pairs[i].Right))) + ",";
    m_text += "\n};\n\n"
              "/* Kerning between the respective left and right glyphs\n"
              " * 4.4 format which needs to scaled with `kern_scale`*/\n"
              "static const int8_t kern_pair_values[] = {";
    for (size_t i = 0; i < pairs.size(); ++i)
        m_text += (i % 12 == 0 ? "\n    " : " ") + Number(std::lround(pairs[i].Value16 * 16.0 / scale)) + ",";
    m_text += "\n};\n\n"
              "/*Collect the kern pair's data in one place*/\n"
              "static const lv_font_fmt_txt_kern_pair_t kern_pairs = {\n"
              "    .glyph_ids = kern_pair_glyph_ids,\n"
              "    .values = kern_pair_values,\n"
              "    .pair_cnt = " + Number(qint64(pairs.size())) + ",\n"
              "    .glyph_ids_size = " + (wide ? "1" : "0") + "\n"
              "};\n\n";
    return scale;
}

void LvglFontWriter::WriteFontDescription()
{
    const ExportFontMetrics &m = m_info.Metrics;
    const std::string name = Utf8(m_info.FontName);
    m_text += "/*--------------------\n"
              " *  ALL CUSTOM DATA\n"
              " *--------------------*/\n\n"
              "#if LV_VERSION_CHECK(8, 0, 0)\n"
              "/*Store all the custom data of the font*/\n"
              "static  lv_font_fmt_txt_glyph_cache_t cache;\n"
              "#endif\n\n"
              "#if LVGL_VERSION_MAJOR >= 8\n"
              "static const lv_font_fmt_txt_dsc_t font_dsc = {\n"
              "#else\n"
              "static lv_font_fmt_txt_dsc_t font_dsc = {\n"
              "#endif\n"
              "    .glyph_bitmap = glyph_bitmap,\n"
              "    .glyph_dsc = glyph_dsc,\n"
              "    .cmaps = cmaps,\n"
              "    .kern_dsc = " + std::string(m_kernScale ? "&kern_pairs" : "NULL") + ",\n"
              "    .kern_scale = " + Number(m_kernScale) + ",\n"
              "    .cmap_num = " + Number(qint64(m_cmapCount)) + ",\n"
              "    .bpp = " + Number(m_info.Bpp) + ",\n"
              "    .kern_classes = 0,\n"
              "    .bitmap_format = " + std::string(m_info.Compress ? "1" : "0") + ",\n"
              "#if LV_VERSION_CHECK(8, 0, 0)\n"
              "    .cache = &cache\n"
              "#endif\n"
              "};\n\n"
              "/*-----------------\n"
              " *  PUBLIC FONT\n"
              " *----------------*/\n\n"
              "/*Initialize a public general font descriptor*/\n"
              "#if LVGL_VERSION_MAJOR >= 8\n"
              "const lv_font_t " + name + " = {\n"
              "#else\n"
              "lv_font_t " + name + " = {\n"
              "#endif\n"
              "    .get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt,    /*Function pointer to get glyph's data*/\n"
              "    .get_glyph_bitmap = lv_font_get_bitmap_fmt_txt,    /*Function pointer to get glyph's bitmap*/\n"
              "    .line_height = " + Number(m.LineHeight) + ",          /*The maximum line height required by the font*/\n"
              "    .base_line = " + Number(m.LineHeight - m.Baseline) + ",             /*Baseline measured from the bottom of the line*/\n"
              "#if !(LVGL_VERSION_MAJOR == 6 && LVGL_VERSION_MINOR == 0)\n"
              "    .subpx = LV_FONT_SUBPX_NONE,\n"
              "#endif\n"
              "#if LV_VERSION_CHECK(7, 4, 0) || LVGL_VERSION_MAJOR >= 8\n"
              "    .underline_position = " + Number(std::clamp(-m.UnderlinePosition, -128, 127)) + ",\n"
              "    .underline_thickness = " + Number(std::clamp(m.UnderlineThickness, 0, 127)) + ",\n"
              "#endif\n"
              "    .dsc = &font_dsc           /*The custom font data. Will be accessed by `get_glyph_bitmap/dsc` */\n"
              "};\n\n"
              "#endif /*#if " + m_guard + "*/\n";
}
