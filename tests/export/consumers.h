#pragma once
// Real readers of exported fonts, driven by the export tests: FreeType (BDF and PCF), bdftopcf,
// u8g2 with its converter bdfconv, and the firmware reader of the Unicode-keyed font file.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace consumers {

// Rows of '#' (ink) and '.' (clear), top first.
using DotRows = std::vector<std::string>;

// One glyph as FreeType loads it.
struct FreeTypeGlyph
{
    bool Found = false;
    int Advance = 0; // pixels
    int Left = 0;    // bitmap's left edge from the origin
    int Top = 0;     // bitmap's top row above the baseline
    DotRows Dots;    // the bitmap
};

// A bitmap font (BDF or PCF) opened with FreeType at its one strike, Unicode character map.
class FreeTypeFont
{
public:
    explicit FreeTypeFont(const QString &path);
    ~FreeTypeFont();
    FreeTypeFont(const FreeTypeFont &) = delete;
    FreeTypeFont &operator=(const FreeTypeFont &) = delete;

    bool Ok() const { return m_error.empty(); }
    const std::string &Error() const { return m_error; }
    long GlyphCount() const;
    FreeTypeGlyph Glyph(uint32_t codePoint) const;
    // A BDF property as text (atoms and strings) or decimal (integers); empty when absent.
    std::string Property(const char *name) const;

private:
    struct Library;
    std::unique_ptr<Library> m_ft;
    std::string m_error;
};

// Places a glyph into a width x height cell whose baseline is `baseline` rows below its top and
// whose pen stands at column penX.
DotRows PlaceInCell(const FreeTypeGlyph &glyph, int width, int height, int baseline, int penX = 0);

struct ProgramRun
{
    int ExitCode = -1; // -1: did not start or did not finish
    std::string Out;
    std::string Err;
};

// Runs a program with arguments, feeding input on stdin; waits up to timeoutMs.
ProgramRun Run(const QString &program, const QStringList &args, const std::string &input = {},
               int timeoutMs = 120000);

// Paths of the consumers this build found; empty when not found (the tests then skip, naming it).
QString BdfToPcfPath();
QString U8g2Dir();

// A program that draws UTF-8 lines with u8g2 and a font bdfconv made from a BDF file.
struct U8g2Drawer
{
    QString Program;
    std::string Error; // empty when built
};

// Converts bdfPath with bdfconv and builds the drawing program in workDir.
U8g2Drawer BuildU8g2Drawer(const QString &bdfPath, const QString &workDir);

// Draws each line alone on a width x height display, its baseline at row `baseline`; one
// drawing per line, or an empty result (with error set) when the program failed.
std::vector<DotRows> DrawWithU8g2(const U8g2Drawer &drawer, int width, int height, int baseline,
                                  const std::vector<std::string> &utf8Lines, std::string *error);

// The firmware reader's host programs.
QString UbinCheckPath();
QString UbinDemoPath();

} // namespace consumers
