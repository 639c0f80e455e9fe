// The three query windows on a small book with postings: the goods stock
// query with its filter dialog, the customer and supplier account queries —
// driven by their keys and buttons, printed per page.
#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "queries/forms/uCxBmk.h"
#include "queries/forms/uCxGys.h"
#include "queries/forms/uCxSpkm.h"
#include "queries/forms/usetspkm.h"
#include "reports/forms/reportpreview.h"
#include "shell/inifile.h"
#include "shell/paths.h"
#include "support/keyboard.h"
#include "support/modal.h"
#include "support/openbook.h"
#include "support/printedtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void click(QWidget& window, const char* button) { window.findChild<QPushButton*>(button)->click(); }

// What the window's preview shows, as text, page by page: the preview is
// saved as a PDF (kept in QUORVEL_RENDER_DIR when set) and read back.
QStringList previewed(ChildWindow& window, const QString& name) {
    if (!hasPdfToText()) return {};
    QTemporaryDir dir;
    const QString file = renderedFile(name, dir);
    answerModal<ReportPreview>([file](ReportPreview* preview) {
        preview->saveAsPdf(file);
        preview->reject();
    });
    window.preview();
    return pdfPages(file);
}

class QueryWindowsTest : public testing::Test, protected OpenBook {
protected:
    QueryWindowsTest() {
        Database& db = dbm.dbapp;
        db.exec("update System set ANAME = '示例体育用品商店', SLY = 3, SA = '36', SB = '37', SC = '38'");
        db.exec("insert into ASPLB (Bm, Mc) values ('01', '运动鞋'), ('02', '服装')");
        db.exec("insert into ASPKM (Spbm, Spmc, Splb, Jldw, hzdw, Scale, Kcsl, kcje, kcslA, kcslB, kcslC) values "
                "('XZ001', '跑步鞋', '01', '双', '箱', 12, 30, 1500, 10, 10, 10), "
                "('XZ002', '篮球鞋', '01', '双', '箱', 10, 5, 400, 5, 0, 0), "
                "('FZ001', '运动套装', '02', '套', '包', 10, 8, 900, 8, 0, 0)");
        // Ledger and account rows as the postings write them (made here by plain inserts).
        db.exec("insert into ASPMXZM (Spbm, Djhm, Rq, Zyxx, Rksl, Rkje, Kcsl, Kcje, Kcjg) values "
                "('XZ001', 'R000000001', '2026-03-02 00:00:00', '进货', 36, 1800, 36, 1800, 50), "
                "('XZ001', 'C000000001', '2026-03-03 00:00:00', '销售', 0, 0, 30, 1500, 50)");
        db.exec("insert into AXSLSZ (Spbm, Djhm, Rq, khmc, sl, dj, je) values "
                "('XZ001', 'C000000001', '2026-03-03 00:00:00', '阳光体育用品店', 6, 398, 2388)");
        db.exec("delete from ABMK");
        db.exec("insert into ABMK (Bm, Mc, Fzry, ncye, jyje) values ('K001', '阳光体育用品店', '刘洋', 0, 120), "
                "('K002', '奔跑者专卖店', '孙丽', 0, -20), ('K003', '第一中学', '周老师', 0, 0)");
        db.exec("insert into ABMLSZ (Dwbh, Djhm, Rq, jsfs, spmc, sl, je) values "
                "('K001', '000000001', '2026-03-03 00:00:00', '记帐', '跑步鞋', 6, 2388), "
                "('K001', '000000002', '2026-03-05 00:00:00', '回收欠帐', NULL, NULL, 2268)");
        db.exec("insert into ABMMXZ (Dwbh, Djhm, Rq, Zyxx, Jfje, Dfje, Jyje) values "
                "('K001', '000000001', '2026-03-03 00:00:00', '销售', 2388, 0, 2388)");
        db.exec("insert into AGYS (Bm, Mc, ncye, jyje) values ('G001', '华南鞋业有限公司', 0, 1800), "
                "('G002', '东方服饰制造厂', 0, -5)");
        db.exec("insert into AGYMXZ (Dwbh, Djhm, Rq, Zyxx, Jfje, Dfje, Jyje) values "
                "('G001', '000000001', '2026-03-02 00:00:00', '进货', 1800, 0, 1800)");
        dbm.config.refresh();
    }
    QStringList listed(const RowSet& rows, const QString& field) {
        QStringList out;
        for (int p = 0; p < rows.recordCount(); ++p) out.append(rows.rowAt(p).value(field).toString());
        return out;
    }
};

