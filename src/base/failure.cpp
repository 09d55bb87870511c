#include "failure.h"

#include <cstring>

Failure SystemFailure(FailureCode code, const QString &path, int errnum)
{
    return {code, path, QString::fromLocal8Bit(std::strerror(errnum)), {}};
}
