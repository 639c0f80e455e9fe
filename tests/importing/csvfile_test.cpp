#include "importing/csvfile.h"

#include "support/gb18030.h"

#include <gtest/gtest.h>

using importing::CsvFile;
using importing::CsvRecord;

namespace {

QList<QPair<int, QStringList>> rows(const CsvFile& file) {
    QList<QPair<int, QStringList>> all;
    for (const CsvRecord& r : file.records) all.append({r.line, r.cells});
    return all;
}

TEST(CsvFileTest, QuotedFieldsKeepCommasQuotesAndLineBreaksAndRowsKnowTheirPhysicalLine) {
    const CsvFile file = CsvFile::parse("编码,名称,备注\r\n"
                                        "A1,\"跑鞋, 白\",\"他说\"\"好\"\"\"\r\n"
                                        "\r\n"
                                        "A2,\"两行\r\n的名称\",\r\n"
                                        " A3 , 袜子 ,\" 留空格 \"\r\n"
                                        ",,\r\n"
                                        "A4,末行没有换行,");
    ASSERT_TRUE(file.ok()) << file.error.toStdString();
    EXPECT_EQ(rows(file), (QList<QPair<int, QStringList>>{{1, {"编码", "名称", "备注"}},
                                                          {2, {"A1", "跑鞋, 白", "他说\"好\""}},
                                                          {4, {"A2", "两行\n的名称", ""}},
                                                          {6, {"A3", "袜子", " 留空格 "}},
                                                          {8, {"A4", "末行没有换行", ""}}}))
        << "a blank line and a row of empty cells are left out, and still counted";
}

TEST(CsvFileTest, TheCharacterSetIsUtf8WithOrWithoutAMarkOrElseGb18030) {
    const QString text = "编码,名称\n供1,华南鞋业\n";
    const QList<QPair<int, QStringList>> expected{{1, {"编码", "名称"}}, {2, {"供1", "华南鞋业"}}};
    EXPECT_EQ(rows(CsvFile::parse(text.toUtf8())), expected);
    EXPECT_EQ(rows(CsvFile::parse("\xEF\xBB\xBF" + text.toUtf8())), expected);
    const QByteArray gb = toGb18030(text);
    ASSERT_NE(gb, text.toUtf8());
    EXPECT_EQ(rows(CsvFile::parse(gb)), expected);
    const CsvFile neither = CsvFile::parse("a,b\n\xFF\xFF\xFF\n");
    EXPECT_FALSE(neither.ok());
    EXPECT_TRUE(neither.records.isEmpty());
}

TEST(CsvFileTest, AQuoteOutOfPlaceIsRefusedAtItsLine) {
    struct Case {
        QByteArray text;
        int line;
    };
    const Case cases[] = {
        {"a,b\nx,y\"z\n", 2},          // a quote inside an unquoted field
        {"a,b\n\"x\"y,z\n", 2},        // text after a closing quote
        {"a,b\nx,y\n\"open,\n\n", 3},  // never closed: the row it opened
    };
    for (const Case& c : cases) {
        const CsvFile file = CsvFile::parse(c.text);
        EXPECT_FALSE(file.ok()) << c.text.toStdString();
        EXPECT_EQ(file.errorLine, c.line) << c.text.toStdString();
    }
}

}  // namespace
