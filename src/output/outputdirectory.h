#pragma once
// OutputDirectory: the directory generated files go to, with the list of files the program wrote
// there, kept in a hidden file beside them, so that clearing earlier output never deletes a
// user's own file of the same kind.

#include "base/failure.h"

#include <QString>
#include <QStringList>

#include <mutex>
#include <set>
#include <string>

class OutputDirectory
{
public:
    // Name of the list of written files inside the directory.
    static inline const QString ManifestName = QStringLiteral(".dotrix-written");

    explicit OutputDirectory(const QString &path);

    const QString &Path() const { return m_path; }
    // Absolute path of a file in the directory.
    QString FilePath(const QString &fileName) const;

    // Notes that the program wrote fileName (a bare name) here. Thread-safe.
    void RecordWritten(const QString &fileName);
    // The same for many files at once, before a run writes them: one append to the list.
    void RecordWritten(const QStringList &fileNames);
    bool WasWritten(const QString &fileName) const;
    // Takes names off the list (files recorded ahead of a write that never happened).
    void Forget(const QStringList &fileNames);
    // The names of the files the program wrote here that are still there, in name order.
    QStringList WrittenFiles() const;

    // Deletes every file the program wrote here whose name ends in one of the suffixes (".bmp",
    // ".c") and forgets it. Files that could not be deleted are added to failures and kept on the
    // list. Returns the number deleted.
    // Files named in keep are left alone (a run about to rewrite them).
    int DeleteWritten(const QStringList &suffixes, QStringList *failures = nullptr,
                      const std::set<QString> *keep = nullptr);

    // Writes bytes to fileName here atomically (a failed write leaves an earlier file of that
    // name whole) and records it as the program's own.
    bool WriteFile(const QString &fileName, const char *data, qint64 size, Failure *failure = nullptr);
    bool WriteFile(const QString &fileName, const std::string &bytes, Failure *failure = nullptr)
    {
        return WriteFile(fileName, bytes.data(), qint64(bytes.size()), failure);
    }
    bool WriteFile(const QString &fileName, const QByteArray &bytes, Failure *failure = nullptr)
    {
        return WriteFile(fileName, bytes.constData(), bytes.size(), failure);
    }

    // True when a file can be created in the directory; otherwise failure says why.
    bool CheckWritable(Failure *failure = nullptr) const;

private:
    void Load();
    bool SaveAll();

    QString m_path;
    mutable std::mutex m_mutex;
    std::set<QString> m_written;
};
