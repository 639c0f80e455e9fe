// The summary dialogs and result windows, and the history browsers, driven
// from the keyboard over a small book of posted documents.
#include "grid/forms/datagrid.h"
#include "stockdocs/forms/uhzrkd.h"
#include "stockdocs/forms/uhzrkdcx.h"
#include "stockdocs/forms/upickrkd.h"
#include "stockdocs/forms/usprkdcx.h"
#include "dataaware/fieldeditors.h"
#include "support/keyboard.h"
#include "support/modal.h"
#include "support/openbook.h"
#include "support/printedtext.h"
#include "support/stockbook.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class SummaryWindowsTest : public testing::Test, protected OpenBook {
protected:
    SummaryWindowsTest() {
        session.setOperator("admin", "王会计", {});
        session.setBusinessDate(QDate(2003, 7, 31));
        Database& db = dbm.dbapp;
        db.exec("insert into ASPLB (Bm, Mc) values ('01', '运动鞋')");
        stockbook::addGoods(db, {.code = "S1", .kcjg = 5.375});
        stockbook::addGoods(db, {.code = "S2", .kcjg = 2});
        db.exec("update ASPKM set Splb = '01', Pfdj = 12");
        stockbook::addParty(db, "AGYS", {.code = "G01", .name = "华南鞋业"});
        for (int n = 1; n <= 14; ++n) {
            const QString number = QString("%1").arg(n, 9, 10, QChar('0'));
            stockbook::addDocument(db, "ASPRKD", "asprkdd", number, "G01",
                                   {{.code = n % 2 ? "S1" : "S2", .sl = double(n), .dj = 10}}, QDate(2003, 7, n));
            if (n == 14) continue;  // the last one is not posted
            db.exec("update ASPRKD set BZW = '3', RYJZ = '王会计', Je = :je where DJHM = :n",
                    {{"n", number}, {"je", n * 10}});
            db.exec("update asprkdd set BZW = '3' where DJHM = :n", {{"n", number}});
        }
        stockbook::addDocument(db, "ASPCKD", "ASPCKDD", "000000001", "0000", {{.code = "S1", .sl = 10, .dj = 9.5}},
                               QDate(2003, 7, 20));
        db.exec("update ASPCKD set BZW = '3', RYJZ = '王会计', Je = 95, SKFS = '零售', KHMC = '散户'");
        db.exec("update ASPCKDD set BZW = '3'");
    }
};

TEST_F(SummaryWindowsTest, TheDialogOpensByDateAndTheNumberModeIsChosenFromTheKeyboard) {
    Tfrmhzrkd dialog(context);
    showActive(&dialog);
    EXPECT_EQ(dialog.windowTitle(), "商品入库统计汇总...");
    EXPECT_TRUE(dialog.rbDate->isChecked());
    EXPECT_EQ(dialog.dtpFrom->date(), QDate(2003, 7, 31));
    EXPECT_EQ(dialog.dtpTo->date(), QDate(2003, 7, 31));
    EXPECT_EQ(dialog.edtRyjz->text(), "王会计");
    EXPECT_TRUE(dialog.dtpFrom->isEnabled());
    EXPECT_FALSE(dialog.edtFrom->isEnabled());
    EXPECT_FALSE(dialog.btnFindTo->isEnabled());

    dialog.rbDate->setFocus();
    key(Qt::Key_Right);
    EXPECT_TRUE(dialog.rbNumber->isChecked());
    EXPECT_FALSE(dialog.dtpTo->isEnabled());
    EXPECT_TRUE(dialog.edtFrom->isEnabled());
    EXPECT_TRUE(dialog.btnFindFrom->isEnabled());
    key(Qt::Key_Left);
    EXPECT_TRUE(dialog.rbDate->isChecked());
    EXPECT_FALSE(dialog.edtTo->isEnabled());
}

