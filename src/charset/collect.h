#pragma once
// Collecting the characters a firmware's own source files show: the strings of its C and C++
// sources, the translations of its gettext catalogues, the values of its JSON and YAML files and
// every character of its other text files. What a user reads on the device comes from these, so
// they give the character list a font for it needs.
//
// Folders are walked recursively; build output and version-control folders are left out, and so
// are files that are not text (a NUL byte near the start, or bytes that are no text in the
// chosen encoding).

#include "base/failure.h"

#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

// Auto reads a file as UTF-8 when it is valid UTF-8 and as code page 936 otherwise, for a tree
// whose files were saved in either.
enum class CollectEncoding { Utf8, Cp936, Auto };

class JobControl;

struct CollectOptions
{
    CollectEncoding Encoding = CollectEncoding::Utf8;
    bool Comments = false; // the text of C and C++ comments counts too
    // Counts the files read and stops the walk when cancelled; none: the walk runs to its end.
    JobControl *Control = nullptr;
};

// How a source file's characters are picked out, by its name's extension.
enum class SourceKind {
    C,    // .c .h .cc .cpp .cxx .hpp .hh .ino: string and character literals
    Po,   // .po .pot: msgstr strings
    Json, // .json: string values, not keys
    Yaml, // .yaml .yml: values, not keys nor comments
    Text, // anything else: every character
};
SourceKind SourceKindOf(const QString &fileName);

// What a walk left out, and why.
struct CollectSkip
{
    enum Reason {
        Folder,  // a build output or version-control folder
        Binary,  // a NUL byte in the file's first 8 KiB
        NotText, // not valid text in the chosen encoding
    };
    QString Path;
    Reason Why = Binary;
};

struct CollectResult
{
    std::vector<char32_t> Characters; // every character found, once each, in code point order
    int FilesRead = 0;
    std::vector<CollectSkip> Skipped; // in the order met (folders walked in name order)
    // What the characters were made from, in the order met: every folder walked (its listing
    // changes when a file comes or goes) and every file looked at, the skipped ones too (a file
    // that is binary today may be text tomorrow). A build regenerates the font when one changes.
    QStringList Inputs;
    Failure Error; // a path that does not exist or cannot be read; nothing is collected then
    bool Cancelled = false; // the control stopped the walk; nothing is collected then
};

// Reads the files and folders at paths (folders recursively) and collects their characters.
// Control characters (below U+0020, and U+007F) are never collected; the space is.
CollectResult CollectCharacters(const QStringList &paths, const CollectOptions &options);

// The characters of one file's bytes, picked out as CollectCharacters picks them for its kind,
// once each in code point order. False (and nothing in characters) when the bytes are no text:
// a NUL byte in the first 8 KiB, or not valid in the encoding.
bool CollectFromBytes(std::string_view bytes, SourceKind kind, const CollectOptions &options,
                      std::vector<char32_t> &characters);

// Whether a folder met inside a walk is build output or version control: .git .hg .svn build
// build-* cmake-build-* node_modules .pio out dist.
bool IsSkippedFolderName(const QString &name);
