// The history browsers of receipts and payments, Tfrmskdcx and Tfrmfkdcx
// (twins): one document at a time, read only, with find and the summary.
#pragma once

#include "database/rowset.h"
#include "shell/appcontext.h"
#include "shell/forms/childwindow.h"

class FieldEdit;
class QLineEdit;
class QPushButton;
struct MoneyWindowKind;

struct MoneyBrowserKind {
    const MoneyWindowKind& document;  // the entry window's captions, picker and find dialog
    const char* objectName;
    const char* caption;
    const char* group;
};

class MoneyBrowser : public ChildWindow {
    Q_OBJECT
public:
    MoneyBrowser(const AppContext& context, const MoneyBrowserKind& browser, QWidget* parent = nullptr);
    void activated() override;

    RowSet dbm;    // the documents, read only
    RowSet dbkhk;  // the parties, for their names
    QLineEdit* ljzbz = nullptr;
    QPushButton* btnLocate = nullptr;
    QPushButton* btnSum = nullptr;
    FieldEdit* box(const QString& field) const;

protected:
    // "汇总[&A]": the twin's summary dialog, modal.
    virtual void showSummary() = 0;
    const AppContext context_;

private:
    void find();
    const MoneyBrowserKind& browser_;
    QList<FieldEdit*> boxes_;
};

// Tfrmskdcx: the receipts of the open book (a month's copy, in history mode).
class Tfrmskdcx : public MoneyBrowser {
    Q_OBJECT
public:
    explicit Tfrmskdcx(const AppContext& context, QWidget* parent = nullptr);

protected:
    void showSummary() override;
};

// Tfrmfkdcx: the payments of the open book.
class Tfrmfkdcx : public MoneyBrowser {
    Q_OBJECT
public:
    explicit Tfrmfkdcx(const AppContext& context, QWidget* parent = nullptr);

protected:
    void showSummary() override;
};
