// TfrmSqlYmYc: the administrator's catalogue of period SQL statements (ASqlYmYc).
#pragma once

#include "database/rowset.h"
#include "shell/appcontext.h"
#include "shell/forms/childwindow.h"

class DataGrid;
class FieldTextEdit;

class TfrmSqlYmYc : public ChildWindow {
    Q_OBJECT
public:
    explicit TfrmSqlYmYc(const AppContext& context, QWidget* parent = nullptr);

    RowSet dbSql;
    DataGrid* dbgSql;
    FieldTextEdit* memSql;  // the statement of the current row

protected:
    QList<RowSet*> editedRowSets() override { return {&dbSql}; }
};
