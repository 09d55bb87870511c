#include "replacefile.h"

#include <cstdio>

ReplacingFile::ReplacingFile(const QString &path) : m_path(path), m_file(path + QStringLiteral(".part"))
{
}

ReplacingFile::~ReplacingFile()
{
    if (m_file.isOpen()) {
        m_file.close();
        m_file.remove();
    }
}

bool ReplacingFile::Open(QString *error)
{
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return true;
    if (error)
        *error = QStringLiteral("cannot create %1: %2").arg(m_path, m_file.errorString());
    return false;
}

bool ReplacingFile::Write(const char *data, qint64 size)
{
    if (m_failed || !m_file.isOpen())
        return false;
    if (m_file.write(data, size) != size) {
        m_failed = true;
        m_writeError = m_file.errorString();
        return false;
    }
    m_size += size;
    return true;
}

QString ReplacingFile::WriteError() const
{
    return QStringLiteral("cannot write %1: %2").arg(m_path, m_writeError);
}

bool ReplacingFile::Commit(QString *error)
{
    if (!m_file.isOpen()) {
        if (error)
            *error = QStringLiteral("cannot write %1: the file was never created").arg(m_path);
        return false;
    }
    const bool written = !m_failed && m_file.flush();
    const QString writeError = m_failed ? m_writeError : m_file.errorString();
    m_file.close();
    if (!written || m_file.error() != QFile::NoError) {
        m_file.remove();
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(m_path, writeError);
        return false;
    }
    const QString partial = m_file.fileName();
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(m_path).constData()) != 0) {
        QFile::remove(partial);
        if (error)
            *error = QStringLiteral("cannot replace %1").arg(m_path);
        return false;
    }
    return true;
}

bool ReplaceFile(const QString &path, const char *data, qint64 size, QString *error)
{
    ReplacingFile file(path);
    if (!file.Open(error))
        return false;
    file.Write(data, size);
    return file.Commit(error);
}
