#include "grid/forms/listwindow.h"

#include "database/rowset.h"
#include "grid/forms/datagrid.h"
#include "shell/forms/buttonrow.h"

ListWindow::ListWindow(const AppContext& context, QWidget* parent) : ChildWindow(parent), context_(context) {}

Prompter& ListWindow::prompter() const { return context_.prompter; }

void ListWindow::activated() {
    for (RowSet* rows : rereadOnActivation())
        if (!rows->isEditing()) rows->refresh();
}

void ListWindow::printGrid(bool toPreview) {
    GridPrint job = gridPrint();
    job.layout.title = job.askTitle ? GridPrinter::askTitle(prompter(), job.defaultTitle) : job.defaultTitle;
    if (job.leaveOutUnprinted) HideUnprintedColumns(*job.grid);
    const GridPrinter printer(*job.grid, job.layout);
    if (toPreview) printer.preview(prompter(), this);
    else printer.print(prompter());
    if (job.leaveOutUnprinted) ShowUnprintedColumns(*job.grid);
}

void ListWindow::exportGrid() { ExportGrid(*gridPrint().grid, prompter()); }

void ListWindow::addRecordButtons(ButtonRow& row, std::function<RowSet&()> rows, int which) {
    struct Button {
        RecordButton kind;
        const char* name;
        const char* caption;
        void (*run)(RowSet&);
    };
    static const Button buttons[] = {
        {Prior, "btnPrior", "上一条[&P]", [](RowSet& r) { r.prior(); }},
        {Next, "btnNext", "下一条[&N]", [](RowSet& r) { r.next(); }},
        {Insert, "btnInsert", "增加[&I]", [](RowSet& r) { r.insert(); }},
        {Delete, "btnDelete", "删除[&L]", [](RowSet& r) { r.remove(); }},
        {Save, "btnSave", "保存[&O]", [](RowSet& r) { r.post(); }},
        {Cancel, "btnCancel", "取消[&C]", [](RowSet& r) { r.cancel(); }},
    };
    for (const Button& b : buttons)
        if (which & b.kind)
            row.add(
                b.name, b.caption,
                [this, rows, run = b.run, insert = b.kind == Insert] {
                    run(rows());
                    // A new row is typed at once, wherever the focus was.
                    if (DataGrid* grid = gridPrint().grid; insert && grid) grid->setFocus();
                },
                b.kind == Cancel ? ButtonRow::TypedText::Drop : ButtonRow::TypedText::Keep);
}
