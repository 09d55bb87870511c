#include "freetypeadvance.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace consumers {

int FreeTypeAdvanceSum(const QString &family, int pixelSize, const std::u32string &text, std::string *error)
{
    QProcess match;
    match.start(QStringLiteral("fc-match"), {"-f", "%{file}\n%{index}", family});
    const bool matched = match.waitForFinished(30000) && match.exitCode() == 0;
    const QStringList found = QString::fromUtf8(match.readAllStandardOutput()).split('\n');
    if (!matched || found.size() != 2) {
        *error = "fc-match does not find " + family.toStdString();
        return -1;
    }
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    int sum = -1;
    if (FT_Init_FreeType(&library) == 0
        && FT_New_Face(library, QFile::encodeName(found[0]).constData(), found[1].toLong(), &face) == 0
        && FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize)) == 0) {
        sum = 0;
        for (const char32_t c : text) {
            if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) != 0) {
                *error = "FreeType cannot load U+" + std::to_string(uint32_t(c));
                sum = -1;
                break;
            }
            sum += int(face->glyph->advance.x >> 6);
        }
    } else {
        *error = "FreeType cannot open " + found[0].toStdString();
    }
    if (face)
        FT_Done_Face(face);
    if (library)
        FT_Done_FreeType(library);
    return sum;
}

} // namespace consumers
