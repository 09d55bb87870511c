#pragma once
// The batch's way of writing its glyph files, the one writer that is not atomic.

#include "base/failure.h"

#include <QString>

// Writes size bytes to path. An earlier file there (one of the program's own, from an earlier
// run) is overwritten in place and then cut to length, never emptied first nor replaced by a new
// file: file systems flush a file that was emptied and rewritten when it is closed, and hand out
// new files slowly right after thousands were deleted, either of which would make a run over
// thousands of glyphs wait for the disk. On failure, failure says what failed and where, and a file
// this call created is removed; one that was there before (a user's own, or an earlier run's,
// which the clean-up of a stopped run handles) is never deleted here.
bool RewriteInPlace(const QString &path, const char *data, qint64 size, Failure *failure);
