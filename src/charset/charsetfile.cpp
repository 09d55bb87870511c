#include "charsetfile.h"

#include "cp936.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString CharsetFileName(CharacterSet set)
{
    return set == CharacterSet::GB2312 ? QStringLiteral("GB2312.txt") : QStringLiteral("GBK.txt");
}

CharsetImport ImportCharsetFile(const QString &path)
{
    CharsetImport result;
    result.Path = path;
    if (QFileInfo(path).isDir()) {
        result.Error = {FailureCode::IsAFolder, path, {}, {}};
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.Error = {FailureCode::OpenForReading, path, file.errorString(), {}};
        return result;
    }
    const QByteArray bytes = file.read(MaxCharsetLineBytes);
    if (file.error() != QFileDevice::NoError) {
        result.Error = {FailureCode::Read, path, file.errorString(), {}};
        return result;
    }
    const qsizetype lineFeed = bytes.indexOf('\n');
    std::string_view line(bytes.constData(), size_t(lineFeed >= 0 ? lineFeed + 1 : bytes.size()));
    // Cut at the limit with more of the line behind it: a lead byte at the cut belongs to a
    // character that was not read whole.
    if (lineFeed < 0 && bytes.size() == MaxCharsetLineBytes && !file.atEnd()) {
        const std::string last = LastCharOf(line);
        if (last.size() == 1 && IsLeadByte(static_cast<unsigned char>(last[0])))
            line.remove_suffix(1);
    }
    result.Text.assign(line);
    result.Count = int(CountChars(result.Text));
    result.Ok = true;
    return result;
}

CharsetLocation FindCharsetFile(const QString &fileName, const QString &programDir)
{
    QStringList places;
    if (!programDir.isEmpty())
        places << programDir;
    if (QCoreApplication::instance()) {
        const QString appDir = QCoreApplication::applicationDirPath();
        places << appDir << appDir + QStringLiteral("/../share/dotrix");
    }
    places << QStringLiteral(DOTRIX_DATA_DIR);

    CharsetLocation location;
    for (const QString &place : std::as_const(places)) {
        const QString dir = QDir::cleanPath(QDir(place).absolutePath());
        if (location.Searched.contains(dir))
            continue;
        location.Searched << dir;
        const QString path = QDir(dir).filePath(fileName);
        if (QFileInfo(path).isFile()) {
            location.Path = path;
            break;
        }
    }
    return location;
}

CharsetImport LoadCharset(CharacterSet set, const QString &programDir)
{
    const QString fileName = CharsetFileName(set);
    const CharsetLocation location = FindCharsetFile(fileName, programDir);
    if (location.Path.isEmpty()) {
        CharsetImport result;
        result.Error = {FailureCode::CharsetNotFound, fileName, {}, location.Searched};
        result.Searched = location.Searched;
        return result;
    }
    CharsetImport result = ImportCharsetFile(location.Path);
    result.Searched = location.Searched;
    return result;
}
