#pragma once
// What dotrix-cli's commands share: exit codes, error lines, the work directory, TEXT in code page
// 936, the glyph as dots.

#include "base/failure.h"
#include "cliargs.h"
#include "output/outputdirectory.h"
#include "raster/dotmatrix.h"
#include "raster/inktally.h"

#include <QString>

#include <memory>
#include <ostream>
#include <string>

enum ExitCode { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

// Prints "dotrix-cli: message" on err; returns code. The message is a translated text
// (DotrixCli::tr, CoreMessage) or what a core function said.
int Fail(std::ostream &err, const std::string &message, int code = ExitFailure);
int Fail(std::ostream &err, const QString &message, int code = ExitFailure);
int Fail(std::ostream &err, const Failure &failure, int code = ExitFailure);

// The output directory: --workdir, or the current directory.
QString WorkDirOf(const CliOptions &options);
// The output directory when files can be written there; otherwise nullptr after saying why.
std::unique_ptr<OutputDirectory> OpenWorkDir(const CliOptions &options, std::ostream &err);

// The stream a command's summary goes to: stderr when the file it writes is the standard output.
std::ostream &SummaryStream(const CliOptions &options);
// False, after saying why, when path (a file this run writes) is the list file it reads.
bool CheckNotTheList(const CliOptions &options, const QString &path, std::ostream &err);

// Reads --patch into options.Settings.Patch (nothing without one): false, after saying why, when
// the file cannot be read or was drawn with another glyph size or font than the settings.
bool LoadPatch(CliOptions &options, std::ostream &err);

// Says on err when the font to draw with is not installed (the nearest installed one is drawn).
void WarnOfMissingFont(const GlyphSettings &settings, std::ostream &err);

// Text (UTF-8) in code page 936; each character without a code there is named on err and skipped.
std::string TextInCp936(std::string_view utf8, std::ostream &err);

// The glyph as rows of '#' (ink) and '.' (clear).
void PrintDots(std::ostream &out, const DotMatrix &matrix, int width, int height);

// Says on err where the glyphs drawn with settings lost ink outside the cell, and where a fitted
// offset put them (moved: the offset was chosen from the ink and differs from the one asked for).
// Nothing when no ink was lost and nothing moved.
void ReportInk(std::ostream &err, const InkTally &ink, const GlyphSettings &settings, bool moved);
