// Unique names: the first free number for a base, with and without a run's cache.

#include "common/testutil.h"
#include "output/uniquename.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testutil::Touch;

TEST(MakeUniqueName, TakesFirstFreeNumberFromStart)
{
    QTemporaryDir dir;
    EXPECT_EQ(MakeUniqueName("a", 0, dir.path()), "a0");
    Touch(dir, "a0.bmp");
    Touch(dir, "a1.bmp");
    Touch(dir, "a3.bmp");
    Touch(dir, "a2.c"); // only bitmaps count
    EXPECT_EQ(MakeUniqueName("a", 0, dir.path()), "a2");
    EXPECT_EQ(MakeUniqueName("a", 3, dir.path()), "a4");
    EXPECT_EQ(MakeUniqueName("", 0, dir.path()), "0");
}

TEST(MakeUniqueName, CacheGivesTheSameNamesAsProbingFromZero)
{
    QTemporaryDir dir;
    Touch(dir, "zhong1.bmp"); // a gap the run must fill first
    UniqueNameCache cache;
    std::vector<std::string> cached;
    std::vector<std::string> probed;
    for (int i = 0; i < 5; ++i) {
        probed.push_back(MakeUniqueName("zhong", 0, dir.path()));
        cached.push_back(MakeUniqueName("zhong", 0, dir.path(), &cache));
        Touch(dir, (cached.back() + ".bmp").c_str());
    }
    EXPECT_EQ(cached, (std::vector<std::string>{"zhong0", "zhong2", "zhong3", "zhong4", "zhong5"}));
    EXPECT_EQ(cached, probed);
    // A name handed out but never written is handed out again.
    EXPECT_EQ(MakeUniqueName("zhong", 0, dir.path(), &cache), "zhong6");
    EXPECT_EQ(MakeUniqueName("zhong", 0, dir.path(), &cache), "zhong6");
    // Between runs the files may change; a new cache sees them afresh.
    QFile::remove(dir.filePath("zhong2.bmp"));
    UniqueNameCache nextRun;
    EXPECT_EQ(MakeUniqueName("zhong", 0, dir.path(), &nextRun), "zhong2");
}
