#include "database/rowset.h"
#include "grid/exportwriters.h"
#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "grid/forms/gridprinter.h"
#include "shell/inifile.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"
#include "support/unknownfieldreports.h"

#include <QApplication>
#include <QComboBox>
#include <QPrinterInfo>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

class DataGridTest : public testing::Test {
protected:
    DataGridTest() : rows(t.db()), grid(rows, prompter) {
        t.db().exec("insert into ASPKM (Spbm, Spmc, Kcsl, kcjg, kcje) values "
                    "('B2', 'beta', 5, 2, 10), ('A1', 'alpha', 1, 10, 10), ('C3', 'gamma', 2, 1, 2)");
        rows.setTable("ASPKM", "Spbm");
        rows.addCalculatedField("jz", [](const RowView& v) { return v.value("Kcsl").toDouble() * 2; });
        rows.open();
        grid.addColumn("Spbm", "商品编码");
        grid.addColumn("Spmc", "商品名称");
        grid.addColumn("Kcsl", "当前库存|数量").footer = GridColumn::Footer::Sum;
        grid.columns().last().footerText = "0;-0;#";
        grid.addColumn("kcje", "当前库存|金额");
        grid.addColumn("jz", "价值");
        for (const QString& s : QStringList{"kcslA", "kcslB", "kcslC"}) grid.addColumn(s, s);
        grid.applyColumns();
        grid.resize(800, 300);
    }
    QStringList codes() {
        QStringList out;
        for (int r = 0; r < rows.recordCount(); ++r) out.append(grid.model()->index(r, 0).data().toString());
        return out;
    }
    void press(int key) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&grid, &e);
    }

    TestDatabase t;
    ScriptedPrompter prompter;
    RowSet rows;
    DataGrid grid;
};

TEST_F(DataGridTest, TitleClicksSortAscendingDescendingAscending) {
    const QList<QPair<QString, QStringList>> expected = {
        {"Spmc  ASC", {"A1", "B2", "C3"}}, {"Spmc  DESC", {"C3", "B2", "A1"}}, {"Spmc  ASC", {"A1", "B2", "C3"}}};
    for (const auto& [sortText, order] : expected) {
        emit grid.horizontalHeader()->sectionClicked(1);
        EXPECT_EQ(rows.sort(), sortText);
        EXPECT_EQ(codes(), order);
    }
    EXPECT_EQ(grid.columns()[1].marker, GridColumn::Sort::Ascending);
    grid.sortByColumn(0);
    EXPECT_EQ(grid.columns()[1].marker, GridColumn::Sort::Ascending) << "other markers are left as they are";
    grid.sortByColumn(4);
    EXPECT_EQ(prompter.messages, QStringList{"非数据字段，不能排序!"});
    EXPECT_EQ(rows.sort(), "Spbm  ASC");
}

TEST_F(DataGridTest, FooterSumsFollowEveryChange) {
    grid.setFooterVisible(true);
    EXPECT_EQ(grid.footerText(2), "8");
    rows.edit();
    rows.setValue("Kcsl", 11);
    EXPECT_EQ(grid.footerText(2), "18") << "the row being edited counts with its typed value";
    rows.post();
    rows.setFilterText("Spbm='A1'");
    EXPECT_EQ(grid.footerText(2), "11");
    grid.columns()[2].footer = GridColumn::Footer::SumAllRows;
    EXPECT_EQ(grid.footerText(2), "18") << "over all customers whatever the filter";
}

TEST_F(DataGridTest, SizeColumnsBeyondTheSlotsInUseGo) {
    grid.applySizeSlots("kcsl", 2, {"36", "37", "38"});
    EXPECT_EQ(grid.columnIndex("kcslC"), -1);
    EXPECT_EQ(grid.column("kcslA")->title, "尺码|36");
    EXPECT_EQ(grid.column("kcslB")->title, "尺码|37");
    grid.applySizeSlots("kcsl", 0, {});
    EXPECT_EQ(grid.columnIndex("kcslA"), -1);
    EXPECT_EQ(grid.columns().size(), 5);
}

