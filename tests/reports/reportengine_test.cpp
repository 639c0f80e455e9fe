#include "database/rowset.h"
#include "reports/forms/reportdesigner.h"
#include "reports/forms/reportpreview.h"
#include "reports/forms/templateprinting.h"
#include "reports/reportengine.h"
#include "shell/upublic.h"
#include "support/printedtext.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

using namespace reports;

namespace {

const QString kShipped = QStringLiteral(QUORVEL_SOURCE_DIR "/reports");

// A small book: the configuration with eight sizes, goods, a stock-in
// document of 30 lines and a receipt.
class ReportFixture : public testing::Test {
protected:
    ReportFixture() : system(t.db()), goods(t.db()), dbm(t.db()), dbd(t.db()), receipt(t.db()) {
        Database& db = t.db();
        db.exec("update System set ANAME = '示例体育用品商店', SLY = 8, SA = '36', SB = '37', SC = '38', SD = '39', "
                "SE = '40', SF = '41', SG = '42', SH = '43'");
        for (int i = 1; i <= 30; ++i) {
            const Params p{{"spbm", QString("XZ%1").arg(i, 3, 10, QChar('0'))},
                           {"spmc", QString("运动鞋%1号").arg(i)},
                           {"flbh", i}, {"je", i * 120.5}, {"sl", i}};
            db.exec("insert into ASPKM (Spbm, Spmc, ArtNo, Jldw) values (:spbm, :spmc, 'R-1', '双')", p);
            db.exec("insert into asprkdd (DJHM, FLBH, Spbm, SL, BzLx, JBSL, DJ, JBDJ, JE, GGDW, slA, slB, slH) "
                    "values ('000000042', :flbh, :spbm, :sl, 1, :sl, 120.5, 120.5, :je, '双', :sl, 0, 0)", p);
        }
        db.exec("insert into ASPRKD (DJHM, RQ, KHBM, NOTE, BZW, RYZD, RYBG) values "
                "('000000042', #2004-03-05#, 'G001', '春季进货', '1', '王芳', '李强')");
        db.exec("insert into ASKD (Djhm, RQ, Dwbh, Je, NOTE, BZW, RYZD) values "
                "('000000007', #2004-03-06#, 'K001', 1234.5, '回收欠款', '3', '王芳')");
        system.setTable("System");
        system.open();
        goods.setTable("ASPKM", "Spbm");
        goods.open();
        dbm.setTable("ASPRKD");
        dbm.open();
        dbd.setTable("asprkdd", "FLBH");
        dbd.addLookupField("spmc", "Spbm", &goods, "Spbm", "Spmc");
        dbd.open();
        receipt.setTable("ASKD");
        receipt.addCalculatedField("rmbdx", [](const RowView& v) { return MoneyToCapitals(v.value("Je").toDouble()); });
        receipt.open();
    }
    DataSources documentSources() { return {"dbd", &dbd, {{"dbm", &dbm}, {"System", &system}}}; }

