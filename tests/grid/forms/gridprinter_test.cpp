#include "database/rowset.h"
#include "grid/forms/datagrid.h"
#include "grid/forms/gridprinter.h"
#include "masterdata/forms/uxtSpbm.h"
#include "masterdata/forms/uxtbmwl.h"
#include "support/openbook.h"
#include "support/printedtext.h"

#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QPageLayout kA4Portrait(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());

// The catalogue at sixteen sizes is about 1 950 pixels wide: twice an A4
// page. Every column reaches page one, in landscape, scaled together.
TEST(GridPrinting, TheCatalogueAtSixteenSizesPrintsEveryColumnOnPageOne) {
    OpenBook book;
    QStringList sizes;
    for (int i = 0; i < 16; ++i) sizes.append(QString::number(i + 231));
    QString update = "update System set SLY = 16";
    for (int i = 0; i < 16; ++i) update += QString(", S%1 = '%2'").arg(QChar('A' + i)).arg(sizes[i]);
    book.dbm.dbapp.exec(update);
    book.dbm.dbapp.exec("insert into ASPKM (Spbm, Spmc, Xsdj, Pfdj, Kcsl, kcslA, kcslP, Cbxx) values "
                        "('XZ001', '跑鞋', 128, 96.5, 7, 3, 4, 2), ('XZ002', '篮球鞋', 260, 199, 1, 1, 0, 5)");
    book.dbm.config.refresh();
    TfrmxtSpbm window(book.context);
    DataGrid& grid = *window.grid;
    ASSERT_GE(grid.visibleColumns().size(), 26);

    const GridPrinter printer(grid, {"商品编码表", "", "页号：&[Page]", "打印日期:&[date]", false}, kA4Portrait);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_LT(printer.scale(), 0.7);
    EXPECT_EQ(printer.pageCount(), 1);
    if (!hasPdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    const QStringList pages = printedPages(printer);
    ASSERT_EQ(pages.size(), 1);
    QStringList missing;
    for (const QString& title : QStringList{"IDNO", "商品编码", "转换比例", "零售价", "批发价", "金额", "库存下限"} + sizes)
        if (!pages[0].contains(title)) missing.append(title);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString() << "\n" << pages[0].toStdString();
    const QString lastRow = pages[0].split('\n').filter("篮球鞋").value(0);
    EXPECT_TRUE(lastRow.contains("260.00") && lastRow.contains("199.00") && lastRow.trimmed().endsWith("5"))
        << "prices, stock and the floor at the far right: " << lastRow.toStdString();
}

// Customers: the balance columns and the footer row of totals, after the
// last row on the last page only.
TEST(GridPrinting, TheCustomerListPrintsItsBalancesAndTheTotalsRow) {
    OpenBook book;
    for (int i = 1; i <= 60; ++i)
        book.dbm.dbapp.exec("insert into ABMK (Bm, Mc, ncye, jyje) values (:bm, :mc, 10, :jy)",
                            {{"bm", QString("K%1").arg(i, 3, 10, QChar('0'))}, {"mc", QString("客户%1").arg(i)}, {"jy", i * 1.5}});
    TfrmxtBmWl window(book.context);
    const GridPrinter printer(*window.grid, {"单位往来信息表", "", "&[Page]", "", false}, kA4Portrait);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.scale(), 1) << "it fits across landscape";
    ASSERT_GE(printer.pageCount(), 2);
    if (!hasPdfToText()) GTEST_SKIP() << "pdftotext is not installed";
    const QStringList pages = printedPages(printer);
    ASSERT_EQ(pages.size(), printer.pageCount());
    EXPECT_TRUE(pages[0].contains("当前欠款") && pages[0].contains("年初欠款"));
    EXPECT_FALSE(pages[0].contains("2745.00"));
    const QString totals = pages.last().split('\n').filter("2745.00").value(0);
    EXPECT_TRUE(totals.contains("合") && totals.contains("600.00")) << pages.last().toStdString();
    EXPECT_GT(pages.last().indexOf("2745.00"), pages.last().indexOf("客户60"));
}

// The paper as wide as the grid needs, from a small grid of given widths.
TEST(GridPrinting, PaperTurnsAndScalesOnlyAsFarAsTheGridNeeds) {
    OpenBook book;
    RowSet rows(book.dbm.dbapp);
    rows.setTable("ASPKM", "Spbm");
    rows.open();
    const double a4 = (210 - 4) * 96 / 25.4, a4Across = (297 - 4) * 96 / 25.4;  // inside the 2 mm margins
    const struct {
        int width;  // of the grid's columns together
        bool fitToWidth;
        QPageLayout::Orientation orientation;
        double scale;
    } cases[] = {{600, false, QPageLayout::Portrait, 1},
                 {1000, false, QPageLayout::Landscape, 1},
                 {2000, false, QPageLayout::Landscape, a4Across / 2000},
                 {600, true, QPageLayout::Portrait, a4 / 600},
                 {1000, true, QPageLayout::Portrait, a4 / 1000}};
    for (const auto& c : cases) {
        DataGrid grid(rows, book.prompter);
        grid.addColumn("Spbm", "商品编码", c.width / 2);
        grid.addColumn("Spmc", "商品名称", c.width / 2);
        const GridPrinter printer(grid, {"", "", "", "", c.fitToWidth}, kA4Portrait);
        EXPECT_EQ(printer.pageLayout().orientation(), c.orientation) << c.width;
        EXPECT_NEAR(printer.scale(), c.scale, 1e-6) << c.width;
    }
}

// A print dialog once sent a print into a file; the next direct print goes
// to the printer, never over that file.
TEST(GridPrinting, ADirectPrintAfterAPrintToFileGoesToThePrinter) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer: nothing is printed";
    OpenBook book;
    book.dbm.dbapp.exec("insert into ABMK (Bm, Mc) values ('K001', '客户')");
    TfrmxtBmWl window(book.context);
    QTemporaryDir dir;
    const QString earlier = dir.path() + "/earlier.pdf";
    currentPrinter().setOutputFileName(earlier);  // as a print dialog leaves it
    QFile file(earlier);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("the earlier print");
    file.close();

    const GridPrinter printer(*window.grid, {"单位往来信息表", "", "&[Page]", "", false});
    EXPECT_FALSE(printer.print(book.prompter));
    EXPECT_EQ(book.prompter.messages, QStringList{"打印失败：没有安装打印机。"});
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "the earlier print");
    EXPECT_TRUE(currentPrinter().outputFileName().isEmpty());
}

}  // namespace
