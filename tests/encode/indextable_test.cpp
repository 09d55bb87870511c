// Index.c: the code bytes of the character list laid out as one C array.

#include "common/testutil.h"
#include "encode/indextable.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testutil::Gbk;

TEST(IndexTable, LaysOutBytesTenALineInPairs)
{
    EXPECT_EQ(IndexTableText(Gbk("汉字")), "unsigned char Index[]={\r\n0xBA,0xBA,  0xD7,0xD6};");
    EXPECT_EQ(IndexTableText("a"), "unsigned char Index[]={\r\n0x61};");
    EXPECT_EQ(IndexTableText("0123456789"),
              "unsigned char Index[]={\r\n0x30,0x31,  0x32,0x33,  0x34,0x35,  0x36,0x37,  0x38,0x39};");
    EXPECT_EQ(IndexTableText("0123456789a"), "unsigned char Index[]={\r\n0x30,0x31,  0x32,0x33,  0x34,0x35,  "
                                             "0x36,0x37,  0x38,0x39,  \r\n0x61};");
    // A one-byte character shifts the pairing of what follows.
    EXPECT_EQ(IndexTableText(Gbk("a汉")), "unsigned char Index[]={\r\n0x61,0xBA,  0xBA};");
}

TEST(IndexTable, EmptyListWritesNoFile)
{
    QTemporaryDir dir;
    OutputDirectory output(dir.path());
    QString path;
    Failure error;
    EXPECT_EQ(WriteIndexTable("", output, &path, &error), IndexTableResult::EmptyList);
    EXPECT_FALSE(QFile::exists(dir.filePath("Index.c")));
    EXPECT_EQ(WriteIndexTable("ab", output, &path, &error), IndexTableResult::Written);
    EXPECT_EQ(path, dir.filePath("Index.c"));
    EXPECT_TRUE(output.WasWritten("Index.c"));
}