    TestDatabase t;
    ScriptedPrompter prompter;
    RowSet system, goods, dbm, dbd, receipt;
};

ReportTemplate smallTemplate() {
    ReportTemplate r;
    r.title = "测试";
    Band header{BandType::PageHeader, 10, {}};
    ReportObject o;
    o.text = "单据号: [dbm.DJHM] 第[PAGE]/[PAGES]页";
    o.rect = QRectF(0, 0, 100, 6);
    header.objects.append(o);
    Band data{BandType::MasterData, 50, {}};
    o.text = "[LINE]. [dbd.Spbm] [dbd.spmc] [dbd.JE]";
    o.format = "0.00;-0.00;#";
    data.objects.append(o);
    Band summary{BandType::Summary, 10, {}};
    o.text = "合计 [SUM(dbd.JE)] [System.ANAME]";
    summary.objects.append(o);
    o.text = "只在八码以上";
    o.showIf = "System.SLY>=9";
    summary.objects.append(o);
    r.bands = {header, data, summary};
    return r;
}

QStringList pageTexts(const PreparedReport& report, int page) {
    QStringList out;
    for (const PreparedItem& item : report.pages[page])
        if (item.kind == ReportObject::Kind::Text) out.append(item.text);
    return out;
}

TEST_F(ReportFixture, TemplatesSurviveASaveAndLoad) {
    QTemporaryDir dir;
    const ReportTemplate original = smallTemplate();
    ASSERT_TRUE(saveTemplate(original, dir.path() + "/t.frf"));
    EXPECT_EQ(loadTemplate(dir.path() + "/t.frf"), original);
    for (const QString& file : QDir(kShipped).entryList({"*.frf"})) {
        const auto shipped = loadTemplate(kShipped + "/" + file);
        ASSERT_TRUE(shipped) << file.toStdString();
        EXPECT_EQ(parseTemplate(toXml(*shipped)), shipped) << file.toStdString();
    }
}

TEST_F(ReportFixture, MissingAndDamagedTemplatesDoNotLoad) {
    QTemporaryDir dir;
    EXPECT_FALSE(loadTemplate(dir.path() + "/none.frf"));
    for (const QByteArray& junk : {QByteArray("not xml"), QByteArray("<report version=\"9\"/>"),
                                   QByteArray("<report version=\"1\"><band type=\"nonsense\"/></report>"),
                                   QByteArray("<report version=\"1\"><band type=\"summary\" height=\"wide\"/></report>")})
        EXPECT_FALSE(parseTemplate(junk)) << junk.toStdString();
}

TEST_F(ReportFixture, ExpressionsReadTheDataSetAndTheOtherCursors) {
    const ReportTemplate r = smallTemplate();
    const PreparedReport pages = ReportEngine(r, documentSources()).prepare();
    ASSERT_GT(pages.pages.size(), 1);
    const QStringList first = pageTexts(pages, 0);
    EXPECT_EQ(first[0], QString("单据号: 000000042 第1/%1页").arg(pages.pages.size()));
    EXPECT_EQ(first[1], "1. XZ001 运动鞋1号 120.50");
    const QStringList last = pageTexts(pages, int(pages.pages.size()) - 1);
    EXPECT_EQ(last.last(), "合计 56032.50 示例体育用品商店") << "SUM over all 30 lines, after the last";
    EXPECT_FALSE(last.contains("只在八码以上")) << "showIf hides it with eight sizes";
    int lines = 0;
    for (int p = 0; p < pages.pages.size(); ++p) lines += int(pageTexts(pages, p).filter(" 运动鞋").size());
    EXPECT_EQ(lines, 30);
    EXPECT_EQ(ReportEngine::find(pages, "运动鞋30号"), int(pages.pages.size()) - 1);
}

// The cursors each printing window hands its template, by the window's
// names, holding a few rows a clerk would print: a stock-in line of 2
// cases of 12 pairs at 5.50 a pair and one of 3 single pairs; a stock-out,
// an order, a receipt, a payment and the two ledgers of one goods item.
class WindowCursors : public testing::Test {
protected:
    WindowCursors() {
        Database& db = t.db();
        db.exec("update System set ANAME = '示例体育用品商店', SLY = 8, SA = '36', SB = '37', SC = '38', SD = '39', "
                "SE = '40', SF = '41', SG = '42', SH = '43'");
        db.exec("insert into ASPKM (Spbm, Spmc, ArtNo, color, Ggxh, Jldw, hzdw, Scale) values "
                "('60001', '跑鞋', '9001', '白', '男款', '双', '箱', 12), ('60002', '篮球鞋', '9002', '黑', '', '双', '箱', 6)");
        db.exec("insert into AGYS (Bm, Mc) values ('0101', '华丰鞋厂')");
        db.exec("insert into ABMK (Bm, Mc) values ('0201', '远东体育')");
        db.exec("insert into ASPRKD (DJHM, RQ, KHBM, FPHM, NOTE, BZW, RYZD) values "
                "('000000042', #2004-03-05#, '0101', '778899', '从华丰鞋厂进货', '3', '王芳')");
        db.exec("insert into asprkdd (DJHM, FLBH, Spbm, BzLx, SL, JBSL, DJ, JBDJ, JE, GGDW, slA, slB) values "
                "('000000042', 1, '60001', 12, 2, 24, 5.5, 5.5, 132, '箱(12x)', 12, 12), "
                "('000000042', 2, '60002', 1, 3, 3, 120.5, 120.5, 361.5, '双', 1, 2)");
        db.exec("insert into ASPCKD (DJHM, RQ, KHBM, KHMC, SKFS, BZW, RYZD) values "
                "('000000008', #2004-03-06#, '0201', '远东体育', '记帐', '3', '王芳')");
        db.exec("insert into ASPCKDD (DJHM, FLBH, Spbm, BzLx, SL, JBSL, DJ, JBDJ, JE, GGDW, slC, slD) values "
                "('000000008', 1, '60001', 1, 5, 5, 128, 128, 640, '双', 2, 3)");
        db.exec("insert into AOrders (DJHM, RQ, KHBM, DWMC, TELNO, BZW) values "
                "('000000003', #2004-03-07#, '0101', '示例体育用品商店', '010-6655', '1')");
        db.exec("insert into AOrdersD (DJHM, FLBH, Spbm, BzLx, SL, JBSL, GGDW, zyxx, A0, A1, AA) values "
                "('000000003', 1, '60001', 12, 3, 36, '箱(12x)', '加急', 18, 18, 7)");
        db.exec("insert into ASKD (Djhm, RQ, Dwbh, Je, NOTE, BZW, RYZD) values "
                "('000000007', #2004-03-06#, '0201', 1234, '回收欠款', '3', '王芳')");
        db.exec("insert into AFKD (Djhm, RQ, Dwbh, Je, NOTE, BZW, RYZD) values "
                "('000000004', #2004-03-08#, '0101', 800, '支付货款', '3', '王芳')");
        db.exec("insert into ASPMXZM (Spbm, Djhm, Rq, Zyxx, GGDW, Rksl, Rkje, Kcsl, Kcje, Kcjg) values "
                "('60001', 'R000000042', #2004-03-05#, '从华丰鞋厂进货', '双', 24, 132, 24, 132, 5.5)");
        db.exec("insert into AXSLSZ (Spbm, Djhm, Rq, Zyxx, khmc, sl, dj, je) values "
                "('60001', 'C000000008', #2004-03-06#, '销售', '远东体育', 5, 128, 640)");
        open(system, "System");
        open(goods, "ASPKM", "Spbm");
        open(suppliers, "AGYS", "Bm");
        open(customers, "ABMK", "Bm");
        for (RowSet* lines : {&stockInLines, &stockOutLines, &orderLines}) {
            lines->addLookupField("spmc", "Spbm", &goods, "Spbm", "Spmc");
            lines->addLookupField("artno", "Spbm", &goods, "Spbm", "ArtNo");
            lines->addLookupField("color", "Spbm", &goods, "Spbm", "color");
            lines->addLookupField("jldw", "Spbm", &goods, "Spbm", "Jldw");
        }
        stockIn.addLookupField("rfkhmc", "KHBM", &suppliers, "Bm", "Mc");
        order.addLookupField("rfkhmc", "KHBM", &suppliers, "Bm", "Mc");
        receipt.addLookupField("dwmc", "Dwbh", &customers, "Bm", "Mc");
        payment.addLookupField("dwmc", "Dwbh", &suppliers, "Bm", "Mc");
        for (RowSet* money : {&receipt, &payment})
            money->addCalculatedField("rmbdx", [](const RowView& v) { return MoneyToCapitals(v.value("Je").toDouble()); });
        open(stockIn, "ASPRKD");
        open(stockInLines, "asprkdd", "FLBH");
        open(stockOut, "ASPCKD");
        open(stockOutLines, "ASPCKDD", "FLBH");
        open(order, "AOrders");
        open(orderLines, "AOrdersD", "FLBH");
        open(receipt, "ASKD");
        open(payment, "AFKD");
        goodsList.setQuery("select * from aspkm");
        goodsList.open();
        for (RowSet* ledger : {&goodsLedger, &salesLedger}) {
            ledger->setQuery(QString("select * from %1\nwhere spbm=:spbm\norder by idno").arg(ledger == &goodsLedger ? "aspmxzm" : "axslsz"));
            ledger->setParam("spbm", "60001");
            ledger->open();
        }
    }
    void open(RowSet& rows, const QString& table, const QString& order = {}) {
        rows.setTable(table, order);
        rows.open();
    }

