#pragma once
// The one table that turns a failure the core reports into a whole sentence in the language in
// use. Both programs word every failure through it, so dotrix-cli and the window say the same
// thing about the same failure: the window frames it (a title, what command it stopped), the
// command line prefixes the program's name.

#include "base/failure.h"

#include <QString>

// The sentence for failure, naming its path and the system's reason; empty for no failure.
QString FailureText(const Failure &failure);

// The sentences of the first most failures, one a line.
QString FailureLines(const QList<Failure> &failures, qsizetype most = 10);
