#include "database/rowset.h"
#include "reports/forms/reportdesigner.h"
#include "reports/forms/reportpreview.h"
#include "reports/forms/templateprinting.h"
#include "reports/reportengine.h"
#include "shell/upublic.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace reports;

namespace {

const QString kShipped = QStringLiteral(QUORVEL_SOURCE_DIR "/reports");

// A small book: the configuration with eight sizes, goods, a stock-in
// document of 30 lines, a receipt, and ledgers.
class ReportFixture : public testing::Test {
protected:
    ReportFixture() : system(t.db()), goods(t.db()), dbm(t.db()), dbd(t.db()), receipt(t.db()), ledger(t.db()) {
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
            db.exec("insert into ASPMXZM (Spbm, Djhm, Rq, Zyxx, Rksl, Rkje, Kcsl, Kcje, Kcjg) values "
                    "('XZ001', :d, #2004-03-05#, '进货', :sl, :je, :sl, :je, 120.5)",
                    {{"d", QString("R%1").arg(i, 9, 10, QChar('0'))}, {"sl", i}, {"je", i * 120.5}});
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
        ledger.setQuery("select * from aspmxzm\nwhere spbm=:spbm\norder by idno");
        ledger.setParam("spbm", "XZ001");
        ledger.open();
    }
    DataSources documentSources() { return {"dbd", &dbd, {{"dbm", &dbm}, {"System", &system}}}; }

    TestDatabase t;
    ScriptedPrompter prompter;
    RowSet system, goods, dbm, dbd, receipt, ledger;
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

TEST_F(ReportFixture, TheCommandsSayWhyNothingPrinted) {
    QTemporaryDir dir;
    TemplatePrintJob job;
    job.sources = documentSources();
    job.file = dir.path() + "/repsprkd.frf";
    job.printRuleApplies = true;
    job.documentStatus = "1";
    EXPECT_FALSE(printWithTemplate(job, true, prompter, nullptr));
    job.printRuleOn = false;  // the rule switched off lets an unposted document through
    EXPECT_FALSE(printWithTemplate(job, true, prompter, nullptr));
    EXPECT_FALSE(designTemplate(job, prompter, nullptr));
    QFile::copy(kShipped + "/repsprkd.frf", job.file);
    job.progress = [](int page) { return page < 2; };
    job.abortPreview = "打印预览被用户终止！";
    EXPECT_FALSE(printWithTemplate(job, true, prompter, nullptr));
    EXPECT_EQ(prompter.messages, (QStringList{"单据未经审核记帐，不能进行打印!", "报表文件没有找到！",
                                              "报表文件不存在！", "打印预览被用户终止！"}));
}

// Every shipped template prepares and renders from fixture rows. With
// QUORVEL_RENDER_DIR set, the PDFs are kept there to be looked at.
TEST_F(ReportFixture, EveryShippedTemplateRendersToPdf) {
    QTemporaryDir temp;
    const QString out = qEnvironmentVariableIsSet("QUORVEL_RENDER_DIR") ? qEnvironmentVariable("QUORVEL_RENDER_DIR") : temp.path();
    const QList<QPair<QString, DataSources>> cases = {
        {"repsprkd.frf", documentSources()},
        {"repspxsd.frf", documentSources()},
        {"reporder.frf", documentSources()},
        {"repskd.frf", {"", nullptr, {{"dbm", &receipt}, {"System", &system}}}},
        {"repfkd.frf", {"", nullptr, {{"dbm", &receipt}, {"System", &system}}}},
        {"repbgzm.frf", {"sqlmxz", &ledger, {{"spkm", &goods}, {"System", &system}}}},
        {"repxslsz.frf", {"sqllsz", &ledger, {{"spkm", &goods}, {"System", &system}}}},
    };
    for (const auto& [file, sources] : cases) {
        const auto report = loadTemplate(kShipped + "/" + file);
        ASSERT_TRUE(report) << file.toStdString();
        const PreparedReport pages = ReportEngine(*report, sources).prepare();
        EXPECT_FALSE(pages.pages.isEmpty());
        QPdfWriter pdf(out + "/" + QString(file).replace(".frf", ".pdf"));
        pdf.setResolution(150);
        EXPECT_TRUE(printPages(TemplateDocument(pages), pdf)) << file.toStdString();
    }
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
