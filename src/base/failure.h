#pragma once
// Failure: how the core libraries tell what went wrong. A code says what failed, Path the file or
// folder it concerns, Reason the system's own words for why (strerror, a decoder's or a port's
// error text), Details the other values the sentence needs, in order (a character, a size, a
// name). The core
// never words a failure; each program turns it into a whole sentence in its language.

#include <QString>
#include <QStringList>

enum class FailureCode {
    None, // nothing failed
    // Files and folders.
    OpenForReading, // Path could not be opened to read
    Read,           // reading Path failed part-way
    Create,         // Path could not be created (or its temporary file beside it)
    Write,          // writing Path failed part-way (a full disk, a lost device)
    Replace,        // the finished file could not take Path's place
    NoSuchFolder,   // the folder Path does not exist
    NotAFolder,     // Path is there but is no folder
    WriteInFolder,  // no file can be made in the folder Path
    NoSuchPath,     // nothing (no file, no folder) is at Path
    // Glyph bitmap files (Path: the file; empty for bytes in memory).
    BitmapTooShort,     // shorter than a bitmap header
    NotABitmap,         // not a BMP file
    BitmapNot24Bit,     // not an uncompressed 24-bit bitmap
    BitmapTooLarge,     // Details: its width and height, outside 0 to 1024
    BitmapTruncated,    // its pixel data is cut short
    BitmapFileTooLarge, // far larger than any glyph bitmap
    // Pictures to import (Path: the picture; Reason: the decoder's words).
    NoSuchPicture,    // nothing to open at Path
    NotAPicture,      // no decoder recognises the file
    PictureUndecodable, // recognised but broken
    IsAFolder,      // a file was wanted at Path, and a folder is there
    // Character sets and script conversion.
    CharsetNotFound, // Path: the set's file name; Details: the folders looked in
    OpenccLoad,      // Path: the OpenCC configuration; Reason: OpenCC's words
    OpenccConvert,   // Path: the OpenCC configuration
    // Font exports. Details as each code says.
    ExportBpp,          // Details: the bit depth asked, the format's word, the depths it takes
    ExportNoFontName,   // Details: the format's word (a format without C names)
    ExportCompress,     // Details: the format's word, the bit depth (compressed: LVGL at 2 or 4 bpp only)
    NotACIdentifier,    // Details: the name
    ExportNoFile,       // no file to write the font to
    ExportEmptyList,    // the list holds no character to export
    ExportEmptyGlyph,   // Details: the glyph's width and height, one of them below 1
    LvglTooManyGlyphs,  // Details: the list's count (an LVGL font holds 65535)
    LvglGlyphTooFar,    // Details: the character as U+XXXX, its offset from the baseline
    LvglTooLarge,       // the glyph bitmaps pass 4 GiB
    UbinCannotPack,     // Details: the cell's width and height, the scan's word (h, v, zn)
    UbinTooLarge,       // Details: the glyph count, the bytes of a glyph, the file's bytes
    VlwGlyphField,      // Details: the character as U+XXXX, the field's word (codepoint, width,
                        // advance, xoffset), its value, the least and the most the field holds
    VlwBaseline,        // Details: the baseline's row in the cell, the cell's height
    VlwSpaceWidth,      // Details: the space's advance, the narrowest space the line height allows
    VlwTooLarge,        // Details: the glyph count, the file's bytes
    ExportArrayFormat,  // Details: the format's word (a format without a C array form)
    ExportArrayPath,    // Path: the font file whose .c and .h the C array would be
    // Delivery.
    SerialSend, // Path: the port (when one was chosen); Details: the serial library's code, its detail
    // Laying out a glyph.
    GroupTooLong, // the data group is longer than the glyph's rows or columns
    // The patch file of hand-fixed glyphs (Path: the file).
    PatchCutShort,     // the file ends before its last glyph or its ENDFONT
    PatchBadLine,      // Details: the line number; the line is not what a patch file has there
    PatchNoProperty,   // Details: the property's name, which the file lacks
    PatchGlyphOutside, // Details: the character as U+XXXX, whose dots leave the cell
    PatchMismatch,     // Details: what differs (size, face, font-size, weight, slant), the
                       // patch's value, the settings' value
};

struct Failure
{
    FailureCode Code = FailureCode::None;
    QString Path;
    QString Reason;
    QStringList Details;

    // True when something failed.
    explicit operator bool() const { return Code != FailureCode::None; }
    bool operator==(const Failure &) const = default;
};

// A failure whose reason is the system's error number errnum (as errno gives it).
Failure SystemFailure(FailureCode code, const QString &path, int errnum);

// Where a failure goes when the caller wants one: failure may be null. Returns false, so that a
// function can end with `return Report(failure, {...});`.
bool Report(Failure *failure, Failure what);
