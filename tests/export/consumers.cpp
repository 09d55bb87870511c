#include "consumers.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H

namespace consumers {

struct FreeTypeFont::Library
{
    FT_Library Lib = nullptr;
    FT_Face Face = nullptr;
};

FreeTypeFont::FreeTypeFont(const QString &path) : m_ft(std::make_unique<Library>())
{
    if (FT_Init_FreeType(&m_ft->Lib) != 0) {
        m_error = "FreeType does not start";
        return;
    }
    const QByteArray name = QFile::encodeName(path);
    if (const FT_Error e = FT_New_Face(m_ft->Lib, name.constData(), 0, &m_ft->Face); e != 0) {
        m_error = "FreeType cannot open " + path.toStdString() + " (error " + std::to_string(e) + ")";
        return;
    }
    if (m_ft->Face->num_fixed_sizes < 1 || FT_Select_Size(m_ft->Face, 0) != 0)
        m_error = "FreeType finds no bitmap strike in " + path.toStdString();
    else if (FT_Select_Charmap(m_ft->Face, FT_ENCODING_UNICODE) != 0)
        m_error = "FreeType finds no Unicode character map in " + path.toStdString();
}

FreeTypeFont::~FreeTypeFont()
{
    if (m_ft->Face)
        FT_Done_Face(m_ft->Face);
    if (m_ft->Lib)
        FT_Done_FreeType(m_ft->Lib);
}

long FreeTypeFont::GlyphCount() const
{
    return m_ft->Face ? m_ft->Face->num_glyphs : 0;
}

FreeTypeGlyph FreeTypeFont::Glyph(uint32_t codePoint) const
{
    FreeTypeGlyph glyph;
    const FT_UInt index = FT_Get_Char_Index(m_ft->Face, codePoint);
    if (index == 0 || FT_Load_Glyph(m_ft->Face, index, FT_LOAD_DEFAULT | FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
        return glyph;
    const FT_GlyphSlot slot = m_ft->Face->glyph;
    const FT_Bitmap &bitmap = slot->bitmap;
    glyph.Found = bitmap.pixel_mode == FT_PIXEL_MODE_MONO || bitmap.rows == 0;
    glyph.Advance = int(slot->advance.x >> 6);
    glyph.Left = slot->bitmap_left;
    glyph.Top = slot->bitmap_top;
    for (unsigned r = 0; r < bitmap.rows; ++r) {
        const unsigned char *row = bitmap.buffer + long(r) * bitmap.pitch;
        std::string dots(bitmap.width, '.');
        for (unsigned c = 0; c < bitmap.width; ++c)
            if (row[c / 8] & (0x80 >> (c % 8)))
                dots[c] = '#';
        glyph.Dots.push_back(std::move(dots));
    }
    return glyph;
}

std::string FreeTypeFont::Property(const char *name) const
{
    BDF_PropertyRec property;
    if (!m_ft->Face || FT_Get_BDF_Property(m_ft->Face, name, &property) != 0)
        return {};
    switch (property.type) {
    case BDF_PROPERTY_TYPE_ATOM:
        return property.u.atom ? property.u.atom : "";
    case BDF_PROPERTY_TYPE_INTEGER:
        return std::to_string(property.u.integer);
    case BDF_PROPERTY_TYPE_CARDINAL:
        return std::to_string(property.u.cardinal);
    default:
        return {};
    }
}

DotRows PlaceInCell(const FreeTypeGlyph &glyph, int width, int height, int baseline, int penX)
{
    DotRows cell(size_t(height), std::string(size_t(width), '.'));
    for (size_t r = 0; r < glyph.Dots.size(); ++r) {
        const int y = baseline - glyph.Top + int(r);
        for (size_t c = 0; c < glyph.Dots[r].size(); ++c) {
            const int x = penX + glyph.Left + int(c);
            if (glyph.Dots[r][c] != '#')
                continue;
            if (x < 0 || y < 0 || x >= width || y >= height)
                cell.assign(size_t(height), std::string(size_t(width), '!')); // ink outside the cell
            else
                cell[size_t(y)][size_t(x)] = '#';
        }
    }
    return cell;
}

ProgramRun Run(const QString &program, const QStringList &args, const std::string &input, int timeoutMs)
{
    QProcess process;
    process.start(program, args);
    ProgramRun run;
    if (!process.waitForStarted(10000)) {
        run.Err = "cannot start " + program.toStdString();
        return run;
    }
    process.write(input.data(), qint64(input.size()));
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.Err = program.toStdString() + " did not finish";
        return run;
    }
    run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Out = process.readAllStandardOutput().toStdString();
    run.Err = process.readAllStandardError().toStdString();
    return run;
}

QString BdfToPcfPath()
{
    return QStringLiteral(DOTRIX_BDFTOPCF);
}

QString U8g2Dir()
{
    return QStringLiteral(DOTRIX_U8G2_DIR);
}

QString UbinCheckPath()
{
    return QStringLiteral(DOTRIX_UBIN_CHECK);
}

QString UbinDemoPath()
{
    return QStringLiteral(DOTRIX_UBIN_DEMO);
}

U8g2Drawer BuildU8g2Drawer(const QString &bdfPath, const QString &workDir)
{
    U8g2Drawer drawer;
    const QDir dir(workDir);
    const QString fontSource = dir.filePath(QStringLiteral("dotrix_font.c"));
    const ProgramRun converted = Run(QStringLiteral(DOTRIX_BDFCONV),
                                     {"-f", "1", "-m", "32-65535", "-n", "dotrix_font", "-o", fontSource, bdfPath});
    if (converted.ExitCode != 0 || !QFile::exists(fontSource)) {
        drawer.Error = "bdfconv failed: " + converted.Err + converted.Out;
        return drawer;
    }
    // bdfconv's C file expects u8g2.h to be included before it.
    QFile font(fontSource);
    font.open(QIODevice::ReadOnly);
    const QByteArray body = font.readAll();
    font.close();
    QFile wrapped(dir.filePath(QStringLiteral("dotrix_font_u8g2.c")));
    if (!wrapped.open(QIODevice::WriteOnly) || wrapped.write("#include \"u8g2.h\"\n" + body) < 0) {
        drawer.Error = "cannot write the u8g2 font source";
        return drawer;
    }
    wrapped.close();
    drawer.Program = dir.filePath(QStringLiteral("u8g2_draw"));
    const ProgramRun built = Run(QStringLiteral(DOTRIX_C_COMPILER),
                                 {"-O1", "-w", "-I" + U8g2Dir() + "/csrc", "-o", drawer.Program,
                                  QStringLiteral(DOTRIX_U8G2_DRAW_SOURCE), wrapped.fileName(),
                                  QStringLiteral(DOTRIX_U8G2_LIBRARY)});
    if (built.ExitCode != 0)
        drawer.Error = "the u8g2 drawing program does not build: " + built.Err;
    return drawer;
}

std::vector<DotRows> DrawWithU8g2(const U8g2Drawer &drawer, int width, int height, int baseline,
                                  const std::vector<std::string> &utf8Lines, std::string *error)
{
    std::string input;
    for (const std::string &line : utf8Lines)
        input += line + '\n';
    const ProgramRun run = Run(drawer.Program, {QString::number(width), QString::number(height), QString::number(baseline)},
                               input);
    if (run.ExitCode != 0) {
        *error = "u8g2_draw failed: " + run.Err;
        return {};
    }
    std::vector<DotRows> drawings(1);
    size_t start = 0;
    while (start < run.Out.size()) {
        const size_t end = run.Out.find('\n', start);
        const std::string row = run.Out.substr(start, end - start);
        start = end == std::string::npos ? run.Out.size() : end + 1;
        if (row.empty())
            drawings.emplace_back();
        else
            drawings.back().push_back(row);
    }
    drawings.pop_back(); // after the last drawing's empty line
    if (drawings.size() != utf8Lines.size())
        *error = "u8g2_draw printed " + std::to_string(drawings.size()) + " drawings for "
                 + std::to_string(utf8Lines.size()) + " lines";
    return drawings;
}

} // namespace consumers
