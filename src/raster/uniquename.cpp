#include "uniquename.h"

#include "charset/cp936.h"

#include <QFileInfo>

int UniqueNameCache::KnownTakenBelow(const std::string &base) const
{
    const auto it = m_takenBelow.find(base);
    return it == m_takenBelow.end() ? 0 : it->second;
}

void UniqueNameCache::Learn(const std::string &base, int takenBelow)
{
    int &known = m_takenBelow[base];
    known = std::max(known, takenBelow);
}

std::string MakeUniqueName(const std::string &base, int start, const QString &directory,
                           UniqueNameCache *cache, bool reserve)
{
    const QString prefix = directory + QLatin1Char('/') + Cp936ToQString(base);
    int n = start;
    if (cache)
        n = std::max(n, cache->KnownTakenBelow(base));
    while (QFileInfo::exists(prefix + QString::number(n) + QStringLiteral(".bmp")))
        ++n;
    if (cache && (n > start || reserve))
        cache->Learn(base, reserve ? n + 1 : n);
    return base + std::to_string(n);
}
