// The character set files: the shipped GB2312 and GBK lists, reading a set file's first line,
// and finding the file.

#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "common/testutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using testutil::Gbk;

TEST(CharsetFiles, HoldEveryCharacterOfTheSetOnceInCodeOrder)
{
    const struct {
        CharacterSet set;
        int count;
    } cases[] = {{CharacterSet::GB2312, 682 + 6763}, {CharacterSet::GBK, 21791}};
    for (const auto &c : cases) {
        const CharsetImport read = LoadCharset(c.set, QString());
        ASSERT_TRUE(read.Ok) << testutil::Describe(read.Error);
        EXPECT_EQ(read.Count, c.count);
        std::vector<int> codes;
        for (const std::string &ch : SplitChars(read.Text)) {
            ASSERT_EQ(ch.size(), 2u);
            codes.push_back(static_cast<unsigned char>(ch[0]) * 256 + static_cast<unsigned char>(ch[1]));
        }
        EXPECT_EQ(codes.size(), size_t(c.count));
        EXPECT_EQ(std::adjacent_find(codes.begin(), codes.end(), std::greater_equal<>()), codes.end());
    }
    const std::string gb2312 = LoadCharset(CharacterSet::GB2312, QString()).Text;
    EXPECT_EQ(gb2312.substr(0, 4), Gbk("　、"));  // row 1 starts with the ideographic space
    EXPECT_EQ(gb2312.substr(gb2312.size() - 2), Gbk("齄")); // the last hanzi, F7FE
    EXPECT_NE(FindChar(gb2312, Gbk("汉")), std::string::npos);
    EXPECT_EQ(FindChar(gb2312, Gbk("俓")), std::string::npos); // GBK only
}

TEST(ImportCharsetFile, ReadsTheWholeFirstLineAndCountsWhatItRead)
{
    std::string fullSet;                   // 8178 two-byte characters: 16356 bytes
    for (int i = 0; i < 8178; ++i)
        fullSet += Gbk("汉");
    const struct {
        std::string file;
        std::string list;
        int count;
    } cases[] = {
        {Gbk("汉字ab"), Gbk("汉字ab"), 4},
        {Gbk("汉字\r\n第二行"), Gbk("汉字\r\n"), 4}, // the line break stays part of the list
        {"", "", 0},
        {"\n", "\n", 1},
        {fullSet, fullSet, 8178},               // its last character whole
        {Gbk("汉") + "\xD6", Gbk("汉") + "\xD6", 2}, // a truncated last character is a byte of its own
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        const QString path = dir.filePath("set.txt");
        ASSERT_TRUE(testutil::WriteFileBytes(path, c.file));
        const CharsetImport read = ImportCharsetFile(path);
        ASSERT_TRUE(read.Ok) << testutil::Describe(read.Error);
        EXPECT_EQ(read.Text, c.list) << Cp936ToUtf8(c.file.substr(0, 40));
        EXPECT_EQ(read.Count, c.count) << Cp936ToUtf8(c.file.substr(0, 40));
    }
}

TEST(ImportCharsetFile, LongLineIsCutAtTheLimitBetweenCharacters)
{
    // "a" then two-byte characters: the limit falls after the lead byte of a character.
    std::string line = "a";
    while (line.size() < size_t(MaxCharsetLineBytes) + 10)
        line += Gbk("汉");
    QTemporaryDir dir;
    const QString path = dir.filePath("long.txt");
    ASSERT_TRUE(testutil::WriteFileBytes(path, line));
    const CharsetImport read = ImportCharsetFile(path);
    ASSERT_TRUE(read.Ok);
    EXPECT_EQ(read.Text.size(), size_t(MaxCharsetLineBytes) - 1);
    EXPECT_EQ(read.Count, 1 + (MaxCharsetLineBytes - 2) / 2);
    EXPECT_EQ(LastCharOf(read.Text), Gbk("汉"));
}

TEST(ImportCharsetFile, UnreadableFileIsAnErrorNamingIt)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("GB2312.txt");
    for (const QString &path : {missing, dir.path()}) {
        const CharsetImport read = ImportCharsetFile(path);
        EXPECT_FALSE(read.Ok);
        EXPECT_TRUE(testutil::Mentions(read.Error, path)) << testutil::Describe(read.Error);
        EXPECT_EQ(read.Text, "");
    }
}

TEST(FindCharsetFile, LooksInTheProgramDirectoryFirstAndSaysWhereItLooked)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("GBK.txt"), Gbk("汉字")));
    const CharsetImport own = LoadCharset(CharacterSet::GBK, dir.path());
    ASSERT_TRUE(own.Ok);
    EXPECT_EQ(own.Text, Gbk("汉字"));
    EXPECT_EQ(own.Count, 2);

    const CharsetLocation none = FindCharsetFile("NoSuchSet.txt", dir.path());
    EXPECT_TRUE(none.Path.isEmpty());
    ASSERT_GE(none.Searched.size(), 3);
    EXPECT_EQ(none.Searched.front(), QDir(dir.path()).absolutePath());
    EXPECT_TRUE(none.Searched.contains(QDir::cleanPath(QCoreApplication::applicationDirPath())));
    EXPECT_TRUE(none.Searched.contains(QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/dotrix")));
}
