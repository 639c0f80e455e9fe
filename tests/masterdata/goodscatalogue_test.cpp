#include "database/rowset.h"
#include "database/schema.h"
#include "masterdata/goodscatalogue.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

namespace {

class GoodsCatalogueTest : public testing::Test {
protected:
    GoodsCatalogueTest() : goods(t.db()) {
        t.db().exec("insert into ASPKM (Spbm, Spmc, ArtNo, Splb, Jldw, Scale, Xsdj, Kcsl) values "
                    "('A1', '红色跑鞋', 'R-1', '01', '双', 12, 398, 0), ('B2', '篮球鞋', 'B-2', '01', '双', 10, 568, 0), "
                    "('C3', '红色球衣', 'J-3', '02', '件', 20, 188, 0), ('D4', '袜子', 'P-4', '03', '双', 1, 25, 0)");
        goods.setTable("ASPKM", "Spbm");
        goods.open();
        rules = std::make_unique<GoodsCatalogue>(goods, prompter, [this] { return sly; });
    }
    TestDatabase t;
    ScriptedPrompter prompter;
    RowSet goods;
    std::unique_ptr<GoodsCatalogue> rules;
    int sly = 8;
};

TEST_F(GoodsCatalogueTest, TheSlotsInUseMustAddUpToTheStock) {
    struct Case {
        int sly;
        QList<int> sizes;  // A, B, …
        double stock;
        bool saved;
    };
    QList<int> fifteenOnes(15, 1);
    QList<int> sixteen = fifteenOnes;
    sixteen.append(7);  // slot P: not in use with 15, never checked
    const Case cases[] = {
        {0, {}, 0, true},       {0, {}, 5, false},        {0, {3}, 0, true},
        {8, {2, 3}, 5, true},   {8, {2, 3}, 6, false},    {15, sixteen, 15, true},
        {15, fifteenOnes, 14, false}, {16, sixteen, 22, true},
    };
    const QStringList columns = schema::sizeSlotColumns("kcsl");
    for (const Case& c : cases) {
        sly = c.sly;
        prompter.messages.clear();
        goods.first();
        ASSERT_TRUE(goods.edit());
        for (int i = 0; i < 16; ++i) goods.setValue(columns[i], c.sizes.value(i, 0));
        goods.setValue("Kcsl", c.stock);
        EXPECT_EQ(goods.post(), c.saved) << "SLY " << c.sly << " stock " << c.stock;
        EXPECT_EQ(prompter.messages, c.saved ? QStringList{} : QStringList{"配码数量与总计数量不一致，请进行纠正！"});
        EXPECT_EQ(goods.isEditing(), !c.saved) << "a refused row stays in edit";
        goods.cancel();
    }
}

TEST_F(GoodsCatalogueTest, ARowOfNullsIsSavedAsZeros) {
    goods.append();
    goods.setValue("Spbm", "E5");
    for (const QString& f : schema::sizeSlotColumns("kcsl")) goods.setValue(f, QVariant());
    goods.setValue("Kcsl", QVariant());
    ASSERT_TRUE(goods.post());
    const QVariantList row =
        t.db().rows("select Kcsl, kcslA, kcslH, kcslP from ASPKM where Spbm = 'E5'").value(0);
    for (const QVariant& v : row) {
        EXPECT_FALSE(v.isNull());
        EXPECT_EQ(v.toDouble(), 0);
    }
}

TEST_F(GoodsCatalogueTest, NewRowsTakeDefaultsAndCopyThePreviousRowWhenAsked) {
    goods.locate("Spbm", "B2");
    goods.append();
    EXPECT_EQ(goods.value("Scale").toInt(), 1);
    EXPECT_EQ(goods.value("Kcsl").toDouble(), 0);
    EXPECT_TRUE(goods.value("Spmc").isNull());
    goods.cancel();

    goods.locate("Spbm", "B2");
    rules->copyIntoNewRows = true;
    goods.append();
    EXPECT_EQ(goods.value("Spmc").toString(), "篮球鞋");
    EXPECT_EQ(goods.value("Scale").toInt(), 10);
    EXPECT_EQ(goods.value("Xsdj").toDouble(), 568);
    EXPECT_EQ(goods.value("Spbm").toString(), "B2");
    EXPECT_FALSE(goods.post()) << "the copied code is a duplicate";
    EXPECT_EQ(prompter.messages, QStringList{"关键字(编码)不能重复!"});
    EXPECT_TRUE(goods.isEditing());
    goods.setValue("Spbm", "B3");
    EXPECT_TRUE(goods.post());
}

TEST_F(GoodsCatalogueTest, StockValueFollowsQuantityAndCostAndScaleIsLimited) {
    goods.edit();
    goods.setValue("Kcsl", 4);
    goods.setValue("kcjg", 2.5);
    EXPECT_DOUBLE_EQ(goods.value("kcje").toDouble(), 10);
    goods.setValue("Kcsl", 6);
    EXPECT_DOUBLE_EQ(goods.value("kcje").toDouble(), 15);
    EXPECT_FALSE(goods.setValue("Scale", 201));
    EXPECT_FALSE(goods.setValue("Scale", 0));
    EXPECT_TRUE(goods.setValue("Scale", 200));
    EXPECT_EQ(prompter.messages.size(), 2);
}

TEST_F(GoodsCatalogueTest, FindAndFindNextWrapAsTheShopkeeperExpects) {
    rules->find("  红色 ");
    EXPECT_EQ(goods.value("Spbm").toString(), "A1");
    rules->findNext("红色");
    EXPECT_EQ(goods.value("Spbm").toString(), "C3");
    rules->findNext("红色");
    EXPECT_EQ(goods.value("Spbm").toString(), "A1") << "no further match: back to the first row";
    EXPECT_TRUE(prompter.messages.isEmpty());
    rules->find("皮鞋");
    EXPECT_EQ(goods.value("Spbm").toString(), "D4") << "no match: the last row";
    EXPECT_EQ(prompter.messages, QStringList{"没有匹配的记录!"});
    goods.first();
    rules->find("   ");
    EXPECT_EQ(goods.value("Spbm").toString(), "A1");
}

TEST_F(GoodsCatalogueTest, DeletingAsksAndCancelKeepsTheRow) {
    prompter.expectQuestion("是否要删除当前记录？", false);
    EXPECT_FALSE(goods.remove());
    prompter.expectQuestion("是否要删除当前记录？", true);
    EXPECT_TRUE(goods.remove());
    EXPECT_EQ(t.db().scalar("select count(*) from ASPKM").toInt(), 3);
}

TEST_F(GoodsCatalogueTest, KeptValuesFollowTheCurrentRow) {
    goods.locate("Spbm", "C3");
    EXPECT_EQ(rules->kept().value("Spmc").toString(), "红色球衣");
    EXPECT_EQ(rules->kept().value("color").toString(), "") << "Null kept as empty text";
    EXPECT_EQ(rules->kept().value("Pfdj").toDouble(), 0);
}

}  // namespace
