// AuditWindow: the books' consistency check in the window program — every
// finding over the open book, one a row under its kind, to print and export.
#pragma once

#include "database/rowset.h"
#include "grid/forms/listwindow.h"

class QLabel;

class AuditWindow : public ListWindow {
    Q_OBJECT
public:
    static constexpr const char* kPrintTitle = "Quorvel商业信息系统－－帐套检查";
    static constexpr const char* kWaitText = "正在进行帐套检查，请等待....";
    static constexpr const char* kNotCompleted = "帐套检查未能完成!";

    // Checks the book at once.
    explicit AuditWindow(const AppContext& context, QWidget* parent = nullptr);

    QString activityText() const override { return "进行帐套数据检查."; }

    // Checks the open book afresh under the wait box: the findings fill the
    // grid, their count (or that the book is consistent) the status line.
    void check();

    RowSet dbjc;  // 类别, 内容
    DataGrid* dbg01;
    QLabel* lblResult;

protected:
    GridPrint gridPrint() const override;
};
