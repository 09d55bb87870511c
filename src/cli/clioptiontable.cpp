#include "clioptiontable.h"

#include "encode/indexvalue.h"
#include "l10n/language.h"

#include <charconv>
#include <optional>

namespace {

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const char *first = text.data();
  const char *last = first + text.size();
  // One sign at most: "+2" and "-2" are numbers, "+-2" is not.
  if (!text.empty() && text.front() == '+') {
    ++first;
    if (first != last && *first == '-')
      return std::nullopt;
  }
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last || first == last)
    return std::nullopt;
  return value;
}

// Points as a user writes them: digits, optionally a point and more digits
// ("12", "10.5").
std::optional<double> ParsePoints(std::string_view text) {
  const size_t dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  const std::string_view fraction =
      dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
  const auto digits = [](std::string_view part) {
    return !part.empty() && part.size() <= 6 &&
           part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!digits(whole) || (dot != std::string_view::npos && !digits(fraction)))
    return std::nullopt;
  double points = 0;
  std::from_chars(text.data(), text.data() + text.size(),
                  points); // not the locale's decimal point
  return points;
}

// Splits "A<sep>B" into two integers.
std::optional<std::pair<int, int>> ParsePair(std::string_view text,
                                             std::string_view separators) {
  const size_t at = text.find_first_of(separators);
  if (at == std::string_view::npos)
    return std::nullopt;
  const auto a = ParseInt(text.substr(0, at));
  const auto b = ParseInt(text.substr(at + 1));
  if (!a || !b)
    return std::nullopt;
  return std::make_pair(*a, *b);
}

std::string BadValue(const char *option, const std::string &value,
                     const QString &expected) {
  return DotrixCli::tr("bad value '%1' for --%2: expected %3")
      .arg(QString::fromStdString(value), QLatin1String(option), expected)
      .toStdString();
}

// An option naming a file or folder: any non-empty text, kept as given.
// expected is marked for translation in the DotrixCli context.
OptionSpec PathOption(const char *name, const char *value, const char *help,
                      QString CliOptions::*field, const char *expected) {
  return {name, value, help,
          [name, field, expected](CliOptions &o,
                                  const std::string &v) -> std::string {
            if (v.empty())
              return BadValue(name, v, DotrixCli::tr(expected));
            o.*field = QString::fromStdString(v);
            return {};
          }};
}

// An option whose value is a C identifier, stored in field.
OptionSpec CIdentifierOption(const char *name, const char *help,
                             QString CliOptions::*field) {
  return {name, "NAME", help,
          [name, field](CliOptions &o, const std::string &v) -> std::string {
            if (!IsCIdentifier(v))
              return BadValue(name, v,
                              DotrixCli::tr("a C identifier (letters, digits "
                                            "and _, not a digit first)"));
            o.*field = QString::fromStdString(v);
            return {};
          }};
}

// An option whose value is a mode's word (settingwords.h); set stores the mode.
template <typename Mode>
OptionSpec ModeOption(const char *name, const char *value, const char *help,
                      void (*set)(CliOptions &, Mode), const char *expected) {
  return {name, value, help,
          [name, set, expected](CliOptions &o,
                                const std::string &v) -> std::string {
            const std::optional<Mode> mode = ModeOfWord<Mode>(v);
            if (!mode)
              return BadValue(
                  name, v,
                  expected ? DotrixCli::tr(expected)
                           : QString::fromStdString(ModeWordList<Mode>(", ")));
            set(o, *mode);
            return {};
          }};
}

OptionSpec WithDefault(OptionSpec option, std::string value) {
  option.Default = std::move(value);
  return option;
}

// An option without a value that sets a flag.
OptionSpec Flag(const char *name, const char *help, bool CliOptions::*field) {
  return {name, {}, help, [field](CliOptions &o, const std::string &) {
            o.*field = true;
            return std::string();
          }};
}

OptionSpec SettingsFlag(const char *name, const char *help,
                        bool GlyphSettings::*field) {
  return {name, {}, help, [field](CliOptions &o, const std::string &) {
            o.Settings.*field = true;
            return std::string();
          }};
}

} // namespace

