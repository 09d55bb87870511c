#include "failure.h"

#include <cstring>

Failure SystemFailure(FailureCode code, const QString &path, int errnum)
{
    return {code, path, QString::fromLocal8Bit(std::strerror(errnum)), {}};
}

bool Report(Failure *failure, Failure what)
{
    if (failure)
        *failure = std::move(what);
    return false;
}
