// The stock-out window's rules where they differ from the stock-in twin's
// (numbering, guards, deleting and the unsaved-line rule are the shared
// rules, shown on the stock-in document).
#include "database/rowset.h"
#include "stockdocs/stockout.h"
#include "support/openbook.h"
#include "support/stockbook.h"

#include <gtest/gtest.h>

using namespace stockbook;

namespace {

class StockOutRulesTest : public testing::Test {
protected:
    StockOutRulesTest() : header(b.dbm.dbapp), lines(b.dbm.dbapp), goods(b.dbm.dbapp), customers(b.dbm.dbapp) {
        b.session.setOperator("zhang", "张三", {});
        b.session.setBusinessDate(QDate(2004, 3, 15));
        db().exec("update System set SLY = 4");
        b.dbm.config.refresh();
        addGoods(db(), {.code = "G", .kcsl = 100, .xsdj = 120, .pfdj = 95});
        addParty(db(), "ABMK", {.code = "C01", .name = "阳光体育"});
        goods.setTable("ASPKM", "Spbm");
        customers.setTable("ABMK", "Bm");
        header.setTable("ASPCKD", "ASPRKD#PX");
        lines.setTable("ASPCKDD", "DJHM", "DJHM = :DJHM");
        lines.setMaster(&header, {"DJHM"});
        addGoodsLookups(lines, goods);
        rules = std::make_unique<StockOutRules>(
            DocumentRules::Context::of(b.context),
            header, lines, goods, customers);
        rules->install();
        rules->view.focusHeaderBox = [this](const QString& f) { focused = f; };
        rules->view.focusLineColumn = [this](const QString& f) { focused = f; };
        for (RowSet* r : {&goods, &customers, &header, &lines}) r->open();
    }
    Database& db() { return b.dbm.dbapp; }
    // A saved document with its first line open.
    void newSale(const QString& customer, const QString& wayOfSale) {
        ASSERT_TRUE(header.append());
        header.setValue("KHBM", customer);
        header.setValue("SKFS", wayOfSale);
        ASSERT_TRUE(rules->enterLines());
        ASSERT_EQ(lines.state(), RowSet::State::Insert);
    }
    void typeSizes(const QList<double>& sizes) {
        for (int i = 0; i < sizes.size(); ++i) lines.setValue(schema::sizeSlotColumns("sl")[i], sizes[i]);
    }

