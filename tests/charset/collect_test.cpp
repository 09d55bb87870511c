// Collecting a firmware's characters from its sources, checked against generated trees that know
// which characters they put where.

#include "charset/collect.h"

#include "base/job.h"

#include "common/sourcetree.h"
#include "common/testutil.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::vector<char32_t> Expected(const std::set<char32_t> &a, const std::set<char32_t> &b = {})
{
    std::set<char32_t> all = a;
    all.insert(b.begin(), b.end());
    std::erase_if(all, [](char32_t c) { return c < 0x20 || c == 0x7F; });
    return {all.begin(), all.end()};
}

std::string Difference(const std::vector<char32_t> &expected, const std::vector<char32_t> &actual)
{
    std::string text;
    std::vector<char32_t> missing, extra;
    std::set_difference(expected.begin(), expected.end(), actual.begin(), actual.end(), std::back_inserter(missing));
    std::set_difference(actual.begin(), actual.end(), expected.begin(), expected.end(), std::back_inserter(extra));
    text += "missing: " + QString::fromUcs4(missing.data(), qsizetype(missing.size())).toStdString();
    text += "\nextra: " + QString::fromUcs4(extra.data(), qsizetype(extra.size())).toStdString();
    return text;
}

int Count(const CollectResult &result, CollectSkip::Reason why)
{
    return int(std::count_if(result.Skipped.begin(), result.Skipped.end(), [why](const CollectSkip &s) { return s.Why == why; }));
}

} // namespace

TEST(CollectCharacters, GeneratedTreesGiveExactlyTheCharactersInTheirCollectedPlaces)
{
    for (const bool cp936 : {false, true}) {
        for (unsigned seed = 1; seed <= 6; ++seed) {
            SCOPED_TRACE((cp936 ? "cp936 seed " : "utf-8 seed ") + std::to_string(seed));
            QTemporaryDir dir;
            const testutil::SourceTree tree = testutil::WriteSourceTree(dir.path(), seed, 40, cp936);
            CollectOptions options;
            options.Encoding = cp936 ? CollectEncoding::Cp936 : CollectEncoding::Utf8;
            const CollectResult result = CollectCharacters({dir.path()}, options);
            ASSERT_FALSE(result.Error) << testutil::Describe(result.Error);
            const std::vector<char32_t> expected = Expected(tree.Collected);
            EXPECT_EQ(result.Characters, expected) << Difference(expected, result.Characters);
            EXPECT_EQ(result.FilesRead, tree.Files);
            EXPECT_EQ(Count(result, CollectSkip::Binary), tree.Binary);
            EXPECT_EQ(Count(result, CollectSkip::NotText), tree.NotText);
            EXPECT_EQ(Count(result, CollectSkip::Folder), tree.Folders);

            // With the comments option the comments' text counts too.
            options.Comments = true;
            const CollectResult withComments = CollectCharacters({dir.path()}, options);
            const std::vector<char32_t> all = Expected(tree.Collected, tree.Comments);
            EXPECT_EQ(withComments.Characters, all) << Difference(all, withComments.Characters);
        }
    }
}

