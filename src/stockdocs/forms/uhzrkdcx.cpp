#include "stockdocs/forms/uhzrkdcx.h"

#include "database/rowset.h"
#include "grid/forms/datagrid.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace stocksummary;

SummaryResultWindow::SummaryResultWindow(SummaryRun& run, Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint),
      run_(run), prompter_(prompter) {
    const Kind& kind = run.kind();
    setObjectName(kind.resultName);
    setWindowTitle(kind.resultCaption);

    lblPosition = new QLabel(this);
    lblPosition->setObjectName("lblPosition");
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    for (int i = 0; i < run.queryCount(); ++i) {
        const Query& q = kind.queries[i];
        RowSet& rows = run.rows(i);
        auto* page = new QWidget(PageControl1);
        auto* pageLayout = new QVBoxLayout(page);
        QWidget* holder = page;
        if (!q.group.isEmpty()) {
            auto* group = new QGroupBox(q.group, page);
            pageLayout->addWidget(group, 1);
            holder = group;
        }
        auto* grid = new DataGrid(rows, prompter, holder);
        grid->setObjectName(QString("dbg%1").arg(i + 1));
        for (const Column& c : q.columns) {
            const bool name = c.field == "spmc" || c.field == "mc" || c.field == "khmc";
            GridColumn& column = grid->addColumn(c.field, c.title, name ? 140 : 80);
            column.displayFormat = c.format;
            column.footer = c.footer == Column::Footer::Sum    ? GridColumn::Footer::Sum
                            : c.footer == Column::Footer::Text ? GridColumn::Footer::Text
                                                                : GridColumn::Footer::None;
            column.footerText = c.footerText;
        }
        grid->applyColumns();
        grid->setReadOnly(true);
        bool footers = false;
        for (const Column& c : q.columns) footers = footers || c.footer != Column::Footer::None;
        grid->setFooterVisible(footers);
        if (holder != page) {
            auto* groupLayout = new QVBoxLayout(holder);
            groupLayout->addWidget(grid);
        } else {
            pageLayout->addWidget(grid, 1);
        }
        if (q.detailSwitch) {
            auto* detail = new QCheckBox("显示商品明细", page);
            detail->setObjectName(QString("cbDetail%1").arg(i + 1));
            detail->setChecked(true);
            connect(detail, &QCheckBox::toggled, this, [this, i](bool on) { run_.showDetail(i, on); });
            pageLayout->addWidget(detail);
            detailBoxes.append(detail);
        }
        run.showDetail(i, true);
        connect(&rows, &RowSet::currentChanged, this,
                [this, &rows] { lblPosition->setText("位置:" + rows.positionText()); });
        PageControl1->addTab(page, q.tab);
        grids.append(grid);
    }
    // The queries opened in order: the last one's row moved last.
    if (run.queryCount() > 0) lblPosition->setText("位置:" + run.rows(run.queryCount() - 1).positionText());

    btnPrint = new QPushButton("打印[&R]", this);
    btnPrint->setObjectName("btnPrint");
    btnPrint->setAutoDefault(false);
    btnClose = new QPushButton("返回[&X]", this);
    btnClose->setObjectName("btnClose");
    btnClose->setAutoDefault(false);
    edtTitle = new QLineEdit(kind.reportTitle, this);
    edtTitle->setObjectName("edtTitle");
    connect(btnPrint, &QPushButton::clicked, this, &SummaryResultWindow::print);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    auto* strip = new QHBoxLayout;
    strip->addWidget(btnPrint);
    strip->addWidget(btnClose);
    auto* titleLabel = new QLabel("报表题头:", this);
    titleLabel->setBuddy(edtTitle);
    strip->addSpacing(16);
    strip->addWidget(titleLabel);
    strip->addWidget(edtTitle, 1);
    strip->addSpacing(16);
    strip->addWidget(lblPosition);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(strip);
    resize(900, 560);
}

DataGrid* SummaryResultWindow::currentGrid() const { return grids.value(PageControl1->currentIndex()); }

GridPrintSettings SummaryResultWindow::printSettings() const {
    GridPrintSettings s;
    s.title = edtTitle->text();
    s.footerCentre = "打印日期：&[date]";
    s.footerRight = "页：&[Page]";
    return s;
}

void SummaryResultWindow::print() {
    if (DataGrid* grid = currentGrid()) GridPrinter(*grid, printSettings()).print(prompter_);
}
