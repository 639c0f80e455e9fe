// Tfsqldemo: the SQL console — a statement typed and run against the open
// book, a query's rows in an editable grid to sort, print and export.
#pragma once

#include "admin/sqlconsole.h"
#include "database/rowset.h"
#include "grid/forms/listwindow.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;

class Tfsqldemo : public ListWindow {
    Q_OBJECT
public:
    explicit Tfsqldemo(const AppContext& context, QWidget* parent = nullptr);

    QString activityText() const override { return "进行系统SQL查询处理."; }

    void executeStatement();  // Ex&ecute
    void openQuery();         // &Open
    void newStatement();      // &New

    SqlConsole console;
    QPlainTextEdit* sqlstr;
    DataGrid* dbg01;
    QLabel* panels[3];  // the console's status bar: position, execution time
    QPushButton* btnPrint;

protected:
    GridPrint gridPrint() const override;
    QList<RowSet*> editedRowSets() override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A new grid over the rows, or over nothing; the old grid goes at once,
    // before the rows it showed may go.
    void showRows(RowSet* rows);
    // Ex&ecute or &Open of the typed text, the grid and the panels following.
    void run(bool (SqlConsole::*command)(const QString&));

    RowSet none_;
    QSplitter* splitter_;
};
