#pragma once
// dotrix-cli's command line: options that each set one generation setting, plus what to do.

#include "charset/charsetfile.h"
#include "export/fontexport.h"
#include "raster/glyphsettings.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

// The translation context of dotrix-cli's own texts: DotrixCli::tr("...").
class DotrixCli
{
    Q_DECLARE_TR_FUNCTIONS(DotrixCli)
};

struct CliOptions
{
    GlyphSettings Settings;   // generation settings with the options applied
    std::string Text;         // TEXT as given, UTF-8
    bool Preview = false;     // print the preview text instead of writing the glyph's file
    bool Dots = false;        // print the glyph as rows of '#' (ink) and '.' (clear)
    bool Help = false;
    bool Version = false;
    QString WorkDir;          // output directory; empty means the current directory
    QString PatchPath;        // --patch: the patch file of hand-fixed glyphs; empty: none
    bool OffsetGiven = false; // --offset was given: exports keep it (unless --fit)
    bool PointsGiven = false; // --font-size was given
    bool PixelsGiven = false; // --px was given

    // The character list: read from a file or a character set, converted, then de-duplicated,
    // filtered and sorted in that order.
    QString ListFile;                    // --list: a file holding the list
    bool ListIsCp936 = false;            // the list file is code page 936, not UTF-8
    std::optional<CharacterSet> Charset; // --charset: the list is a whole character set
    QStringList CollectPaths;            // --collect: the list is the characters of these sources
    bool CollectIsCp936 = false;         // the sources are code page 936, not UTF-8
    bool CollectComments = false;        // the text of C comments counts too
    std::string Also;                    // --also: characters added to the collected ones, UTF-8
    QString AlsoList;                    // --also-list: a UTF-8 file whose characters are added
    bool ToTraditional = false;
    bool ToSimplified = false;
    bool Dedupe = false;
    bool Filter = false;
    bool Sort = false;
    bool PrintList = false;              // print the list (UTF-8) on stdout and its count on stderr

    // Batch runs over the list (or TEXT): every glyph's files and All.c, optionally font.dat.
    bool Batch = false;
    DataFile Data = DataFile::None;      // --data: font.dat as well
    std::optional<uint16_t> Index;       // --index: first index value; none: no index
    QString SavePath;                    // --save: where font.dat is copied
    bool IndexTable = false;             // --index-table: write Index.c of the list

    QString PicturePath;                 // --picture: import this picture and write its .c file

    // A font export of the list (or TEXT).
    std::optional<ExportFormat> Export;  // --export: the format
    QString OutPath;                     // --out: the font file
    QString Depfile;                     // --depfile: where to name the files the font was made from
    int Bpp = 1;                         // --bpp: bits per pixel
    bool BppGiven = false;               // --bpp was given: else the format's default depth
    QString FontName;                    // --font-name: the font's C name; empty: derived
    std::optional<AdvanceMode> Advance;  // --advance; none: the font's own
    bool NoKerning = false;              // --no-kerning: an LVGL font without the font's kerning
    bool Compress = false;               // --compress: an LVGL font with compressed glyph bitmaps
    QString ArrayName;                   // --vlw-array: the font also as a C array of this name

    // Delivery of the work directory's font.dat.
    bool SendSerial = false;             // --send-serial: send it over the serial port
    QString CopyTo;                      // --copy-to: copy it into this directory
    bool Delivers() const { return SendSerial || !CopyTo.isEmpty(); }

    bool HasList() const { return !ListFile.isEmpty() || Charset.has_value() || !CollectPaths.isEmpty(); }
};

// The font export options as a request (the list's command line left out).
FontExportRequest ExportRequestOf(const CliOptions &options);

struct CliParseResult
{
    bool Ok = false;
    CliOptions Options;
    std::string Error; // what is wrong and where, UTF-8, without the program name
};

// Parses the arguments after the program name. Each option may be given as "--name value" or
// "--name=value"; "--" ends the options. TEXT may be left out when the list is printed.
CliParseResult ParseCliArgs(const std::vector<std::string> &args);

// The --help text.
std::string CliUsage();