// collect_model.py reads the rules a second time, independently, in Python; the collector must
// find what it finds, file by file and over the whole walk.
TEST(CollectCharacters, AgreesWithAnIndependentModelOnGeneratedTrees)
{
    for (const bool cp936 : {false, true}) {
        for (unsigned seed = 101; seed <= 104; ++seed) {
            QTemporaryDir dir;
            testutil::WriteSourceTree(dir.path(), seed, 40, cp936);
            for (const bool comments : {false, true}) {
                SCOPED_TRACE((cp936 ? "cp936 seed " : "utf-8 seed ") + std::to_string(seed) + (comments ? " comments" : ""));
                QStringList arguments{DOTRIX_COLLECT_MODEL, "--by-file", "--encoding", cp936 ? "cp936" : "utf-8", dir.path()};
                if (comments)
                    arguments.insert(1, "--comments");
                QProcess model;
                model.start("python3", arguments);
                ASSERT_TRUE(model.waitForFinished(60000) && model.exitCode() == 0) << model.readAllStandardError().toStdString();
                const CollectOptions options{cp936 ? CollectEncoding::Cp936 : CollectEncoding::Utf8, comments};
                std::set<char32_t> all;
                int files = 0;
                for (const QByteArray &line : model.readAllStandardOutput().split('\n')) {
                    const QList<QByteArray> fields = line.split('\t');
                    if (fields.size() != 2)
                        continue;
                    std::vector<char32_t> expected, actual;
                    for (const QByteArray &hex : fields[1].split(' '))
                        if (!hex.isEmpty() && hex != "-")
                            expected.push_back(char32_t(hex.toUInt(nullptr, 16)));
                    const QString path = QString::fromUtf8(fields[0]);
                    const bool read = CollectFromBytes(testutil::ReadFileBytes(path), SourceKindOf(path), options, actual);
                    EXPECT_EQ(read, fields[1] != "-") << path;
                    EXPECT_EQ(actual, expected) << path << "\n" << Difference(expected, actual);
                    all.insert(expected.begin(), expected.end());
                    files += read;
                }
                const CollectResult result = CollectCharacters({dir.path()}, options);
                ASSERT_FALSE(result.Error) << testutil::Describe(result.Error);
                EXPECT_EQ(result.Characters, std::vector<char32_t>(all.begin(), all.end()));
                EXPECT_EQ(result.FilesRead, files);
            }
        }
    }
}

TEST(CollectCharacters, MissingPathsFailAndGivenFilesAreReadWhateverTheirFolder)
{
    QTemporaryDir dir;
    const QString build = dir.filePath("build");
    ASSERT_TRUE(QDir().mkpath(build));
    ASSERT_TRUE(testutil::WriteFileBytes(build + "/a.c", "x = \"温\"; // 度\n"));
    // A folder given by name is read even when a walk would skip it.
    CollectResult result = CollectCharacters({build}, {});
    EXPECT_EQ(result.Characters, std::vector<char32_t>{U'温'});
    EXPECT_EQ(result.FilesRead, 1);

    const QString missing = dir.filePath("missing.c");
    result = CollectCharacters({build, missing}, {});
    EXPECT_EQ(result.Error.Code, FailureCode::NoSuchPath);
    EXPECT_EQ(result.Error.Path, missing);
    EXPECT_TRUE(result.Characters.empty());
}

// The window reads a tree of UTF-8 and code page 936 files alike, each in the encoding it is
// valid in; a cancelled walk collects nothing.
TEST(CollectCharacters, AutoReadsEachFileInItsEncodingAndACancelledWalkCollectsNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("new.c"), "s = \"温\";\n"));
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("old.c"), "s = \"\xCA\xAA\xB6\xC8\";\n")); // 湿度 in code page 936
    CollectOptions options;
    CollectResult result = CollectCharacters({dir.path()}, options);
    EXPECT_EQ(result.Characters, std::vector<char32_t>{U'温'});
    EXPECT_EQ(Count(result, CollectSkip::NotText), 1);
    options.Encoding = CollectEncoding::Auto;
    result = CollectCharacters({dir.path()}, options);
    EXPECT_EQ(result.Characters, (std::vector<char32_t>{U'度', U'温', U'湿'}));
    EXPECT_EQ(result.FilesRead, 2);
    EXPECT_EQ(result.Inputs, (QStringList{dir.path(), dir.filePath("new.c"), dir.filePath("old.c")}));

    JobControl control;
    control.Cancel();
    options.Control = &control;
    result = CollectCharacters({dir.path()}, options);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_TRUE(result.Characters.empty() && result.Inputs.isEmpty());
    EXPECT_FALSE(result.Error);
}
