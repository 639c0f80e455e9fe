// The receipt, payment and order windows, the browsers and the summaries,
// driven from the keyboard on the demo book.
#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "masterdata/forms/picklists.h"
#include "moneydocs/forms/moneybrowser.h"
#include "moneydocs/forms/moneydocumentwindow.h"
#include "moneydocs/forms/moneysummarywindows.h"
#include "moneydocs/forms/uOrders.h"
#include "moneydocs/moneybook.h"
#include "stockdocs/forms/upickrkd.h"
#include "support/keyboard.h"
#include "support/modal.h"
#include "support/openbook.h"
#include "support/printedtemplate.h"
#include "tools/admintool.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace moneybook;

namespace {

class MoneyWindowsTest : public testing::Test, protected OpenBook {
protected:
    MoneyWindowsTest() {
        loadDemoData(dbm.dbapp);
        dbm.config.refresh();
        session.setOperator("admin", "王会计", {});
        session.setBusinessDate(QDate(2004, 3, 15));
    }
    template <typename Window>
    std::unique_ptr<Window> open() {
        auto w = std::make_unique<Window>(context);
        showActive(w.get());
        return w;
    }
    QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; }
    QString selectedText() {
        auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return edit ? edit->selectedText() : "";
    }
    double scalar(const QString& sql) { return dbm.dbapp.scalar(sql).toDouble(); }
};

TEST_F(MoneyWindowsTest, AReceiptTypedAndPostedFromTheKeyboard) {
    auto w = open<Tfrmskdlr>();
    EXPECT_EQ(w->windowTitle(), "收款单据录入....");
    EXPECT_EQ(w->ljzbz->text(), "记帐标志");
    key(Qt::Key_F3);
    EXPECT_EQ(w->dbm.value("Djhm").toString(), "000000001");
    ASSERT_EQ(focusName(), "Dwbh");
    EXPECT_EQ(selectedText(), "0000") << "the walk-in code, ready to be typed over";
    typeText("K001");
    key(Qt::Key_Return);
    EXPECT_EQ(focusName(), "dwmc");
    EXPECT_EQ(w->headerBox("dwmc")->text(), "阳光体育用品店");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "Je");
    typeText("300");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "NOTE");
    typeText("还三月货款");
    key(Qt::Key_Return);
    EXPECT_EQ(focusName(), "Dwbh") << "Enter in the note goes back to the customer code";
    EXPECT_EQ(selectedText(), "K001");
    key(Qt::Key_F4);
    EXPECT_EQ(scalar("select ykskdh from System"), 1);
    EXPECT_EQ(w->ljzbz->text(), "单据未记帐");

    prompter.expectQuestion("是否确定要对当前单据记帐？", true);
    key(Qt::Key_F5);
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();
    EXPECT_EQ(w->ljzbz->text(), "单据已记帐");
    EXPECT_FALSE(w->btnpass->isEnabled());
    EXPECT_EQ(w->headerBox("RYJZ")->text(), "王会计");
    EXPECT_EQ(w->headerBox("Je")->text(), "￥300.00");
    EXPECT_EQ(scalar("select jyje from ABMK where Bm = 'K001'"), -300);
    EXPECT_EQ(w->dbm.value("rmbdx").toString(), "叁佰元整");

    // Posted: the picker does not open, typing is refused, F5 says so.
    w->headerBox("Dwbh")->setFocus();
    key(Qt::Key_F2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    key(Qt::Key_F5);
    EXPECT_EQ(prompter.messages, QStringList({"单据已经记帐!"}));
}

