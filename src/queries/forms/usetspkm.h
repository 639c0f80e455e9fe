// Tfrmsetspkm: the goods stock query's filter dialog; the expression is typed
// or assembled with the buttons, each appending to its end.
#pragma once

#include <QDialog>

class RowSet;
class QComboBox;
class QLineEdit;

class Tfrmsetspkm : public QDialog {
    Q_OBJECT
public:
    // The category list is filled from the categories (ASPLB) as they are now.
    explicit Tfrmsetspkm(const RowSet& categories, QWidget* parent = nullptr);

    QString expression() const;

    QLineEdit* edtExpr;  // "过滤条件表达式:", empty each time the dialog is shown
    QComboBox* cbTextField;
    QComboBox* cbTextOp;
    QLineEdit* edtTextValue;
    QComboBox* cbNumField;
    QComboBox* cbNumOp;
    QLineEdit* edtNumValue;
    QComboBox* cbCategory;

private:
    void append(const QString& text);
};
