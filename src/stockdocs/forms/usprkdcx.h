// The history browsers of the stock documents: Tfrmsprkdcx (stock-in) and
// Tfrmspckdcx (stock-out), one read-only window over the kind's tables —
// header boxes above, lines below, a navigator, the find dialog and the
// kind's summary. They show whatever book the connection points at, so in
// history-data mode the chosen month's copy. They write nothing.
#pragma once

#include "database/rowset.h"
#include "shell/appcontext.h"
#include "shell/forms/childwindow.h"

#include <functional>

class DataGrid;
class FieldEdit;
class QLineEdit;
class QPushButton;
class QWidget;

class DocumentBrowser : public ChildWindow {
    Q_OBJECT
public:
    struct Box {
        const char* label;
        const char* field;
        int row, column, span = 1;
    };
    struct LineColumn {
        const char* field;
        const char* title;
        int width;
        bool visible = true;
        const char* format = "";
        const char* footer = "";  // the footer's text; with footerSum the sum's format
        bool footerSum = false;
    };
    struct Kind {
        const char* objectName;
        const char* caption;
        const char* headerTable;
        const char* headerOrder;
        const char* lineTable;
        const char* partyTable;
        const char* partyName;  // the header's party-name field: a lookup of the party when not stored
        QList<Box> boxes;
        QList<LineColumn> lines;
        std::function<void(RowSet& headers, Prompter& prompter, QWidget* parent)> find;
        std::function<void(const AppContext& context, QWidget* parent)> summary;
    };

    DocumentBrowser(const AppContext& context, const Kind& kind, QWidget* parent = nullptr);

    RowSet dbm;    // headers
    RowSet dbd;    // the current document's lines
    RowSet dbspk;  // goods
    RowSet dbkhk;  // the kind's parties

    DataGrid* dbg01;
    QLineEdit* ljzbz;  // the status box
    QPushButton* btnLocate;
    QPushButton* btnSum;
    FieldEdit* headerBox(const QString& field) const;

private:
    void showStatus();

    AppContext context_;
    QList<FieldEdit*> boxes_;
};

class Tfrmsprkdcx : public DocumentBrowser {
    Q_OBJECT
public:
    explicit Tfrmsprkdcx(const AppContext& context, QWidget* parent = nullptr);
};

class Tfrmspckdcx : public DocumentBrowser {
    Q_OBJECT
public:
    explicit Tfrmspckdcx(const AppContext& context, QWidget* parent = nullptr);
};