TEST_F(DataGridTest, LayoutRoundTripAndADamagedSectionIsIgnored) {
    QTemporaryDir dir;
    IniFile ini(dir.path() + "/VexaStyle.INI");
    grid.horizontalHeader()->moveSection(1, 0);  // name first
    grid.setColumnWidth(2, 123);
    grid.columns()[3].visible = false;
    grid.columns()[0].dropDownRows = 12;
    grid.sortByColumn(3);
    grid.applyColumns();
    grid.saveLayout(ini, "frmCxSpkM_dbg01", true);
    ASSERT_TRUE(ini.save());

    DataGrid fresh(rows, prompter);
    for (const GridColumn& c : grid.columns()) fresh.addColumn(c.field, c.title);
    const IniFile reread(dir.path() + "/VexaStyle.INI");
    fresh.restoreLayout(reread, "frmCxSpkM_dbg01", true);
    EXPECT_EQ(fresh.columns()[0].field, "Spmc");
    EXPECT_EQ(fresh.columnWidth(fresh.columnIndex("Kcsl")), 123);
    EXPECT_FALSE(fresh.column("kcje")->visible);
    EXPECT_TRUE(fresh.isColumnHidden(fresh.columnIndex("kcje")));
    EXPECT_EQ(fresh.column("kcje")->marker, GridColumn::Sort::Ascending);
    EXPECT_EQ(fresh.column("Spbm")->dropDownRows, 12);

    IniFile damaged(dir.path() + "/VexaStyle.INI");
    damaged.setValue("frmCxSpkM_dbg01", "col2", "Kcsl,wide,1");
    DataGrid third(rows, prompter);
    for (const GridColumn& c : grid.columns()) third.addColumn(c.field, c.title, 77);
    third.restoreLayout(damaged, "frmCxSpkM_dbg01");
    EXPECT_EQ(third.columns()[0].field, "Spbm") << "the initial layout stays";
    EXPECT_EQ(third.columnWidth(2), 77);
    third.restoreLayout(damaged, "no such section");
    EXPECT_EQ(third.columns().size(), grid.columns().size());
}

TEST_F(DataGridTest, PrintMarksHideAndShowColumnsAroundPrinting) {
    grid.setCurrentIndex(grid.model()->index(0, 1));
    MarkColumnPrinted(grid, false);
    EXPECT_EQ(grid.currentIndex().column(), 1);
    EXPECT_FALSE(grid.columns()[1].printed);
    grid.columns()[3].visible = false;  // hidden on screen, but printed
    grid.applyColumns();
    HideUnprintedColumns(grid);
    EXPECT_TRUE(grid.isColumnHidden(1));
    EXPECT_EQ(grid.exportSource()->columnCount(), 6);
    ShowUnprintedColumns(grid);
    EXPECT_FALSE(grid.isColumnHidden(1));
    EXPECT_TRUE(grid.isColumnHidden(3)) << "only the marked columns come back";
    ShowAllColumns(grid);
    EXPECT_FALSE(grid.isColumnHidden(3));
    MarkColumnPrinted(grid, true);
    EXPECT_TRUE(grid.columns()[1].printed);
}

TEST_F(DataGridTest, EnterMovesToTheNextColumnThenWrapsAndAppends) {
    grid.setEnterMode(DataGrid::EnterMode::NextColumnAppend, 1);
    grid.setCurrentIndex(grid.model()->index(2, 6));  // last row, one before the last column
    press(Qt::Key_Return);
    EXPECT_EQ(grid.currentIndex().column(), 7);
    press(Qt::Key_Return);
    EXPECT_EQ(rows.state(), RowSet::State::Insert) << "Enter on the last row appends";
    EXPECT_EQ(rows.recordCount(), 4);
    EXPECT_EQ(grid.currentIndex(), grid.model()->index(3, 1));
    rows.cancel();
    grid.setEnterMode(DataGrid::EnterMode::NextColumn, 0);
    grid.setCurrentIndex(grid.model()->index(0, 7));
    press(Qt::Key_Return);
    EXPECT_EQ(grid.currentIndex(), grid.model()->index(1, 0));
}

TEST_F(DataGridTest, ARefusedPostKeepsTheRowAndWhatWasTyped) {
    rows.hooks.beforePost = [&] {
        prompter.message("记录不能保存！");
        return false;
    };
    grid.setCurrentIndex(grid.model()->index(0, 1));
    ASSERT_TRUE(grid.model()->setData(grid.model()->index(0, 1), "阿尔法", Qt::EditRole));
    grid.setCurrentIndex(grid.model()->index(2, 1));
    EXPECT_EQ(grid.currentIndex().row(), 0);
    EXPECT_EQ(rows.state(), RowSet::State::Edit);
    EXPECT_EQ(grid.model()->index(0, 1).data().toString(), "阿尔法");
    EXPECT_FALSE(grid.model()->setData(grid.model()->index(0, 2), "x12", Qt::EditRole));
    EXPECT_EQ(prompter.messages.constLast(), "'x12' 不是有效的值");
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 4)) & Qt::ItemIsEditable) << "calculated";
}

