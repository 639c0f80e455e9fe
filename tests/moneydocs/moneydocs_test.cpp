// Receipts and payments without their windows: posting, numbering and the
// save and delete rules, for both twins.
#include "database/rowset.h"
#include "documents/posting.h"
#include "moneydocs/moneybook.h"
#include "moneydocs/moneydocs.h"
#include "support/openbook.h"
#include "support/stockbook.h"

#include <gtest/gtest.h>

using namespace moneybook;

namespace {

QList<QVariantList> book(Database& db) {
    QList<QVariantList> all;
    for (const char* table : {"ABMK", "ABMMXZ", "ABMLSZ", "AGYS", "AGYMXZ", "ASKD", "AFKD", "System"})
        all += stockbook::tableRows(db, table);
    return all;
}

class MoneyPostingTest : public testing::Test {
protected:
    Database& db() { return t.db(); }
    posting::Result post(const DocumentKind& kind, const QString& number = "000000001") {
        return posting::post(db(), kind, number, "李会计");
    }
    QVariantList row(const QString& sql) { return db().rows(sql).value(0); }
    TestDatabase t;
};

TEST_F(MoneyPostingTest, AReceiptCreditsTheCustomerAndLeavesBothLedgerRows) {
    struct Case {
        double je, bydf, bndf, jyje;
    };
    // 300.00 received from a customer owing 800; a receipt of −50 corrects an earlier one.
    for (const Case& c : {Case{300, 400, 800, 500}, Case{-50, 50, 450, 850}}) {
        SCOPED_TRACE(c.je);
        TestDatabase fresh;
        addAccount(fresh.db(), "ABMK", {.code = "K1", .bydf = 100, .bndf = 500, .jyje = 800});
        addMoneyDocument(fresh.db(), "ASKD", {.number = "000000001", .party = "K1", .je = c.je});
        ASSERT_TRUE(posting::post(fresh.db(), moneydocs::receipt(), "000000001", "李会计").posted());
        EXPECT_EQ(fresh.db().rows("select bydf, bndf, jyje, byjf, bnjf, ncye from ABMK where Bm = 'K1'").value(0),
                  QVariantList({c.bydf, c.bndf, c.jyje, 13.0, 11.0, 7.0}));
        EXPECT_EQ(fresh.db().rows("select Dwbh, Djhm, Rq, Zyxx, Jfje, Dfje, Jyje from ABMMXZ"),
                  QList<QVariantList>({{"K1", "000000001", QDateTime(QDate(2004, 3, 15), QTime()), "还货款", 0.0, c.je,
                                        c.jyje}}));
        EXPECT_EQ(fresh.db().rows("select Dwbh, Djhm, jsfs, je from ABMLSZ"),
                  QList<QVariantList>({{"K1", "000000001", "回收欠帐", c.je}}));
        EXPECT_EQ(fresh.db().rows("select BZW, RYJZ, RYZD, Je from ASKD").value(0),
                  QVariantList({"3", "李会计", "张三", c.je}));
    }
}

TEST_F(MoneyPostingTest, APaymentCreditsTheSupplierOnlyAndLeavesCustomersAlone) {
    addAccount(db(), "AGYS", {.code = "G1", .bydf = 0, .bndf = 2000, .jyje = 5000});
    addAccount(db(), "ABMK", {.code = "G1", .jyje = 100});  // a customer with the same code
    addMoneyDocument(db(), "AFKD", {.number = "000000001", .party = "G1", .je = 1000});
    addMoneyDocument(db(), "ASKD", {.number = "000000001", .party = "G1", .je = 5});  // same number, other counter
    const QVariantList customers = row("select * from ABMK where Bm = 'G1'");

    ASSERT_TRUE(post(moneydocs::payment()).posted());
    EXPECT_EQ(row("select bydf, bndf, jyje from AGYS"), QVariantList({1000.0, 3000.0, 4000.0}));
    EXPECT_EQ(db().rows("select Dwbh, Djhm, Jfje, Dfje, Jyje from AGYMXZ"),
              QList<QVariantList>({{"G1", "000000001", 0.0, 1000.0, 4000.0}}));
    EXPECT_EQ(row("select * from ABMK where Bm = 'G1'"), customers);
    EXPECT_EQ(db().scalar("select count(*) from ABMLSZ").toInt() + db().scalar("select count(*) from ABMMXZ").toInt(), 0);
    EXPECT_EQ(row("select BZW from ASKD"), QVariantList({"1"})) << "the receipt of the same number stays unposted";
}

TEST_F(MoneyPostingTest, RefusalsChangeNothing) {
    addAccount(db(), "ABMK", {.code = "K1", .jyje = 800});
    addMoneyDocument(db(), "ASKD", {.number = "000000001", .party = "K1", .je = 0});
    addMoneyDocument(db(), "ASKD", {.number = "000000002", .party = "K1", .je = 10, .status = "3"});
    // The customer was deleted after the receipt was saved.
    addMoneyDocument(db(), "ASKD", {.number = "000000003", .party = "K9", .je = 10});
    struct Case {
        const char* number;
        posting::Outcome outcome;
        QString message;
    };
    const Case cases[] = {
        {"000000001", posting::Outcome::Refused, "无效的单据，不能记帐. \n金额不能为零！"},
        {"000000002", posting::Outcome::AlreadyPosted, "单据已经记帐!"},
        {"000000003", posting::Outcome::MissingCodes, "单据中的编码已不存在，不能记帐：客户 K9"},
    };
    const auto before = book(db());
    for (const Case& c : cases) {
        const posting::Result r = post(moneydocs::receipt(), c.number);
        EXPECT_EQ(r.outcome, c.outcome) << c.number;
        EXPECT_EQ(r.message, c.message) << c.number;
    }
    addMoneyDocument(db(), "AFKD", {.number = "000000001", .party = "0000", .je = 10});
    EXPECT_EQ(post(moneydocs::payment()).message, "单据中的编码已不存在，不能记帐：供应商 0000");
    db().exec("delete from AFKD");
    EXPECT_EQ(book(db()), before);
}

TEST_F(MoneyPostingTest, AFailurePartWayLeavesTheBookAsItWas) {
    addAccount(db(), "ABMK", {.code = "K1", .jyje = 800});
    addMoneyDocument(db(), "ASKD", {.number = "000000001", .party = "K1", .je = 300});
    // The flow ledger refuses its row: the balance and the detail ledger were written by then.
    db().exec("create trigger refuse after insert on ABMLSZ begin select raise(abort, 'disk full'); end");
    const auto before = book(db());
    EXPECT_THROW(post(moneydocs::receipt()), DbError);
    EXPECT_EQ(book(db()), before);
    db().exec("drop trigger refuse");
    ASSERT_TRUE(post(moneydocs::receipt()).posted()) << "the receipt can be posted once the fault is gone";
    EXPECT_DOUBLE_EQ(db().scalar("select jyje from ABMK where Bm = 'K1'").toDouble(), 500);
}

// The entry window's row sets and rules, without the window, for each twin.
class MoneyRulesTest : public testing::TestWithParam<const DocumentKind*> {
protected:
    MoneyRulesTest() : header(db()), goods(db()), parties(db()) {
        b.session.setOperator("zhang", "张三", {});
        b.session.setBusinessDate(QDate(2004, 3, 15));
        addAccount(db(), kind().partyTable, {.code = "P1"});
        parties.setTable(kind().partyTable, "bm");
        header.setTable(kind().headerTable, "ASPRKD#PX");
        header.addLookupField("dwmc", "Dwbh", &parties, "Bm", "Mc");
        moneydocs::addAmountInCapitals(header);
        rules = std::make_unique<MoneyDocumentRules>(
            kind(),
            DocumentRules::Context::of(b.context),
            header, goods, parties);
        rules->install();
        parties.open();
        header.open();
    }
    const DocumentKind& kind() const { return *GetParam(); }
    Database& db() { return b.dbm.dbapp; }
    qint64 counter() { return db().scalar(QString("select %1 from System").arg(kind().counter)).toLongLong(); }

