// The receipt and payment summaries' statements run on a small book.
#include "moneydocs/moneybook.h"
#include "moneydocs/moneysummary.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>

using namespace moneybook;
using moneydocs::SummaryRange;

namespace {

class MoneySummaryTest : public testing::Test {
protected:
    MoneySummaryTest() {
        addAccount(db(), "ABMK", {.code = "K2", .name = "乙商店"});
        addAccount(db(), "ABMK", {.code = "K1", .name = "甲商店"});
        const QDate d(2004, 3, 1);
        const QList<Document> receipts{
            {.number = "000000001", .party = "K2", .je = 100, .status = "3", .poster = "王会计", .date = QDateTime(d, {})},
            {.number = "000000002", .party = "K1", .je = 40, .status = "3", .poster = "O'Neil", .date = QDateTime(d, {})},
            {.number = "000000003", .party = "K2", .je = 25, .status = "3", .poster = "王会计",
             .date = QDateTime(QDate(2004, 3, 31), QTime(14, 0))},
            {.number = "000000004", .party = "K1", .je = 1000, .status = "1", .date = QDateTime(d, {})},
            {.number = "000000005", .party = "K1", .je = 2000, .status = "4", .poster = "王会计", .date = QDateTime(d, {})},
            {.number = "000000006", .party = "K1", .je = 7, .status = "3", .poster = "王会计",
             .date = QDateTime(QDate(2004, 4, 1), QTime())},
            // A customer deleted since: counted in the total only.
            {.number = "000000042", .party = "K9", .je = 3, .status = "3", .poster = "王会计", .date = QDateTime(d, {})},
        };
        for (const Document& r : receipts) addMoneyDocument(db(), "ASKD", r);
    }
    Database& db() { return t.db(); }
    QList<QVariantList> run(const SummaryRange& range, const moneydocs::SummaryKind& kind = moneydocs::receiptSummary()) {
        const moneydocs::SummaryStatement s = moneydocs::summaryStatement(kind, range);
        return db().rows(s.sql, s.params);
    }
    TestDatabase t;
};

TEST_F(MoneySummaryTest, PostedReceiptsPerCustomerInCodeOrderAndTheTotalLast) {
    struct Case {
        const char* what;
        SummaryRange range;
        QList<QVariantList> rows;
    };
    const QDate march1(2004, 3, 1), march31(2004, 3, 31);
    const Case cases[] = {
        {"the whole month, every poster; the last day's afternoon counts",
         {.fromDate = march1, .toDate = march31},
         {{0, "K1", "甲商店", 40.0}, {0, "K2", "乙商店", 125.0}, {9, "合计", "　合　计", 168.0}}},
        {"one poster",
         {.fromDate = march1, .toDate = march31, .poster = "王会计"},
         {{0, "K2", "乙商店", 125.0}, {9, "合计", "　合　计", 128.0}}},
        {"a poster whose name has an apostrophe",
         {.fromDate = march1, .toDate = march31, .poster = "O'Neil"},
         {{0, "K1", "甲商店", 40.0}, {9, "合计", "　合　计", 40.0}}},
        {"a poster's text that would end the statement's quotes",
         {.fromDate = march1, .toDate = march31, .poster = "x' or '1'='1"},
         {{9, "合计", "　合　计", QVariant()}}},
        {"nothing selected: the total row alone, without an amount",
         {.fromDate = QDate(2004, 2, 1), .toDate = QDate(2004, 2, 29)},
         {{9, "合计", "　合　计", QVariant()}}},
        {"numbers typed short are padded",
         {.byNumber = true, .fromNumber = " 2", .toNumber = "42"},
         {{0, "K1", "甲商店", 47.0}, {0, "K2", "乙商店", 25.0}, {9, "合计", "　合　计", 75.0}}},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.range), c.rows) << c.what;
}

TEST_F(MoneySummaryTest, PaymentsAreSummedFromTheirOwnTableUnderTheCodeColumnBm) {
    addAccount(db(), "AGYS", {.code = "G1", .name = "华南鞋业"});
    addMoneyDocument(db(), "AFKD", {.number = "000000001", .party = "G1", .je = 500, .status = "3", .poster = "王会计"});
    const moneydocs::SummaryStatement s = moneydocs::summaryStatement(
        moneydocs::paymentSummary(), {.fromDate = QDate(2004, 3, 15), .toDate = QDate(2004, 3, 15)});
    Statement st(db(), s.sql, s.params);
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.columnName(1).toLower(), "bm");
    EXPECT_EQ(db().rows(s.sql, s.params),
              QList<QVariantList>({{0, "G1", "华南鞋业", 500.0}, {9, "合计", "　合　计", 500.0}}));
}

TEST(SummaryNumbers, ArePaddedToNineDigits) {
    for (const auto& [typed, padded] : QList<QPair<QString, QString>>{
             {"42", "000000042"}, {"", "000000000"}, {" 7 ", "000000007"}, {"0000000001", "0000000001"}})
        EXPECT_EQ(moneydocs::padNumber(typed), padded) << typed.toStdString();
}

}  // namespace
