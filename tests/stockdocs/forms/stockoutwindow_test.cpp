// The stock-out window driven as a clerk drives it: from the keyboard.
#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "masterdata/forms/picklists.h"
#include "stockdocs/forms/uspckdlr.h"
#include "support/keyboard.h"
#include "support/modal.h"
#include "support/openbook.h"
#include "support/printedtemplate.h"
#include "support/stockbook.h"
#include "tools/admintool.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class StockOutWindowTest : public testing::Test, protected OpenBook {
protected:
    StockOutWindowTest() {
        loadDemoData(dbm.dbapp);
        dbm.config.refresh();
        session.setOperator("admin", "王会计", {});
        session.setBusinessDate(QDate(2004, 3, 15));
    }
    std::unique_ptr<Tfrmspckdlr> open() {
        auto w = std::make_unique<Tfrmspckdlr>(context);
        showActive(w.get());
        return w;
    }
    QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; }
    QString currentColumn(Tfrmspckdlr& w) { return w.dbg01->columns()[w.dbg01->currentIndex().column()].field; }
    void enterCell(const QString& text) {
        if (!text.isEmpty()) typeText(text);
        key(Qt::Key_Return);
    }
    // From the goods code of a new line: the code, then Enter along the line
    // to the quantity, typing two pairs in the first size and three in the second.
    void typeLine(Tfrmspckdlr& w, const QString& code) {
        ASSERT_EQ(currentColumn(w), "Spbm");
        enterCell(code);
        for (const char* field : {"artno", "ggxh", "GGDW"}) {
            ASSERT_EQ(currentColumn(w), field);
            enterCell("");
        }
        for (const char* size : {"2", "3", "", "", "", "", "", ""}) enterCell(size);
        ASSERT_EQ(currentColumn(w), "SL");
        EXPECT_DOUBLE_EQ(w.dbd.value("SL").toDouble(), 5) << "the quantity is the sum of the sizes";
        enterCell("");
        ASSERT_EQ(currentColumn(w), "DJ");
    }
    double customer(const QString& code, const QString& column) {
        return dbm.dbapp.scalar(QString("select %1 from ABMK where Bm = :c").arg(column), {{"c", code}}).toDouble();
    }
};

TEST_F(StockOutWindowTest, ASaleOnAccountFromTheKeyboard) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "商品出库单数据录入....");
    key(Qt::Key_F3);
    EXPECT_EQ(w->dbm.value("DJHM").toString(), "000000001");
    ASSERT_EQ(focusName(), "SKFS") << "a new document starts at the way of sale";
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(w->dbm.value("SKFS").toString(), "记帐");
    // On account to the walk-in customer: refused on the way into the lines.
    for (int i = 0; i < 6; ++i) key(Qt::Key_Return);  // 单位编码, 单位名称, 摘要, 会计, 发货, the lines
    EXPECT_EQ(prompter.messages, QStringList({"散户不允许进行欠帐!"}));
    EXPECT_EQ(focusName(), "SKFS");
    EXPECT_EQ(dbm.dbapp.scalar("select ykckdh from System").toInt(), 0);

    prompter.messages.clear();
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "KHBM");
    typeText("K001");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "KHMC");
    EXPECT_EQ(w->headerBox("KHMC")->text(), "阳光体育用品店");
    EXPECT_TRUE(w->headerBox("KHMC")->isReadOnly()) << "a registered customer's name is not typed";
    for (int i = 0; i < 3; ++i) key(Qt::Key_Return);  // 摘要, 会计, 发货
    ASSERT_EQ(focusName(), "RYBG");
    EXPECT_TRUE(w->headerBox("NOTE")->text().isEmpty()) << "no default note";
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "dbg01");
    EXPECT_EQ(dbm.dbapp.scalar("select ykckdh from System").toInt(), 1) << "entering the lines saved the header";

    typeLine(*w, "XZ001");
    EXPECT_DOUBLE_EQ(w->dbd.value("DJ").toDouble(), 320) << "on account: the wholesale price";
    typeText("9");
    EXPECT_FALSE(w->dbg01->isEditingCell()) << "the price is not typed without the sales price rule";
    enterCell("");     // DJ
    enterCell("");     // JE, the last column: the line is saved and a new one opens
    EXPECT_EQ(prompter.messages, QStringList({"当前品种库存量已经不能满足出库，\n请做进货准备！"}))
        << "nothing in stock: told, and saved all the same";
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from ASPCKDD").toInt(), 1);
    EXPECT_EQ(currentColumn(*w), "Spbm");
    key(Qt::Key_Return);  // Enter on an empty code: the line goes, the way of sale takes the focus
    EXPECT_EQ(w->dbd.state(), RowSet::State::Browse);
    EXPECT_EQ(focusName(), "SKFS");

    prompter.messages.clear();
    prompter.expectQuestion("是否确定要对当前单据记帐？", true);
    key(Qt::Key_F5);
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();
    EXPECT_EQ(w->ljzbz->text(), "单据已记帐");
    EXPECT_FALSE(w->btnpass->isEnabled());
    EXPECT_DOUBLE_EQ(dbm.dbapp.scalar("select Kcsl from ASPKM where Spbm = 'XZ001'").toDouble(), -5);
    EXPECT_DOUBLE_EQ(customer("K001", "jyje"), 1600);
    EXPECT_DOUBLE_EQ(customer("K001", "bydf"), 0);
}