// ---------------------------------------------------------------- goods stock

TEST_F(QueryWindowsTest, FilterAssembledByTheDialogsButtonsNarrowsTheGoodsAndTheFooterTotalsThem) {
    TfrmCxSpkM window(context);
    EXPECT_EQ(prompter.waitTexts, QStringList{"正在打开查询数据，请等待...."});
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    QString built;
    answerModal<Tfrmsetspkm>([&built](Tfrmsetspkm* dialog) {
        EXPECT_TRUE(dialog->edtExpr->text().isEmpty());
        EXPECT_EQ(dialog->cbCategory->currentText(), "01  :运动鞋");  // the categories, from the first
        dialog->cbTextOp->setCurrentText("开头 like");
        dialog->edtTextValue->setText("跑");
        click(*dialog, "btnAddText");
        click(*dialog, "btnOr");
        click(*dialog, "btnLeft");
        dialog->cbNumField->setCurrentText("库存金额[kcje]");
        dialog->cbNumOp->setCurrentText("大于 >");
        dialog->edtNumValue->setText("800");
        click(*dialog, "btnAddNum");
        click(*dialog, "btnAnd");
        dialog->cbCategory->setCurrentIndex(1);
        click(*dialog, "btnAddCategory");
        click(*dialog, "btnRight");
        built = dialog->edtExpr->text();
        click(*dialog, "btnOk");
    });
    click(window, "btnFilter");
    EXPECT_EQ(built, " [spmc] like '跑%' or ( [kcje]>800 and splb like '02%')");
    EXPECT_EQ(listed(window.query.dbspk, "Spbm"), (QStringList{"FZ001", "XZ001"}));

    EXPECT_FALSE(window.dbg01->footerVisible());
    window.showTotals->setChecked(true);
    EXPECT_TRUE(window.dbg01->footerVisible());
    EXPECT_EQ(window.dbg01->footerText(window.dbg01->columnIndex("Spmc")), "合　　计");
    EXPECT_EQ(window.dbg01->footerText(window.dbg01->columnIndex("Kcsl")), "38");
    EXPECT_EQ(window.dbg01->footerText(window.dbg01->columnIndex("kcje")), "2400.00");
    EXPECT_EQ(window.dbg01->footerText(window.dbg01->columnIndex("bzsl")), "3.30");  // 30/12 + 8/10
    window.showTotals->setChecked(false);
    EXPECT_FALSE(window.dbg01->footerVisible());

    // Clear, then nothing: all goods again. Cancel: "取消返回", the list as it was.
    answerModal<Tfrmsetspkm>([](Tfrmsetspkm* dialog) { click(*dialog, "btnOk"); });
    click(window, "btnFilter");
    EXPECT_EQ(window.query.dbspk.recordCount(), 3);
    answerModal<Tfrmsetspkm>([](Tfrmsetspkm* dialog) { dialog->reject(); });
    click(window, "btnFilter");
    EXPECT_EQ(prompter.messages, QStringList{"取消返回"});
    EXPECT_EQ(window.query.dbspk.recordCount(), 3);
}

TEST_F(QueryWindowsTest, GoodsWindowFromTheKeyboard) {
    TfrmCxSpkM window(context);
    showActive(&window);
    window.dbg01->setFocus();

    // Alt+F: the filter dialog; the expression typed and Enter applies it.
    answerModal<Tfrmsetspkm>([](Tfrmsetspkm* dialog) {
        dialog->edtExpr->setFocus();
        // Into the box itself: a dialog just shown may not hold the focus yet on a busy machine.
        QTest::keyClicks(dialog->edtExpr, "1=1; delete from aspkm");
        QTest::keyClick(dialog->edtExpr, Qt::Key_Return);
    });
    alt('F');
    showActive(&window);
    window.dbg01->setFocus();
    EXPECT_EQ(prompter.messages, QStringList{"无效的过滤表达式!"});
    EXPECT_EQ(window.query.dbspk.recordCount(), 0);
    EXPECT_EQ(window.query.sqlmxz.recordCount(), 0);
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from aspkm").toInt(), 3);
    answerModal<Tfrmsetspkm>([](Tfrmsetspkm* dialog) { QTest::keyClick(dialog->edtExpr, Qt::Key_Return); });
    alt('F');
    ASSERT_EQ(window.query.dbspk.recordCount(), 3);
    showActive(&window);

    // The name box: typed, Enter finds; Alt+T finds the next.
    window.findText->setFocus();
    typeText("鞋");
    key(Qt::Key_Return);
    EXPECT_EQ(window.query.dbspk.value("Spbm").toString(), "XZ001");
    alt('T');
    EXPECT_EQ(window.query.dbspk.value("Spbm").toString(), "XZ002");

    // Alt+2: the goods ledger of the goods item under the cursor, in entry order.
    alt('2');
    EXPECT_EQ(window.pages->currentIndex(), 1);
    EXPECT_EQ(window.dbg22->model()->rowCount(), 0);  // 篮球鞋 has no ledger rows
    window.query.dbspk.locate("Spbm", "XZ001");
    ASSERT_EQ(window.dbg22->model()->rowCount(), 2);
    EXPECT_EQ(window.dbg22->model()->index(0, 0).data().toString(), "R000000001");
    EXPECT_EQ(window.dbg32->model()->rowCount(), 1);
    // Size columns beyond System.SLY are gone, the others titled by their size.
    EXPECT_EQ(window.dbg22->columnIndex("slD"), -1);
    EXPECT_EQ(window.dbg22->column("slC")->title, "尺码|38");
    EXPECT_EQ(window.dbg01->column("kcslA")->title, "尺码|36");
}