TEST_F(SummaryWindowsTest, NumbersTypedAndRunWithAltOShowTheResultWindowOverTheDialog) {
    Tfrmhzrkd dialog(context);
    showActive(&dialog);
    dialog.rbNumber->click();
    dialog.edtFrom->setFocus();
    typeText("12");
    key(Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), dialog.edtTo) << "Enter moves to the next box";
    typeText("30");

    bool shown = false;
    answerModal<Tfrmhzrkdcx>([&](Tfrmhzrkdcx* result) {
        shown = true;
        EXPECT_EQ(result->windowTitle(), "Quorvel商业信息系统商品入库汇总查询....");
        ASSERT_EQ(result->PageControl1->count(), 3);
        EXPECT_EQ(result->PageControl1->tabText(0), "方式一[&1]");
        EXPECT_EQ(result->edtTitle->text(), "商品入库单汇总表");
        // Documents 12 and 13 (14 is not posted): goods S2 and S1, the subtotal, the total.
        DataGrid* q1 = result->grids[0];
        EXPECT_EQ(q1->model()->rowCount(), 4);
        EXPECT_EQ(q1->model()->index(3, q1->columnIndex("sl")).data().toString(), "25");
        EXPECT_EQ(q1->model()->index(3, q1->columnIndex("je")).data().toString(), "250.00");

        // The goods detail off from the keyboard: the subtotal and the total remain.
        QTest::keyClick(result->detailBoxes[0], Qt::Key_Space);
        EXPECT_FALSE(result->detailBoxes[0]->isChecked());
        EXPECT_EQ(q1->model()->rowCount(), 2);
        QTest::keyClick(q1, Qt::Key_Down);
        EXPECT_EQ(result->lblPosition->text(), "位置:2/2");

        DataGrid* q2 = result->grids[1];
        EXPECT_EQ(q2->footerText(q2->columnIndex("spmc")), "合　　计");
        EXPECT_EQ(q2->footerText(q2->columnIndex("rkje")), "250.00");
        EXPECT_EQ(q2->footerText(q2->columnIndex("pfje")), "300.00");
        EXPECT_EQ(result->btnClose->text(), "返回[&X]");
        // The offscreen platform leaves the criteria dialog active under a
        // nested modal window; a window system hands activation to it.
        QApplication::setActiveWindow(result);
        q1->setFocus();
        altInDialog('X');
        if (result->isVisible()) {
            ADD_FAILURE() << "Alt+X left the result window open";
            result->reject();
        }
    });
    altInDialog('O');
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialog.edtFrom->text(), "000000012");
    EXPECT_EQ(dialog.edtTo->text(), "000000030");
    EXPECT_EQ(prompter.waitTexts, QStringList{"正在进行汇总处理,请等待...."});
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    EXPECT_TRUE(dialog.isVisible()) << "the dialog stays for another run";
}

TEST_F(SummaryWindowsTest, TheResultPrintsTheCurrentTabUnderTheReportTitle) {
    Tfrmhzckd dialog(context);
    dialog.dtpFrom->setDate(QDate(2003, 7, 1));
    answerModal<Tfrmhzckdcx>([&](Tfrmhzckdcx* result) {
        EXPECT_EQ(result->PageControl1->tabText(3), "方式四[&4]");
        result->PageControl1->setCurrentIndex(0);
        result->edtTitle->setText("七月出库汇总");
        const GridPrintSettings settings = result->printSettings();
        const QStringList pages = printedPages(GridPrinter(*result->currentGrid(), settings));
        if (!pages.isEmpty()) {
            EXPECT_TRUE(pages[0].contains("七月出库汇总"));
            EXPECT_TRUE(pages[0].contains("打印日期:"));
            EXPECT_TRUE(pages[0].contains("页:1") || pages[0].contains("⻚:1")) << pages[0].toStdString();  // the radical form as extracted
            EXPECT_TRUE(pages[0].contains("41.25")) << pages[0].toStdString();
        }
        result->reject();
    });
    dialog.btnOK->click();
}

