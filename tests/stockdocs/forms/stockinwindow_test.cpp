// The stock-in window driven as a clerk drives it: from the keyboard.
#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "stockdocs/forms/upickrkd.h"
#include "stockdocs/forms/usprkdlr.h"
#include "support/keyboard.h"
#include "support/openbook.h"
#include "support/printedtemplate.h"
#include "support/stockbook.h"
#include "tools/admintool.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class StockInWindowTest : public testing::Test, protected OpenBook {
protected:
    StockInWindowTest() {
        loadDemoData(dbm.dbapp);
        dbm.config.refresh();
        session.setOperator("admin", "王会计", {});
        session.setBusinessDate(QDate(2004, 3, 15));
    }
    std::unique_ptr<Tfrmsprkdlr> open() {
        auto w = std::make_unique<Tfrmsprkdlr>(context);
        showActive(w.get());
        return w;
    }
    QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; }
    QString currentColumn(Tfrmsprkdlr& w) { return w.dbg01->columns()[w.dbg01->currentIndex().column()].field; }
    void enterCell(const QString& text) {
        if (!text.isEmpty()) typeText(text);
        key(Qt::Key_Return);
    }
};

TEST_F(StockInWindowTest, ADocumentEnteredFromTheKeyboardAndPostedWithF5) {
    auto w = open();
    key(Qt::Key_F3);
    EXPECT_EQ(w->dbm.value("DJHM").toString(), "000000001");
    EXPECT_EQ(focusName(), "FPHM") << "a new document starts at the invoice number";
    typeText("FP01");
    key(Qt::Key_Return);
    EXPECT_EQ(focusName(), "KHBM");
    typeText("G001");
    key(Qt::Key_Return);
    key(Qt::Key_Return);  // past the supplier's name
    EXPECT_EQ(focusName(), "NOTE");
    EXPECT_EQ(w->headerBox("NOTE")->text(), "从华南鞋业有限公司进货");
    for (int i = 0; i < 3; ++i) key(Qt::Key_Return);  // 采购, 会计, 保管
    EXPECT_EQ(focusName(), "RYBG");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "dbg01") << "Enter in 保管 goes into the lines";
    EXPECT_EQ(dbm.dbapp.scalar("select Ykrkdh from System").toInt(), 1) << "entering the lines saved the header";
    EXPECT_EQ(w->dbd.state(), RowSet::State::Insert);
    EXPECT_EQ(currentColumn(*w), "Spbm");

    enterCell("XZ001");
    EXPECT_EQ(currentColumn(*w), "artno") << "Enter on a filled code lands two columns on";
    EXPECT_EQ(w->dbd.value("BzLx").toInt(), 12);
    for (const char* field : {"artno", "ggxh", "BzLx", "GGDW"}) {
        ASSERT_EQ(currentColumn(*w), field);
        enterCell("");
    }
    ASSERT_EQ(currentColumn(*w), "SL");
    enterCell("1");    // SL: one box of 12
    ASSERT_EQ(currentColumn(*w), "DJ");
    enterCell("2.5");  // DJ
    EXPECT_DOUBLE_EQ(w->dbd.value("JE").toDouble(), 30);
    enterCell("");     // JE
    for (const char* quantity : {"2", "2", "2", "2", "1", "1", "1", "1"}) enterCell(quantity);  // sizes 36..43
    enterCell("");     // jldw
    enterCell("");     // JBSL, the last column: the line is saved and a new one opens
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from asprkdd").toInt(), 1);
    EXPECT_EQ(w->dbd.state(), RowSet::State::Insert);
    EXPECT_EQ(currentColumn(*w), "Spbm");
    key(Qt::Key_Return);  // Enter on an empty code: the line goes, the header takes the focus
    EXPECT_EQ(w->dbd.state(), RowSet::State::Browse);
    EXPECT_EQ(focusName(), "FPHM");
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();

    prompter.expectQuestion("是否确定要对当前单据记帐？", true);
    key(Qt::Key_F5);
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();
    EXPECT_EQ(w->ljzbz->text(), "单据已记帐");
    EXPECT_FALSE(w->btnpass->isEnabled());
    EXPECT_EQ(w->headerBox("RYJZ")->text(), "王会计");
    EXPECT_DOUBLE_EQ(dbm.dbapp.scalar("select Kcsl from ASPKM where Spbm = 'XZ001'").toDouble(), 12);
    EXPECT_DOUBLE_EQ(dbm.dbapp.scalar("select jyje from AGYS where Bm = 'G001'").toDouble(), 30);

    // A posted document: typing is ignored, F2 opens no picker, changes are refused.
    w->dbg01->setFocus();
    typeText("9");
    EXPECT_FALSE(w->dbg01->isEditingCell());
    key(Qt::Key_F2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(w->dbm.remove());
    EXPECT_EQ(prompter.messages, QStringList({"单据已经记帐，不能删除!"}));
}

TEST_F(StockInWindowTest, AHalfTypedLineIsSavedOrDroppedBeforePrinting) {
    stockbook::addDocument(dbm.dbapp, "ASPRKD", "asprkdd", "000000001", "G001", {});
    auto w = open();
    w->dbg01->setFocus();  // enters the lines: a first line opens
    ASSERT_EQ(w->dbd.state(), RowSet::State::Insert);
    w->dbd.setValue("SL", 3);  // no goods code: dropped
    key(Qt::Key_F8);
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from asprkdd").toInt(), 0);
    EXPECT_EQ(prompter.messages, QStringList({"单据未经审核记帐，不能进行打印!"})) << "the print rule";

    prompter.messages.clear();
    ASSERT_TRUE(w->dbd.append());
    w->dbd.setValue("Spbm", "PJ001");  // one pair, no sizes: refused by the size check
    w->dbd.setValue("SL", 1);
    w->btnpreview->click();
    EXPECT_EQ(prompter.messages, QStringList({"配码数量与总数量不一致，请进行纠正！"}));
    EXPECT_TRUE(w->dbd.isEditing()) << "the command stops with the line still in editing";
    w->dbd.setValue("slA", 1);
    prompter.messages.clear();
    w->btnprn->click();
    EXPECT_EQ(dbm.dbapp.scalar("select count(*) from asprkdd").toInt(), 1);
    EXPECT_EQ(prompter.messages, QStringList({"单据未经审核记帐，不能进行打印!"}));
}

