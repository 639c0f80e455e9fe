// PartyWindow: the supplier and customer windows, twins over AGYS and ABMK.
#pragma once

#include "database/rowset.h"
#include "grid/forms/listwindow.h"

class QTabWidget;
class DataGrid;

struct PartyWindowKind {
    const char* objectName;
    const char* caption;
    const char* table;
    const char* activity;
    const char* printTitle;
    const char* contactLabel;  // Fzry on the form page
    const char* phoneLabel;    // lxdh on the form page
    bool bankAccount;          // suppliers have Khyh and Yhzh
    bool footerTotals;         // customers total their balances under the grid
};

class PartyWindow : public ListWindow {
    Q_OBJECT
public:
    PartyWindow(const PartyWindowKind& kind, const AppContext& context, QWidget* parent = nullptr);

    QString activityText() const override { return kind_.activity; }

    RowSet dbm;
    DataGrid* grid;        // page one
    DataGrid* chooser;     // page two, left
    QTabWidget* pages;

protected:
    QList<RowSet*> editedRowSets() override { return {&dbm}; }
    // Balances change through postings in other windows.
    QList<RowSet*> rereadOnActivation() override { return {&dbm}; }
    GridPrint gridPrint() const override;

private:
    QWidget* formPage();
    const PartyWindowKind& kind_;
};
