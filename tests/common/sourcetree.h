#pragma once
// A made-up firmware source tree, written at random from a seed, that knows which characters it
// put where the collector must find them and which it put where the collector must not look.

#include <QString>

#include <set>

namespace testutil {

struct SourceTree
{
    std::set<char32_t> Collected; // in literals, msgstr, JSON and YAML values, plain text files
    std::set<char32_t> Comments;  // in C comments only (collected with the comments option)
    int Files = 0;                // the files the collector reads
    int Binary = 0;               // files with a NUL byte near the start
    int NotText = 0;              // files that are no text in the tree's encoding
    int Folders = 0;              // build and version-control folders
};

// Writes files files (and the folders and files to be skipped) under root, in UTF-8 or code
// page 936. Characters that code page 936 lacks appear in a code page 936 tree only as escapes.
SourceTree WriteSourceTree(const QString &root, unsigned seed, int files, bool cp936 = false);

} // namespace testutil
