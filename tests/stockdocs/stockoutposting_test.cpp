#include "documents/posting.h"
#include "stockdocs/stockout.h"
#include "support/stockbook.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

using namespace stockbook;

namespace {

class StockOutPostingTest : public testing::Test {
protected:
    QVariantList row(const QString& sql) { return db().rows(sql).value(0); }
    QVariantList goods(const QString& code, const QString& columns) {
        return db().rows(QString("select %1 from ASPKM where Spbm = :c").arg(columns), {{"c", code}}).value(0);
    }
    int count(const QString& table) { return db().scalar("select count(*) from " + table).toInt(); }
    QList<QVariantList> book() {
        QList<QVariantList> all;
        for (const char* table : {"ASPKM", "ASPMXZM", "AXSLSZ", "ABMLSZ", "ABMK", "ABMMXZ", "ASPCKD", "ASPCKDD", "System"})
            all += tableRows(db(), table);
        return all;
    }
    posting::Result post(const QString& number = "000000001") {
        return posting::post(db(), stockout::kind(), number, "李会计");
    }
    Database& db() { return book_->db(); }
    void freshBook() { book_ = std::make_unique<TestDatabase>(); }
    std::unique_ptr<TestDatabase> book_ = std::make_unique<TestDatabase>();
};

// The worked example, as a cash sale and as a sale on account: stock, cost and
// ledgers are the same; only the customer's side of the account differs.
TEST_F(StockOutPostingTest, WorkedExampleCashAndOnAccount) {
    struct Case {
        const char* wayOfSale;
        QVariantList customer;  // byjf, bnjf, bydf, bndf, jyje
        double dfje;
    };
    const Case cases[] = {
        {"现金", {195.0, 595.0, 95.0, 95.0, 300.0}, 95},
        {"零售", {195.0, 595.0, 95.0, 95.0, 300.0}, 95},
        {"记帐", {195.0, 595.0, 0.0, 0.0, 395.0}, 0},
    };
    for (const Case& c : cases) {
        freshBook();
        addGoods(db(), {.code = "G", .kcsl = 160, .kcje = 860, .kcjg = 5.375, .sizes = {84, 76}});
        addParty(db(), "ABMK", {.code = "K", .name = "阳光体育", .byjf = 100, .bnjf = 500, .jyje = 300});
        addSale(db(), "000000001", "K", "阳光体育", c.wayOfSale,
                {{.code = "G", .sl = 10, .dj = 9.5, .sizes = {4, 6}, .remark = "加急"}});
        ASSERT_TRUE(post().posted()) << c.wayOfSale;

        EXPECT_EQ(goods("G", "Kcsl, kcje, kcjg, kcslA, kcslB, Bycksl, Bncksl, byxsje, bnxsje"),
                  QVariantList({150.0, 806.25, 5.375, 80.0, 70.0, 10.0, 10.0, 95.0, 95.0}));
        EXPECT_EQ(goods("G", "lastckrq").value(0).toDate(), QDate(2004, 3, 15));
        EXPECT_EQ(row("select Djhm, Cksl, Ckje, Kcsl, Kcje, Kcjg, Zyxx, slA, slB from ASPMXZM"),
                  QVariantList({"C000000001", 10.0, 53.75, 150.0, 806.25, 5.375, "销售", 4.0, 6.0}))
            << "out at cost, not at the selling price";
        EXPECT_TRUE(row("select Rksl from ASPMXZM").value(0).isNull());
        EXPECT_EQ(row("select Djhm, Spbm, khmc, bzxx, sl, dj, je, slA, slB from AXSLSZ"),
                  QVariantList({"C000000001", "G", "阳光体育", "加急", 10.0, 9.5, 95.0, 4.0, 6.0}));
        EXPECT_EQ(row("select Dwbh, Djhm, jsfs, spmc, artno, color, jldw, sl, dj, je from ABMLSZ"),
                  QVariantList({"K", "000000001", c.wayOfSale, "跑步鞋", "R-1001", "白", "双", 10.0, 9.5, 95.0}));
        EXPECT_EQ(row("select BZW, RYJZ, Je from ASPCKD"), QVariantList({"3", "李会计", 95.0}));
        EXPECT_EQ(db().scalar("select BZW from ASPCKDD").toString(), "3");
        EXPECT_EQ(row("select byjf, bnjf, bydf, bndf, jyje from ABMK where Bm = 'K'"), c.customer) << c.wayOfSale;
        EXPECT_EQ(db().rows("select Dwbh, Djhm, Jfje, Dfje, Jyje from ABMMXZ"),
                  QList<QVariantList>({{"K", "000000001", 95.0, c.dfje, c.customer[4]}}))
            << c.wayOfSale;
    }
}

TEST_F(StockOutPostingTest, StockMayGoBelowNothingAndNoCostGivesNoValue) {
    struct Case {
        double kcsl, kcjg;
        QVariantList after;  // Kcsl, kcje, kcslA
        double ckje;
    };
    const Case cases[] = {
        {4, 5, {-6.0, -30.0, -6.0}, 50},  // more than in stock: the warnings only told
        {0, 0, {-10.0, 0.0, -10.0}, 0},   // never received: no cost
        {30, 0, {20.0, 0.0, 20.0}, 0},
    };
    for (const Case& c : cases) {
        freshBook();
        addGoods(db(), {.code = "G", .kcsl = c.kcsl, .kcje = c.kcsl * c.kcjg, .kcjg = c.kcjg, .sizes = {c.kcsl}});
        addParty(db(), "ABMK", {.code = "K"});
        addSale(db(), "000000001", "K", "某店", "记帐", {{.code = "G", .sl = 10, .dj = 20, .sizes = {10}}});
        ASSERT_TRUE(post().posted());
        EXPECT_EQ(goods("G", "Kcsl, kcje, kcslA"), c.after) << c.kcsl << " at " << c.kcjg;
        EXPECT_DOUBLE_EQ(db().scalar("select Ckje from ASPMXZM").toDouble(), c.ckje);
        EXPECT_DOUBLE_EQ(db().scalar("select je from AXSLSZ").toDouble(), 200) << "sold at its price all the same";
    }
}

// Three lines give three rows in each line ledger and one in the customer's
// detail ledger; names longer than the ledgers' columns are cut to fit.
TEST_F(StockOutPostingTest, ThreeLinesOneDetailRowAndLongNamesCutToTheirColumns) {
    addGoods(db(), {.code = "G1", .kcjg = 2, .baseUnit = "双双双双双双双双", .name = "超轻透气减震专业马拉松跑步鞋男款白蓝色大码"});
    addGoods(db(), {.code = "G2", .kcjg = 3});
    addGoods(db(), {.code = "G3", .kcjg = 4});
    // The walk-in customer is in every book; its name is typed on the document.
    addSale(db(), "000000001", stockout::kWalkIn, "东城区体育中心附属游泳馆零售部", "零售",
            {{.code = "G1", .sl = 1, .dj = 10}, {.code = "G2", .sl = 2, .dj = 10}, {.code = "G3", .sl = 3, .dj = 10}});
    ASSERT_TRUE(post().posted());
    for (const char* table : {"ASPMXZM", "AXSLSZ", "ABMLSZ"}) EXPECT_EQ(count(table), 3) << table;
    EXPECT_EQ(count("ABMMXZ"), 1);
    EXPECT_EQ(row("select Jfje, Dfje, Jyje from ABMMXZ"), QVariantList({60.0, 60.0, 0.0}));
    EXPECT_EQ(row("select byjf, bydf, jyje from ABMK where Bm = '0000'"), QVariantList({60.0, 60.0, 0.0}))
        << "the walk-in customer collects its sales on both sides";

    EXPECT_EQ(db().scalar("select group_concat(khmc, '|') from AXSLSZ").toString(),
              "东城区体育中心附属游泳馆|东城区体育中心附属游泳馆|东城区体育中心附属游泳馆")
        << "the typed walk-in name, cut to the sales ledger's 12 characters";
    EXPECT_EQ(row("select spmc, jldw from ABMLSZ where sl = 1"), QVariantList({"超轻透气减震专业马拉松跑", "双双双双"}));
}

TEST_F(StockOutPostingTest, ATwentyCharacterCustomerNameGoesIntoTheSalesLedgerCut) {
    const QString name = "北京市朝阳区阳光体育用品连锁有限公司总店";  // 20 characters
    ASSERT_EQ(name.size(), 20);
    addGoods(db(), {.code = "G"});
    addParty(db(), "ABMK", {.code = "K", .name = name});
    addSale(db(), "000000001", "K", name, "记帐", {{.code = "G", .sl = 1, .dj = 10}});
    ASSERT_TRUE(post().posted());
    EXPECT_EQ(db().scalar("select khmc from AXSLSZ").toString(), name.left(12));
}

TEST_F(StockOutPostingTest, RefusalsChangeNothing) {
    addGoods(db(), {.code = "G"});
    addSale(db(), "000000001", "K9", "无名", "记帐", {{.code = "G", .sl = 1, .dj = 1}});
    // Saved past the window's rule (by hand in the book): the walk-in customer never buys on account.
    addSale(db(), "000000002", stockout::kWalkIn, "路人", "记帐", {{.code = "G", .sl = 1, .dj = 1}});
    // A line in packages of 6 (by SQL or an import): its sizes add up to 2, posting would take 12.
    addParty(db(), "ABMK", {.code = "K"});
    addSale(db(), "000000003", "K", "某店", "记帐",
            {{.code = "G", .sl = 1, .dj = 1, .sizes = {1}}, {.code = "G", .bzlx = 6, .sl = 2, .dj = 1, .sizes = {2}}});
    const auto before = book();
    EXPECT_EQ(post("000000001").message, "单据中的编码已不存在，不能记帐：客户 K9");
    EXPECT_EQ(post("000000002").message, "散户不允许进行欠帐!");
    const posting::Result packaged = post("000000003");
    EXPECT_EQ(packaged.outcome, posting::Outcome::Refused);
    EXPECT_EQ(packaged.message, "出库单第 2 行(商品 G)的包装类型为 6，出库只能按基本单位(包装类型 1)，不能记帐！");
    EXPECT_EQ(book(), before);
}

TEST_F(StockOutPostingTest, AFailurePartWayLeavesTheBookAsItWas) {
    addGoods(db(), {.code = "G", .kcsl = 50, .kcje = 250, .kcjg = 5, .sizes = {50}});
    addParty(db(), "ABMK", {.code = "K", .jyje = 100});
    addSale(db(), "000000001", "K", "某店", "记帐",
            {{.code = "G", .sl = 1, .dj = 9, .sizes = {1}}, {.code = "G", .sl = 2, .dj = 9, .sizes = {2}}});
    // The customer's detail ledger refuses its row: stock, the three line
    // ledgers and the customer's balance were written by then.
    db().exec("create trigger refuse after insert on ABMMXZ begin select raise(abort, 'disk full'); end");
    const auto before = book();
    EXPECT_THROW(post(), DbError);
    EXPECT_EQ(book(), before);
    db().exec("drop trigger refuse");
    EXPECT_TRUE(post().posted()) << "the document can be posted once the fault is gone";
    EXPECT_EQ(goods("G", "Kcsl, kcslA"), QVariantList({47.0, 47.0}));
    EXPECT_DOUBLE_EQ(db().scalar("select jyje from ABMK where Bm = 'K'").toDouble(), 127);
}

}  // namespace
