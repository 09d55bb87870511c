#include "userguide.h"

#include <QCoreApplication>
#include <QFileInfo>

QString FindUserGuide()
{
    // Installed, the guide is program data (<prefix>/share/dotrix beside <prefix>/bin), not
    // documentation that a system may leave out; a development build reads the source tree's.
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString places[] = {
        appDir + QStringLiteral("/user-guide.html"),
        appDir + QStringLiteral("/../share/dotrix/user-guide.html"),
        QStringLiteral(DOTRIX_SOURCE_DOCS_DIR "/user-guide.html"),
    };
    for (const QString &place : places)
        if (QFileInfo(place).isFile())
            return QFileInfo(place).absoluteFilePath();
    return {};
}
