#include "audit/forms/auditwindow.h"

#include "admin/forms/cancelbutton.h"
#include "audit/audit.h"
#include "grid/forms/datagrid.h"
#include "shell/forms/buttonrow.h"
#include "shell/prompter.h"
#include "shell/udbm.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
const QStringList kColumns{"类别", "内容"};
}

AuditWindow::AuditWindow(const AppContext& context, QWidget* parent)
    : ListWindow(context, parent), dbjc(context.dbm.dbapp) {
    setObjectName("frmZtjc");
    setWindowTitle("帐套检查");
    dbjc.setRows(kColumns, {});
    dbjc.open();

    auto* bar = new ButtonRow(this);
    bar->add("btnCheck", "重新检查[&J]", [this] { check(); });
    bar->add("btnPreview", "预览", [this] { preview(); });
    bar->add("btnPrint", "打印[&P]", [this] { print(); });
    bar->add("btnExport", "导出[&B]", [this] { exportGrid(); });
    QPushButton* close = bar->add("btnClose", "返回[&C]", [this] { parentWidget() ? parentWidget()->close() : this->close(); });
    CancelButton::install(this, close);
    bar->addStretch();

    dbg01 = new DataGrid(dbjc, context.prompter, this);
    dbg01->setObjectName("dbg01");
    dbg01->setToolTip("单击列标题改变显示顺序....");
    dbg01->addColumn("类别", "类别", 110);
    dbg01->addColumn("内容", "内容", 600);
    dbg01->setReadOnly(true);
    dbg01->applyColumns();
    connect(dbg01, &DataGrid::positionTextChanged, this,
            [this](const QString& position) { emit positionTextChanged("当前位置:" + position); });

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    lblResult = new QLabel(status);
    lblResult->setObjectName("lblResult");
    status->addWidget(lblResult, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->addLayout(bar);
    layout->addWidget(dbg01, 1);
    layout->addWidget(status);
    resize(780, 480);
    check();
}

void AuditWindow::check() {
    prompter().showWaitBox(kWaitText);
    QList<QVariantList> rows;
    QString summary;
    QString failure;
    try {
        const audit::Report report = audit::run(context().dbm.dbapp);
        for (const audit::Finding& f : report.findings) rows.append({audit::groupTitle(f.group), f.text});
        summary = report.summary();
    } catch (const DbError& error) {
        failure = error.message();
    }
    prompter().hideWaitBox();
    dbjc.setRows(kColumns, rows);
    lblResult->setText(failure.isEmpty() ? summary : QString(kNotCompleted));
    if (!failure.isEmpty()) prompter().message(Prompter::lines(kNotCompleted, failure));
}

ListWindow::GridPrint AuditWindow::gridPrint() const {
    return {dbg01, kPrintTitle, {kPrintTitle, "", "&[Page]", "", false}};
}