TEST_F(QueryWindowsTest, GoodsBoxesOfTheLedgerPagesSaveWhenTheGoodsRowMoves) {
    TfrmCxSpkM window(context);
    showActive(&window);
    window.pages->setCurrentIndex(1);
    auto* name = window.pages->widget(1)->findChild<FieldEdit*>("Edit_Spmc");
    window.query.dbspk.locate("Spbm", "XZ001");
    name->setFocus();
    name->selectAll();
    typeText("慢跑鞋");
    ASSERT_TRUE(name->commit());
    EXPECT_EQ(dbm.dbapp.scalar("select Spmc from ASPKM where Spbm = 'XZ001'").toString(), "跑步鞋");
    window.query.dbspk.next();
    EXPECT_EQ(dbm.dbapp.scalar("select Spmc from ASPKM where Spbm = 'XZ001'").toString(), "慢跑鞋");
}

TEST_F(QueryWindowsTest, GoodsWindowPrintsByPage) {
    TfrmCxSpkM window(context);
    EXPECT_EQ(window.printCommands(), ChildWindow::Print | ChildWindow::Preview | ChildWindow::Design);
    const auto job = window.gridPrint();
    EXPECT_EQ(job.grid, window.dbg01);
    EXPECT_EQ(job.defaultTitle, "库存商品信息表");
    EXPECT_EQ(job.layout.footerLeft, "单位名称:示例体育用品商店");
    EXPECT_FALSE(job.askTitle);
    window.designReport();
    EXPECT_EQ(prompter.messages, QStringList{"该页内容直接调整屏幕显示即可实现打印格式的调整！"});

    const QStringList pages = previewed(window, "库存商品信息表");
    if (!pages.isEmpty()) {
        EXPECT_TRUE(pages[0].contains("库存商品信息表"));
        EXPECT_TRUE(pages[0].contains("单位名称:示例体育用品商店"));
        EXPECT_TRUE(pages[0].contains("跑步鞋"));
    }
    EXPECT_TRUE(prompter.inputPresets.isEmpty()) << "no title question";

    // The ledger pages print through their templates, which this working
    // directory does not have yet.
    prompter.messages.clear();
    window.pages->setCurrentIndex(1);
    window.print();
    window.designReport();
    EXPECT_EQ(prompter.messages, (QStringList{"报表文件没有找到！", "报表文件不存在！"}));

    // With the shipped template the goods ledger of the current goods item prints.
    QDir(context.session.workingDirectory()).mkpath("reports");
    QFile::copy(QString(QUORVEL_SOURCE_DIR) + "/reports/repbgzm.frf",
                paths::resolve(context.session.workingDirectory(), "reports/repbgzm.frf"));
    window.query.dbspk.locate("Spbm", "XZ001");
    const QStringList ledger = previewed(window, "商品保管帐");
    if (!ledger.isEmpty()) {
        EXPECT_TRUE(ledger[0].contains("商品保管帐"));
        EXPECT_TRUE(ledger[0].contains("进货"));
        EXPECT_TRUE(ledger[0].contains("1800.00"));
        EXPECT_TRUE(ledger[0].contains("跑步鞋"));
    }

    // Export: the goods ledger asks for a file; the sales ledger exports nothing.
    prompter.messages.clear();
    prompter.answerFile(std::nullopt);
    click(window, "btnExport");
    EXPECT_EQ(prompter.messages, QStringList{"取消数据导出"});
    window.pages->setCurrentIndex(2);
    click(window, "btnExport");
    EXPECT_EQ(prompter.messages, QStringList{"取消数据导出"});
}