    TestDatabase t;
    RowSet system{t.db()}, goods{t.db()}, suppliers{t.db()}, customers{t.db()};
    RowSet stockIn{t.db()}, stockInLines{t.db()}, stockOut{t.db()}, stockOutLines{t.db()}, order{t.db()},
        orderLines{t.db()}, receipt{t.db()}, payment{t.db()}, goodsList{t.db()}, goodsLedger{t.db()}, salesLedger{t.db()};
};

// Each shipped template, fed what its window supplies, prints what the
// clerk needs: the party's name beside its code; a line's package count
// beside the package unit and its base count beside the base unit, so that
// quantity × price = amount on paper. Every field it names is supplied.
// Codes are digits only and the texts looked for leave out 户 and 角: text
// extraction loses digits after a letter and reads those two as variants.
TEST_F(WindowCursors, EveryShippedTemplatePrintsTheWindowsRows) {
    const struct {
        const char* file;
        const char* title;  // the report title: print job and preview caption
        DataSources sources;
        QStringList printed;  // lines of the page, blanks squeezed
    } cases[] = {
        {"repsprkd.frf", "入库单打印", {"dbd", &stockInLines, {{"dbm", &stockIn}, {"System", &system}}},
         {"供货单位: 0101 华丰鞋厂", "跑鞋 9001 2 箱(12x) 24 双 5.50 132.00 12 12", "篮球鞋 9002 3 双 3 双 120.50 361.50 1 2",
          "合 计 27 493.50"}},
        {"repspxsd.frf", "商品出库单打印", {"dbd", &stockOutLines, {{"dbm", &stockOut}, {"System", &system}}},
         {": 0201 远东体育", "销售方式: 记帐", "跑鞋 9001 5 双 5 双 128.00 640.00 2 3", "合 计 5 640.00"}},
        {"reporder.frf", "商品订单", {"dbd", &orderLines, {{"dbm", &order}, {"System", &system}}},
         {"供货单位: 0101 华丰鞋厂", "跑鞋 9001 白 3 箱(12x) 36 双 加急 18 18", "合 计 36"}},
        {"repskd.frf", "收款凭证", {"", nullptr, {{"dbm", &receipt}, {"System", &system}}},
         {"单位 0201 远东体育", "收款金额 ￥1234.00", "金额大写 壹仟贰佰叁拾肆元整"}},
        {"repfkd.frf", "支款凭证", {"", nullptr, {{"dbm", &payment}, {"System", &system}}},
         {"供货单位 0101 华丰鞋厂", "支款金额 ￥800.00", "金额大写 捌佰元整"}},
        {"repbgzm.frf", "商品保管帐", {"sqlmxz", &goodsLedger, {{"dbspk", &goodsList}, {"System", &system}}},
         {"60001 跑鞋 货号: 9001 规格型号: 男款 单位: 双", "2004-03-05", "从华丰鞋厂进货 双 24 132.00 24 5.50 132.00"}},
        {"repxslsz.frf", "商品销售流水账", {"sqllsz", &salesLedger, {{"dbspk", &goodsList}, {"System", &system}}},
         {"60001 跑鞋 货号: 9001 规格型号: 男款 单位: 双", "销售 远东体育 5 128.00 640.00"}},
    };
    for (const auto& c : cases) {
        const auto report = loadTemplate(kShipped + "/" + c.file);
        ASSERT_TRUE(report) << c.file;
        EXPECT_EQ(report->title, c.title);
        EXPECT_TRUE(report->notes.contains("System")) << c.file << ": says what it reads";
        const ReportEngine engine(*report, c.sources);
        EXPECT_EQ(engine.unknownNames(), QStringList()) << c.file;
        const PreparedReport pages = engine.prepare();
        const TemplateDocument document(pages);
        EXPECT_EQ(document.title(), c.title);
        EXPECT_EQ(document.pageLayout().pageSize().id(), QPageSize::A4);
        if (!hasPdfToText()) continue;
        const QStringList printed = printedPages(document);
        ASSERT_EQ(printed.size(), 1) << c.file;
        const QString page = printed[0].simplified();
        EXPECT_TRUE(page.contains("示例体育用品商店")) << c.file;
        for (const QString& text : c.printed)
            EXPECT_TRUE(page.contains(text.normalized(QString::NormalizationForm_KC))) << c.file << ": " << text.toStdString() << "\n" << page.toStdString();
    }
}

// A4 landscape reaches the printer as an A4 sheet turned, not as a sheet
// 297 mm wide and 210 mm high.
TEST_F(WindowCursors, LandscapeTemplatesPrintOnA4Turned) {
    const auto report = loadTemplate(kShipped + "/repsprkd.frf");
    ASSERT_TRUE(report);
    const PreparedReport pages = ReportEngine(*report, {"dbd", &stockInLines, {{"dbm", &stockIn}, {"System", &system}}}).prepare();
    EXPECT_EQ(pages.pageLayout.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(pages.pageLayout.orientation(), QPageLayout::Landscape);
}

TEST_F(WindowCursors, TheCommandsSayWhyNothingPrinted) {
    ScriptedPrompter prompter;
    QTemporaryDir dir;
    TemplatePrintJob job;
    job.sources = {"dbd", &stockInLines, {{"dbm", &stockIn}, {"System", &system}}};
    job.file = dir.path() + "/repsprkd.frf";
    job.printRuleApplies = true;
    job.documentStatus = "1";
    EXPECT_FALSE(printWithTemplate(job, true, prompter, nullptr));
    job.printRuleOn = false;  // the rule switched off lets an unposted document through
    EXPECT_FALSE(printWithTemplate(job, true, prompter, nullptr));
    EXPECT_FALSE(designTemplate(job, prompter, nullptr));
    QFile::copy(kShipped + "/repsprkd.frf", job.file);
    job.progress = [](int) { return false; };  // the user cancels as the first page is prepared
    job.abortPreview = "打印预览被用户终止！";
    EXPECT_FALSE(printWithTemplate(job, true, prompter, nullptr));
    EXPECT_EQ(prompter.messages, (QStringList{"单据未经审核记帐，不能进行打印!", "报表文件没有找到！",
                                              "报表文件不存在！", "打印预览被用户终止！"}));
}

TEST_F(WindowCursors, NamesTheWindowDoesNotSupplyAreTold) {
    ReportTemplate r;
    r.bands.append({BandType::MasterData, 10, {}});
    ReportObject o;
    o.text = "[dbm.Djhm] [dbm.ztxx] [spkm.Spmc] [SUM(dbd.JE)] [PAGE]";
    o.showIf = "System.SLY>=2.5";
    r.bands[0].objects.append(o);
    const ReportEngine engine(r, {"", nullptr, {{"dbm", &receipt}, {"System", &system}}});
    EXPECT_EQ(engine.unknownNames(), (QStringList{"dbm.ztxx", "spkm.Spmc", "dbd.JE"}));
    ScriptedPrompter prompter;
    QTemporaryDir dir;
    ASSERT_TRUE(saveTemplate(r, dir.path() + "/repskd.frf"));
    TemplatePrintJob job;
    job.file = dir.path() + "/repskd.frf";
    job.sources = {"", nullptr, {{"dbm", &receipt}}};
    job.progress = [](int) { return false; };
    EXPECT_FALSE(printWithTemplate(job, true, prompter, nullptr));
    EXPECT_EQ(prompter.messages.value(0), "报表中有不能识别的数据项: dbm.ztxx, spkm.Spmc, dbd.JE, System.SLY");
}

TEST_F(ReportFixture, ALineBeingTypedIsFinishedBeforePrinting) {
    dbd.append();
    dbd.setValue("DJHM", "000000042");
    dbd.setValue("FLBH", 31);
    EXPECT_TRUE(finishLineBeingEdited(dbd, "Spbm"));
    EXPECT_EQ(dbd.recordCount(), 30) << "no goods code: dropped";
    dbd.append();
    dbd.setValue("DJHM", "000000042");
    dbd.setValue("FLBH", 31);
    dbd.setValue("Spbm", "XZ001");
    EXPECT_TRUE(finishLineBeingEdited(dbd, "Spbm"));
    EXPECT_EQ(t.db().scalar("select count(*) from asprkdd").toInt(), 31) << "with a code: saved";
}

TEST_F(ReportFixture, TheDesignerMovesAnObjectAndSavesItBackToTheSameFile) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/repskd.frf";
    QFile::copy(kShipped + "/repskd.frf", file);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    {
        ReportDesigner designer(file, *loadTemplate(file), {"", nullptr, {{"dbm", &receipt}}}, prompter);
        designer.select(0, 1);  // the title
        designer.moveSelected(5, 0);
        designer.resizeSelected(10, 0);
        designer.addObject(ReportObject::Kind::Rect);
        EXPECT_TRUE(designer.modified());
        prompter.expectQuestion("报表样式已经修改，是否保存？", true);
        designer.reject();
    }
    const auto saved = loadTemplate(file);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->bands[0].objects[1].rect, QRectF(5, 8, 200, 10));
    EXPECT_EQ(saved->bands[0].objects.size(), 4);
    {
        ReportDesigner designer(file, *saved, {}, prompter);
        designer.select(0, 3);
        designer.deleteSelected();
        prompter.expectQuestion("报表样式已经修改，是否保存？", false);
        designer.reject();
    }
    EXPECT_EQ(loadTemplate(file)->bands[0].objects.size(), 4);
}

