#include "queries/partyaccounts.h"

#include "database/displayformat.h"
#include "masterdata/namesearch.h"

#include <utility>

namespace queries {

namespace {

const char* kQuantity = "0;-0;#";
const char* kMoney = "0.00;-0.00;#";

using Content = AccountPage::Content;

}  // namespace

const PartyAccountKind& PartyAccountKind::customers() {
    static const PartyAccountKind kind{
        "frmCxBmk", "单位往来信息查询....", "进行单位往来信息查询....", "ABMK", "ABMMXZ", "ABMLSZ", true, false, false,
        "frmCxBmk",
        {{Content::Balances, "单位基本信息[&1]", "往来单位余额表（应收）　　", false},
         {Content::DetailLedger, "单位往来明细[&2]", "单位往来明细帐（应收）　　", true},
         {Content::FlowLedger, "单位流水帐[&4]", "单位业务流水帐　　", true},
         {Content::Card, "单位信息卡[&5]", "往来单位余额表（应收）　　", false}}};
    return kind;
}

const PartyAccountKind& PartyAccountKind::suppliers() {
    static const PartyAccountKind kind{
        "frmCxGys", "供应商往来信息查询....", "进行单位往来信息查询....", "AGYS", "AGYMXZ", "", false, true, true, "",
        {{Content::Balances, "供应商基本信息[&1]", "往来单位余额表（应付）　　", false},
         {Content::DetailLedger, "供应商往来明细[&2]", "单位往来明细帐（应付）　　", true},
         {Content::Card, "单位信息卡[&3]", "往来单位余额表（应付）　　", false}}};
    return kind;
}

QString printFooterLeft(const AccountPage& page, const QString& companyName, const QString& partyName) {
    return page.footerNamesParty ? "客户名称:" + partyName : "单位名称:" + companyName;
}

PartyAccounts::PartyAccounts(const PartyAccountKind& kind, Database& db, Prompter& prompter)
    : kind(kind), dbbmk(db), sqlmxz(db), sqllsz(db), prompter_(prompter) {
    dbbmk.setTable(kind.table, "bm");
    sqlmxz.setQuery("select * from " + kind.detailLedger.toLower() + "\nwhere dwbh=:bm\norder by idno");
    sqlmxz.setMaster(&dbbmk, {"bm"});
    if (!kind.flowLedger.isEmpty()) {
        sqllsz.setQuery("select * from " + kind.flowLedger.toLower() + "\nwhere dwbh=:bm\norder by idno");
        sqllsz.setMaster(&dbbmk, {"bm"});
    }
    // Another party's flow ledger is shown whole; the same party's, read
    // again after a posting elsewhere, keeps its filter.
    QObject::connect(&dbbmk, &RowSet::currentChanged, &sqllsz, [this] {
        const QString party = dbbmk.value("bm").toString();
        if (std::exchange(party_, party) == party || !flowFiltered_) return;
        flowFiltered_ = false;
        sqllsz.clearFilter();
    });
}

void PartyAccounts::open() {
    dbbmk.open();
    for (const char* f : {"ncye", "bnjf", "bndf", "byjf", "bydf", "jyje"}) dbbmk.field(f).displayFormat = kMoney;
    QList<RowSet*> ledgers{&sqlmxz};
    if (!kind.flowLedger.isEmpty()) ledgers.append(&sqllsz);
    for (RowSet* ledger : ledgers) {
        ledger->open();
        for (int i = 0; i < ledger->fieldCount(); ++i) {
            RowSet::Field& f = ledger->field(ledger->field(i).name);
            if (f.type == FieldType::DateTime) f.displayFormat = "yyyy-mm-dd";
            else if (f.type == FieldType::Double) f.displayFormat = kMoney;
        }
    }
    sqlmxz.field("Jyje").displayFormat = "0.00;-0.00;0.00";
    if (!kind.flowLedger.isEmpty()) {
        sqllsz.field("sl").displayFormat = kQuantity;
        for (int slot = 0; slot < 16; ++slot) sqllsz.field(QString("sl%1").arg(QChar('A' + slot))).displayFormat = kQuantity;
    }
}

void PartyAccounts::toggleFlowFilter(const QString& field, const QString& shownText) {
    if (flowFiltered_) {
        flowFiltered_ = false;
        sqllsz.clearFilter();
        return;
    }
    flowFiltered_ = true;
    const int index = sqllsz.fieldIndex(field);
    if (index < 0 || sqllsz.field(index).type == FieldType::DateTime) return;
    const QString format = sqllsz.field(index).displayFormat;
    sqllsz.setFilter([index, format, shownText](const RowView& row) {
        return displayformat::format(row.value(index), format) == shownText;
    });
}

void PartyAccounts::find(const QString& text) { namesearch::find(dbbmk, "mc", text, prompter_); }

void PartyAccounts::findNext(const QString& text) { namesearch::findNext(dbbmk, "mc", text); }

}  // namespace queries
