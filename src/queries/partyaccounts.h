// PartyAccounts: the customer and supplier account queries, twins over
// ABMK and AGYS with their ledgers; the differences between them are data.
#pragma once

#include "database/rowset.h"

#include <QList>

class Prompter;

namespace queries {

// One page of an account window and what printing it gives.
struct AccountPage {
    enum class Content { Balances, DetailLedger, FlowLedger, Card };
    Content content;
    QString caption;    // the tab, with its Alt digit
    QString printTitle; // the page header's centre text
    // The footer's left line names the company ("单位名称:" + System.ANAME)
    // or the current party ("客户名称:" + its name).
    bool footerNamesParty;
};

struct PartyAccountKind {
    QString objectName, caption, activity;
    QString table;         // ABMK, AGYS
    QString detailLedger;  // ABMMXZ, AGYMXZ
    QString flowLedger;    // ABMLSZ; empty for none
    // The balance list's columns besides the six balances: the customers
    // show their contact and telephone, the suppliers do not.
    bool contactColumns;
    bool bankBoxes;        // the card shows Khyh and Yhzh
    bool boldFooter;
    QString layoutPrefix;  // VexaStyle.INI sections prefix + "_dbg01"…; empty: layouts not kept
    QList<AccountPage> pages;

    static const PartyAccountKind& customers();
    static const PartyAccountKind& suppliers();
};

// The page footer's left line of a printout.
QString printFooterLeft(const AccountPage& page, const QString& companyName, const QString& partyName);

class PartyAccounts {
public:
    PartyAccounts(const PartyAccountKind& kind, Database& db, Prompter& prompter);

    const PartyAccountKind& kind;
    RowSet dbbmk;   // the parties by code; master of the ledgers
    RowSet sqlmxz;  // detail ledger of the current party, in entry order
    RowSet sqllsz;  // flow ledger of the current party (customers only)

    // Opens the cursors with their display formats. The wait box is the caller's.
    void open();

    // The double-click on the flow ledger: a filtered ledger shows all its
    // rows again; otherwise only the rows whose cell in the clicked field
    // shows the clicked text remain (a date field filters nothing, but the
    // next double-click still counts as the one that removes the filter).
    void toggleFlowFilter(const QString& field, const QString& shownText);
    bool flowFiltered() const { return flowFiltered_; }

    void find(const QString& text);
    void findNext(const QString& text);

private:
    Prompter& prompter_;
    bool flowFiltered_ = false;
    QString party_;  // the party the ledgers were last read for
};

}  // namespace queries
