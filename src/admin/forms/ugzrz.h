// Tfrmgzrz: the work log — browsed, narrowed to one operator, printed, cleared.
#pragma once

#include "database/rowset.h"
#include "grid/forms/listwindow.h"

class QComboBox;

class Tfrmgzrz : public ListWindow {
    Q_OBJECT
public:
    static constexpr const char* kPrintTitle = "Quorvel商业信息系统－－工作日志";

    explicit Tfrmgzrz(const AppContext& context, QWidget* parent = nullptr);

    QString activityText() const override { return "系统工作日志处理."; }
    // The print command only: the preview is the window's own button.
    int printCommands() const override { return Print; }
    // Asks "是否要打印所有工作日志?"; prints the rows shown, under the log's title.
    void print() override;
    void preview() override;

    // "全部", or one operator's rows by name.
    void showOperator(const QString& name);
    // Asks, then empties the log but for the row telling so.
    void clearLog();

    RowSet dbgzrz;
    QComboBox* cb01;
    DataGrid* dbg01;

protected:
    GridPrint gridPrint() const override;
    // Logins and exits elsewhere keep writing the log.
    QList<RowSet*> rereadOnActivation() override { return {&dbgzrz}; }

private:
    void printLog(bool toPreview);
};
