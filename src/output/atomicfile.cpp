#include "atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

AtomicFile::AtomicFile(const QString &path) : m_path(path), m_file(path + QStringLiteral(".part"))
{
}

AtomicFile::~AtomicFile()
{
    if (m_committed)
        return;
    m_file.close();
    m_file.remove();
}

bool AtomicFile::Fail(const char *verb, const QString &reason)
{
    if (m_error.isEmpty())
        m_error = QStringLiteral("cannot %1 %2: %3").arg(QLatin1String(verb), m_path, reason);
    return false;
}

bool AtomicFile::Open()
{
    QFile::remove(m_file.fileName());
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Fail("create", m_file.errorString());
    return true;
}

bool AtomicFile::Write(const char *data, qint64 size)
{
    if (!m_error.isEmpty())
        return false;
    if (!m_file.isOpen())
        return Fail("write", QStringLiteral("the file is not open"));
    if (m_file.write(data, size) != size)
        return Fail("write", m_file.errorString());
    m_written += size;
    return true;
}

bool AtomicFile::Commit()
{
    if (!m_error.isEmpty() || !m_file.isOpen())
        return Fail("write", QStringLiteral("the file is not open"));
    if (!m_file.flush())
        return Fail("write", m_file.errorString());
    m_file.close();
    if (m_file.error() != QFile::NoError)
        return Fail("write", m_file.errorString());
    // rename() replaces the target in one step where QFile::rename() refuses an existing one.
    if (std::rename(QFile::encodeName(m_file.fileName()).constData(), QFile::encodeName(m_path).constData()) != 0)
        return Fail("replace", QString::fromLocal8Bit(std::strerror(errno)));
    m_committed = true;
    return true;
}

bool WriteFileAtomically(const QString &path, const char *data, qint64 size, QString *error)
{
    AtomicFile file(path);
    if (file.Open() && file.Write(data, size) && file.Commit())
        return true;
    if (error)
        *error = file.Error();
    return false;
}

bool CopyFileReplacing(const QString &from, const QString &to, QString *error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open %1: %2").arg(from, source.errorString());
        return false;
    }
    AtomicFile target(to);
    bool ok = target.Open();
    while (ok && !source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty()) {
            if (error)
                *error = QStringLiteral("cannot read %1: %2").arg(from, source.errorString());
            return false;
        }
        ok = target.Write(chunk);
    }
    if (ok && target.Commit())
        return true;
    if (error)
        *error = target.Error();
    return false;
}
