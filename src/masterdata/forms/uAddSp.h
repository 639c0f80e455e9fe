// TfrmAddSp: the small dialog the goods list opens to add or edit goods.
#pragma once

#include "database/rowset.h"

#include <QDialog>

class QComboBox;
class Database;
class FieldEdit;
class Prompter;

class TfrmAddSp : public QDialog {
    Q_OBJECT
public:
    // Bound to the current row of the caller's goods cursor.
    TfrmAddSp(Database& db, RowSet& goods, Prompter& prompter, QWidget* parent = nullptr);

    QComboBox* category;  // name and code of the categories; choosing one sets Splb
    QList<FieldEdit*> boxes;

    ~TfrmAddSp() override;
    void done(int result) override;

private:
    RowSet& goods_;
    RowSet::Hooks callersHooks_;  // given back when the dialog goes
    RowSet categories_;
};
