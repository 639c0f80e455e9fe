#include "documents/posting.h"
#include "stockdocs/stockin.h"
#include "support/stockbook.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

using namespace stockbook;

namespace {

class StockInPostingTest : public testing::Test {
protected:
    QVariantList goods(const QString& code, const QString& columns) {
        return t.db().rows(QString("select %1 from ASPKM where Spbm = :c").arg(columns), {{"c", code}}).value(0);
    }
    QList<QVariantList> book() {
        QList<QVariantList> all;
        for (const char* table : {"ASPKM", "ASPMXZM", "AGYS", "AGYMXZ", "ASPRKD", "asprkdd", "System"})
            all += tableRows(t.db(), table);
        return all;
    }
    posting::Result post(const QString& number = "000000001") {
        return posting::post(t.db(), stockin::kind(), number, "李会计");
    }
    TestDatabase t;
};

TEST_F(StockInPostingTest, WorkedExampleMovesStockCostSupplierAndLedgers) {
    addGoods(t.db(), {.code = "G", .kcsl = 100, .kcje = 500, .kcjg = 5, .sizes = {60, 40}});
    addParty(t.db(), "AGYS", {.code = "S1", .byjf = 1000, .bnjf = 5000, .jyje = 2000});
    addDocument(t.db(), "ASPRKD", "asprkdd", "000000001", "S1",
                {{.code = "G", .bzlx = 12, .sl = 5, .dj = 6, .sizes = {24, 36}, .ggdw = "箱(12x)"}});

    ASSERT_TRUE(post().posted());

    const QVariantList g = goods("G", "Kcsl, kcje, kcjg, kcslA, kcslB, lastprice, Byrksl, Bnrksl, lastrkrq");
    EXPECT_DOUBLE_EQ(g[0].toDouble(), 160);
    EXPECT_DOUBLE_EQ(g[1].toDouble(), 860);
    EXPECT_DOUBLE_EQ(g[2].toDouble(), 5.375);
    EXPECT_DOUBLE_EQ(g[3].toDouble(), 84);
    EXPECT_DOUBLE_EQ(g[4].toDouble(), 76);
    EXPECT_DOUBLE_EQ(g[5].toDouble(), 6);
    EXPECT_DOUBLE_EQ(g[6].toDouble(), 60);
    EXPECT_DOUBLE_EQ(g[7].toDouble(), 60);
    EXPECT_EQ(g[8].toDate(), QDate(2004, 3, 15));

    const QVariantList ledger =
        t.db().rows("select Djhm, Rksl, Rkje, Kcsl, Kcje, Kcjg, Cksl, GGDW, Zyxx, slA, slB from ASPMXZM").value(0);
    EXPECT_EQ(ledger[0].toString(), "R000000001");
    EXPECT_EQ(QList<double>({ledger[1].toDouble(), ledger[2].toDouble(), ledger[3].toDouble(), ledger[4].toDouble(),
                             ledger[5].toDouble()}),
              QList<double>({60, 360, 160, 860, 5.375}));
    EXPECT_TRUE(ledger[6].isNull()) << "nothing goes out";
    EXPECT_EQ(ledger[7].toString(), "箱(12x)");
    EXPECT_EQ(ledger[8].toString(), "从华南鞋业进货");
    EXPECT_EQ(ledger[9].toDouble() + ledger[10].toDouble(), 60);

    EXPECT_EQ(t.db().rows("select BZW, RYJZ, Je, RYZD from ASPRKD").value(0),
              QVariantList({"3", "李会计", 360.0, "张三"}));
    EXPECT_EQ(t.db().scalar("select group_concat(BZW) from asprkdd").toString(), "3");
    EXPECT_EQ(t.db().rows("select byjf, bnjf, jyje from AGYS").value(0), QVariantList({1360.0, 5360.0, 2360.0}));
    EXPECT_EQ(t.db().rows("select Dwbh, Djhm, Jfje, Dfje, Jyje from AGYMXZ"),
              QList<QVariantList>({{"S1", "000000001", 360.0, 0.0, 2360.0}}));
}

TEST_F(StockInPostingTest, TwoLinesOfOneGoodsRaiseItTwiceAndTheSecondLedgerRowShowsBoth) {
    addGoods(t.db(), {.code = "G", .kcsl = 10, .kcje = 50, .kcjg = 5});
    addParty(t.db(), "AGYS", {.code = "S1"});
    addDocument(t.db(), "ASPRKD", "asprkdd", "000000001", "S1",
                {{.code = "G", .sl = 10, .dj = 6, .sizes = {10}}, {.code = "G", .sl = 20, .dj = 7, .sizes = {20}}});
    ASSERT_TRUE(post().posted());
    EXPECT_EQ(goods("G", "Kcsl, kcje"), QVariantList({40.0, 250.0}));
    EXPECT_EQ(t.db().rows("select Kcsl, Kcje from ASPMXZM order by Idno"),
              QList<QVariantList>({{20.0, 110.0}, {40.0, 250.0}}));
    EXPECT_DOUBLE_EQ(t.db().scalar("select Je from ASPRKD").toDouble(), 200);
}

TEST_F(StockInPostingTest, NegativeStockReceivingLeavesNoStockAndNoCost) {
    addGoods(t.db(), {.code = "G", .kcsl = -10, .kcje = -50, .kcjg = 5});
    addParty(t.db(), "AGYS", {.code = "S1"});
    addDocument(t.db(), "ASPRKD", "asprkdd", "000000001", "S1", {{.code = "G", .sl = 10, .dj = 7}});
    ASSERT_TRUE(post().posted());
    EXPECT_EQ(goods("G", "Kcsl, kcje, kcjg"), QVariantList({0.0, 20.0, 0.0}));
}

TEST_F(StockInPostingTest, LinesPostedBeforeAreSkippedButCountInTheTotal) {
    // A book written by an older version, whose posting stopped after line 1.
    addGoods(t.db(), {.code = "G", .kcsl = 0});
    addParty(t.db(), "AGYS", {.code = "S1"});
    addDocument(t.db(), "ASPRKD", "asprkdd", "000000001", "S1",
                {{.code = "G", .sl = 1, .dj = 10, .status = "3"}, {.code = "G", .sl = 2, .dj = 10}});
    ASSERT_TRUE(post().posted());
    EXPECT_DOUBLE_EQ(goods("G", "Kcsl").value(0).toDouble(), 2);
    EXPECT_EQ(t.db().scalar("select count(*) from ASPMXZM").toInt(), 1);
    EXPECT_DOUBLE_EQ(t.db().scalar("select Je from ASPRKD").toDouble(), 30);
    EXPECT_DOUBLE_EQ(t.db().scalar("select jyje from AGYS").toDouble(), 30);
}

TEST_F(StockInPostingTest, RefusalsChangeNothing) {
    addGoods(t.db(), {.code = "G"});
    addParty(t.db(), "AGYS", {.code = "S1"});
    addDocument(t.db(), "ASPRKD", "asprkdd", "000000001", "S1", {{.code = "G", .sl = 1, .dj = 1}});
    t.db().exec("update ASPRKD set BZW = '3'");
    addDocument(t.db(), "ASPRKD", "asprkdd", "000000002", "S1", {});
    addDocument(t.db(), "ASPRKD", "asprkdd", "000000003", "S9", {{.code = "G", .sl = 1, .dj = 1}});
    addDocument(t.db(), "ASPRKD", "asprkdd", "000000004", "S1",
                {{.code = "G", .sl = 1, .dj = 1}, {.code = "X1", .sl = 1, .dj = 1}, {.code = "X2", .sl = 1, .dj = 1}});
    struct Case {
        const char* number;
        posting::Outcome outcome;
        QString message;
    };
    const Case cases[] = {
        {"000000001", posting::Outcome::AlreadyPosted, "单据已经记帐!"},
        {"000000002", posting::Outcome::NoLines, "无效的单据,不能记帐！"},
        {"000000003", posting::Outcome::MissingCodes, "单据中的编码已不存在，不能记帐：供应商 S9"},
        {"000000004", posting::Outcome::MissingCodes, "单据中的编码已不存在，不能记帐：商品 X1、X2"},
        {"000000099", posting::Outcome::MissingDocument, "单据 000000099 不存在!"},
    };
    const auto before = book();
    for (const Case& c : cases) {
        const posting::Result r = post(c.number);
        EXPECT_EQ(r.outcome, c.outcome) << c.number;
        EXPECT_EQ(r.message, c.message) << c.number;
    }
    EXPECT_EQ(book(), before);
}

TEST_F(StockInPostingTest, AFailurePartWayLeavesTheBookAsItWas) {
    addGoods(t.db(), {.code = "G", .kcsl = 5, .kcje = 25, .kcjg = 5});
    addParty(t.db(), "AGYS", {.code = "S1", .jyje = 100});
    addDocument(t.db(), "ASPRKD", "asprkdd", "000000001", "S1",
                {{.code = "G", .sl = 1, .dj = 6}, {.code = "G", .sl = 2, .dj = 6}});
    // The supplier ledger refuses its row: stock and the goods ledger were written by then.
    t.db().exec("create trigger refuse after insert on AGYMXZ begin select raise(abort, 'disk full'); end");
    const auto before = book();
    EXPECT_THROW(post(), DbError);
    EXPECT_EQ(book(), before);
    t.db().exec("drop trigger refuse");
    EXPECT_TRUE(post().posted()) << "the document can be posted once the fault is gone";
    EXPECT_DOUBLE_EQ(goods("G", "Kcsl").value(0).toDouble(), 8);
}

}  // namespace
