// The find dialogs of the stock documents and the number picker of the
// summaries: Tfrmpickrkd, Tfrmpickckd, Tfrmpkdjhm. Each moves the caller's
// header cursor; whatever row is current when it closes stays current.
#pragma once

#include <QDialog>

class DataGrid;
class Prompter;
class QLineEdit;
class RowSet;

class DocumentFindDialog : public QDialog {
    Q_OBJECT
public:
    struct Kind {
        const char* objectName;
        const char* caption;
        const char* label;
        const char* groupTitle;
        QList<const char*> columns;  // titled as the caller's cursor titles them
    };
    DocumentFindDialog(const Kind& kind, RowSet& headers, const QString& numberField, Prompter& prompter,
                       QWidget* parent = nullptr);

    QLineEdit* Edit1;  // the number searched for
    DataGrid* grid;

    // The search key of a typed text: left-padded with "0" to nine characters.
    static QString searchKey(const QString& typed);

private:
    RowSet& headers_;
    QString numberField_;
};

class Tfrmpickrkd : public DocumentFindDialog {
    Q_OBJECT
public:
    Tfrmpickrkd(RowSet& headers, Prompter& prompter, QWidget* parent = nullptr);
};

class Tfrmpickckd : public DocumentFindDialog {
    Q_OBJECT
public:
    Tfrmpickckd(RowSet& headers, Prompter& prompter, QWidget* parent = nullptr);
};

class Tfrmpkdjhm : public DocumentFindDialog {
    Q_OBJECT
public:
    Tfrmpkdjhm(RowSet& headers, Prompter& prompter, QWidget* parent = nullptr);
};