TEST_F(SummaryWindowsTest, ThePickedNumberGoesIntoItsBoxAndAnEmptyTableLeavesItAlone) {
    Tfrmhzrkd dialog(context);
    dialog.rbNumber->click();
    answerModal<Tfrmpkdjhm>([](Tfrmpkdjhm* picker) {
        picker->Edit1->setText("7");
        picker->accept();
    });
    dialog.btnFindFrom->click();
    EXPECT_EQ(dialog.edtFrom->text(), "000000007");

    dbm.dbapp.exec("delete from ASPCKD");
    Tfrmhzckd out(context);
    out.rbNumber->click();
    out.edtTo->setText("5");
    answerModal<Tfrmpkdjhm>([](Tfrmpkdjhm* picker) { picker->accept(); });
    out.btnFindTo->click();
    EXPECT_EQ(out.edtTo->text(), "5");
}

TEST_F(SummaryWindowsTest, AQueryTheBookRefusesIsToldAndTheDialogKeepsItsEntries) {
    dbm.dbapp.exec("drop table ASPLB");
    Tfrmhzrkd dialog(context);
    dialog.edtRyjz->setText("张三");
    dialog.btnOK->click();  // no result window may come
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].contains("asplb", Qt::CaseInsensitive)) << prompter.messages[0].toStdString();
    EXPECT_EQ(prompter.waitBoxesShown, 0);
    EXPECT_EQ(dialog.edtRyjz->text(), "张三");
}

TEST_F(SummaryWindowsTest, TheBrowserShowsTheLastDocumentReadOnlyAndMovesFromItsButtons) {
    Tfrmsprkdcx w(context);
    showActive(&w);
    EXPECT_EQ(w.windowTitle(), "商品入库单数据查询....");
    EXPECT_EQ(w.dbm.value("DJHM").toString(), "000000014");
    EXPECT_EQ(w.ljzbz->text(), "单据未记帐");
    EXPECT_EQ(w.headerBox("rfkhmc")->text(), "华南鞋业");
    EXPECT_TRUE(w.headerBox("NOTE")->isReadOnly());
    EXPECT_EQ(w.dbg01->footerText(w.dbg01->columnIndex("JBSL")), "14");
    EXPECT_FALSE(w.dbg01->column("zyxx")->visible);
    EXPECT_EQ(w.printCommands(), 0) << "no printing";

    w.findChild<QPushButton*>("nbPrior")->click();
    EXPECT_EQ(w.dbm.value("DJHM").toString(), "000000013");
    EXPECT_EQ(w.ljzbz->text(), "单据已记帐");
    w.findChild<QPushButton*>("nbFirst")->click();
    EXPECT_EQ(w.dbm.value("DJHM").toString(), "000000001");

    // 查找[&B] from the keyboard, over the browser's own headers.
    answerModal<Tfrmpickrkd>([](Tfrmpickrkd* finder) {
        finder->Edit1->setText("9");
        finder->accept();
    });
    QTest::keyClick(&w, Qt::Key_B, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_EQ(w.dbm.value("DJHM").toString(), "000000009");
    EXPECT_EQ(w.dbd.value("SL").toDouble(), 9);

    // 汇总[&A] summarises the book the browser shows.
    bool summary = false;
    answerModal<Tfrmhzrkd>([&summary](Tfrmhzrkd* d) {
        summary = true;
        d->reject();
    });
    QTest::keyClick(&w, Qt::Key_A, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_TRUE(summary);
}

TEST_F(SummaryWindowsTest, TheStockOutBrowserShowsTheCustomerStoredOnTheDocument) {
    Tfrmspckdcx w(context);
    EXPECT_EQ(w.windowTitle(), "商品出库单数据查询....");
    EXPECT_EQ(w.headerBox("KHMC")->text(), "散户");
    EXPECT_EQ(w.headerBox("SKFS")->text(), "零售");
    EXPECT_EQ(w.dbg01->footerText(w.dbg01->columnIndex("JE")), "95.00");
    EXPECT_FALSE(w.dbg01->column("jbsl")->visible);
}

}  // namespace
