#include "masterdata/forms/Uxtdmwh.h"

#include "grid/forms/datagrid.h"
#include "grid/forms/gridprinter.h"
#include "masterdata/masterdatarules.h"
#include "shell/forms/buttonrow.h"
#include "shell/udbm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>

namespace {
const char* const kTitles[] = {"商品类别编码表", "业务部门编码表", "业务员编码表"};
}

Tfrmxtdmwh::Tfrmxtdmwh(Tfdbm& dbm, Prompter& prompter, QWidget* parent)
    : ChildWindow(parent), db01(dbm.dbapp), db02(dbm.dbapp), db03(dbm.dbapp), prompter_(prompter) {
    setObjectName("frmxtdmwh");
    setWindowTitle("系统代码维护....");
    db01.setTable("ASPLB", "bm");
    db02.setTable("AXSBM");
    db03.setTable("ARYDM");
    struct Page {
        RowSet& rows;
        const char* caption;
        QList<QPair<const char*, const char*>> columns;
    };
    const Page pageList[] = {
        {db01, "商品类别[&1]", {{"Bm", "类别编码"}, {"Mc", "类别名称"}}},
        {db02, "业务部门[&2]", {{"Bm", "编码"}, {"Mc", "名称"}, {"Fzry", "负责人"}}},
        {db03, "业务员代码", {{"BM", "编码"}, {"MC", "名称"}, {"ZW", "职务"}}},
    };
    pages = new QTabWidget(this);
    for (const Page& page : pageList) {
        page.rows.open();
        masterdata::installCodeTableRules(page.rows, prompter);
        auto* grid = new DataGrid(page.rows, prompter, this);
        grid->setObjectName(QString("dbg0%1").arg(grids.size() + 1));
        for (const auto& [field, title] : page.columns) grid->addColumn(field, title, 140);
        grid->setEnterMode(DataGrid::EnterMode::NextColumnAppend, 1);
        connect(grid, &DataGrid::positionTextChanged, this, &ChildWindow::positionTextChanged);
        grids.append(grid);
        pages->addTab(grid, page.caption);
    }

    auto* panel = new ButtonRow(this);
    panel->add("btnInsert", "增加[&I]", [this] { focusedGrid()->rows().insert(); });
    panel->add("btnDelete", "删除[&L]", [this] { focusedGrid()->rows().remove(); });
    panel->add("btnSave", "保存[&O]", [this] { focusedGrid()->rows().post(); });
    panel->add("btnCancel", "取消[&C]", [this] { focusedGrid()->rows().cancel(); }, ButtonRow::TypedText::Drop);
    panel->add("btnPreview", "预览", [this] { preview(); });
    panel->add("btnPrint", "打印[&R]", [this] { print(); });
    panel->add("btnExport", "导出[&B]", [this] { ExportGrid(*grids[pages->currentIndex()], prompter_); });
    panel->addStretch();
    // The buttons act on the grid that keeps the focus.
    for (auto* b : findChildren<QPushButton*>()) b->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(panel);
    resize(640, 420);
}

DataGrid* Tfrmxtdmwh::focusedGrid() const {
    for (DataGrid* g : grids)
        if (g->hasFocus()) return g;
    return grids[pages->currentIndex()];
}

void Tfrmxtdmwh::printGrid(bool toPreview) {
    const int page = pages->currentIndex();
    const QString title = GridPrinter::askTitle(prompter_, kTitles[page]);
    const GridPrinter printer(*grids[page], {title, "", "&[Page]", "", false});
    if (toPreview) printer.preview(this);
    else printer.print(prompter_);
}
