// TfrmCxSpkM: the goods stock query — the goods with their stock, narrowed by
// a filter, and the goods and sales ledgers of the goods item under the cursor.
#pragma once

#include "grid/forms/listwindow.h"
#include "queries/goodsstock.h"

class DataGrid;
class QCheckBox;
class QLineEdit;
class QTabWidget;
struct TemplatePrintJob;

class TfrmCxSpkM : public ListWindow {
    Q_OBJECT
public:
    explicit TfrmCxSpkM(const AppContext& context, QWidget* parent = nullptr);

    QString activityText() const override { return "进行商品库存信息查询...."; }
    int printCommands() const override { return Print | Preview | Design; }
    // By page: the goods grid, or the ledger's template.
    void print() override { printPage(false); }
    void preview() override { printPage(true); }
    void designReport() override;

    // "筛选[&F]": the filter dialog, then the goods list under its expression.
    void filter();
    // "导出[&B]": the goods grid or the goods ledger; the sales ledger page exports nothing.
    void exportPage();

    queries::GoodsStock query;
    QTabWidget* pages;
    DataGrid* dbg01;  // goods
    DataGrid* dbg22;  // goods ledger
    DataGrid* dbg32;  // sales ledger
    QCheckBox* showTotals;
    QLineEdit* findText;

    using ListWindow::GridPrint;
    GridPrint gridPrint() const override;

protected:
    QList<RowSet*> editedRowSets() override { return {&query.dbspk}; }
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* goodsPage();
    QWidget* ledgerPage(DataGrid* ledger, const char* chooserName, const char* boxesName);
    void printPage(bool toPreview);
    TemplatePrintJob ledgerTemplate() const;  // of the ledger page on screen
    QList<QPair<DataGrid*, QString>> layouts() const;
};
