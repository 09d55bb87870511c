#pragma once
// Writing one glyph as source text: typical hexadecimal list, C array or assembler DB table,
// under a header comment that names the glyph, its character, size and scan letter.

#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"
#include "output/outputdirectory.h"

#include <QString>

#include <string>
#include <vector>

// Shown when a group is longer than the digits of a run, so no text can be written (Chinese; the
// programs translate it through their "CoreMessage" context).
inline constexpr const char *GroupTooLongMessage = QT_TRANSLATE_NOOP("CoreMessage", "每组含字节数太多!");

// The one-line rights notice that opens single-glyph files and All.c. It never holds the
// characters 0 and x in a row, which data-file readers take for the start of a byte.
extern const char *const RightsNotice;

// What C arrays and assembler labels are named when the glyph's name is not an identifier (a
// number, a C keyword, a picture's name with spaces or Chinese in it): this prefix, then the name with every
// byte other than a letter or digit written as '_'. Names that are identifiers are used as they
// are; file names and header comments always keep the name itself.
inline constexpr const char *IdentifierPrefix = "glyph_";
std::string SourceIdentifier(const std::string &name);

enum class GlyphTextRole {
    Header,      // the header comment
    Declaration, // C arrays: "unsigned char name[]={"
    Label,       // assembler tables: the name that labels the first data line
    Data,        // one line of values
    Closing,     // C arrays in the horizontal and vertical scans: "};"
};

struct GlyphTextItem
{
    GlyphTextRole Role;
    std::string Text; // code page 936 bytes, no line end
};

// One glyph's text as items, before it is laid out for a file or the preview.
struct GlyphText
{
    bool Refused = false; // the group is longer than a run: there is no text
    ScanOrder ScanMode = ScanOrder::Vertical;
    SourceFormat OutputFormat = SourceFormat::Typical;
    std::string Name;
    std::vector<GlyphTextItem> Items;
};

// Builds the items of the glyph in the matrix, packed with the settings (size, scan, group length,
// inversion, bit order, output format). forFile selects the file header (with the
// " [mavo software]" tag).
GlyphText ComposeGlyphText(const std::string &name, const std::string &character, const GlyphSettings &settings,
                           const DotMatrix &matrix, bool forFile);

// Lays the items out as file bytes: every line ends in CR LF; an assembler label starts the first
// data line and later data lines are indented under it. withNotice puts the rights notice first.
std::string GlyphFileBytes(const GlyphText &text, bool withNotice);

// The data bytes of one glyph's text (for font.dat): every "0x" in its data lines followed by two
// hex digits. Header and comment text never count.
std::string GlyphDataBytes(const GlyphText &text);

// Where WriteGlyphText sends a glyph's text.
class GlyphTextSink
{
public:
    virtual ~GlyphTextSink() = default;
    virtual bool IsPreview() const { return false; }
    // Takes one glyph's complete text; false with failure when it could not be stored.
    virtual bool Receive(const GlyphText &text, Failure *failure) = 0;
};

// One item of the data preview pane: its text (code page 936) and the top-left corner of its
// text cell in pixels.
struct PreviewLine
{
    std::string Text;
    int X = 0;
    int Y = 0;
};

// Keeps the text for the data preview pane (and dotrix-cli --preview).
class PreviewSink : public GlyphTextSink
{
public:
    bool IsPreview() const override { return true; }
    bool Receive(const GlyphText &text, Failure *failure) override;
    const GlyphText &Text() const { return m_text; }
    // Where the pane draws each item. Header at (5, 5) ("ZN": (5, 10)), declaration at (5, 30),
    // data lines 20 pixels apart; an assembler label (not drawn in "ZN") shares its line with the
    // first data line, which starts 10 pixels a label byte further right, as do the lines under
    // it. Empty for a refused group.
    std::vector<PreviewLine> Layout() const;
    // The pane's lines as text, top to bottom: items on one line are joined, each starting at
    // column X / 10, the pane's ten pixels a character.
    std::vector<std::string> Lines() const;

private:
    GlyphText m_text;
};

// Writes the glyph's own file, rights notice first, replacing any file of that name whole.
class GlyphFileSink : public GlyphTextSink
{
public:
    GlyphFileSink(OutputDirectory &output, const QString &fileName);
    bool Receive(const GlyphText &text, Failure *failure) override;
    QString FilePath() const { return m_output.FilePath(m_fileName); }

private:
    OutputDirectory &m_output;
    QString m_fileName;
};

enum class GlyphTextResult { Written, Refused, Failed };

// Composes the glyph's text and hands it to the sink. A refusal reaches no file: nothing is
// written anywhere (the preview shows the refusal).
GlyphTextResult WriteGlyphText(GlyphTextSink &sink, const std::string &name, const std::string &character,
                               const GlyphSettings &settings, const DotMatrix &matrix, Failure *failure = nullptr);

// The preview pane's glyph into the sink: the last character of settings.CurrentText, named by
// its reading without a number, or by the last picture's name when it has none.
GlyphTextResult WritePreviewText(PreviewSink &sink, const GlyphSettings &settings, const DotMatrix &matrix);