TEST_F(QueryWindowsTest, GoodsListIsNotReadAgainOnActivationButItsLayoutsAreKept) {
    {
        TfrmCxSpkM window(context);
        dbm.dbapp.exec("update ASPKM set Kcsl = 99 where Spbm = 'FZ001'");
        window.activated();
        EXPECT_EQ(window.query.dbspk.value("Kcsl").toDouble(), 8);
        window.dbg01->setColumnWidth(window.dbg01->columnIndex("Spmc"), 222);
        window.close();
    }
    const IniFile ini(paths::resolve(context.session.workingDirectory(), "VexaStyle.INI"));
    for (const char* section : {"frmCxSpkM_dbg01", "frmCxSpkM_dbg22", "frmCxSpkM_dbg32"})
        EXPECT_FALSE(ini.section(section).isEmpty()) << section;
    TfrmCxSpkM again(context);
    EXPECT_EQ(again.dbg01->columnWidth(again.dbg01->columnIndex("Spmc")), 222);
    EXPECT_EQ(again.query.dbspk.value("Kcsl").toDouble(), 99);
}

// ---------------------------------------------------------- party accounts

TEST_F(QueryWindowsTest, CustomerBalancesColouredAndTotalledOverAllCustomers) {
    TfrmCxBmk window(context);
    QAbstractItemModel* model = window.dbg01->model();
    const int balance = window.dbg01->columnIndex("jyje");
    EXPECT_EQ(model->index(1, balance).data().toString(), "-20.00");
    EXPECT_EQ(model->index(1, balance).data(Qt::BackgroundRole).value<QColor>(), QColor(166, 202, 240));
    EXPECT_EQ(model->index(1, balance).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(model->index(0, balance).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(model->index(2, balance).data().toString(), "");  // zero shows empty
    EXPECT_TRUE(window.dbg01->footerVisible());
    window.query.dbbmk.last();
    EXPECT_EQ(window.dbg01->footerText(balance), "100.00");
    EXPECT_EQ(window.dbg01->footerText(window.dbg01->columnIndex("Mc")), "合　　计");
}

TEST_F(QueryWindowsTest, FlowLedgerDoubleClickFilterAndItsQuantityTotal) {
    TfrmCxBmk window(context);
    showActive(&window);
    alt('4');
    ASSERT_EQ(window.pages->currentIndex(), 2);
    DataGrid& flow = *window.dbg32;
    EXPECT_EQ(flow.columnIndex("slD"), -1);
    EXPECT_FALSE(flow.footerVisible());
    window.showQuantity->setChecked(true);
    EXPECT_EQ(flow.footerText(flow.columnIndex("sl")), "6");
    const int kind = flow.columnIndex("jsfs");
    EXPECT_EQ(flow.model()->index(1, kind).data(Qt::BackgroundRole).value<QColor>(), QColor(166, 202, 240));
    emit flow.doubleClicked(flow.model()->index(1, kind));
    ASSERT_EQ(flow.model()->rowCount(), 1);
    EXPECT_EQ(flow.model()->index(0, kind).data().toString(), "回收欠帐");
    EXPECT_EQ(flow.footerText(flow.columnIndex("sl")), "");
    window.query.dbbmk.next();
    window.query.dbbmk.prior();
    EXPECT_EQ(flow.model()->rowCount(), 2);
}

TEST_F(QueryWindowsTest, SizeColumnsOfTheFlowLedgerFollowTheSizesInUse) {
    for (int sly : {0, 7, 16}) {
        dbm.dbapp.exec("update System set SLY = :sly", {{"sly", sly}});
        dbm.config.refresh();
        TfrmCxBmk window(context);
        int sizes = 0;
        for (const GridColumn& c : window.dbg32->columns()) sizes += c.title.startsWith("尺码|");
        EXPECT_EQ(sizes, sly);
    }
}

TEST_F(QueryWindowsTest, AccountWindowsFindByNameFromTheKeyboard) {
    TfrmCxBmk window(context);
    showActive(&window);
    QStringList positions;
    QObject::connect(&window, &ChildWindow::positionTextChanged, [&positions](const QString& t) { positions.append(t); });
    window.findText->setFocus();
    typeText("店");
    alt('B');
    EXPECT_EQ(window.query.dbbmk.value("bm").toString(), "K001");
    alt('T');
    EXPECT_EQ(window.query.dbbmk.value("bm").toString(), "K002");
    EXPECT_TRUE(positions.contains("2/3"));
    alt('T');
    EXPECT_EQ(window.query.dbbmk.value("bm").toString(), "K001");  // past the last: the first, silently
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(QueryWindowsTest, AccountWindowsPrintTitlesAndFootersPerPage) {
    struct Case {
        bool customers;
        int page;
        const char* grid;
        const char* title;
        const char* footer;
    };
    const Case cases[] = {
        {true, 0, "dbg01", "往来单位余额表（应收）　　", "单位名称:示例体育用品商店"},
        {true, 1, "dbg22", "单位往来明细帐（应收）　　", "客户名称:阳光体育用品店"},
        {true, 2, "dbg32", "单位业务流水帐　　", "客户名称:阳光体育用品店"},
        {true, 3, "dbg01", "往来单位余额表（应收）　　", "单位名称:示例体育用品商店"},
        {false, 0, "dbg01", "往来单位余额表（应付）　　", "单位名称:示例体育用品商店"},
        {false, 1, "dbg22", "单位往来明细帐（应付）　　", "客户名称:华南鞋业有限公司"},
        {false, 2, "dbg01", "往来单位余额表（应付）　　", "单位名称:示例体育用品商店"},
    };
    TfrmCxBmk customers(context);
    TfrmCxGys suppliers(context);
    for (const Case& c : cases) {
        PartyAccountWindow& window = c.customers ? static_cast<PartyAccountWindow&>(customers) : suppliers;
        window.pages->setCurrentIndex(c.page);
        const auto job = window.gridPrint();
        EXPECT_EQ(job.grid->objectName(), c.grid) << c.title;
        EXPECT_EQ(job.defaultTitle, c.title);
        EXPECT_EQ(job.layout.footerLeft, c.footer) << c.title;
        EXPECT_FALSE(job.askTitle);
    }
    EXPECT_EQ(customers.printCommands(), ChildWindow::Print | ChildWindow::Preview);
    EXPECT_EQ(suppliers.findChild<DataGrid*>("dbg32"), nullptr);
    EXPECT_EQ(suppliers.dbg01->columnIndex("Fzry"), -1);

    // On paper: the supplier's detail ledger under its title, naming the supplier.
    suppliers.pages->setCurrentIndex(1);
    const QStringList pages = previewed(suppliers, "单位往来明细帐（应付）");
    if (!pages.isEmpty()) {
        EXPECT_TRUE(pages[0].contains("单位往来明细帐(应付)"));  // read back, full-width brackets come as ASCII
        EXPECT_TRUE(pages[0].contains("名称:华南鞋业有限公司"));
        EXPECT_TRUE(pages[0].contains("1800.00"));
        EXPECT_TRUE(pages[0].contains("打印日期:"));
    }
}

TEST_F(QueryWindowsTest, CustomerLayoutsAreKeptAndSupplierLayoutsAreNot) {
    {
        TfrmCxBmk customers(context);
        TfrmCxGys suppliers(context);
        customers.dbg01->setColumnWidth(customers.dbg01->columnIndex("Mc"), 211);
        suppliers.dbg01->setColumnWidth(suppliers.dbg01->columnIndex("Mc"), 211);
        customers.close();
        suppliers.close();
    }
    TfrmCxBmk customers(context);
    TfrmCxGys suppliers(context);
    EXPECT_EQ(customers.dbg01->columnWidth(customers.dbg01->columnIndex("Mc")), 211);
    EXPECT_NE(suppliers.dbg01->columnWidth(suppliers.dbg01->columnIndex("Mc")), 211);
}

TEST_F(QueryWindowsTest, AccountWindowsShowPostingsMadeElsewhereOnActivation) {
    TfrmCxGys window(context);
    dbm.dbapp.exec("update AGYS set jyje = 2000 where Bm = 'G001'");
    dbm.dbapp.exec("insert into AGYMXZ (Dwbh, Djhm, Rq, Zyxx, Jfje, Jyje) values "
                   "('G001', '000000002', '2026-03-04 00:00:00', '进货', 200, 2000)");
    window.activated();
    EXPECT_EQ(window.query.dbbmk.value("jyje").toDouble(), 2000);
    EXPECT_EQ(window.query.sqlmxz.recordCount(), 2);
}

}  // namespace
