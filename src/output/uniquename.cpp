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
    const QString qbase = Cp936ToQString(base);
    const QString prefix = directory + QLatin1Char('/');
    auto taken = [&](int n) {
        const QString fileName = qbase + QString::number(n) + QStringLiteral(".bmp");
        if (cache && cache->Vanishing.count(fileName))
            return false;
        return QFileInfo::exists(prefix + fileName);
    };
    int n = start;
    if (cache)
        n = std::max(n, cache->KnownTakenBelow(base));
    while (taken(n))
        ++n;
    if (cache && (n > start || reserve))
        cache->Learn(base, reserve ? n + 1 : n);
    return base + std::to_string(n);
}
