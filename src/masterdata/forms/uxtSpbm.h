// TfrmxtSpbm: the goods catalogue, one grid over every goods item.
#pragma once

#include "database/rowset.h"
#include "masterdata/goodscatalogue.h"
#include "shell/forms/childwindow.h"

class QCheckBox;
class QLineEdit;
class DataGrid;
class Prompter;
class Tfdbm;

class TfrmxtSpbm : public ChildWindow {
    Q_OBJECT
public:
    TfrmxtSpbm(Tfdbm& dbm, Prompter& prompter, QWidget* parent = nullptr);

    QString activityText() const override { return "进行系统商品编码维护...."; }
    int printCommands() const override { return Print | Preview; }
    void print() override { printGrid(false); }
    void preview() override { printGrid(true); }
    void activated() override;

    RowSet dbspk;
    RowSet dbsplb;
    DataGrid* grid;
    QCheckBox* copyNewRows;
    QLineEdit* findText;
    GoodsCatalogue rules;

protected:
    QList<RowSet*> editedRowSets() override { return {&dbspk}; }

private:
    void buildGrid(Tfdbm& dbm);
    void printGrid(bool preview);
    Prompter& prompter_;
};
