// Tfrmxtdmwh: the code tables — goods categories, business departments, salespeople.
#pragma once

#include "database/rowset.h"
#include "grid/forms/listwindow.h"

class QTabWidget;
class DataGrid;

class Tfrmxtdmwh : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrmxtdmwh(const AppContext& context, QWidget* parent = nullptr);

    QString activityText() const override { return "进行系统代码定义维护...."; }

    RowSet db01, db02, db03;
    QList<DataGrid*> grids;  // one per page
    QTabWidget* pages;

    // The grid the buttons act on: the one that has the focus, else the active page's.
    DataGrid* focusedGrid() const;

protected:
    QList<RowSet*> editedRowSets() override { return {&db01, &db02, &db03}; }
    GridPrint gridPrint() const override;
};
