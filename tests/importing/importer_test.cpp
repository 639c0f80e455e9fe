#include "importing/importer.h"

#include "documents/documentrules.h"
#include "stockdocs/stockout.h"
#include "support/gb18030.h"
#include "support/stockbook.h"
#include "support/testdatabase.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace stockbook;
using importing::Kind;
using importing::Outcome;
using importing::Refusal;

namespace importing {
// Compared whole in the tests, printed when they differ.
bool operator==(const Refusal& a, const Refusal& b) {
    return a.line == b.line && a.column == b.column && a.reason == b.reason;
}
void PrintTo(const Refusal& r, std::ostream* os) {
    *os << "{" << r.line << ", " << r.column.toStdString() << ", " << r.reason.toStdString() << "}";
}
}  // namespace importing

namespace {

// A book with sizes 36–38 in use, two goods, a supplier and a customer.
class ImportTest : public testing::Test {
protected:
    ImportTest() {
        db().exec("update System set SLY = 3, SA = '36', SB = '37', SC = '38'");
        addGoods(db(), {.code = "G1", .kcsl = 10, .kcje = 50, .kcjg = 5, .sizes = {4, 6}, .scale = 12, .xsdj = 398, .pfdj = 320});
        addGoods(db(), {.code = "G2", .name = "袜子", .xsdj = 25, .pfdj = 18});
        addParty(db(), "AGYS", {.code = "S1", .name = "华南鞋业"});
        addParty(db(), "ABMK", {.code = "C1", .name = "阳光体育"});
        options.businessDate = QDate(2004, 3, 15);
        options.operatorName = "张三";
    }
    Database& db() { return t.db(); }
    Outcome import(Kind kind, const QString& csv) { return importing::importCsv(db(), kind, importing::CsvFile::parse(csv.toUtf8()), options); }
    // Everything an import may write.
    QList<QVariantList> book() {
        QList<QVariantList> all;
        for (const char* table : {"ASPKM", "AGYS", "ABMK", "ASPRKD", "asprkdd", "ASPCKD", "ASPCKDD", "ASPMXZM",
                                  "AGYMXZ", "ABMMXZ", "AXSLSZ", "ABMLSZ", "System"})
            all += tableRows(db(), table);
        return all;
    }
    QVariantList goods(const QString& code, const QString& columns) {
        return db().rows(QString("select %1 from ASPKM where Spbm = :c").arg(columns), {{"c", code}}).value(0);
    }

