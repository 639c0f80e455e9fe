// TfrmxtSpbm: the goods catalogue, one grid over every goods item.
#pragma once

#include "database/rowset.h"
#include "masterdata/goodscatalogue.h"
#include "grid/forms/listwindow.h"

class QCheckBox;
class QLineEdit;
class DataGrid;

class TfrmxtSpbm : public ListWindow {
    Q_OBJECT
public:
    explicit TfrmxtSpbm(const AppContext& context, QWidget* parent = nullptr);

    QString activityText() const override { return "进行系统商品编码维护...."; }

    RowSet dbspk;
    RowSet dbsplb;
    DataGrid* grid;
    QCheckBox* copyNewRows;
    QLineEdit* findText;
    GoodsCatalogue rules;

protected:
    QList<RowSet*> editedRowSets() override { return {&dbspk}; }
    // Stock changes through postings in other windows.
    QList<RowSet*> rereadOnActivation() override { return {&dbspk}; }
    GridPrint gridPrint() const override;

private:
    void buildGrid();
};
