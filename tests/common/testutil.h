#pragma once
// Helpers shared by the test suites: scratch directories, file bytes, text in code page 936.

#include "base/failure.h"
#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"
#include "output/outputdirectory.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

// A mode in a test's message by its word ("zn", "asm").
template <typename Mode, typename = decltype(ModeWords<Mode>::Table)>
std::ostream &operator<<(std::ostream &out, Mode mode)
{
    return out << WordOfMode(mode);
}

namespace testutil {

// A failure as a test's message shows it: its code's number, path, reason and details.
std::string Describe(const Failure &failure);
// Whether the failure names text in its path, reason or details.
bool Mentions(const Failure &failure, const QString &text);


// A scratch output directory with the working state a command needs: settings and a matrix of
// its own.
struct Scratch
{
    QTemporaryDir dir;
    OutputDirectory output{dir.path()};
    GlyphSettings settings;
    DotMatrix matrix;
};

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const QString &path);
// Writes bytes to a file, replacing it; returns false on failure.
bool WriteFileBytes(const QString &path, const std::string &bytes);
// Puts a one-byte file of that name into dir (a test fails when it cannot).
void Touch(const QTemporaryDir &dir, const char *name);
// Golden file under tests/golden/, as bytes.
std::string Golden(const QString &name);
// Whether actual is prefix followed by the golden file's bytes. A mismatch names the first lines
// that differ (a line diff, control characters shown escaped). With DOTRIX_UPDATE_GOLDENS=1 in
// the environment the golden file is rewritten from actual (less the prefix) and the check passes.
::testing::AssertionResult MatchesGolden(const std::string &actual, const QString &name,
                                         const std::string &prefix = {});
// A line diff of two texts: "-" lines only in expected, "+" lines only in actual, each with its
// line number, at most maxLines of them.
std::string LineDiff(const std::string &expected, const std::string &actual, int maxLines = 40);
// UTF-8 text (as written in test sources) to code page 936 bytes.
std::string Gbk(const char *utf8);

// Unifont's own 16 x 16 bitmaps (rows of '#' and '.') for those of the code points that have a
// full-width glyph in unifont.hex; empty when the file is missing.
inline const char *const UnifontHex = "/usr/share/unifont/unifont.hex";
std::map<char32_t, std::vector<std::string>> UnifontBitmaps(const std::vector<char32_t> &codePoints);

} // namespace testutil

// QStrings as text in GoogleTest's failure messages.
inline std::ostream &operator<<(std::ostream &out, const QString &text)
{
    return out << text.toStdString();
}