// A long list on paper: titles on every page, the page number in the footer.
TEST_F(DataGridTest, LongGridPaginatesWithTitlesOnEveryPage) {
    for (int i = 0; i < 150; ++i)
        t.db().exec("insert into ASPKM (Spbm, Spmc, Kcsl) values (:c, '货品', 1)", {{"c", QString("P%1").arg(i, 3, 10, QChar('0'))}});
    rows.refresh();
    QTemporaryDir dir;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(dir.path() + "/list.pdf");
    const GridPrinter printer(grid, {"商品编码表", "", "页号：&[Page]", "打印日期:&[date]", false}, pdf.pageLayout());
    const int pages = printer.pageCount();
    EXPECT_GE(pages, 3);
    ASSERT_TRUE(printPages(printer, pdf));
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    QProcess p;
    p.start(pdftotext, {dir.path() + "/list.pdf", "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QStringList pageTexts = QString::fromUtf8(p.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pageTexts.size(), pages);
    // Text extraction reads 页 as a radical of the same shape, so the footer is
    // matched from 号 on.
    for (int i = 0; i < pages; ++i) {
        EXPECT_TRUE(pageTexts[i].contains("商品编码表")) << i;
        EXPECT_TRUE(pageTexts[i].contains("数量")) << i;
        EXPECT_TRUE(pageTexts[i].contains(QString("号：%1").arg(i + 1))) << i;
        EXPECT_TRUE(pageTexts[i].contains("打印")) << i;
    }
}

TEST_F(DataGridTest, ExportWritesTheVisibleColumnsInTheGridsOrder) {
    QTemporaryDir dir;
    grid.sortByColumn(1);
    grid.sortByColumn(1);  // names descending
    grid.columns()[1].visible = false;
    grid.applyColumns();
    prompter.answerFile(Prompter::FileChoice{dir.path() + "/goods", 4});
    ASSERT_TRUE(ExportGrid(grid, prompter));
    QFile file(dir.path() + "/goods.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("商品编码\t当前库存 数量\t当前库存 金额\t价值"));
    EXPECT_TRUE(lines[1].startsWith("C3\t2\t2\t4")) << lines[1].toStdString();
    EXPECT_TRUE(grid.updatesEnabled());
}

TEST_F(DataGridTest, LookupColumnsOfferTheLookedUpRowsAndSetTheKey) {
    t.db().exec("insert into ASPLB (Bm, Mc) values ('01', '运动鞋'), ('02', '服装')");
    RowSet categories(t.db());
    categories.setTable("ASPLB", "Bm");
    categories.open();
    rows.close();
    rows.addLookupField("lbmc", "Splb", &categories, "Bm", "Mc");
    rows.open();
    GridColumn& c = grid.addColumn("lbmc", "类别|名称");
    c.dropDownFields = {"Bm", "Mc"};
    const QModelIndex cell = grid.model()->index(0, grid.columnIndex("lbmc"));
    EXPECT_TRUE(grid.model()->flags(cell) & Qt::ItemIsEditable);
    grid.setCurrentIndex(cell);
    grid.edit(cell);
    auto* combo = grid.findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->model()->headerData(1, Qt::Horizontal).toString(), "Mc");
    combo->setCurrentIndex(1);
    grid.itemDelegate()->setModelData(combo, grid.model(), cell);
    EXPECT_EQ(rows.value("Splb").toString(), "02");
    EXPECT_EQ(cell.data().toString(), "服装");
    EXPECT_EQ(grid.footerText(0), "");
}

TEST_F(DataGridTest, RowColoursAndPositionText) {
    grid.setRowColours([](const RowView& v) -> std::optional<std::pair<QColor, QColor>> {
        if (v.value("Kcsl").toDouble() < 2) return std::pair{QColor(Qt::red), QColor(135, 206, 235)};
        return std::nullopt;
    });
    EXPECT_EQ(grid.model()->index(0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(grid.model()->index(1, 0).data(Qt::BackgroundRole).isValid());
    QString position;
    QObject::connect(&grid, &DataGrid::positionTextChanged, [&](const QString& t) { position = t; });
    rows.last();
    EXPECT_EQ(position, "3/3");
}

// Names the row set does not know, given to a grid column or a bound box,
// are told once each: when the row set has read its fields if they were
// given before, at once if after.
TEST_F(DataGridTest, ColumnsAndBoxesNamingUnknownFieldsAreReported) {
    UnknownFieldReports told;
    RowSet unopened(t.db());
    unopened.setTable("ASPKM", "Spbm");
    DataGrid early(unopened, prompter);
    early.setObjectName("dbgEarly");
    early.addColumn("Spbm", "商品编码");
    early.addColumn("Pfdjx", "批发价");
    FieldCheckBox earlyBox("停用", unopened, "nosuch");
    earlyBox.setObjectName("chkEarly");
    EXPECT_EQ(told.reports, QStringList()) << "nothing is known before the fields are read";
    unopened.open();
    unopened.setSort("Spbm  DESC");

    grid.setObjectName("dbgLate");
    grid.addColumn("Xsdjx", "零售价");
    grid.applyColumns();
    FieldEdit lateBox(rows, "Spmcx", prompter);
    rows.next();
    EXPECT_TRUE(lateBox.text().isEmpty());
    EXPECT_EQ(told.reports, (QStringList{R"(grid dbgEarly over ASPKM: no field "Pfdjx")",
                                         R"(FieldCheckBox chkEarly over ASPKM: no field "nosuch")",
                                         R"(grid dbgLate over ASPKM: no field "Xsdjx")",
                                         R"(FieldEdit over ASPKM: no field "Spmcx")"}));
}

// The current row's indicator: each move, edit or new row repaints the row
// headers the indicator leaves and reaches, never all of them.
TEST(RowSetModelTest, TheIndicatorRepaintsOnlyTheRowsItLeavesAndReaches) {
    TestDatabase t;
    t.db().exec("insert into ASPKM (Spbm) values ('A1'), ('B2'), ('C3')");
    RowSet rows(t.db());
    rows.setTable("ASPKM", "Spbm");
    QList<GridColumn> columns;
    RowSetModel model(rows, columns);
    rows.open();
    QList<int> repainted;
    QObject::connect(&model, &QAbstractItemModel::headerDataChanged,
                     [&](Qt::Orientation orientation, int first, int last) {
                         if (orientation != Qt::Vertical) return;
                         EXPECT_EQ(first, last) << "one row header at a time";
                         repainted.append(first);
                     });
    struct Case {
        const char* what;
        std::function<void()> act;
        QList<int> rowsRepainted;
        const char* mark;  // shown at the current row, nothing at the others
    };
    const Case cases[] = {
        {"a move from the first to the last row", [&] { rows.last(); }, {0, 2}, "▶"},
        {"editing the row", [&] { rows.edit(); }, {2}, "I"},
        {"cancelling the edit", [&] { rows.cancel(); }, {2}, "▶"},
        {"a new row in front of it", [&] { rows.insert(); }, {2, 3}, "I"},
        {"dropping the new row", [&] { rows.cancel(); }, {2}, "▶"},
    };
    for (const Case& c : cases) {
        repainted.clear();
        c.act();
        std::sort(repainted.begin(), repainted.end());
        repainted.erase(std::unique(repainted.begin(), repainted.end()), repainted.end());
        EXPECT_EQ(repainted, c.rowsRepainted) << c.what;
        for (int row = 0; row < model.rowCount(); ++row)
            EXPECT_EQ(model.headerData(row, Qt::Vertical, Qt::DisplayRole).toString(),
                      row == rows.position() ? QString(c.mark) : QString())
                << c.what << ", row " << row;
    }
}

TEST_F(DataGridTest, PrintingWithoutAPrinterSaysSoAndPrintsNothing) {
    const GridPrinter printer(grid, {"商品编码表", "", "", "", false});
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    EXPECT_FALSE(printer.print(prompter));
    EXPECT_EQ(prompter.messages, QStringList{"打印失败：没有安装打印机。"});
}

TEST(GridPrinterTest, TitleQuestionKeepsThePresetOnCancel) {
    ScriptedPrompter prompter;
    prompter.answerInput(std::nullopt);
    EXPECT_EQ(GridPrinter::askTitle(prompter, "商品编码表"), "商品编码表");
    prompter.answerInput(QString("本月新货"));
    EXPECT_EQ(GridPrinter::askTitle(prompter, "商品编码表"), "本月新货");
    EXPECT_EQ(GridPrinter::expandFooter("页号：&[Page]", 3), "页号：3");
}

}  // namespace