    OpenBook b;
    RowSet header, goods, parties;
    std::unique_ptr<MoneyDocumentRules> rules;
};

TEST_P(MoneyRulesTest, NumberedFromItsOwnCounterForTheWalkInCodeUntilAPartyIsGiven) {
    db().exec(QString("update System set %1 = 41").arg(kind().counter));
    ASSERT_TRUE(header.append());
    EXPECT_EQ(header.value("Djhm").toString(), "000000042");
    EXPECT_EQ(header.value("Dwbh").toString(), "0000");
    EXPECT_EQ(header.value("RQ").toDate(), QDate(2004, 3, 15));
    EXPECT_EQ(header.value("BZW").toString(), "1");
    EXPECT_EQ(header.value("Je").toDouble(), 0);
    header.cancel();
    EXPECT_EQ(counter(), 41) << "a cancelled document leaves its number free";

    ASSERT_TRUE(header.append());
    if (kind().partyTable == "AGYS") {
        // Among suppliers "0000" is no one.
        EXPECT_FALSE(header.post());
        EXPECT_EQ(b.prompter.messages, QStringList({"不存在的单位代码!\n请重新录入...."}));
        EXPECT_EQ(header.state(), RowSet::State::Insert);
        header.setValue("Dwbh", "P1");
    }
    header.setValue("Je", 12.5);
    ASSERT_TRUE(header.post());
    EXPECT_EQ(counter(), 42);
    EXPECT_EQ(db().scalar("select ykskdh + YKFKDH from System").toInt(), 42) << "the other twin's counter stays";
    EXPECT_EQ(header.value("RYZD").toString(), "张三");
    EXPECT_EQ(header.value("rmbdx").toString(), "壹拾贰元伍角整");
}

TEST_P(MoneyRulesTest, APostedDocumentIsFrozenAndAnOpenOneGoesOnlyOnYes) {
    addMoneyDocument(db(), kind().headerTable, {.number = "000000001", .party = "P1", .je = 5, .status = "3"});
    addMoneyDocument(db(), kind().headerTable, {.number = "000000002", .party = "P1", .je = 5});
    header.refresh();
    header.first();
    EXPECT_EQ(rules->statusText(), "单据已记帐");
    EXPECT_FALSE(header.edit());
    EXPECT_FALSE(header.remove());
    EXPECT_EQ(b.prompter.messages, QStringList({"单据已经记帐，不能修改!", "单据已经记帐，不能删除!"}));

    header.last();
    EXPECT_EQ(rules->statusText(), "单据未记帐");
    b.prompter.expectQuestion("是否要删除当前单据?", false);
    EXPECT_FALSE(header.remove());
    b.prompter.expectQuestion("是否要删除当前单据?", true);
    EXPECT_TRUE(header.remove());
    EXPECT_EQ(db().scalar(QString("select count(*) from %1").arg(kind().headerTable)).toInt(), 1);
}

TEST_P(MoneyRulesTest, PostingAZeroAmountSavesTheNewDocumentAndLeavesItOpen) {
    ASSERT_TRUE(header.append());
    header.setValue("Dwbh", "P1");
    b.prompter.expectQuestion("是否确定要对当前单据记帐？", true);
    rules->post();
    EXPECT_EQ(b.prompter.messages, QStringList({"无效的单据，不能记帐. \n金额不能为零！"}));
    EXPECT_EQ(counter(), 1) << "saved first";
    EXPECT_EQ(db().scalar(QString("select BZW from %1").arg(kind().headerTable)).toString(), "1");

    b.prompter.messages.clear();
    ASSERT_TRUE(header.edit());
    header.setValue("Je", 300);
    b.prompter.expectQuestion("是否确定要对当前单据记帐？", true);
    rules->post();
    EXPECT_TRUE(b.prompter.messages.isEmpty()) << b.prompter.messages.join("|").toStdString();
    EXPECT_EQ(rules->statusText(), "单据已记帐");
    EXPECT_EQ(header.value("RYJZ").toString(), "张三");
    EXPECT_DOUBLE_EQ(parties.value("jyje").toDouble(), -300) << "the party's balance is read again";
}

INSTANTIATE_TEST_SUITE_P(Twins, MoneyRulesTest, testing::Values(&moneydocs::receipt(), &moneydocs::payment()),
                         [](const auto& info) { return info.param->code.toStdString(); });

}  // namespace
