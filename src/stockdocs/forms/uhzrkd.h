// The criteria dialogs of the stock summaries: Tfrmhzrkd (stock-in) and
// Tfrmhzckd (stock-out), one dialog over the summary's kind. Running shows
// the result window modally over the dialog, which keeps its entries.
#pragma once

#include "shell/appcontext.h"
#include "stockdocs/stocksummary.h"

#include <QDialog>

class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class Prompter;

class SummaryCriteriaDialog : public QDialog {
    Q_OBJECT
public:
    SummaryCriteriaDialog(const AppContext& context, const stocksummary::Kind& kind, QWidget* parent = nullptr);

    QRadioButton* rbDate;    // 按照单据日期
    QRadioButton* rbNumber;  // 按照单据号码
    QDateEdit* dtpFrom;
    QDateEdit* dtpTo;
    QLineEdit* edtFrom;
    QLineEdit* edtTo;
    QToolButton* btnFindFrom;
    QToolButton* btnFindTo;
    QLineEdit* edtRyjz;      // the poster
    QPushButton* btnOK;      // 执行[&O]
    QPushButton* btnClose;   // 返回[&X]

    stocksummary::Criteria criteria() const;
    // Runs the queries behind the wait box and shows the result window; a
    // refused query is told and the dialog stays as it was.
    void runSummary();

protected:
    // The kind's result window over the queries just run, shown modally.
    virtual void showResult(stocksummary::SummaryRun& run, Prompter& prompter) = 0;

private:
    void setMode(bool byNumber);
    void pickNumber(QLineEdit* box);

    AppContext context_;
    stocksummary::SummaryRun run_;
};

class Tfrmhzrkd : public SummaryCriteriaDialog {
    Q_OBJECT
public:
    explicit Tfrmhzrkd(const AppContext& context, QWidget* parent = nullptr);

protected:
    void showResult(stocksummary::SummaryRun& run, Prompter& prompter) override;
};

class Tfrmhzckd : public SummaryCriteriaDialog {
    Q_OBJECT
public:
    explicit Tfrmhzckd(const AppContext& context, QWidget* parent = nullptr);

protected:
    void showResult(stocksummary::SummaryRun& run, Prompter& prompter) override;
};
