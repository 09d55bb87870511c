#pragma once
// Failure: how the core libraries tell what went wrong. A code says what failed, Path the file or
// folder it concerns, Reason the system's own words for why (strerror, a decoder's or a port's
// error text), Detail any other value the sentence needs (a character, a size, a name). The core
// never words a failure; each program turns it into a whole sentence in its language.

#include <QString>

enum class FailureCode {
    None, // nothing failed
    // Files and folders.
    OpenForReading, // Path could not be opened to read
    Read,           // reading Path failed part-way
    Create,         // Path could not be created (or its temporary file beside it)
    Write,          // writing Path failed part-way (a full disk, a lost device)
    Replace,        // the finished file could not take Path's place
};

struct Failure
{
    FailureCode Code = FailureCode::None;
    QString Path;
    QString Reason;
    QString Detail;

    // True when something failed.
    explicit operator bool() const { return Code != FailureCode::None; }
    bool operator==(const Failure &) const = default;
};

// A failure whose reason is the system's error number errnum (as errno gives it).
Failure SystemFailure(FailureCode code, const QString &path, int errnum);
