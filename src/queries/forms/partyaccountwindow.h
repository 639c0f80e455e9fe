// PartyAccountWindow: the customer and supplier account queries, one window
// whose pages, columns and print titles come from its PartyAccountKind.
#pragma once

#include "grid/forms/listwindow.h"
#include "queries/partyaccounts.h"

class DataGrid;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QTabWidget;

class PartyAccountWindow : public ListWindow {
    Q_OBJECT
public:
    PartyAccountWindow(const queries::PartyAccountKind& kind, const AppContext& context, QWidget* parent = nullptr);

    QString activityText() const override { return query.kind.activity; }

    queries::PartyAccounts query;
    QTabWidget* pages;
    DataGrid* dbg01;                // balances
    DataGrid* dbg22;                // detail ledger
    DataGrid* dbg32 = nullptr;      // flow ledger (customers)
    QCheckBox* showQuantity = nullptr;  // "显示数量合计"
    QLineEdit* findText;

    using ListWindow::GridPrint;
    // The grid, title and footer of the page on screen.
    GridPrint gridPrint() const override;

protected:
    // Postings made in other windows show here.
    QList<RowSet*> rereadOnActivation() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* balancesPage();
    QWidget* detailPage(const char* chooserName);
    QWidget* flowPage(const char* chooserName);
    QWidget* cardPage(const char* chooserName);
    // The party chooser on the left; on the right `top` over `bottom`.
    QWidget* ledgerPage(const char* chooserName, QWidget* top, QWidget* bottom);
    QGroupBox* balanceBoxes();  // code, name, opening and current balance
    QList<QPair<DataGrid*, QString>> layouts() const;
};