TEST_F(StockInWindowTest, PostingAHalfTypedLineSavesItFirst) {
    stockbook::addDocument(dbm.dbapp, "ASPRKD", "asprkdd", "000000001", "G001", {});
    auto w = open();
    w->dbg01->setFocus();
    w->dbd.setValue("Spbm", "PJ001");
    w->dbd.setValue("SL", 2);
    w->dbd.setValue("DJ", 5);
    w->dbd.setValue("slA", 2);
    prompter.expectQuestion("是否确定要对当前单据记帐？", true);
    w->btnpass->click();
    EXPECT_DOUBLE_EQ(dbm.dbapp.scalar("select Je from ASPRKD").toDouble(), 10);
    EXPECT_EQ(w->ljzbz->text(), "单据已记帐");
}

TEST_F(StockInWindowTest, TheFindDialogSeeksByLeftPaddedNumbers) {
    for (int n = 1; n <= 50; ++n)
        stockbook::addDocument(dbm.dbapp, "ASPRKD", "asprkdd", QString::number(n).rightJustified(9, '0'), "G001", {});
    RowSet headers(dbm.dbapp);
    headers.setTable("ASPRKD", "ASPRKD#PX");
    headers.open();
    Tfrmpickrkd dialog(headers, prompter);
    EXPECT_EQ(dialog.windowTitle(), "请选择入库单");
    struct Step {
        const char* typed;
        const char* current;
    };
    for (const Step& s : {Step{"4", "000000004"}, Step{"42", "000000042"}, Step{"420", "000000042"},
                          Step{"000000017", "000000017"}, Step{"0000000170", "000000017"}}) {
        dialog.Edit1->setText(s.typed);
        EXPECT_EQ(headers.value("DJHM").toString(), s.current) << s.typed;
    }
    dialog.show();
    dialog.close();  // the close box keeps the document it was on
    EXPECT_EQ(headers.value("DJHM").toString(), "000000017");
}

TEST_F(StockInWindowTest, ThePrintedDocumentNamesItsSupplierAndGoods) {
    if (!hasPdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    stockbook::addDocument(dbm.dbapp, "ASPRKD", "asprkdd", "000000007", "G002",
                           {{.code = "FZ001", .sl = 2, .dj = 300, .sizes = {2}}, {.code = "PJ001", .sl = 5, .dj = 12, .sizes = {5}}});
    auto w = open();
    expectPrintedPageHolds("repsprkd.frf", w->printSources(), {"000000007", "东方服饰制造厂", "运动套装", "运动袜", "示例体育用品商店"});
}

TEST_F(StockInWindowTest, EscDropsANewDocumentAndF4SavesOne) {
    auto w = open();
    key(Qt::Key_F3);
    typeText("FP01");  // still being typed when Esc comes
    key(Qt::Key_Escape);
    EXPECT_TRUE(w->dbm.isEmpty());
    EXPECT_EQ(dbm.dbapp.scalar("select Ykrkdh from System").toInt(), 0);

    key(Qt::Key_F3);
    w->headerBox("KHBM")->setFocus();
    typeText("G003");
    key(Qt::Key_F4);  // with the supplier code still in its box
    EXPECT_EQ(dbm.dbapp.rows("select DJHM, KHBM, RYZD from ASPRKD"), QList<QVariantList>({{"000000001", "G003", "王会计"}}));
    EXPECT_EQ(w->headerBox("rfkhmc")->text(), "北方体育用品批发部");

    alt('I');  // 增加分录: the first line, at its goods code
    EXPECT_EQ(w->dbd.state(), RowSet::State::Insert);
    EXPECT_EQ(focusName(), "dbg01");
    EXPECT_EQ(currentColumn(*w), "Spbm");
}

TEST_F(StockInWindowTest, ASupplierAddedThroughThePickerStartsAtZeroAndNoneIsDeletedThere) {
    auto w = open();
    ASSERT_TRUE(w->dbkhk.append());
    EXPECT_EQ(w->dbkhk.value("jyje").toDouble(), 0);
    EXPECT_EQ(w->dbkhk.value("bnjf").toDouble(), 0);
    w->dbkhk.cancel();
    w->dbkhk.first();
    EXPECT_FALSE(w->dbkhk.remove());
    EXPECT_EQ(prompter.messages, QStringList({"不能在此删除供应商信息！"}));
}

TEST_F(StockInWindowTest, TheSizeColumnsInUseAreTitledByTheirLabels) {
    auto w = open();
    QStringList slotTitles;
    for (const GridColumn& c : w->dbg01->columns())
        if (c.field.size() == 3 && c.field.startsWith("sl") && c.visible) slotTitles.append(c.title);
    EXPECT_EQ(slotTitles, QStringList({"尺码|36", "尺码|37", "尺码|38", "尺码|39", "尺码|40", "尺码|41", "尺码|42", "尺码|43"}));
    EXPECT_TRUE(w->headerBox("RQ")->isReadOnly()) << "the date is the business date unless DjRqEdit";
}

}  // namespace
