#include "userguide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList UserGuidePlaces()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    return {
        QDir::cleanPath(appDir + QStringLiteral("/user-guide.html")),
        QDir::cleanPath(appDir + QStringLiteral("/../share/doc/dotrix/user-guide.html")),
        QStringLiteral(DOTRIX_INSTALL_DOCS_DIR "/user-guide.html"),
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
