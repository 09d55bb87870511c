// The file writers: atomic replacement (whole or not at all, whatever fails on the way), copies,
// and the batch's in-place rewrite.

#include "common/testutil.h"
#include "output/atomicfile.h"
#include "output/rewriteinplace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using testutil::ReadFileBytes;
using testutil::WriteFileBytes;

namespace {

// Limits the size of files this process may write, as a full disk would; restored at scope end.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

} // namespace

TEST(AtomicFile, TargetChangesOnlyAtCommitAndAnUncommittedFileLeavesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("font.dat");
    ASSERT_TRUE(WriteFileBytes(path, "earlier"));
    ASSERT_TRUE(WriteFileBytes(path + ".part", "stale temporary of a crashed run"));
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write(std::string("new ")));
        ASSERT_TRUE(file.Write(QByteArray("bytes")));
        EXPECT_EQ(ReadFileBytes(path), "earlier");
        ASSERT_TRUE(file.Commit()) << file.Error().toStdString();
        EXPECT_EQ(file.Size(), 9);
    }
    EXPECT_EQ(ReadFileBytes(path), "new bytes");
    {
        AtomicFile abandoned(path);
        ASSERT_TRUE(abandoned.Open());
        ASSERT_TRUE(abandoned.Write(std::string("half")));
    }
    EXPECT_EQ(ReadFileBytes(path), "new bytes");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"font.dat"});
}

TEST(AtomicFile, FailuresNameTheFileAndKeepTheEarlierOne)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(WriteFileAtomically(dir.filePath("no/such/All.c"), "x", 1, &error));
    EXPECT_TRUE(error.startsWith("cannot create " + dir.filePath("no/such/All.c") + ": ")) << error.toStdString();

    // A disk that fills up half-way: the write fails, the earlier file stays, no temporary is left.
    const QString path = dir.filePath("font.dat");
    ASSERT_TRUE(WriteFileBytes(path, "earlier"));
    const std::string big(64 * 1024, 'x');
    {
        const FileSizeLimit full(16 * 1024);
        EXPECT_FALSE(WriteFileAtomically(path, big.data(), qint64(big.size()), &error));
    }
    EXPECT_TRUE(error.startsWith("cannot write " + path + ": ")) << error.toStdString();
    EXPECT_EQ(ReadFileBytes(path), "earlier");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"font.dat"});

    // A directory where the file should be: written, but never renamed over it.
    ASSERT_TRUE(QDir(dir.path()).mkdir("All.c"));
    EXPECT_FALSE(WriteFileAtomically(dir.filePath("All.c"), "x", 1, &error));
    EXPECT_TRUE(error.startsWith("cannot replace " + dir.filePath("All.c"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("All.c.part")));
}

TEST(CopyFileReplacing, CopiesOverAnEarlierFileAndNamesAMissingSource)
{
    QTemporaryDir dir;
    const std::string bytes(3 << 20, '\x5A'); // more than one chunk
    ASSERT_TRUE(WriteFileBytes(dir.filePath("font.dat"), bytes));
    ASSERT_TRUE(WriteFileBytes(dir.filePath("copy.bin"), "earlier copy"));
    QString error;
    ASSERT_TRUE(CopyFileReplacing(dir.filePath("font.dat"), dir.filePath("copy.bin"), &error));
    EXPECT_EQ(ReadFileBytes(dir.filePath("copy.bin")), bytes);

    EXPECT_FALSE(CopyFileReplacing(dir.filePath("gone.dat"), dir.filePath("copy.bin"), &error));
    EXPECT_TRUE(error.startsWith("cannot open " + dir.filePath("gone.dat"))) << error.toStdString();
    EXPECT_EQ(ReadFileBytes(dir.filePath("copy.bin")), bytes);
}

TEST(RewriteInPlace, ReplacesTheContentWhateverItsEarlierLength)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("zhong0.c");
    QString error;
    ASSERT_TRUE(RewriteInPlace(path, "0123456789", 10, &error));
    ASSERT_TRUE(RewriteInPlace(path, "abc", 3, &error));
    EXPECT_EQ(ReadFileBytes(path), "abc");
    ASSERT_TRUE(RewriteInPlace(path, "ABCDEF", 6, &error));
    EXPECT_EQ(ReadFileBytes(path), "ABCDEF");
    EXPECT_FALSE(RewriteInPlace(dir.filePath("gone/a.bmp"), "x", 1, &error));
    EXPECT_TRUE(error.contains(dir.filePath("gone/a.bmp"))) << error.toStdString();
}
