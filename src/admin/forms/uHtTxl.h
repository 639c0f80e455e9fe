// TfrmhtTxl: the address book — contacts typed straight into a grid,
// searched by any fragment of their text, printed to the page width.
#pragma once

#include "database/rowset.h"
#include "grid/forms/listwindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TfrmhtTxl : public ListWindow {
    Q_OBJECT
public:
    explicit TfrmhtTxl(const AppContext& context, QWidget* parent = nullptr);

    QString activityText() const override { return windowTitle(); }
    // Printed as it stands, under its own title: nothing is asked.
    void print() override;
    void preview() override;

    void find();      // 查找[&B]
    void findNext();  // 继续[&T]

    RowSet dbtxl;
    DataGrid* dbg01;
    QLineEdit* eName;
    QLabel* panels[2];  // the window's status bar: row count, position
    QPushButton* btnPrint;

protected:
    GridPrint gridPrint() const override;
    QList<RowSet*> editedRowSets() override { return {&dbtxl}; }
};
