// The file writers: atomic replacement (whole or not at all, whatever fails on the way), copies,
// and the batch's in-place rewrite.

#include "common/testutil.h"
#include "output/atomicfile.h"
#include "output/rewriteinplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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
        ASSERT_TRUE(file.Commit()) << testutil::Describe(file.Error());
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
    Failure error;
    EXPECT_FALSE(WriteFileAtomically(dir.filePath("no/such/All.c"), "x", 1, &error));
    EXPECT_EQ(std::pair(error.Code, error.Path), std::pair(FailureCode::Create, dir.filePath("no/such/All.c")))
        << testutil::Describe(error);
    EXPECT_FALSE(error.Reason.isEmpty());

    // A disk that fills up half-way: the write fails, the earlier file stays, no temporary is left.
    const QString path = dir.filePath("font.dat");
    ASSERT_TRUE(WriteFileBytes(path, "earlier"));
    const std::string big(64 * 1024, 'x');
    {
        const FileSizeLimit full(16 * 1024);
        EXPECT_FALSE(WriteFileAtomically(path, big.data(), qint64(big.size()), &error));
    }
    EXPECT_EQ(std::pair(error.Code, error.Path), std::pair(FailureCode::Write, path)) << testutil::Describe(error);
    EXPECT_EQ(ReadFileBytes(path), "earlier");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"font.dat"});

    // A directory where the file should be: written, but never renamed over it.
    ASSERT_TRUE(QDir(dir.path()).mkdir("All.c"));
    EXPECT_FALSE(WriteFileAtomically(dir.filePath("All.c"), "x", 1, &error));
    EXPECT_EQ(std::pair(error.Code, error.Path), std::pair(FailureCode::Replace, dir.filePath("All.c")))
        << testutil::Describe(error);
    EXPECT_FALSE(QFile::exists(dir.filePath("All.c.part")));
}

TEST(AtomicFile, FollowsLinksAndWritesStraightIntoPipesAndDevices)
{
    QTemporaryDir dir;
    Failure error;
    // A link stays a link; the file it leads to is replaced, or made when the link dangles.
    ASSERT_TRUE(WriteFileBytes(dir.filePath("real.c"), "earlier"));
    ASSERT_TRUE(QFile::link("real.c", dir.filePath("link.c")));
    ASSERT_TRUE(QFile::link("sub/made.c", dir.filePath("dangling.c")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    ASSERT_TRUE(WriteFileAtomically(dir.filePath("link.c"), "new", 3, &error)) << testutil::Describe(error);
    ASSERT_TRUE(WriteFileAtomically(dir.filePath("dangling.c"), "made", 4, &error)) << testutil::Describe(error);
    EXPECT_EQ(QFileInfo(dir.filePath("link.c")).symLinkTarget(), dir.filePath("real.c"));
    EXPECT_EQ(ReadFileBytes(dir.filePath("real.c")), "new");
    EXPECT_EQ(ReadFileBytes(dir.filePath("sub/made.c")), "made");
    EXPECT_TRUE(QFileInfo(dir.filePath("dangling.c")).isSymLink());

    // A named pipe's reader gets the bytes; the pipe stays a pipe.
    const QByteArray pipe = QFile::encodeName(dir.filePath("pipe"));
    ASSERT_EQ(mkfifo(pipe.constData(), 0600), 0);
    // The reader is there before the writer, without blocking: the bytes fit the pipe's buffer.
    const int reader = open(pipe.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteFileAtomically(dir.filePath("pipe"), "through the pipe", 16, &error)) << testutil::Describe(error);
    char read[32] = {};
    EXPECT_EQ(::read(reader, read, sizeof read), 16);
    close(reader);
    EXPECT_STREQ(read, "through the pipe");
    struct stat node;
    ASSERT_EQ(lstat(pipe.constData(), &node), 0);
    EXPECT_TRUE(S_ISFIFO(node.st_mode));

    // A full device says so, and stays a device. A copy of /dev/full where this user may make
    // one, so a fault here cannot cost the system its own node.
    QByteArray full = QFile::encodeName(dir.filePath("full"));
    if (mknod(full.constData(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        if (geteuid() == 0)
            GTEST_SKIP() << "cannot make a device node here";
        full = "/dev/full";
    }
    const QString fullPath = QFile::decodeName(full);
    EXPECT_FALSE(WriteFileAtomically(fullPath, "x", 1, &error));
    EXPECT_EQ(error, (Failure{FailureCode::Write, fullPath, QString::fromLocal8Bit(std::strerror(ENOSPC)), {}}));
    ASSERT_EQ(lstat(full.constData(), &node), 0);
    EXPECT_TRUE(S_ISCHR(node.st_mode));
}

TEST(AtomicFile, AFullDiskIsNamedAsTheSystemNamesIt)
{
    QTemporaryDir dir;
    const std::string tooLarge = std::strerror(EFBIG);
    const std::string bytes(64 * 1024, 'x');
    const FileSizeLimit full(16 * 1024);
    Failure error;
    EXPECT_FALSE(WriteFileAtomically(dir.filePath("font.c"), bytes.data(), qint64(bytes.size()), &error));
    EXPECT_EQ(error, (Failure{FailureCode::Write, dir.filePath("font.c"), QString::fromLocal8Bit(tooLarge.c_str()), {}}));
    EXPECT_FALSE(RewriteInPlace(dir.filePath("zhong.c"), bytes.data(), qint64(bytes.size()), &error));
    EXPECT_EQ(error, (Failure{FailureCode::Write, dir.filePath("zhong.c"), QString::fromLocal8Bit(tooLarge.c_str()), {}}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

TEST(CopyFileReplacing, CopiesOverAnEarlierFileAndNamesAMissingSource)
{
    QTemporaryDir dir;
    const std::string bytes(3 << 20, '\x5A'); // more than one chunk
    ASSERT_TRUE(WriteFileBytes(dir.filePath("font.dat"), bytes));
    ASSERT_TRUE(WriteFileBytes(dir.filePath("copy.bin"), "earlier copy"));
    Failure error;
    ASSERT_TRUE(CopyFileReplacing(dir.filePath("font.dat"), dir.filePath("copy.bin"), &error));
    EXPECT_EQ(ReadFileBytes(dir.filePath("copy.bin")), bytes);

    EXPECT_FALSE(CopyFileReplacing(dir.filePath("gone.dat"), dir.filePath("copy.bin"), &error));
    EXPECT_EQ(std::pair(error.Code, error.Path), std::pair(FailureCode::OpenForReading, dir.filePath("gone.dat")))
        << testutil::Describe(error);
    EXPECT_EQ(ReadFileBytes(dir.filePath("copy.bin")), bytes);
}

TEST(RewriteInPlace, ReplacesTheContentWhateverItsEarlierLength)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("zhong0.c");
    Failure error;
    ASSERT_TRUE(RewriteInPlace(path, "0123456789", 10, &error));
    ASSERT_TRUE(RewriteInPlace(path, "abc", 3, &error));
    EXPECT_EQ(ReadFileBytes(path), "abc");
    ASSERT_TRUE(RewriteInPlace(path, "ABCDEF", 6, &error));
    EXPECT_EQ(ReadFileBytes(path), "ABCDEF");
    EXPECT_FALSE(RewriteInPlace(dir.filePath("gone/a.bmp"), "x", 1, &error));
    EXPECT_TRUE(testutil::Mentions(error, dir.filePath("gone/a.bmp"))) << testutil::Describe(error);
}