const std::vector<OptionSection> &OptionSections() {
  static const std::vector<OptionSection> sections = {
      {QT_TRANSLATE_NOOP("DotrixCli", "Options:"),
       {
           {"font", "FAMILY",
            QT_TRANSLATE_NOOP("DotrixCli",
                              "font family to draw with (default %1)"),
            [](CliOptions &o, const std::string &v) -> std::string {
              if (v.empty())
                return BadValue("font", v, DotrixCli::tr("a font family name"));
              o.Settings.GlyphFont.Face = QString::fromStdString(v);
              return {};
            },
            GlyphFontDesc().Face.toStdString()},
           {"font-size", "PT",
            QT_TRANSLATE_NOOP("DotrixCli",
                              "font size in points, 1 to 720, such as 10.5 "
                              "(default 12: 16 pixels)"),
            [](CliOptions &o, const std::string &v) -> std::string {
              const auto pt = ParsePoints(v);
              if (!pt || *pt < 1 || *pt > 720)
                return BadValue(
                    "font-size", v,
                    DotrixCli::tr("points from 1 to 720, such as 12 or 10.5"));
              if (o.PixelsGiven)
                return DotrixCli::tr("--font-size and --px both give the "
                                     "font's size; choose one")
                    .toStdString();
              o.Settings.GlyphFont.PointSize = *pt;
              o.PointsGiven = true;
              return {};
            }},
           {"px", "N",
            QT_TRANSLATE_NOOP("DotrixCli", "font size in pixels instead, 1 to "
                                           "960 (12 points are 16 pixels)"),
            [](CliOptions &o, const std::string &v) -> std::string {
              const auto px = ParseInt(v);
              if (!px || *px < 1 || *px > 960)
                return BadValue("px", v, DotrixCli::tr("pixels from 1 to 960"));
              if (o.PointsGiven)
                return DotrixCli::tr("--font-size and --px both give the "
                                     "font's size; choose one")
                    .toStdString();
              o.Settings.GlyphFont.SetPixelHeight(*px);
              o.PixelsGiven = true;
              return {};
            }},
           {"size", "WxH",
            QT_TRANSLATE_NOOP(
                "DotrixCli",
                "glyph size in dots, each 1 to 1024 (default 16x16)"),
            [](CliOptions &o, const std::string &v) -> std::string {
              const auto size = ParsePair(v, "xX");
              if (!size || size->first < 1 || size->second < 1)
                return BadValue(
                    "size", v,
                    DotrixCli::tr(
                        "WIDTHxHEIGHT, each 1 to 1024, such as 16x16"));
              if (size->first > MaxGlyphSide || size->second > MaxGlyphSide)
                return CoreMessage(MatrixTooBigMessage).toStdString();
              o.Settings.Width = size->first;
              o.Settings.Height = size->second;
              return {};
            }},
           {"offset", "X,Y",
            QT_TRANSLATE_NOOP("DotrixCli",
                              "position of the character cell in pixels "
                              "(default 0,0; font\nexports without it move the "
                              "cell up or down to hold all ink)"),
            [](CliOptions &o, const std::string &v) -> std::string {
              const auto offset = ParsePair(v, ",");
              if (!offset)
                return BadValue("offset", v,
                                DotrixCli::tr("X,Y in pixels, such as 0,-2"));
              o.Settings.OffsetX = offset->first;
              o.Settings.OffsetY = offset->second;
              o.OffsetGiven = true;
              return {};
            }},
           SettingsFlag(
               "fit",
               QT_TRANSLATE_NOOP(
                   "DotrixCli",
                   "move the vertical offset by the least that holds the ink "
                   "of\nevery character drawn inside the glyph"),
               &GlyphSettings::FitOffsetY),
           WithDefault(
               ModeOption<ScanOrder>(
                   "scan", "h|v|zn",
                   QT_TRANSLATE_NOOP(
                       "DotrixCli",
                       "horizontal, vertical or ZN scan (default %1)"),
                   [](CliOptions &o, ScanOrder m) { o.Settings.ScanMode = m; },
                   QT_TRANSLATE_NOOP("DotrixCli", "h, v or zn")),
               WordOfMode(GlyphSettings().ScanMode)),
           {"group", "BITS",
            QT_TRANSLATE_NOOP(
                "DotrixCli",
                "bits per data group: 4, 8, 12, 16, 24 or 32 (default 8)"),
            [](CliOptions &o, const std::string &v) -> std::string {
              const auto bits = ParseInt(v);
              for (int digits : GroupDigitsChoices) {
                if (bits && *bits == digits * 4) {
                  o.Settings.GroupDigits = digits;
                  return {};
                }
              }
              return BadValue(
                  "group", v,
                  DotrixCli::tr("bits per group: 4, 8, 12, 16, 24 or 32"));
            }},
           SettingsFlag("invert",
                        QT_TRANSLATE_NOOP(
                            "DotrixCli", "emit 0 for ink and 1 for clear dots"),
                        &GlyphSettings::Invert),
           SettingsFlag(
               "bit-reverse",
               QT_TRANSLATE_NOOP("DotrixCli",
                                 "reverse the bit order inside each value"),
               &GlyphSettings::BitReverse),
           WithDefault(
               ModeOption<SourceFormat>(
                   "format", "F",
                   QT_TRANSLATE_NOOP(
                       "DotrixCli",
                       "typical, c (C arrays) or asm (DB tables) (default %1)"),
                   [](CliOptions &o, SourceFormat m) {
                     o.Settings.OutputFormat = m;
                   },
                   QT_TRANSLATE_NOOP("DotrixCli", "typical, c or asm")),
               WordOfMode(GlyphSettings().OutputFormat)),
           SettingsFlag(
               "numbered",
               QT_TRANSLATE_NOOP("DotrixCli",
                                 "name arrays by number instead of by pinyin"),
               &GlyphSettings::NumberedNames),
           PathOption("workdir", "DIR",
                      QT_TRANSLATE_NOOP(
                          "DotrixCli",
                          "output directory (default the current directory)"),
                      &CliOptions::WorkDir,
                      QT_TRANSLATE_NOOP("DotrixCli", "a directory")),
           PathOption("patch", "FILE",
                      QT_TRANSLATE_NOOP(
                          "DotrixCli",
                          "hand-fixed glyphs (a BDF file such as the window's\n"
                          "dotrix-patch.bdf) drawn in place of the font's"),
                      &CliOptions::PatchPath,
                      QT_TRANSLATE_NOOP("DotrixCli", "a patch file")),
           Flag(
               "preview",
               QT_TRANSLATE_NOOP(
                   "DotrixCli",
                   "print the preview text instead of writing the source file"),
               &CliOptions::Preview),
           Flag("dots",
                QT_TRANSLATE_NOOP("DotrixCli",
                                  "print the glyph as rows of # and ."),
                &CliOptions::Dots),
       }},
      {QT_TRANSLATE_NOOP("DotrixCli", "Character list:"),
       {
           PathOption("list", "FILE",
                      QT_TRANSLATE_NOOP("DotrixCli",
                                        "the list from a text file (UTF-8 "
                                        "unless --list-encoding cp936)"),
                      &CliOptions::ListFile,
                      QT_TRANSLATE_NOOP("DotrixCli",
                                        "a file holding the character list")),
           {"list-encoding", "E",
            QT_TRANSLATE_NOOP("DotrixCli", "utf-8 or cp936 (default utf-8)"),
            [](CliOptions &o, const std::string &v) -> std::string {
              if (v == "utf-8" || v == "utf8")
                o.ListIsCp936 = false;
              else if (v == "cp936")
                o.ListIsCp936 = true;
              else
                return BadValue("list-encoding", v,
                                DotrixCli::tr("utf-8 or cp936"));
              return {};
            }},
           ModeOption<CharacterSet>(
               "charset", "SET",
               QT_TRANSLATE_NOOP("DotrixCli", "the list is the whole gb2312 or "
                                              "gbk set (GB2312.txt, GBK.txt)"),
               [](CliOptions &o, CharacterSet m) { o.Charset = m; },
               QT_TRANSLATE_NOOP("DotrixCli", "gb2312 or gbk")),
           {"collect", "PATH",
            QT_TRANSLATE_NOOP("DotrixCli",
                              "the list is every character the firmware's sources at PATH show\n"
                              "(a file or a folder, read recursively; repeat for more): C and C++\n"
                              "string literals, .po msgstr, JSON and YAML values, other text whole"),
            [](CliOptions &o, const std::string &v) -> std::string {
              if (v.empty())
                return BadValue("collect", v, DotrixCli::tr("a source file or folder"));
              o.CollectPaths.append(QString::fromStdString(v));
              return {};
            }},
           {"collect-encoding", "E",
            QT_TRANSLATE_NOOP("DotrixCli", "the sources' encoding: utf-8 or cp936 (default utf-8)"),
            [](CliOptions &o, const std::string &v) -> std::string {
              if (v == "utf-8" || v == "utf8")
                o.CollectIsCp936 = false;
              else if (v == "cp936")
                o.CollectIsCp936 = true;
              else
                return BadValue("collect-encoding", v, DotrixCli::tr("utf-8 or cp936"));
              return {};
            }},
           Flag("collect-comments",
                QT_TRANSLATE_NOOP("DotrixCli", "collect the text of C and C++ comments too"),
                &CliOptions::CollectComments),
           {"also", "TEXT",
            QT_TRANSLATE_NOOP("DotrixCli", "characters always wanted, added to the collected ones"),
            [](CliOptions &o, const std::string &v) -> std::string {
              o.Also += v;
              return {};
            }},
           PathOption("also-list", "FILE",
                      QT_TRANSLATE_NOOP("DotrixCli", "add the characters of a UTF-8 text file to the collected ones"),
                      &CliOptions::AlsoList, QT_TRANSLATE_NOOP("DotrixCli", "a UTF-8 text file")),
           Flag("to-traditional",
                QT_TRANSLATE_NOOP("DotrixCli",
                                  "convert the list to Traditional Chinese"),
                &CliOptions::ToTraditional),
           Flag("to-simplified",
                QT_TRANSLATE_NOOP("DotrixCli",
                                  "convert the list to Simplified Chinese"),
                &CliOptions::ToSimplified),
           Flag("dedupe",
                QT_TRANSLATE_NOOP("DotrixCli",
                                  "remove repeated characters and line breaks"),
                &CliOptions::Dedupe),
           Flag("filter",
                QT_TRANSLATE_NOOP(
                    "DotrixCli",
                    "keep only Chinese characters that have a pinyin reading"),
                &CliOptions::Filter),
           Flag(
               "sort",
               QT_TRANSLATE_NOOP("DotrixCli", "one-byte characters in byte "
                                              "order, then the rest by pinyin"),
               &CliOptions::Sort),
           Flag("print-list",
                QT_TRANSLATE_NOOP(
                    "DotrixCli",
                    "print the list (UTF-8) on stdout and its count on stderr"),
                &CliOptions::PrintList),
       },
       QT_TRANSLATE_NOOP("DotrixCli",
                         "The list is converted first, then de-duplicated, "
                         "filtered and sorted, in that order.")},
      {QT_TRANSLATE_NOOP(
           "DotrixCli",
           "Batch (over the list, or over every character of TEXT):"),
       {
           Flag("batch",
                QT_TRANSLATE_NOOP(
                    "DotrixCli",
                    "write every glyph's .bmp and .c and the aggregate All.c"),
                &CliOptions::Batch),
           ModeOption<DataFile>(
               "data", "dat|bin",
               QT_TRANSLATE_NOOP("DotrixCli",
                                 "also pack the glyphs into font.dat (8-bit "
                                 "groups, typical layout)"),
               [](CliOptions &o, DataFile m) { o.Data = m; },
               QT_TRANSLATE_NOOP("DotrixCli", "dat or bin")),
           {"index", "HEX",
            QT_TRANSLATE_NOOP("DotrixCli",
                              "put a 16-bit index, starting at HEX (four "
                              "digits), before each glyph"),
            [](CliOptions &o, const std::string &v) -> std::string {
              uint16_t value = 0;
              switch (ParseIndexValue(v, value)) {
              case IndexValueCheck::TooLong:
                return DotrixCli::tr("bad value '%1' for --index: %2")
                    .arg(QString::fromStdString(v),
                         CoreMessage(IndexTooLongMessage))
                    .toStdString();
              case IndexValueCheck::Invalid:
                return DotrixCli::tr("bad value '%1' for --index: %2 (four hex "
                                     "digits, such as 0000)")
                    .arg(QString::fromStdString(v),
                         CoreMessage(IndexInvalidMessage))
                    .toStdString();
              case IndexValueCheck::Ok:
                break;
              }
              o.Index = value;
              return {};
            }},
           PathOption("save", "PATH",
                      QT_TRANSLATE_NOOP("DotrixCli", "copy font.dat to PATH"),
                      &CliOptions::SavePath,
                      QT_TRANSLATE_NOOP("DotrixCli", "a file name")),
           Flag("index-table",
                QT_TRANSLATE_NOOP("DotrixCli",
                                  "write Index.c, the code bytes of the list"),
                &CliOptions::IndexTable),
       }},
      {QT_TRANSLATE_NOOP("DotrixCli",
                         "Font export (of the list, or of every character of "
                         "TEXT, once each, by code point):"),
       {
           ModeOption<ExportFormat>(
               "export", "lvgl",
               QT_TRANSLATE_NOOP("DotrixCli",
                                 "write an LVGL C font (lv_font_fmt_txt_dsc_t) "
                                 "for LVGL 9 and 8"),
               [](CliOptions &o, ExportFormat m) { o.Export = m; }, nullptr),
           {"export",
            "bdf",
            QT_TRANSLATE_NOOP("DotrixCli",
                              "write a BDF 2.1 font (1 bit per pixel) for "
                              "u8g2's bdfconv, X11, FreeType"),
            {}},
           {"export",
            "ubin",
            QT_TRANSLATE_NOOP(
                "DotrixCli",
                "write a Unicode-keyed font file for firmware "
                "(docs/font-format.md):\nthe glyphs packed as font.dat packs "
                "them (--scan, --invert,\n--bit-reverse; 8-bit groups), found "
                "by code point"),
            {}},
           {"export",
            "vlw",
            QT_TRANSLATE_NOOP(
                "DotrixCli",
                "write a smooth font (.vlw, 8-bit coverage) for TFT_eSPI, "
                "LovyanGFX\nand M5GFX"),
            {}},
           PathOption("out", "FILE",
                      QT_TRANSLATE_NOOP("DotrixCli",
                                        "the font file to write (replaced only "
                                        "when the whole font is written)"),
                      &CliOptions::OutPath,
                      QT_TRANSLATE_NOOP("DotrixCli", "the font file to write")),
           PathOption("depfile", "FILE",
                      QT_TRANSLATE_NOOP("DotrixCli",
                                        "also write a Make-style dependency file naming every file "
                                        "the font is made from (sources, lists, the font's face)"),
                      &CliOptions::Depfile,
                      QT_TRANSLATE_NOOP("DotrixCli", "the dependency file to write")),
           {"bpp", "N",
            QT_TRANSLATE_NOOP("DotrixCli",
                              "lvgl, ubin: bits per pixel: 1 (the batch's "
                              "dots) or 2, 4, 8\n(anti-aliased) (default 1; "
                              "vlw: always 8)"),
            [](CliOptions &o, const std::string &v) -> std::string {
              const auto bpp = ParseInt(v);
              if (!bpp || !IsExportBpp(*bpp))
                return BadValue("bpp", v,
                                DotrixCli::tr("bits per pixel: 1, 2, 4 or 8"));
              o.Bpp = *bpp;
              o.BppGiven = true;
              return {};
            }},
           ModeOption<AdvanceMode>(
               "advance", "font|cell|half",
               QT_TRANSLATE_NOOP(
                   "DotrixCli",
                   "how far each glyph moves the pen: the font's own advance "
                   "(default),\nthe whole cell (a monospaced grid), or half "
                   "the cell for single-byte\ncharacters and the whole cell for "
                   "double-byte ones"),
               [](CliOptions &o, AdvanceMode m) { o.Advance = m; }, nullptr),
           Flag("no-kerning",
                QT_TRANSLATE_NOOP("DotrixCli",
                                  "lvgl: leave out the font's kerning pairs "
                                  "(written with the font's own\nadvances where the "
                                  "font has them)"),
                &CliOptions::NoKerning),
           Flag("compress",
                QT_TRANSLATE_NOOP("DotrixCli",
                                  "lvgl at 2 or 4 bpp: glyph bitmaps in LVGL's compressed "
                                  "format\n(rows XORed with the row above, run-length coded; "
                                  "needs\nLV_USE_FONT_COMPRESSED 1 in lv_conf.h)"),
                &CliOptions::Compress),
           CIdentifierOption(
               "font-name",
               QT_TRANSLATE_NOOP(
                   "DotrixCli",
                   "lvgl: the font's C name (default dotrix_FAMILY_PIXELS)"),
               &CliOptions::FontName),
           CIdentifierOption(
               "vlw-array",
               QT_TRANSLATE_NOOP(
                   "DotrixCli",
                   "vlw: the font also as the C array NAME, in FILE.c and FILE.h "
                   "beside it\n(FILE being --out without its suffix), for "
                   "loadFont(NAME)"),
               &CliOptions::ArrayName),
       }},
      {QT_TRANSLATE_NOOP("DotrixCli",
                         "Delivery of the work directory's font.dat (after "
                         "--batch when given with it):"),
       {
           Flag(
               "send-serial",
               QT_TRANSLATE_NOOP(
                   "DotrixCli",
                   "send it over the serial port with XMODEM (port and speed: "
                   "the\nenvironment variables TRELLON_PORT and TRELLON_BAUD)"),
               &CliOptions::SendSerial),
           PathOption("copy-to", "DIR",
                      QT_TRANSLATE_NOOP(
                          "DotrixCli",
                          "copy it into DIR (a mounted memory stick, say)"),
                      &CliOptions::CopyTo,
                      QT_TRANSLATE_NOOP("DotrixCli", "a directory")),
       }},
      {QT_TRANSLATE_NOOP("DotrixCli", "Pictures:"),
       {
           PathOption(
               "picture", "FILE",
               QT_TRANSLATE_NOOP("DotrixCli",
                                 "turn a BMP, JPEG or GIF picture into dots "
                                 "(ink where darker than\nmid-grey) and write "
                                 "NAME.c, NAME being the file's name"),
               &CliOptions::PicturePath,
               QT_TRANSLATE_NOOP("DotrixCli",
                                 "a picture file (BMP, JPEG, GIF)")),
       }},
      {nullptr,
       {
           Flag("help", QT_TRANSLATE_NOOP("DotrixCli", "show this text"),
                &CliOptions::Help),
           {"lang", "zh|en",
            QT_TRANSLATE_NOOP(
                "DotrixCli",
                "language of the messages (default: the locale's)"),
            [](CliOptions &, const std::string &v) -> std::string {
              // Set before the arguments are parsed (main), so that this parse
              // speaks it already.
              if (!ParseLanguage(QString::fromStdString(v)))
                return BadValue("lang", v, DotrixCli::tr("zh or en"));
              return {};
            }},
           Flag("version", QT_TRANSLATE_NOOP("DotrixCli", "show the version"),
                &CliOptions::Version),
       }},
  };
  return sections;
}

const OptionSpec *FindOption(std::string_view name) {
  for (const OptionSection &section : OptionSections())
    for (const OptionSpec &option : section.Options)
      if (option.Apply && name == option.Name)
        return &option;
  return nullptr;
}
