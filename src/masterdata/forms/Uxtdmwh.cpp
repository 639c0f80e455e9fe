#include "masterdata/forms/Uxtdmwh.h"

#include "grid/forms/datagrid.h"
#include "masterdata/masterdatarules.h"
#include "shell/forms/buttonrow.h"
#include "shell/udbm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>

namespace {
const char* const kTitles[] = {"商品类别编码表", "业务部门编码表", "业务员编码表"};
}

Tfrmxtdmwh::Tfrmxtdmwh(const AppContext& context, QWidget* parent)
    : ListWindow(context, parent), db01(context.dbm.dbapp), db02(context.dbm.dbapp), db03(context.dbm.dbapp) {
    Prompter& prompter = context.prompter;
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
    addRecordButtons(*panel, [this]() -> RowSet& { return focusedGrid()->rows(); }, Insert | Delete | Save | Cancel);
    panel->add("btnPreview", "预览", [this] { preview(); });
    panel->add("btnPrint", "打印[&R]", [this] { print(); });
    panel->add("btnExport", "导出[&B]", [this] { exportGrid(); });
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

ListWindow::GridPrint Tfrmxtdmwh::gridPrint() const {
    const int page = pages->currentIndex();
    return {grids[page], kTitles[page], {{}, "", "&[Page]", "", false}};
}
