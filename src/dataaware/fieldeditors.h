// Editors bound to one field of a RowSet's current row: typing puts the row
// into edit, leaving the box hands the value to the row set.
#pragma once

#include "dataaware/pendingedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

class Prompter;
class RowSet;

class FieldEdit : public QLineEdit, public PendingEdit {
    Q_OBJECT
public:
    FieldEdit(RowSet& rows, const QString& field, Prompter& prompter, QWidget* parent = nullptr);
    // Hands the typed text to the row set. A text the field's type does not
    // take is refused with a message naming it; the focus then stays.
    bool commit();
    bool finishEdit(bool keep) override;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showValue();
    RowSet& rows_;
    QString field_;
    Prompter& prompter_;
    bool typed_ = false;
};

// A multi-line box bound to a memo field (remarks).
class FieldTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    FieldTextEdit(RowSet& rows, const QString& field, QWidget* parent = nullptr);

private:
    RowSet& rows_;
    QString field_;
};

class FieldCheckBox : public QCheckBox {
    Q_OBJECT
public:
    FieldCheckBox(const QString& text, RowSet& rows, const QString& field, QWidget* parent = nullptr);

private:
    RowSet& rows_;
    QString field_;
};

class FieldSpinBox : public QSpinBox {
    Q_OBJECT
public:
    FieldSpinBox(RowSet& rows, const QString& field, int minimum, int maximum, QWidget* parent = nullptr);

private:
    RowSet& rows_;
    QString field_;
};

// A drop-down list of fixed texts bound to a text field: choosing one puts
// the row into edit and sets the field; a row that refuses keeps its value.
class FieldComboBox : public QComboBox {
    Q_OBJECT
public:
    FieldComboBox(RowSet& rows, const QString& field, const QStringList& items, QWidget* parent = nullptr);

private:
    void showValue();
    RowSet& rows_;
    QString field_;
};
