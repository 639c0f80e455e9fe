// Tfrmxtdmwh: the code tables — goods categories, business departments, salespeople.
#pragma once

#include "database/rowset.h"
#include "shell/forms/childwindow.h"

class QTabWidget;
class DataGrid;
class Prompter;
class Tfdbm;

class Tfrmxtdmwh : public ChildWindow {
    Q_OBJECT
public:
    Tfrmxtdmwh(Tfdbm& dbm, Prompter& prompter, QWidget* parent = nullptr);

    QString activityText() const override { return "进行系统代码定义维护...."; }
    int printCommands() const override { return Print | Preview; }
    void print() override { printGrid(false); }
    void preview() override { printGrid(true); }

    RowSet db01, db02, db03;
    QList<DataGrid*> grids;  // one per page
    QTabWidget* pages;

    // The grid the buttons act on: the one that has the focus, else the active page's.
    DataGrid* focusedGrid() const;

protected:
    QList<RowSet*> editedRowSets() override { return {&db01, &db02, &db03}; }

private:
    void printGrid(bool preview);
    Prompter& prompter_;
};
