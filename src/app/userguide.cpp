#include "userguide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList UserGuidePlaces()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    // Installed, the guide is program data (<prefix>/share/dotrix beside <prefix>/bin), not
    // documentation that a system may leave out; a development build reads the source tree's.
    return {
        QDir::cleanPath(appDir + QStringLiteral("/user-guide.html")),
        QDir::cleanPath(appDir + QStringLiteral("/../share/dotrix/user-guide.html")),
        QStringLiteral(DOTRIX_SOURCE_DOCS_DIR "/user-guide.html"),
    };
}

QString FindUserGuide()
{
    for (const QString &place : UserGuidePlaces())
        if (QFileInfo(place).isFile())
            return QFileInfo(place).absoluteFilePath();
    return {};
}
