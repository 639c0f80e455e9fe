// The result windows of the stock summaries: Tfrmhzrkdcx (stock-in) and
// Tfrmhzckdcx (stock-out), one window over the summary's kind — a tab with
// a read-only grid for each query, the goods-detail switch, the report
// title and the position of the row last moved to.
#pragma once

#include "grid/forms/gridprinter.h"
#include "stockdocs/stocksummary.h"

#include <QDialog>

class DataGrid;
class Prompter;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

class SummaryResultWindow : public QDialog {
    Q_OBJECT
public:
    // The grids read the run's open queries: the window lives only while its criteria dialog does.
    SummaryResultWindow(stocksummary::SummaryRun& run, Prompter& prompter, QWidget* parent = nullptr);

    QTabWidget* PageControl1;
    QList<DataGrid*> grids;       // one per query, in tab order
    QList<QCheckBox*> detailBoxes;  // "显示商品明细" of the queries that have one
    QLineEdit* edtTitle;          // 报表题头
    QLabel* lblPosition;
    QPushButton* btnPrint;
    QPushButton* btnClose;

    // The printout of the current tab's grid.
    GridPrintSettings printSettings() const;
    DataGrid* currentGrid() const;
    void print();

private:
    stocksummary::SummaryRun& run_;
    Prompter& prompter_;
};

class Tfrmhzrkdcx : public SummaryResultWindow {
    Q_OBJECT
public:
    Tfrmhzrkdcx(stocksummary::SummaryRun& run, Prompter& prompter, QWidget* parent = nullptr)
        : SummaryResultWindow(run, prompter, parent) {}
};

class Tfrmhzckdcx : public SummaryResultWindow {
    Q_OBJECT
public:
    Tfrmhzckdcx(stocksummary::SummaryRun& run, Prompter& prompter, QWidget* parent = nullptr)
        : SummaryResultWindow(run, prompter, parent) {}
};
