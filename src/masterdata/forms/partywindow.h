// PartyWindow: the supplier and customer windows, twins over AGYS and ABMK.
#pragma once

#include "database/rowset.h"
#include "shell/forms/childwindow.h"

class QTabWidget;
class DataGrid;
class Prompter;
class Tfdbm;

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

class PartyWindow : public ChildWindow {
    Q_OBJECT
public:
    PartyWindow(const PartyWindowKind& kind, Tfdbm& dbm, Prompter& prompter, QWidget* parent = nullptr);

    QString activityText() const override { return kind_.activity; }
    int printCommands() const override { return Print | Preview; }
    void print() override { printGrid(false); }
    void preview() override { printGrid(true); }
    void activated() override;

    RowSet dbm;
    DataGrid* grid;        // page one
    DataGrid* chooser;     // page two, left
    QTabWidget* pages;

protected:
    QList<RowSet*> editedRowSets() override { return {&dbm}; }

private:
    QWidget* formPage();
    void printGrid(bool preview);
    const PartyWindowKind& kind_;
    Prompter& prompter_;
};
