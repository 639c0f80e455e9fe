// Purchase orders without their window: numbering, the ordering company,
// the lines' quantities and the delete rules.
#include "database/rowset.h"
#include "moneydocs/orders.h"
#include "support/openbook.h"
#include "support/stockbook.h"

#include <gtest/gtest.h>

using namespace stockbook;

namespace {

class OrderRulesTest : public testing::Test {
protected:
    OrderRulesTest() : header(db()), lines(db()), goods(db()), suppliers(db()) {
        b.session.setOperator("zhang", "张三", {});
        b.session.setBusinessDate(QDate(2004, 3, 15));
        db().exec("update System set LastOrder = 7, ANAME = '示例体育用品商店', LXRY = '赵经理', ADDRESS = '解放路1号', "
                  "TELNO = '0571-1234', FAXNO = '0571-5678', ZIPCODE = '310000'");
        b.dbm.config.refresh();
        addGoods(db(), {.code = "G12", .scale = 12, .baseUnit = "双", .packageUnit = "箱"});
        addParty(db(), "AGYS", {.code = "S1"});
        goods.setTable("ASPKM", "spbm");
        suppliers.setTable("AGYS", "bm");
        header.setTable("AOrders", "ASPRKD#PX");
        lines.setTable("AOrdersD", "DJHM", "DJHM = :DJHM");
        lines.setMaster(&header, {"DJHM"});
        addGoodsLookups(lines, goods);
        rules = std::make_unique<OrderRules>(
            DocumentRules::Context::of(b.context),
            header, lines, goods, suppliers);
        rules->install();
        for (RowSet* r : {&goods, &suppliers, &header, &lines}) r->open();
    }
    Database& db() { return b.dbm.dbapp; }
    QList<QVariantList> lineNumbers() { return db().rows("select FLBH from AOrdersD order by FLBH"); }

    OpenBook b;
    RowSet header, lines, goods, suppliers;
    std::unique_ptr<OrderRules> rules;
};

TEST_F(OrderRulesTest, ANewOrderIsNumberedFromLastOrderAndCarriesTheCompany) {
    ASSERT_TRUE(header.append());
    EXPECT_EQ(header.value("DJHM").toString(), "000000008");
    header.cancel();
    EXPECT_EQ(db().scalar("select LastOrder from System").toInt(), 7);

    ASSERT_TRUE(header.append());
    EXPECT_EQ(header.value("BZW").toString(), "1");
    header.setValue("KHBM", "S9");
    EXPECT_FALSE(header.post());
    EXPECT_EQ(b.prompter.messages, QStringList({"不存在的供应商代码!\n请重新录入...."}));
    header.setValue("KHBM", "S1");
    header.setValue("TELNO", "0571-9999");  // this order's own
    ASSERT_TRUE(header.post());
    EXPECT_EQ(db().scalar("select LastOrder from System").toInt(), 8);
    EXPECT_EQ(db().rows("select DWMC, LXRY, ADDR, TELNO, FAXNO, YZBM, RYZD from AOrders").value(0),
              QVariantList({"示例体育用品商店", "赵经理", "解放路1号", "0571-9999", "0571-5678", "310000", "张三"}));
}

TEST_F(OrderRulesTest, ALineCarriesPackagesAndBaseQuantityButNoSizeCheckOrAmount) {
    ASSERT_TRUE(header.append());
    header.setValue("KHBM", "S1");
    ASSERT_TRUE(rules->enterLines());
    ASSERT_EQ(lines.state(), RowSet::State::Insert);
    EXPECT_EQ(lines.value("FLBH").toInt(), 1);
    lines.setValue("Spbm", "G12");
    lines.setValue("SL", 3);
    EXPECT_EQ(lines.value("BzLx").toInt(), 12);
    EXPECT_EQ(lines.value("GGDW").toString(), "箱(12x)");
    EXPECT_EQ(lines.value("JBSL").toDouble(), 36);
    lines.setValue("A0", QVariant());
    lines.setValue("A1", 5);  // sizes need not add up on an order
    ASSERT_TRUE(lines.post()) << b.prompter.messages.join("|").toStdString();
    EXPECT_EQ(db().rows("select A0, A1, AF, JE, DJ from AOrdersD").value(0), QVariantList({0, 5, 0.0, 0.0, 0.0}));

    ASSERT_TRUE(lines.append());
    lines.setValue("Spbm", "NOPE");
    EXPECT_FALSE(lines.post());
    EXPECT_EQ(b.prompter.messages,
              QStringList({"编码不存的商品!\n请重新录入,[F2]代码帮助.", "编码不存在的商品!\n请重新录入,[F2]代码帮助."}));
}

TEST_F(OrderRulesTest, AnOrderIsDeletedAfterItsLinesAndLineNumbersNeverRepeat) {
    ASSERT_TRUE(header.append());
    header.setValue("KHBM", "S1");
    ASSERT_TRUE(rules->enterLines());
    lines.setValue("Spbm", "G12");
    ASSERT_TRUE(lines.post());
    ASSERT_TRUE(lines.append());
    lines.setValue("Spbm", "G12");
    ASSERT_TRUE(lines.post());
    EXPECT_EQ(lineNumbers(), QList<QVariantList>({{1}, {2}}));

    lines.first();
    b.prompter.expectQuestion("是否还要删除定单分录？", true);
    ASSERT_TRUE(lines.remove());
    // After line 1 went, the next line follows the last one instead of
    // repeating number 2; a number typed over an existing one is refused.
    ASSERT_TRUE(lines.append());
    EXPECT_EQ(lines.value("FLBH").toInt(), 3);
    lines.setValue("Spbm", "G12");
    lines.setValue("FLBH", 2);
    EXPECT_FALSE(lines.post());
    EXPECT_EQ(b.prompter.messages, QStringList({"分录号不能重复!"}));
    lines.setValue("FLBH", 3);
    ASSERT_TRUE(lines.post());

    b.prompter.messages.clear();
    EXPECT_FALSE(header.remove());
    EXPECT_EQ(b.prompter.messages, QStringList({"要删除单据应首先删除此定单所有分录!"}));
    for (int i = 0; i < 2; ++i) {
        b.prompter.expectQuestion("是否还要删除定单分录？", true);
        ASSERT_TRUE(lines.remove());
    }
    b.prompter.expectQuestion("是否要删除当前定单?", true);
    EXPECT_TRUE(header.remove());
    EXPECT_EQ(db().scalar("select count(*) from AOrders").toInt(), 0);
}

}  // namespace