TEST_F(MoneyWindowsTest, APaymentPicksItsSupplierWithF2AndFindsByNumber) {
    addMoneyDocument(dbm.dbapp, "AFKD", {.number = "000000004", .party = "G001", .je = 10});
    addMoneyDocument(dbm.dbapp, "AFKD", {.number = "000000042", .party = "G002", .je = 20});
    auto w = open<Tfrmfkdlr>();
    EXPECT_EQ(w->headerBox("Dwbh")->text(), "G002") << "opens on the last payment";
    EXPECT_EQ(w->findChildren<QToolButton*>("spdkhk").size(), 1);

    w->headerBox("Dwbh")->setFocus();
    answerModal<Tfrmpickgy>([](Tfrmpickgy* picker) {
        EXPECT_EQ(picker->windowTitle(), "请选择商品供货单位");
        EXPECT_FALSE(picker->DBNavigator1->isVisible());
        picker->Edit1->setText("G003");
        picker->accept();
    });
    key(Qt::Key_F2);
    EXPECT_EQ(w->dbm.value("Dwbh").toString(), "G003");
    EXPECT_EQ(w->headerBox("dwmc")->text(), "北方体育用品批发部");
    showActive(w.get());  // the closed picker hands the focus back (offscreen, by hand)
    w->headerBox("Dwbh")->setFocus();
    key(Qt::Key_Escape);
    EXPECT_EQ(w->dbm.value("Dwbh").toString(), "G002") << "Esc drops the change";

    answerModal<Tfrmpickfkd>([](Tfrmpickfkd* finder) {
        EXPECT_EQ(finder->windowTitle(), "请选择f付款单据");
        finder->Edit1->setText("4");
        finder->accept();
    });
    w->btnLocate->click();
    EXPECT_EQ(w->headerBox("Djhm")->text(), "000000004");
    showActive(w.get());
    w->headerBox("NOTE")->setFocus();

    // The walk-in code names no supplier.
    key(Qt::Key_F3);
    key(Qt::Key_F4);
    EXPECT_EQ(prompter.messages, QStringList({"不存在的单位代码!\n请重新录入...."}));
    EXPECT_EQ(focusName(), "Dwbh");
}