// A long report in the preview: only the pages on screen are drawn, at the
// zoom shown, however many pages the report has.
class LongReport : public PrintDocument {
public:
    QString title() const override { return "商品保管帐"; }
    QPageLayout pageLayout() const override { return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}); }
    int pageCount() const override { return 150; }
    void paintPage(QPainter& painter, int page, double pixelsPerMm) const override {
        painter.drawText(QPointF(20 * pixelsPerMm, 20 * pixelsPerMm), QString("第%1页").arg(page + 1));
        drawn.append(page);
    }
    int find(const QString& text, int from) const override {
        for (int page = from; page < pageCount(); ++page)
            if (QString("第%1页").arg(page + 1) == text) return page;
        return -1;
    }
    mutable QList<int> drawn;
};

TEST(ReportPreviewTest, OnlyThePagesOnScreenAreDrawn) {
    const LongReport report;
    ScriptedPrompter prompter;
    ReportPreview preview(report, prompter);
    EXPECT_EQ(preview.windowTitle(), "商品保管帐");
    preview.resize(900, 700);
    preview.show();
    preview.grab();
    EXPECT_EQ(report.drawn, (QList<int>{0})) << "100 %: the first page fills the view";
    preview.setZoom(50);
    preview.grab();
    EXPECT_EQ(report.drawn.mid(1), (QList<int>{0, 1})) << "at half size the second page shows under the first";
    preview.setZoom(200);
    ASSERT_TRUE(preview.findText("第150页"));
    preview.grab();
    EXPECT_EQ(report.drawn.mid(3), (QList<int>{149}));
    ASSERT_TRUE(preview.findText("第149页"));
    EXPECT_EQ(preview.currentPage(), 148);
    preview.grab();
    EXPECT_EQ(report.drawn.mid(4), (QList<int>{148}));
    preview.findText("第150页");
    preview.grab();
    EXPECT_EQ(report.drawn.size(), 5) << "pages seen before are kept, not drawn again";
    EXPECT_EQ(preview.view().pagesDrawn(), 5);
}

}  // namespace
