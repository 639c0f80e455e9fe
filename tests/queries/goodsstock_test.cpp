// The goods stock query without its window: the filter dialog's texts, the
// check of a typed filter, the computed columns and the ledgers that follow
// the goods row.
#include "database/displayformat.h"
#include "queries/goodsfilter.h"
#include "queries/goodsstock.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

using namespace queries;

TEST(GoodsFilterTexts, TheButtonsAppendTheConditionsCharacterForCharacter) {
    struct Case {
        QString built, expected;
    };
    const Case cases[] = {
        {textCondition("商品名称[spmc]", "包含 like", "跑鞋"), " [spmc] like '%跑鞋%'"},
        {textCondition("商品货号[artno]", "开头 like", "R-"), " [artno] like 'R-%'"},
        {textCondition("花色    [color]", "等于 =", "白"), " [color] = '白'"},
        {textCondition("商品编码[spbm]", "不等 <>", "XZ001"), " [spbm] <> 'XZ001'"},
        {textCondition("商品名称[spmc]", "大于 >", ""), " [spmc] > ''"},
        {numberCondition("库存数量[kcsl]", "大于 >", "10"), " [kcsl]>10"},
        {numberCondition("库存金额[kcje]", "不等 <>", "0"), " [kcje]<>0"},
        {numberCondition("", "小于 <", "5"), " <5"},  // the list's empty item
        {categoryItem("01", "运动鞋"), "01  :运动鞋"},
        {categoryItem("ABCDEF", "长编码"), "ABCD:长编码"},
        {categoryItem("类别9", "中文编码"), "类别:中文编码"},  // four GB2312 positions are two Chinese characters
        {categoryCondition("01  :运动鞋"), " splb like '01%'"},
        {categoryCondition("ABCD:长编码"), " splb like 'ABCD%'"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.built, c.expected);
    // Every list item gives its column or operator from the GB2312 position.
    for (const QString& item : kTextColumns) EXPECT_TRUE(fromGbPosition(item, 9).startsWith('[')) << item.toStdString();
    for (const QString& item : kTextOperators) EXPECT_FALSE(fromGbPosition(item, 6).contains(' ')) << item.toStdString();
    EXPECT_EQ(goodsQuerySql("  "), "select * from aspkm\n ");
    EXPECT_EQ(goodsQuerySql(" [kcsl]>10"), "select * from aspkm\nwhere  [kcsl]>10");
}

class GoodsStockTest : public testing::Test {
protected:
    GoodsStockTest() : query(t.db(), prompter) {
        Database& db = t.db();
        db.exec("insert into ASPLB (Bm, Mc) values ('01', '运动鞋'), ('02', '服装')");
        db.exec("insert into ASPKM (Spbm, Spmc, Splb, Jldw, hzdw, Scale, Kcsl, kcje) values "
                "('XZ001', '跑步鞋', '01', '双', '箱', 12, 30, 1500), ('XZ002', '篮球鞋', '01', '双', '箱', 1, 5, 400), "
                "('FZ001', '运动套装', '02', '套', '包', NULL, 8, 900), ('PJ001', '运动袜', '02', '双', '', 0, 40, 200)");
        // Ledger rows as postings write them, one goods item in several documents.
        db.exec("insert into ASPMXZM (Spbm, Djhm, Rq, Zyxx, Rksl, Kcsl) values "
                "('XZ001', 'R000000001', '2026-03-02 00:00:00', '进货', 36, 36), "
                "('FZ001', 'R000000002', '2026-03-02 00:00:00', '进货', 8, 8), "
                "('XZ001', 'C000000001', '2026-03-01 00:00:00', '销售', 0, 30)");
        db.exec("insert into AXSLSZ (Spbm, Djhm, Rq, khmc, sl, dj, je) values "
                "('XZ001', 'C000000001', '2026-03-01 00:00:00', '阳光体育', 6, 398, 2388)");
        query.open();
    }
    QStringList codes() {
        QStringList out;
        for (int p = 0; p < query.dbspk.recordCount(); ++p) out.append(query.dbspk.rowAt(p).value("Spbm").toString());
        return out;
    }
    int goodsInBook() { return t.db().scalar("select count(*) from ASPKM").toInt(); }

    TestDatabase t;
    ScriptedPrompter prompter;
    GoodsStock query;
};

TEST_F(GoodsStockTest, LargePackageColumnsFollowTheScale) {
    struct Case {
        const char* code;
        const char* unit;
        const char* quantity;
    };
    const Case cases[] = {
        {"XZ001", "箱(12ｘ)", "2.50"},  // 30 / 12, unrounded
        {"XZ002", "双", "5.00"},        // Scale 1: the base unit
        {"FZ001", "套", "8.00"},        // Scale Null
        {"PJ001", "双", "40.00"},       // Scale 0 is no package, not a division by nothing
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(query.dbspk.locate("Spbm", c.code));
        EXPECT_EQ(query.dbspk.value("dwgg").toString(), c.unit) << c.code;
        const RowSet::Field& f = query.dbspk.field("bzsl");
        EXPECT_EQ(displayformat::format(query.dbspk.value("bzsl"), f.displayFormat), c.quantity) << c.code;
    }
    ASSERT_TRUE(query.dbspk.locate("Spbm", "XZ001"));
    EXPECT_DOUBLE_EQ(query.dbspk.value("bzsl").toDouble(), 2.5);
}

TEST_F(GoodsStockTest, TheLedgersFollowTheGoodsRowInEntryOrder) {
    EXPECT_EQ(codes(), (QStringList{"FZ001", "PJ001", "XZ001", "XZ002"}));  // by code
    ASSERT_TRUE(query.dbspk.locate("Spbm", "XZ001"));
    ASSERT_EQ(query.sqlmxz.recordCount(), 2);
    EXPECT_EQ(query.sqlmxz.rowAt(0).value("Djhm").toString(), "R000000001");  // entered first, dated later
    EXPECT_EQ(query.sqlmxz.rowAt(1).value("Djhm").toString(), "C000000001");
    EXPECT_EQ(query.sqllsz.recordCount(), 1);
    ASSERT_TRUE(query.dbspk.locate("Spbm", "XZ002"));  // no ledger rows
    EXPECT_EQ(query.sqlmxz.recordCount(), 0);
    EXPECT_EQ(query.sqllsz.recordCount(), 0);
}

TEST_F(GoodsStockTest, FiltersNarrowTheListAndAnEmptyOneShowsAllAgain) {
    EXPECT_TRUE(query.applyFilter(" [kcsl]>10 or" + categoryCondition(categoryItem("01", "运动鞋"))));
    EXPECT_EQ(codes(), (QStringList{"PJ001", "XZ001", "XZ002"}));
    EXPECT_TRUE(query.applyFilter(textCondition("商品名称[spmc]", "包含 like", "运动")));
    EXPECT_EQ(codes(), (QStringList{"FZ001", "PJ001"}));
    EXPECT_DOUBLE_EQ(query.dbspk.sum("Kcsl"), 48);  // the footer's total: the listed goods only
    EXPECT_TRUE(query.applyFilter("   "));
    EXPECT_EQ(codes().size(), 4);
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(prompter.waitTexts, QStringList(3, "正在执行处理，请等待...."));
    EXPECT_EQ(prompter.waitBoxesShown, 0);
}

// What the user may type is one condition on the goods. Anything else is
// refused before it runs: the list is empty and nothing in the book changed.
TEST_F(GoodsStockTest, InvalidAndMaliciousFiltersAreRefusedWithNothingChanged) {
    const char* refused[] = {
        "[spmc] like '%a'b%'",                     // a quote typed into a value
        " [kcsl]>",                                // unfinished
        "[nosuchcolumn] = 1",
        "1=1; delete from aspkm",                  // a second statement
        "1=1; pragma rekey = 'x'",                 // would key the book anew while being prepared
        "1=1; attach 'x.db' as x",
        "1=1 union select * from aspkm",           // not one select
        "[spbm] in (select logname from aczqx)",   // another table read
        "length(sqlcipher_export('x')) > 0",
        "[spmc] = :name",                          // a parameter nobody gives
    };
    for (const char* expression : refused) {
        prompter.messages.clear();
        EXPECT_FALSE(query.applyFilter(expression)) << expression;
        EXPECT_EQ(prompter.messages, QStringList{"无效的过滤表达式!"}) << expression;
        EXPECT_EQ(query.dbspk.recordCount(), 0) << expression;
        EXPECT_EQ(prompter.waitBoxesShown, 0);
    }
    EXPECT_EQ(goodsInBook(), 4);
    // The book still opens with the program's key.
    Database again;
    again.open(t.databaseFile());
    EXPECT_EQ(again.scalar("select count(*) from aspkm").toInt(), 4);
    // A valid filter lists goods again.
    EXPECT_TRUE(query.applyFilter("[spbm] = 'XZ001'"));
    EXPECT_EQ(codes(), QStringList{"XZ001"});
}

TEST_F(GoodsStockTest, FindByNameFromTheFirstThenOnwardsAndRoundAgain) {
    query.find("运动");
    EXPECT_EQ(query.dbspk.value("Spbm").toString(), "FZ001");
    query.findNext("运动");
    EXPECT_EQ(query.dbspk.value("Spbm").toString(), "PJ001");
    query.findNext("运动");
    EXPECT_EQ(query.dbspk.value("Spbm").toString(), "FZ001");  // past the last: the first row
    query.find("皮鞋");
    EXPECT_EQ(prompter.messages, QStringList{"没有匹配的记录!"});
    EXPECT_EQ(query.dbspk.position(), query.dbspk.recordCount() - 1);
}

}  // namespace