    TestDatabase t;
    importing::Options options;
};

TEST_F(ImportTest, GoodsAreWrittenWithTheCataloguesDefaultsAndQuotedTexts) {
    const Outcome outcome = import(Kind::Goods, "商品编码,商品名称,基本单位,零售价,库存数量,库存单价,36,37\n"
                                                "N1,\"慢跑鞋, \"\"轻\"\"款\",双,328,5,20,2,3\n"
                                                "N2,\"两行\n名称\",,,,,,\n");
    ASSERT_TRUE(outcome.written()) << outcome.refusals.value(0).reason.toStdString();
    EXPECT_EQ(outcome.summary, "已导入商品 2 种");
    EXPECT_EQ(goods("N1", "Spmc, Jldw, Xsdj, Kcsl, kcjg, kcje, kcslA, kcslB, Scale"),
              QVariantList({"慢跑鞋, \"轻\"款", "双", 328.0, 5.0, 20.0, 100.0, 2.0, 3.0, 1}))
        << "the stock value follows quantity and price; the package size defaults to 1";
    EXPECT_EQ(goods("N2", "Spmc, Kcsl, kcslC"), QVariantList({"两行\n名称", 0.0, 0.0}));
}

TEST_F(ImportTest, OneBadRowWritesNothingAndIsReportedWithItsLineAndColumn) {
    const QList<QVariantList> before = book();
    const Outcome outcome = import(Kind::Goods, "编码,名称\nN1,跑鞋\nN2,\"两行\n的名称\"\nG1,重复\nN3,袜子\n");
    EXPECT_EQ(outcome.refusals, QList<Refusal>({{5, "编码", "关键字(编码)不能重复!"}}))
        << "the title the file used; line 5 counts the quoted line break";
    EXPECT_EQ(book(), before);
}

TEST_F(ImportTest, EveryRefusedMasterDataRowIsReportedByTheWindowsRules) {
    const QList<QVariantList> before = book();
    const Outcome outcome = import(Kind::Goods,
                                   "商品编码,商品名称,转换比例,零售价,库存数量,36,37\n"
                                   "N1,好的,1,1,,,\n"
                                   "n1,同一文件中重复(不分大小写),1,1,,,\n"
                                   "g1,帐套中已有,1,1,,,\n"
                                   ",没有编码,1,1,,,\n"
                                   "N4,比例,201,1,,,\n"
                                   "N5,价格,1,一百,,,\n"
                                   "N6,配码,1,1,5,2,2\n"
                                   "N7890123456789012,编码太长,1,1,,,\n"
                                   "N8,比例和价格,0,x,,,\n");
    EXPECT_EQ(outcome.refusals, QList<Refusal>({
                                    {3, "商品编码", "关键字(编码)不能重复!"},
                                    {4, "商品编码", "关键字(编码)不能重复!"},
                                    {5, "商品编码", "编码不能为空，请输入编码!"},
                                    {6, "转换比例", "转换比例必须在 1 到 200 之间!"},
                                    {7, "零售价", "'一百' 不是有效的数值"},
                                    {8, "库存数量", "配码数量与总计数量不一致，请进行纠正！"},
                                    {9, "商品编码", "记录不能保存！\n数据太长：字段 ASPKM.Spbm 最多 16 个字符"},
                                    {10, "转换比例", "转换比例必须在 1 到 200 之间!"},
                                    {10, "零售价", "'x' 不是有效的数值"},
                                }));
    EXPECT_EQ(book(), before);
}

TEST_F(ImportTest, AGb18030FileWithChineseNamesIsAccepted) {
    const QByteArray gb = toGb18030("单位编码,单位名称,联系人,开户银行\nS2,东方服饰制造厂,陈红,工商银行\n");
    QTemporaryDir dir;
    QFile file(dir.filePath("suppliers.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(gb);
    file.close();

    const Outcome outcome = importing::importFile(db(), Kind::Suppliers, file.fileName(), options);
    ASSERT_TRUE(outcome.written()) << outcome.refusals.value(0).reason.toStdString();
    EXPECT_EQ(outcome.summary, "已导入供应商 1 家");
    EXPECT_EQ(db().rows("select Mc, Fzry, Khyh, jyje, ncye from AGYS where Bm = 'S2'").value(0),
              QVariantList({"东方服饰制造厂", "陈红", "工商银行", 0.0, 0.0}))
        << "balances start at zero, as a party added in its window";
}

TEST_F(ImportTest, ABadTitleRowWritesNothingAndNamesEachColumn) {
    const Outcome outcome = import(Kind::Customers, "编码,单位名称,名称,手机,,\nC2,甲,乙,1,,\nC3,丙,,,x,\nC4,丁,,,,,多\n");
    EXPECT_EQ(outcome.refusals, QList<Refusal>({{1, "名称", "与“单位名称”是同一列"}, {1, "手机", "不认识的列标题"}}));
    const Outcome missing = import(Kind::StockIn, "供货单位编码,商品编码\n");
    EXPECT_EQ(missing.refusals, QList<Refusal>({{1, "单据", "缺少这一列"}, {1, "数量", "缺少这一列"}}));
    const Outcome cells = import(Kind::Customers, "编码,名称,\nC2,甲,\nC3,丙,x\nC4,丁,,多\n");
    EXPECT_EQ(cells.refusals,
              QList<Refusal>({{3, "第 3 列", "这一列没有标题"}, {4, "第 4 列", "多出的数据没有列标题"}}));
    EXPECT_EQ(db().scalar("select count(*) from ABMK").toInt(), 2);
}

// Stock-in rows: a document per 单据, its header on the first row.
const QString kStockIn = "单据,供货单位编码,摘要,商品编码,包装类型,数量,单价,36,37,38\n"
                       "1,S1,,G1,,1,6,4,4,4\n"
                       "1,S1,,G2,1,5,2,5,,\n"
                       "2,S1,补货,G2,,2,2,1,1,\n";

TEST_F(ImportTest, StockInDocumentsAreSavedUnpostedAndWithPostAlsoPosted) {
    const Outcome saved = import(Kind::StockIn, kStockIn);
    ASSERT_TRUE(saved.written()) << saved.refusals.value(0).reason.toStdString();
    EXPECT_EQ(saved.summary, "已导入入库单 2 张(3 条分录)，单据号码 000000001 至 000000002");
    EXPECT_EQ(db().rows("select DJHM, RQ, KHBM, NOTE, BZW, RYZD from ASPRKD order by DJHM"),
              QList<QVariantList>({{"000000001", QDateTime(QDate(2004, 3, 15), QTime()), "S1", "从华南鞋业进货", "1", "张三"},
                                   {"000000002", QDateTime(QDate(2004, 3, 15), QTime()), "S1", "补货", "1", "张三"}}))
        << "numbered by the counter, dated with the business date, the supplier's default note";
    EXPECT_EQ(db().rows("select DJHM, FLBH, Spbm, BzLx, JBSL, JE, GGDW from asprkdd order by DJHM, FLBH"),
              QList<QVariantList>({{"000000001", 1, "G1", 12, 12.0, 72.0, "箱(12x)"},
                                   {"000000001", 2, "G2", 1, 5.0, 10.0, "双"},
                                   {"000000002", 1, "G2", 1, 2.0, 4.0, "双"}}))
        << "the package size comes from the goods unless given";
    EXPECT_EQ(db().scalar("select Ykrkdh from System").toInt(), 2);
    EXPECT_EQ(goods("G1", "Kcsl").value(0).toDouble(), 10) << "nothing posted";

    options.post = true;
    const Outcome posted = import(Kind::StockIn, QString(kStockIn).replace(",补货,", ",再补货,"));
    ASSERT_TRUE(posted.written()) << posted.refusals.value(0).reason.toStdString();
    EXPECT_EQ(posted.summary, "已导入入库单 2 张(3 条分录)，单据号码 000000003 至 000000004，已记帐");
    EXPECT_EQ(db().scalar("select group_concat(DJHM || BZW || RYJZ, ' ') from ASPRKD where DJHM > '000000002'").toString(),
              "0000000033张三 0000000043张三");
    EXPECT_EQ(goods("G1", "Kcsl, kcje, kcslA").value(0).toDouble(), 22);
    EXPECT_EQ(goods("G2", "Kcsl").value(0).toDouble(), 7);
    EXPECT_EQ(db().scalar("select jyje from AGYS where Bm = 'S1'").toDouble(), 86);
    EXPECT_EQ(db().scalar("select count(*) from ASPMXZM").toInt(), 3);
}

TEST_F(ImportTest, EveryRefusedDocumentRowIsReportedAndNothingIsWritten) {
    const QList<QVariantList> before = book();
    const Outcome outcome = import(Kind::StockIn,
                                   "单据,日期,供货单位编码,商品编码,包装类型,数量,单价,36,37,38\n"
                                   "1,,S1,G2,1,3,1,1,1,1\n"
                                   "1,,S1,NONE,1,3,1,1,1,1\n"    // goods unknown
                                   "1,,S1,G2,121,3,1,1,1,1\n"    // package size beyond 120
                                   "1,,S1,G2,1,3,1,1,1,\n"       // sizes short of the quantity
                                   "1,,S2,G2,1,1,1,1,,\n"        // another supplier on a later row
                                   "2,,XX,G2,1,1,1,1,,\n"        // supplier unknown: its lines wait
                                   "3,2004-03-16,S1,G2,1,1,1,1,,\n"  // not the business date
                                   ",,S1,G2,1,1,1,1,,\n"         // no document
                                   "4,2004/3/15,S1,G2,1,1.5,1,1,,\n");  // the business date, written otherwise
    EXPECT_EQ(outcome.refusals,
              QList<Refusal>({
                  {9, "单据", "单据列不能为空"},
                  {6, "供货单位编码", "与本单据第 2 行的表头不一致"},
                  {3, "商品编码", "编码不存在的商品!\n请重新录入,[F2]代码帮助."},
                  {4, "包装类型", "包装类型 121 超出允许范围(1 - 120)!"},
                  {5, "数量", "配码数量与总数量不一致，请进行纠正！"},
                  {7, "供货单位编码", "不存在的供应商代码!\n请重新录入...."},
                  {8, "日期", DocumentRules::kDateFixed},
                  {10, "数量", "配码数量与总数量不一致，请进行纠正！"},
              }));
    EXPECT_EQ(book(), before);
}

TEST_F(ImportTest, ABookThatLetsDatesBeChangedTakesTheFilesDates) {
    db().exec("update System set DjRqEdit = 1");
    const Outcome outcome = import(Kind::StockIn, "单据,入库日期,供货单位编码,商品编码,数量,36\n1,2004-02-28,S1,G2,1,1\n");
    ASSERT_TRUE(outcome.written()) << outcome.refusals.value(0).reason.toStdString();
    EXPECT_EQ(db().scalar("select RQ from ASPRKD").toDate(), QDate(2004, 2, 28));
}

const char* kSales = "单据,销售方式,单位编码,单位名称,商品编码,36,37,单价\n"
                     "A,零售,,王先生,G1,1,1,\n"
                     "B,记帐,C1,别的名字,G1,1,,\n";

TEST_F(ImportTest, StockOutTakesTheWindowsDefaultsAndPricesByTheWayOfSale) {
    options.post = true;
    const Outcome outcome = import(Kind::StockOut, kSales);
    ASSERT_TRUE(outcome.written()) << outcome.refusals.value(0).reason.toStdString();
    EXPECT_EQ(db().rows("select KHBM, KHMC, SKFS, BZW, Je from ASPCKD order by DJHM"),
              QList<QVariantList>({{"0000", "王先生", "零售", "3", 796.0}, {"C1", "阳光体育", "记帐", "3", 320.0}}))
        << "the walk-in customer by default with the name typed; another customer's name is the list's";
    EXPECT_EQ(db().rows("select SL, DJ from ASPCKDD order by DJHM"), QList<QVariantList>({{2.0, 398.0}, {1.0, 320.0}}))
        << "the quantity is the sum of the sizes";
    EXPECT_EQ(goods("G1", "Kcsl").value(0).toDouble(), 7);
    EXPECT_EQ(db().scalar("select jyje from ABMK where Bm = 'C1'").toDouble(), 320);
}

TEST_F(ImportTest, AStockOutPriceIsTakenOnlyWhenTheShopLetsSalesPricesChange) {
    const QString file = "单据,单位编码,商品编码,36,单价\nA,C1,G1,1,398\nA,C1,G1,1,300\n";
    EXPECT_EQ(import(Kind::StockOut, file).refusals, QList<Refusal>({{3, "单价", "商品销售价格不允许修改"}}))
        << "the goods' own price may be repeated";
    options.salesPricesTyped = true;
    ASSERT_TRUE(import(Kind::StockOut, file).written());
    EXPECT_EQ(db().scalar("select group_concat(DJ) from ASPCKDD").toString(), "398.0,300.0");
}

TEST_F(ImportTest, AWalkInSaleOnAccountRollsBackTheWholeFileWithItsPostings) {
    options.post = true;
    const QList<QVariantList> before = book();
    const Outcome outcome = import(Kind::StockOut, QString(kSales) + "C,记帐,0000,散客,G1,1,,\nD,赊帐,C1,,G1,1,,\n");
    EXPECT_EQ(outcome.refusals, QList<Refusal>({{4, "销售方式", stockout::kWalkInOnAccount},
                                               {5, "销售方式", "销售方式只能是零售、现金、记帐"}}));
    EXPECT_EQ(book(), before);
}

TEST_F(ImportTest, AFailureOfTheBookPartWayIsThrownAndLeavesTheBookAsItWas) {
    options.post = true;
    const QList<QVariantList> before = book();
    // The second document's posting fails in the engine, after the first was posted.
    db().exec("create trigger broken before insert on AGYMXZ when new.Djhm = '000000002' "
              "begin select raise(abort, 'disk trouble'); end");
    EXPECT_THROW(import(Kind::StockIn, kStockIn), DbError);
    EXPECT_EQ(book(), before);
}

}  // namespace
