// The receipt and payment summaries (twins): the dialogs Tfrmhzskd and
// Tfrmhzfkd that choose the range and poster, and the result windows
// Tfrmhzskdcx and Tfrmhzfkdcx that show and print the totals.
#pragma once

#include "database/rowset.h"
#include "moneydocs/moneysummary.h"
#include "shell/appcontext.h"

#include <QDialog>

class DataGrid;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

struct MoneySummaryKind {
    const moneydocs::SummaryKind& query;
    const char* dialogObject;
    const char* dialogCaption;
    const char* resultObject;
    const char* resultCaption;
    const char* page;
    const char* group;
    const char* title;
    const char* partyTitle;  // the two-line title over code and name
    const char* nameTitle;
    const char* amountTitle;
};
const MoneySummaryKind& receiptSummaryKind();
const MoneySummaryKind& paymentSummaryKind();

class MoneySummaryDialog : public QDialog {
    Q_OBJECT
public:
    MoneySummaryDialog(const AppContext& context, const MoneySummaryKind& summary, QWidget* parent = nullptr);

    QDateEdit* fromDate;
    QDateEdit* toDate;
    QLineEdit* fromNumber;
    QLineEdit* toNumber;
    QToolButton* pickFrom;
    QToolButton* pickTo;
    QRadioButton* byDate;
    QRadioButton* byNumber;
    QLineEdit* poster;
    QPushButton* btnOK;

    // What the controls ask for now.
    moneydocs::SummaryRange range() const;
    // "执行[&O]": the statement run and its result shown (modally); the dialog stays.
    void run();

protected:
    // The twin's result window over the totals, shown modally.
    virtual void showResult(RowSet& totals) = 0;
    const AppContext context_;

private:
    void pickNumber(QLineEdit* box);
    void modeChanged();
    const MoneySummaryKind& summary_;
};

class MoneySummaryResult : public QDialog {
    Q_OBJECT
public:
    MoneySummaryResult(const AppContext& context, const MoneySummaryKind& summary, RowSet& totals,
                       QWidget* parent = nullptr);

    DataGrid* grid;
    QLineEdit* title;  // "报表题头:"
    QLabel* position;
    QPushButton* btnprn;

private:
    const AppContext context_;
    RowSet& totals_;
};

// Tfrmhzskd: the receipt summary dialog.
class Tfrmhzskd : public MoneySummaryDialog {
    Q_OBJECT
public:
    explicit Tfrmhzskd(const AppContext& context, QWidget* parent = nullptr)
        : MoneySummaryDialog(context, receiptSummaryKind(), parent) {}

protected:
    void showResult(RowSet& totals) override;
};

// Tfrmhzfkd: the payment summary dialog.
class Tfrmhzfkd : public MoneySummaryDialog {
    Q_OBJECT
public:
    explicit Tfrmhzfkd(const AppContext& context, QWidget* parent = nullptr)
        : MoneySummaryDialog(context, paymentSummaryKind(), parent) {}

protected:
    void showResult(RowSet& totals) override;
};

// Tfrmhzskdcx: the receipt totals.
class Tfrmhzskdcx : public MoneySummaryResult {
    Q_OBJECT
public:
    Tfrmhzskdcx(const AppContext& context, RowSet& totals, QWidget* parent = nullptr)
        : MoneySummaryResult(context, receiptSummaryKind(), totals, parent) {}
};

// Tfrmhzfkdcx: the payment totals.
class Tfrmhzfkdcx : public MoneySummaryResult {
    Q_OBJECT
public:
    Tfrmhzfkdcx(const AppContext& context, RowSet& totals, QWidget* parent = nullptr)
        : MoneySummaryResult(context, paymentSummaryKind(), totals, parent) {}
};
