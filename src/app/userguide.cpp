#include "userguide.h"

#include <QCoreApplication>
#include <QFileInfo>

QString FindUserGuide()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString places[] = {
        appDir + QStringLiteral("/user-guide.html"),
        appDir + QStringLiteral("/../share/doc/dotrix/user-guide.html"),
        QStringLiteral(DOTRIX_INSTALL_DOCS_DIR "/user-guide.html"),
        QStringLiteral(DOTRIX_SOURCE_DOCS_DIR "/user-guide.html"),
    };
    for (const QString &place : places)
        if (QFileInfo(place).isFile())
            return QFileInfo(place).absoluteFilePath();
    return {};
}