TEST_F(MoneyWindowsTest, APostedReceiptPrintsItsAmountInCapitals) {
    addMoneyDocument(dbm.dbapp, "ASKD", {.number = "000000001", .party = "K002", .je = 1250.5});
    auto w = open<Tfrmskdlr>();
    w->btnprn->click();
    EXPECT_EQ(prompter.messages, QStringList({"单据未经审核记帐，不能进行打印!"}));
    if (!hasPdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    // (The text read back gives 角 as its radical ⻆ and ￥ as ¥.)
    expectPrintedPageHolds("repskd.frf", w->printSources(), {"000000001", "奔跑者专卖店", "壹仟贰佰伍拾元零伍", "1250.50", "示例体育用品商店"});
}

TEST_F(MoneyWindowsTest, TheSummaryStartsAtTheBusinessDateAndPosterAndShowsItsTotals) {
    addMoneyDocument(dbm.dbapp, "ASKD", {.number = "000000001", .party = "K001", .je = 100, .status = "3", .poster = "王会计"});
    addMoneyDocument(dbm.dbapp, "ASKD", {.number = "000000002", .party = "K002", .je = 50, .status = "3", .poster = "李会计"});
    Tfrmhzskd dialog(context);
    EXPECT_EQ(dialog.windowTitle(), "收款单据汇总...");
    EXPECT_EQ(dialog.fromDate->date(), QDate(2004, 3, 15));
    EXPECT_EQ(dialog.toDate->date(), QDate(2004, 3, 15));
    EXPECT_EQ(dialog.poster->text(), "王会计");
    EXPECT_FALSE(dialog.fromNumber->isEnabled());

    QStringList shown;
    answerModal<Tfrmhzskdcx>([&shown](Tfrmhzskdcx* result) {
        EXPECT_EQ(result->windowTitle(), "Quorvel商业信息系统收款单据汇总查询....");
        EXPECT_EQ(result->title->text(), "收款单据汇总表");
        EXPECT_EQ(result->position->text(), "记录位置");
        for (int row = 0; row < result->grid->model()->rowCount(); ++row)
            shown.append(result->grid->model()->index(row, 0).data().toString() + " " +
                         result->grid->model()->index(row, 2).data().toString());
        ASSERT_TRUE(QTest::qWaitForWindowActive(result));
        result->grid->setCurrentIndex(result->grid->model()->index(1, 0));
        EXPECT_EQ(result->position->text(), "位置:2/2");
        result->accept();
    });
    showActive(&dialog);
    altInDialog('O');
    EXPECT_EQ(shown, QStringList({"K001 100.00", "合计 100.00"})) << "only what 王会计 posted";

    // By number, for every poster: the boxes show the padded numbers.
    dialog.byNumber->setChecked(true);
    dialog.poster->clear();
    dialog.fromNumber->setText("1");
    dialog.toNumber->setText("2");
    shown.clear();
    answerModal<Tfrmhzskdcx>([&shown](Tfrmhzskdcx* result) {
        shown.append(result->grid->model()->index(result->grid->model()->rowCount() - 1, 2).data().toString());
        result->reject();
    });
    dialog.btnOK->click();
    EXPECT_EQ(dialog.fromNumber->text(), "000000001");
    EXPECT_EQ(dialog.toNumber->text(), "000000002");
    EXPECT_EQ(shown, QStringList({"150.00"}));
}

TEST_F(MoneyWindowsTest, TheBrowserPagesThroughReceiptsWithoutChangingThem) {
    addMoneyDocument(dbm.dbapp, "ASKD", {.number = "000000001", .party = "K001", .je = 100, .status = "3"});
    addMoneyDocument(dbm.dbapp, "ASKD", {.number = "000000002", .party = "K003", .je = 50});
    auto w = open<Tfrmskdcx>();
    EXPECT_EQ(w->windowTitle(), "历史收款单据查询....");
    EXPECT_EQ(w->box("dwmc")->text(), "第一中学");
    EXPECT_EQ(w->ljzbz->text(), "单据未记帐");
    EXPECT_TRUE(w->box("Je")->isReadOnly());
    w->findChild<QPushButton*>("nbPrior")->click();
    EXPECT_EQ(w->box("Djhm")->text(), "000000001");
    EXPECT_EQ(w->ljzbz->text(), "单据已记帐");
    answerModal<Tfrmhzskd>([](Tfrmhzskd* summary) { summary->reject(); });
    alt('A');
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MoneyWindowsTest, AnOrderTypedFromTheKeyboardShowsTheSizesInUseOnly) {
    dbm.dbapp.exec("update System set SLY = 10, LastOrder = 7");
    dbm.config.refresh();
    auto w = open<TfrmOrders>();
    QStringList sizes;
    for (const GridColumn& c : w->dbg01->columns())
        if (c.field.size() == 2 && c.field.startsWith("A")) sizes.append(c.field);
    EXPECT_EQ(sizes, QStringList({"A0", "A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8", "A9"}));
    EXPECT_EQ(w->btnpass, nullptr) << "orders are never posted";

    key(Qt::Key_F3);
    EXPECT_EQ(w->headerBox("DJHM")->text(), "000000008");
    EXPECT_EQ(w->headerBox("DWMC")->text(), "示例体育用品商店");
    ASSERT_EQ(focusName(), "KHBM");
    typeText("G001");
    for (int i = 0; i < 7; ++i) key(Qt::Key_Return);  // name, company, contact, address, telephone, fax
    ASSERT_EQ(focusName(), "NOTE");
    key(Qt::Key_Return);
    ASSERT_EQ(focusName(), "dbg01") << "Enter in the note goes into the lines";
    EXPECT_EQ(scalar("select LastOrder from System"), 8);
    typeText("XZ001");
    key(Qt::Key_Return);
    EXPECT_EQ(w->dbd.value("GGDW").toString(), "箱(12x)");
    w->dbd.setValue("SL", 3);
    EXPECT_EQ(w->dbd.value("JBSL").toDouble(), 36);
    key(Qt::Key_F4);
    EXPECT_EQ(scalar("select JBSL from AOrdersD"), 36);

    // Any order prints: there is no print rule.
    answerModal<Tfrmpickrkd>([](Tfrmpickrkd* finder) {
        EXPECT_EQ(finder->windowTitle(), "请选择入库单");
        finder->accept();
    });
    alt('B');
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();
    const reports::DataSources sources = w->printSources();
    EXPECT_EQ(sources.dataSet, &w->dbd);
}

}  // namespace
