// The pick lists documents choose a supplier, a customer or goods from:
// Tfrmpickgy, TfrmpickKh and Tfrmpicksp, bound to the calling window's cursor.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class Database;
class DataGrid;
class Prompter;
class RowSet;

// How a caller shows a list (each document window has its own).
struct PickOptions {
    bool navigator = true;    // supplier/customer lists: the record navigator
    bool readOnly = false;    // the list's grid
    bool editButton = false;  // goods list: "编辑[&I]"
};

// The supplier and customer lists (twins). Closing either in any way
// cancels a pending insert or edit of the bound cursor.
class PartyPickList : public QDialog {
    Q_OBJECT
public:
    struct Kind {
        const char* objectName;
        const char* caption;
        const char* codeLabel;
        const char* groupTitle;
        QList<QPair<const char*, const char*>> columns;  // field, title
    };
    PartyPickList(const Kind& kind, RowSet& bound, Prompter& prompter, PickOptions options, QWidget* parent = nullptr);

    QLineEdit* Edit1;     // the code box
    QLineEdit* EditName;  // "名称中包含:"
    QWidget* DBNavigator1;
    DataGrid* grid;

    void done(int result) override;

private:
    RowSet& bound_;
};

class Tfrmpickgy : public PartyPickList {
    Q_OBJECT
public:
    Tfrmpickgy(RowSet& suppliers, Prompter& prompter, PickOptions options, QWidget* parent = nullptr);
};

class TfrmpickKh : public PartyPickList {
    Q_OBJECT
public:
    TfrmpickKh(RowSet& customers, Prompter& prompter, PickOptions options, QWidget* parent = nullptr);
};

// The goods list: code box, name search, "编辑[&I]" for the stock-in window.
class Tfrmpicksp : public QDialog {
    Q_OBJECT
public:
    Tfrmpicksp(Database& db, RowSet& goods, Prompter& prompter, int slotsInUse, PickOptions options,
               QWidget* parent = nullptr);
    // Step 3 of the calling protocol: the first row whose code starts with the
    // line's code (case-sensitive), and the code in the code box.
    void startAt(const QString& lineCode);

    QLineEdit* codeBox;
    QLineEdit* nameBox;
    QPushButton* btnEdit;
    DataGrid* grid;

private:
    void editGoods();
    Database& db_;
    RowSet& goods_;
    Prompter& prompter_;
};

// Double-click in the grid, or Enter in it (not in a cell being typed), is OK.
void okOnGrid(DataGrid* grid, QDialog* dialog);

// Step 5 of the calling protocol: the document header or line is put into
// edit and its code column set to the chosen code; false when it refuses.
bool takePickedCode(RowSet& target, const QString& field, const QString& code);
