#include "database/rowset.h"
#include "stockdocs/stockin.h"
#include "support/openbook.h"
#include "support/stockbook.h"

#include <gtest/gtest.h>

using namespace stockbook;

namespace {

// The stock-in window's row sets and rules, without the window.
class StockInRulesTest : public testing::Test {
protected:
    StockInRulesTest() : header(b.dbm.dbapp), lines(b.dbm.dbapp), goods(b.dbm.dbapp), suppliers(b.dbm.dbapp) {
        b.session.setOperator("zhang", "张三", {});
        b.session.setBusinessDate(QDate(2004, 3, 15));
        setSlotsInUse(3);
        addGoods(db(), {.code = "G1", .scale = 12});
        addGoods(db(), {.code = "G6", .scale = 6});
        addParty(db(), "AGYS", {.code = "S1", .name = " 某厂 "});
        open();
    }
    void setSlotsInUse(int sly) {
        db().exec("update System set SLY = :sly", {{"sly", sly}});
        b.dbm.config.refresh();
    }
    void open() {
        goods.setTable("ASPKM", "Spbm");
        suppliers.setTable("AGYS", "Bm");
        header.setTable("ASPRKD", "ASPRKD#PX");
        header.addLookupField("rfkhmc", "KHBM", &suppliers, "Bm", "Mc");
        lines.setTable("asprkdd", "DJHM", "DJHM = :DJHM");
        lines.setMaster(&header, {"DJHM"});
        addGoodsLookups(lines, goods);
        rules = std::make_unique<StockInRules>(
            DocumentRules::Context::of(b.context),
            header, lines, goods, suppliers);
        rules->install();
        for (RowSet* r : {&goods, &suppliers, &header, &lines}) r->open();
    }
    Database& db() { return b.dbm.dbapp; }
    qint64 counter() { return db().scalar("select Ykrkdh from System").toLongLong(); }
    // A saved document for supplier S1 with its first line open.
    void newDocumentWithLine() {
        ASSERT_TRUE(header.append());
        header.setValue("KHBM", "S1");
        ASSERT_TRUE(rules->enterLines());
        ASSERT_EQ(lines.state(), RowSet::State::Insert);
    }
    void typeLine(const QString& code, double sl, double dj, QList<double> sizes = {}) {
        lines.setValue("Spbm", code);
        lines.setValue("SL", sl);
        lines.setValue("DJ", dj);
        for (int i = 0; i < sizes.size(); ++i) lines.setValue(schema::sizeSlotColumns("sl")[i], sizes[i]);
    }

