// The receipt and payment windows, Tfrmskdlr and Tfrmfkdlr (twins), and
// their find dialogs Tfrmpickskd and Tfrmpickfkd.
#pragma once

#include "documents/forms/documentwindow.h"
#include "stockdocs/forms/upickrkd.h"

// What tells the receipt window from the payment window.
struct MoneyWindowKind {
    const DocumentKind& kind;
    const char* objectName;
    const char* caption;
    const char* activity;
    const char* group;
    const char* partyCaption;   // dwmc: 交款单位 / 支款单位
    const char* amountCaption;  // Je: 收款金额 / 支款金额
    const char* reportTitle;
    bool customers;             // the picker: customers, or suppliers
};

class MoneyDocumentWindow : public DocumentWindow {
    Q_OBJECT
public:
    MoneyDocumentWindow(const AppContext& context, const MoneyWindowKind& money, QWidget* parent = nullptr);
    QString activityText() const override { return money_.activity; }

protected:
    bool pickParty() override;
    void showFindDialog() override;

private:
    const MoneyWindowKind& money_;
};

// Tfrmskdlr: receipt entry — money received from a customer against its debt.
class Tfrmskdlr : public MoneyDocumentWindow {
    Q_OBJECT
public:
    explicit Tfrmskdlr(const AppContext& context, QWidget* parent = nullptr);
};

// Tfrmfkdlr: payment entry — money paid to a supplier.
class Tfrmfkdlr : public MoneyDocumentWindow {
    Q_OBJECT
public:
    explicit Tfrmfkdlr(const AppContext& context, QWidget* parent = nullptr);
};

// Tfrmpickskd: finds a receipt by its number.
class Tfrmpickskd : public DocumentFindDialog {
    Q_OBJECT
public:
    Tfrmpickskd(RowSet& receipts, Prompter& prompter, QWidget* parent = nullptr);
};

// Tfrmpickfkd: finds a payment by its number.
class Tfrmpickfkd : public DocumentFindDialog {
    Q_OBJECT
public:
    Tfrmpickfkd(RowSet& payments, Prompter& prompter, QWidget* parent = nullptr);
};

// The captions of a money document's columns, shared by its entry window and browser.
void captionMoneyColumns(RowSet& documents, const MoneyWindowKind& money);
const MoneyWindowKind& receiptWindowKind();
const MoneyWindowKind& paymentWindowKind();