    OpenBook b;
    RowSet header, lines, goods, customers;
    std::unique_ptr<StockOutRules> rules;
    QString focused;
};

TEST_F(StockOutRulesTest, ANewDocumentSellsRetailToTheWalkInCustomer) {
    db().exec("update System set ykckdh = 7");
    ASSERT_TRUE(header.append());
    EXPECT_EQ(header.value("DJHM").toString(), "000000008");
    EXPECT_EQ(header.value("KHBM").toString(), "0000");
    EXPECT_EQ(header.value("SKFS").toString(), "零售");
    EXPECT_EQ(header.value("CKLB").toString(), "1");
    EXPECT_TRUE(rules->customerNameTyped());
    header.setValue("KHMC", "王先生");
    ASSERT_TRUE(header.post());
    EXPECT_EQ(db().scalar("select ykckdh from System").toInt(), 8);
    EXPECT_EQ(db().rows("select KHMC, RYZD from ASPCKD"), QList<QVariantList>({{"王先生", "张三"}}));
}

TEST_F(StockOutRulesTest, TheHeaderNeedsAKnownCustomerAndTheWalkInCustomerPaysAtOnce) {
    struct Case {
        const char* customer;
        const char* wayOfSale;
        QString message;  // empty: saved
        const char* focus;
    };
    const Case cases[] = {
        {"0000", "记帐", "散户不允许进行欠帐!", "SKFS"},
        {"C09", "记帐", "不存在的部门代码!\n请重新录入....", "KHBM"},
        {"0000", "现金", {}, ""},
        {"0000", "零售", {}, ""},
        {"C01", "记帐", {}, ""},
    };
    for (const Case& c : cases) {
        b.prompter.messages.clear();
        focused.clear();
        ASSERT_TRUE(header.append());
        header.setValue("KHBM", c.customer);
        header.setValue("SKFS", c.wayOfSale);
        EXPECT_EQ(header.post(), c.message.isEmpty()) << c.customer << c.wayOfSale;
        EXPECT_EQ(b.prompter.messages, c.message.isEmpty() ? QStringList() : QStringList({c.message}));
        EXPECT_EQ(focused, c.focus);
        if (header.isEditing()) header.cancel();
    }
    EXPECT_EQ(db().scalar("select count(*) from ASPCKD").toInt(), 3);
}

TEST_F(StockOutRulesTest, TheCustomersNameFollowsItsCodeAndIsTypedOnlyForTheWalkInCustomer) {
    ASSERT_TRUE(header.append());
    header.setValue("KHMC", "王先生");
    header.setValue("KHBM", "C01");
    EXPECT_EQ(header.value("KHMC").toString(), "阳光体育");
    EXPECT_FALSE(rules->customerNameTyped());
    header.setValue("KHBM", "C09");
    EXPECT_EQ(header.value("KHMC").toString(), "") << "no such customer, no name";
    header.setValue("KHBM", "C01");
    header.setValue("KHBM", "0000");
    EXPECT_TRUE(rules->customerNameTyped());
    EXPECT_EQ(header.value("KHMC").toString(), "阳光体育") << "back to the walk-in customer the name stays, to be typed over";
}

TEST_F(StockOutRulesTest, TheQuantityIsTheSumOfTheSizesInUse) {
    newSale("0000", "零售");
    lines.setValue("Spbm", "G");
    typeSizes({2, 3, 0, 5});
    EXPECT_DOUBLE_EQ(lines.value("SL").toDouble(), 10);
    EXPECT_DOUBLE_EQ(lines.value("JE").toDouble(), 1200);
    lines.setValue("slE", 7);  // beyond the four slots in use
    EXPECT_DOUBLE_EQ(lines.value("SL").toDouble(), 10);
    lines.setValue("SL", 12);  // typed over: the sizes no longer add up
    EXPECT_FALSE(lines.post());
    EXPECT_EQ(b.prompter.messages, QStringList({"配码数量与总数量不一致，请进行纠正！"}));
    lines.setValue("slA", 4);
    EXPECT_TRUE(lines.post());
    EXPECT_EQ(db().rows("select BzLx, SL, JBSL, JBDJ, JE, GGDW from ASPCKDD"),
              QList<QVariantList>({{1, 12.0, 12.0, 120.0, 1440.0, "双"}}))
        << "a stock-out line counts base units";
}

TEST_F(StockOutRulesTest, ThePriceIsRetailOrWholesaleByTheWayOfSale) {
    struct Case {
        const char* wayOfSale;
        double price, amount;
    };
    for (const Case& c : {Case{"零售", 120, 1200}, Case{"现金", 95, 950}, Case{"记帐", 95, 950}}) {
        newSale("C01", c.wayOfSale);
        lines.setValue("DJ", 50);
        typeSizes({10});
        lines.setValue("Spbm", "G");  // replaces the price typed before
        EXPECT_DOUBLE_EQ(lines.value("DJ").toDouble(), c.price) << c.wayOfSale;
        EXPECT_DOUBLE_EQ(lines.value("JE").toDouble(), c.amount) << c.wayOfSale;
        lines.setValue("DJ", 100);  // a price typed after (the sales price rule) recomputes the amount
        EXPECT_DOUBLE_EQ(lines.value("JE").toDouble(), 1000);
        lines.cancel();
    }
}

TEST_F(StockOutRulesTest, LinesWithoutQuantityOrWithAnUnknownCodeAreNotSaved) {
    newSale("0000", "零售");
    lines.setValue("Spbm", "NOPE");
    EXPECT_EQ(b.prompter.messages, QStringList({"编码不存的商品,请重新录入,[F2]代码帮助."}));
    EXPECT_EQ(focused, "Spbm");
    EXPECT_DOUBLE_EQ(lines.value("DJ").toDouble(), 0) << "no price taken";
    EXPECT_FALSE(lines.post()) << "quantity 0";
    EXPECT_EQ(b.prompter.messages.last(), "无效分录，不能保存！");
    typeSizes({3});
    focused.clear();
    EXPECT_FALSE(lines.post());
    EXPECT_EQ(b.prompter.messages.last(), "编码不存在的商品,请重新录入,[F2]代码帮助.");
    EXPECT_EQ(focused, "Spbm");
    EXPECT_EQ(db().scalar("select count(*) from ASPCKDD").toInt(), 0);
}

TEST_F(StockOutRulesTest, StockWarningsInformAndTheLineIsSaved) {
    struct Case {
        double kcsl, cbxx;
        QStringList messages;
    };
    const Case cases[] = {
        {8, 0, {"当前品种库存量已经不能满足出库，\n请做进货准备！"}},
        {30, 25, {"当前品种库存量已经低于储备下限，\n请做进货准备!"}},
        {30, 20, {}},
    };
    newSale("C01", "记帐");
    for (const Case& c : cases) {
        db().exec("update ASPKM set Kcsl = :k, Cbxx = :c", {{"k", c.kcsl}, {"c", c.cbxx}});
        goods.refresh();
        if (!lines.isEditing()) {
            ASSERT_TRUE(lines.append());
        }
        lines.setValue("Spbm", "G");
        typeSizes({10});
        b.prompter.messages.clear();
        EXPECT_TRUE(lines.post()) << c.kcsl;
        EXPECT_EQ(b.prompter.messages, c.messages) << c.kcsl;
    }
    EXPECT_EQ(db().scalar("select count(*) from ASPCKDD").toInt(), 3);
}

}  // namespace
