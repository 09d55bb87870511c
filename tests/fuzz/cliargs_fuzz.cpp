// Any bytes as dotrix-cli's arguments, split on NUL bytes.
#include "fuzzsupport.h"

#include "cli/cliargs.h"

#include <algorithm>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<std::string> args;
    const char *p = reinterpret_cast<const char *>(data);
    const char *end = p + size;
    while (p < end) {
        const char *nul = std::find(p, end, '\0');
        args.emplace_back(p, nul);
        p = nul == end ? end : nul + 1;
    }

    const CliParseResult parsed = ParseCliArgs(args);
    Require(parsed.Ok == parsed.Error.empty(), "a refusal says why, and only a refusal");
    if (!parsed.Ok)
        return 0;
    const CliOptions &o = parsed.Options;
    if (o.Help || o.Version)
        return 0;
    const GlyphSettings &s = o.Settings;
    Require(s.Width >= 1 && s.Width <= MaxGlyphSide && s.Height >= 1 && s.Height <= MaxGlyphSide,
            "an accepted size is 1 to 1024 each way");
    Require(std::find(std::begin(GroupDigitsChoices), std::end(GroupDigitsChoices), s.GroupDigits)
                != std::end(GroupDigitsChoices),
            "an accepted group is one the program offers");
    Require(s.ScanMode >= ScanOrder::Horizontal && s.ScanMode <= ScanOrder::ZN, "an accepted scan is h, v or zn");
    Require(s.OutputFormat >= SourceFormat::Typical && s.OutputFormat <= SourceFormat::AsmTable, "an accepted format is typical, c or asm");
    Require(s.GlyphFont.PointSize >= 1 && s.GlyphFont.PointSize <= 720, "an accepted font size is 1 to 720");
    Require(!(o.ToTraditional && o.ToSimplified), "the two conversions are never both accepted");
    Require(!(o.ListFile.size() > 0 && o.Charset), "a list comes from one place");
    Require(o.Index.has_value() <= (o.Data != DataFile::None), "an index goes only with font.dat");
    Require(o.Data == DataFile::None || o.Batch, "font.dat comes only from a batch");
    Require(!(o.Delivers() && (o.Preview || o.PrintList || !o.PicturePath.isEmpty())),
            "font.dat is delivered only by a batch or alone");
    Require(!o.Text.empty() || o.PrintList || o.Batch || o.IndexTable || !o.PicturePath.isEmpty() || o.Delivers()
                || std::find(args.begin(), args.end(), std::string()) != args.end(),
            "TEXT is left out only where the command needs none");
    return 0;
}
