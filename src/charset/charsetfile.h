#pragma once
// The character set files GB2312.txt and GBK.txt: finding them and reading their list.
//
// A set file is code page 936 text; its first line (up to and including the first LF) is the
// list, characters one after another.

#include "base/failure.h"
#include <QString>
#include <QStringList>

#include <string>

enum class CharacterSet { GB2312, GBK };

// "GB2312.txt" or "GBK.txt".
QString CharsetFileName(CharacterSet set);

// Most bytes of a set file's first line that are read: far above the GBK set's 43,582.
constexpr qint64 MaxCharsetLineBytes = 1 << 20;

struct CharsetImport
{
    bool Ok = false;
    std::string Text;   // the list read, code page 936
    int Count = 0;      // the number of characters in Text
    Failure Error;      // why nothing was read, naming the file (and where it was looked for)
    QStringList Searched; // the directories looked in, in order (LoadCharset only)
    QString Path;         // the file read (when one was found)
};

// Reads the first line of the file at path: every byte up to and including the first LF (a CR
// before it stays too), or up to the end of the file. A line longer than MaxCharsetLineBytes is
// cut there, never inside a character.
CharsetImport ImportCharsetFile(const QString &path);

struct CharsetLocation
{
    QString Path;         // the file found; empty when none was
    QStringList Searched; // the directories looked in, in order
};

// Looks for fileName in programDir, beside the running program, in <program dir>/../share/dotrix
// (where it is installed) and in the source tree's data directory, in that order.
CharsetLocation FindCharsetFile(const QString &fileName, const QString &programDir);

// Finds the set's file and reads it; the error of a missing file names the places looked in.
CharsetImport LoadCharset(CharacterSet set, const QString &programDir);