TEST_F(StockOutWindowTest, AWalkInCashSaleWithATypedNameAndPrice) {
    session.settings.salesPriceRule = true;
    stockbook::addGoods(dbm.dbapp, {.code = "XZ101", .kcsl = 50, .xsdj = 398, .pfdj = 320, .cbxx = 10});
    auto w = open();
    key(Qt::Key_F3);
    key(Qt::Key_Down);
    EXPECT_EQ(w->dbm.value("SKFS").toString(), "现金");
    key(Qt::Key_Return);
    EXPECT_EQ(w->headerBox("KHBM")->text(), "0000");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "KHMC");
    EXPECT_FALSE(w->headerBox("KHMC")->isReadOnly()) << "the walk-in customer's name is typed";
    typeText("王先生");
    for (int i = 0; i < 4; ++i) key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "dbg01");

    typeLine(*w, "XZ101");
    EXPECT_DOUBLE_EQ(w->dbd.value("DJ").toDouble(), 320);
    enterCell("350");  // the sales price rule lets the price be typed
    EXPECT_DOUBLE_EQ(w->dbd.value("JE").toDouble(), 1750);
    enterCell("");
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();

    prompter.expectQuestion("是否确定要对当前单据记帐？", true);
    w->btnpass->click();
    EXPECT_EQ(w->ljzbz->text(), "单据已记帐");
    EXPECT_EQ(dbm.dbapp.rows("select khmc, je from AXSLSZ"), QList<QVariantList>({{"王先生", 1750.0}}));
    EXPECT_DOUBLE_EQ(customer("0000", "bydf"), 1750);
    EXPECT_DOUBLE_EQ(customer("0000", "jyje"), 0);
}

TEST_F(StockOutWindowTest, TheCustomerPickerSetsTheCodeAndName) {
    auto w = open();
    key(Qt::Key_F3);
    w->headerBox("KHBM")->setFocus();
    answerModal<TfrmpickKh>([](TfrmpickKh* picker) {
        EXPECT_EQ(picker->windowTitle(), "请选择客户");
        EXPECT_TRUE(picker->DBNavigator1->isVisible());
        picker->Edit1->setText("K002");
        picker->accept();
    });
    key(Qt::Key_F2);
    EXPECT_EQ(w->dbm.value("KHBM").toString(), "K002");
    EXPECT_EQ(w->headerBox("KHMC")->text(), "奔跑者专卖店");
    EXPECT_TRUE(w->headerBox("KHMC")->isReadOnly());
}

TEST_F(StockOutWindowTest, TheLayoutKeepsItsSortMarkers) {
    {
        auto w = open();
        w->dbg01->sortByColumn(w->dbg01->columnIndex("Spbm"));
        w->close();
    }
    auto w = open();
    EXPECT_EQ(w->dbg01->columns()[w->dbg01->columnIndex("Spbm")].marker, GridColumn::Sort::Ascending);
    QStringList slotTitles;
    for (const GridColumn& c : w->dbg01->columns())
        if (c.field.size() == 3 && c.field.startsWith("sl") && c.visible) slotTitles.append(c.title);
    EXPECT_EQ(slotTitles.size(), 8) << "the eight sizes in use";
}

TEST_F(StockOutWindowTest, ThePrintedDocumentNamesItsCustomerAndGoods) {
    if (!hasPdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    stockbook::addSale(dbm.dbapp, "000000007", "0000", "王先生", "现金",
                       {{.code = "FZ001", .sl = 2, .dj = 458, .sizes = {2}}, {.code = "PJ001", .sl = 5, .dj = 25, .sizes = {5}}});
    auto w = open();
    expectPrintedPageHolds("repspxsd.frf", w->printSources(), {"000000007", "王先生", "现金", "运动套装", "运动袜", "示例体育用品商店"});
}

}  // namespace
