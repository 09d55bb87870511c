#include "outputdirectory.h"

#include "atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

OutputDirectory::OutputDirectory(const QString &path) : m_path(QDir(path).absolutePath())
{
    Load();
}

QString OutputDirectory::FilePath(const QString &fileName) const
{
    return m_path + QLatin1Char('/') + fileName;
}

void OutputDirectory::Load()
{
    QFile manifest(FilePath(ManifestName));
    if (!manifest.open(QIODevice::ReadOnly))
        return;
    while (!manifest.atEnd()) {
        const QString name = QString::fromUtf8(manifest.readLine()).trimmed();
        if (!name.isEmpty() && !name.contains(QLatin1Char('/')))
            m_written.insert(name);
    }
}

bool OutputDirectory::SaveAll()
{
    QByteArray lines;
    for (const QString &name : m_written)
        lines += name.toUtf8() + '\n';
    return WriteFileAtomically(FilePath(ManifestName), lines.constData(), lines.size());
}

void OutputDirectory::RecordWritten(const QString &fileName)
{
    std::lock_guard lock(m_mutex);
    if (!m_written.insert(fileName).second)
        return;
    // Appending keeps a batch of thousands of files cheap; the list is rewritten whole only when
    // files are deleted.
    QFile manifest(FilePath(ManifestName));
    if (manifest.open(QIODevice::WriteOnly | QIODevice::Append))
        manifest.write(fileName.toUtf8() + '\n');
}

void OutputDirectory::RecordWritten(const QStringList &fileNames)
{
    std::lock_guard lock(m_mutex);
    QByteArray lines;
    for (const QString &name : fileNames)
        if (m_written.insert(name).second)
            lines += name.toUtf8() + '\n';
    if (lines.isEmpty())
        return;
    QFile manifest(FilePath(ManifestName));
    if (manifest.open(QIODevice::WriteOnly | QIODevice::Append))
        manifest.write(lines);
}

bool OutputDirectory::WriteFile(const QString &fileName, const char *data, qint64 size, Failure *failure)
{
    if (!WriteFileAtomically(FilePath(fileName), data, size, failure))
        return false;
    RecordWritten(fileName);
    return true;
}

bool OutputDirectory::WasWritten(const QString &fileName) const
{
    std::lock_guard lock(m_mutex);
    return m_written.count(fileName) != 0;
}

void OutputDirectory::Forget(const QStringList &fileNames)
{
    std::lock_guard lock(m_mutex);
    bool changed = false;
    for (const QString &name : fileNames)
        changed = m_written.erase(name) > 0 || changed;
    if (changed)
        SaveAll();
}

QStringList OutputDirectory::WrittenFiles() const
{
    std::lock_guard lock(m_mutex);
    QStringList names;
    for (const QString &name : m_written)
        if (QFileInfo(FilePath(name)).isFile())
            names.append(name);
    return names;
}

int OutputDirectory::DeleteWritten(const QStringList &suffixes, QStringList *failures, const std::set<QString> *keep)
{
    std::lock_guard lock(m_mutex);
    int deleted = 0;
    for (auto it = m_written.begin(); it != m_written.end();) {
        const QString &name = *it;
        const bool matches = std::any_of(suffixes.begin(), suffixes.end(), [&](const QString &suffix) {
            return name.endsWith(suffix, Qt::CaseInsensitive);
        });
        if (!matches || (keep && keep->count(name))) {
            ++it;
            continue;
        }
        const QString path = FilePath(name);
        if (QFile::remove(path)) {
            ++deleted;
            it = m_written.erase(it);
        } else if (!QFileInfo::exists(path)) { // already gone: nothing left to delete
            it = m_written.erase(it);
        } else {
            if (failures)
                failures->append(path);
            ++it;
        }
    }
    SaveAll();
    return deleted;
}

bool OutputDirectory::CheckWritable(Failure *failure) const
{
    QFileInfo info(m_path);
    if (!info.isDir())
        return Report(failure, {info.exists() ? FailureCode::NotAFolder : FailureCode::NoSuchFolder, m_path, {}, {}});
    QTemporaryFile probe(FilePath(QStringLiteral(".dotrix-probe-XXXXXX")));
    if (!probe.open())
        return Report(failure, {FailureCode::WriteInFolder, m_path, probe.errorString(), {}});
    return true;
}