    OpenBook b;
    RowSet header, lines, goods, suppliers;
    std::unique_ptr<StockInRules> rules;
};

TEST_F(StockInRulesTest, ANumberIsShownAtStartAndTakenAtTheFirstSave) {
    db().exec("update System set Ykrkdh = 41");
    ASSERT_TRUE(header.append());
    EXPECT_EQ(header.value("DJHM").toString(), "000000042");
    EXPECT_EQ(header.value("BZW").toString(), "1");
    EXPECT_EQ(header.value("RQ").toDate(), QDate(2004, 3, 15));
    header.cancel();
    EXPECT_EQ(counter(), 41) << "a cancelled document leaves its number free";

    ASSERT_TRUE(header.append());
    EXPECT_EQ(header.value("DJHM").toString(), "000000042");
    header.setValue("KHBM", "S1");
    ASSERT_TRUE(header.post());
    EXPECT_EQ(counter(), 42);
    EXPECT_EQ(db().scalar("select RYZD from ASPRKD").toString(), "张三");
    EXPECT_EQ(b.dbm.config.value("Ykrkdh").toInt(), 42) << "the configuration row shows the raised counter";
}

TEST_F(StockInRulesTest, ANumberTakenMeanwhileGivesTheNextFreeOneAndTheUserIsTold) {
    ASSERT_TRUE(header.append());
    ASSERT_EQ(header.value("DJHM").toString(), "000000001");
    // Another workstation saved number 1 meanwhile; a stray document holds 2.
    db().exec("update System set Ykrkdh = 1");
    addDocument(db(), "ASPRKD", "asprkdd", "000000002", "S1", {});
    header.setValue("KHBM", "S1");
    ASSERT_TRUE(header.post());
    EXPECT_EQ(header.value("DJHM").toString(), "000000003");
    EXPECT_EQ(counter(), 3);
    EXPECT_EQ(b.prompter.messages, QStringList({"单据号码 000000001 已被使用，本单据的号码改为 000000003。"}));
}

TEST_F(StockInRulesTest, AHeaderNeedsAnExistingSupplierAndAFailedSaveKeepsTheCounter) {
    ASSERT_TRUE(header.append());
    header.setValue("KHBM", "S9");
    EXPECT_FALSE(header.post());
    EXPECT_EQ(b.prompter.messages, QStringList({"不存在的供应商代码!\n请重新录入...."}));
    EXPECT_EQ(header.state(), RowSet::State::Insert);
    EXPECT_EQ(counter(), 0);
    // The write itself fails (an over-long invoice number): the counter is not raised either.
    header.setValue("KHBM", "S1");
    db().exec("create trigger refuse before insert on ASPRKD begin select raise(abort, 'disk full'); end");
    EXPECT_FALSE(header.post());
    EXPECT_EQ(b.prompter.messages.mid(1, 1), QStringList({"单据不能保存！"}));
    EXPECT_EQ(counter(), 0);
}

TEST_F(StockInRulesTest, LineArithmeticAndUnitText) {
    newDocumentWithLine();
    lines.setValue("SL", 3);
    lines.setValue("Spbm", "G6");  // its package size recomputes from the quantity already typed
    EXPECT_EQ(lines.value("BzLx").toInt(), 6);
    EXPECT_DOUBLE_EQ(lines.value("JBSL").toDouble(), 18);
    lines.setValue("Spbm", "G1");
    lines.setValue("DJ", 2.5);
    EXPECT_EQ(lines.value("BzLx").toInt(), 12);
    EXPECT_DOUBLE_EQ(lines.value("JBSL").toDouble(), 36);
    EXPECT_DOUBLE_EQ(lines.value("JBDJ").toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(lines.value("JE").toDouble(), 90);
    EXPECT_EQ(lines.value("GGDW").toString(), "箱(12x)");
    lines.setValue("BzLx", 1);
    EXPECT_EQ(lines.value("GGDW").toString(), "双");
    EXPECT_FALSE(lines.setValue("BzLx", 121)) << "a package holds 1 to 120";
    EXPECT_EQ(lines.value("BzLx").toInt(), 1);
}

TEST_F(StockInRulesTest, TheSlotsInUseMustAddUpToTheBaseQuantity) {
    struct Case {
        int sly;
        double sl;  // packages of 12
        QList<double> sizes;
        bool saves;
    };
    const Case cases[] = {
        {3, 3, {10, 20, 6}, true},
        {3, 3, {10, 20, 5}, false},
        {3, 3, {10, 20, 6, 99, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7}, true},  // D..P not counted
        {0, 0, {}, true},
        {0, 1, {}, false},
    };
    for (const Case& c : cases) {
        setSlotsInUse(c.sly);
        open();
        newDocumentWithLine();
        typeLine("G1", c.sl, 1, c.sizes);
        b.prompter.messages.clear();
        EXPECT_EQ(lines.post(), c.saves) << c.sly << " " << c.sl;
        EXPECT_FALSE(lines.value("slE").isNull()) << "empty slots became 0";
        if (!c.saves) {
            EXPECT_EQ(b.prompter.messages, QStringList({"配码数量与总数量不一致，请进行纠正！"}));
            lines.cancel();
        }
    }
}

TEST_F(StockInRulesTest, AnUnknownGoodsCodeIsToldWhenTypedAndRefusedWhenSaved) {
    newDocumentWithLine();
    lines.setValue("SL", 0);
    QString focused;
    rules->view.focusLineColumn = [&](const QString& f) { focused = f; };
    lines.setValue("Spbm", "NOPE");
    EXPECT_EQ(b.prompter.messages, QStringList({"编码不存的商品!\n请重新录入,[F2]代码帮助."}));
    EXPECT_EQ(lines.value("BzLx").toInt(), 1) << "the package size is not taken";
    EXPECT_FALSE(lines.post());
    EXPECT_EQ(b.prompter.messages.last(), "编码不存在的商品!\n请重新录入,[F2]代码帮助.");
    EXPECT_EQ(focused, "Spbm");
}

TEST_F(StockInRulesTest, EnteringTheLinesSavesTheHeaderAndOpensAFirstLine) {
    ASSERT_TRUE(header.append());
    header.setValue("KHBM", "S9");
    EXPECT_FALSE(rules->enterLines()) << "the header must name an existing supplier first";
    header.setValue("KHBM", "S1");
    ASSERT_TRUE(rules->enterLines());
    EXPECT_EQ(counter(), 1);
    EXPECT_EQ(lines.state(), RowSet::State::Insert);
    EXPECT_EQ(lines.value("FLBH").toInt(), 1);
    EXPECT_EQ(lines.value("DJHM").toString(), "000000001");
}

TEST_F(StockInRulesTest, NewLinesNumberOnAfterTheLastEvenWithOneDeletedBetween) {
    newDocumentWithLine();
    for (int i = 0; i < 3; ++i) {
        if (i) {
            ASSERT_TRUE(lines.append());
        }
        typeLine("G1", 0, 1);
        ASSERT_TRUE(lines.post());
    }
    lines.first();
    b.prompter.expectQuestion("是否要删除当前分录?", true);
    ASSERT_TRUE(lines.remove());
    ASSERT_TRUE(lines.append());
    EXPECT_EQ(lines.value("FLBH").toInt(), 4);
}

TEST_F(StockInRulesTest, TheDefaultNoteNamesTheSupplierOnlyWhenEmpty) {
    ASSERT_TRUE(header.append());
    header.setValue("KHBM", "S1");
    rules->noteEntered();
    EXPECT_EQ(header.value("NOTE").toString(), "从某厂进货");
    header.setValue("NOTE", "补货");
    rules->noteEntered();
    EXPECT_EQ(header.value("NOTE").toString(), "补货");
}

TEST_F(StockInRulesTest, AHeaderWithLinesIsDeletedOnlyAfterItsLines) {
    newDocumentWithLine();
    typeLine("G1", 0, 1);
    ASSERT_TRUE(lines.post());
    EXPECT_FALSE(header.remove());
    EXPECT_EQ(b.prompter.messages.last(), "要删除单据应首先删除此单据所有分录!");
    b.prompter.expectQuestion("是否要删除当前分录?", false);
    EXPECT_FALSE(lines.remove());
    b.prompter.expectQuestion("是否要删除当前分录?", true);
    ASSERT_TRUE(lines.remove());
    b.prompter.expectQuestion("是否要删除当前单据?", true);
    EXPECT_TRUE(header.remove());
    EXPECT_EQ(db().scalar("select count(*) from ASPRKD").toInt(), 0);
}

TEST_F(StockInRulesTest, APostedDocumentRefusesEveryChange) {
    addDocument(db(), "ASPRKD", "asprkdd", "000000001", "S1", {{.code = "G1", .sl = 0, .dj = 1}});
    db().exec("update ASPRKD set BZW = '3'");
    db().exec("update asprkdd set BZW = '3'");
    header.refresh();
    lines.refresh();
    ASSERT_TRUE(rules->isFrozen());
    EXPECT_EQ(rules->statusText(), "单据已记帐");
    EXPECT_FALSE(header.edit());
    EXPECT_FALSE(lines.edit());
    EXPECT_FALSE(lines.append());
    EXPECT_FALSE(lines.remove());
    EXPECT_FALSE(header.remove());
    EXPECT_EQ(b.prompter.messages, QStringList({"单据已经记帐，不能修改!", "单据已经记帐，不能修改!",
                                                "单据已经记帐，不能修改!", "单据已经记帐，不能删除!",
                                                "单据已经记帐，不能删除!"}));
    EXPECT_TRUE(rules->enterLines()) << "entering the lines of a posted document opens none";
    EXPECT_EQ(lines.state(), RowSet::State::Browse);
}

TEST_F(StockInRulesTest, TheUnsavedLineRuleSavesALineWithGoodsAndDropsOneWithout) {
    newDocumentWithLine();
    lines.setValue("SL", 5);  // half-typed, no goods code yet
    EXPECT_TRUE(rules->leaveUnsavedLine());
    EXPECT_EQ(db().scalar("select count(*) from asprkdd").toInt(), 0);

    ASSERT_TRUE(lines.append());
    typeLine("G1", 1, 2, {12});  // 12 base units, all in slot A
    EXPECT_TRUE(rules->leaveUnsavedLine());
    EXPECT_EQ(db().scalar("select count(*) from asprkdd").toInt(), 1);

    ASSERT_TRUE(lines.append());
    typeLine("G1", 1, 2);  // sizes do not add up: the save is refused and the command stops
    EXPECT_FALSE(rules->leaveUnsavedLine());
    EXPECT_TRUE(lines.isEditing());
}

TEST_F(StockInRulesTest, PostingSavesANewDocumentThenPostsIt) {
    newDocumentWithLine();
    typeLine("G1", 1, 2, {12});  // still being typed
    QStringList statuses;
    rules->view.showStatus = [&](const QString& s) { statuses.append(s); };
    b.prompter.expectQuestion("是否确定要对当前单据记帐？", true);
    rules->post();
    EXPECT_TRUE(b.prompter.messages.isEmpty()) << b.prompter.messages.join("|").toStdString();
    EXPECT_EQ(b.prompter.waitTexts, QStringList({"正在进行单据记账，请等待...."}));
    EXPECT_EQ(b.prompter.waitBoxesShown, 0);
    EXPECT_EQ(statuses, QStringList({"正在记帐"}));
    EXPECT_EQ(header.value("BZW").toString(), "3") << "the window shows what posting wrote";
    EXPECT_EQ(header.value("RYJZ").toString(), "张三");
    EXPECT_DOUBLE_EQ(goods.value("Kcsl").toDouble(), 12);
    EXPECT_TRUE(rules->isFrozen());
}

TEST_F(StockInRulesTest, PostingRefusals) {
    ASSERT_TRUE(header.append());
    header.setValue("KHBM", "S1");
    b.prompter.expectQuestion("是否确定要对当前单据记帐？", false);
    rules->post();
    EXPECT_EQ(header.state(), RowSet::State::Insert) << "No leaves the document as it was";

    b.prompter.expectQuestion("是否确定要对当前单据记帐？", true);
    rules->post();
    EXPECT_EQ(b.prompter.messages, QStringList({"无效的单据,不能记帐！"}));
    EXPECT_EQ(db().rows("select BZW from ASPRKD"), QList<QVariantList>({{"1"}})) << "saved, still unposted";

    db().exec("update ASPRKD set BZW = '3'");
    header.refresh();
    rules->post();
    EXPECT_EQ(b.prompter.messages.last(), "单据已经记帐!");
}

}  // namespace
