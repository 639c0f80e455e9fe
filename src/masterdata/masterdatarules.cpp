#include "masterdata/masterdatarules.h"

#include "database/rowset.h"
#include "shell/prompter.h"

namespace masterdata {

std::function<void(const DbError&)> writeErrorMessages(Prompter& prompter) {
    return [&prompter](const DbError& error) {
        if (error.isDuplicateKey()) prompter.message("关键字(编码)不能重复!");
        else if (error.kind() == DbError::Kind::Conflict) prompter.message(error.message());
        else prompter.message(Prompter::lines("记录不能保存！", error.message()));
    };
}

std::function<bool()> deleteQuestion(Prompter& prompter) {
    return [&prompter] { return prompter.confirm("是否要删除当前记录？"); };
}

void nullsToZero(RowSet& rows, std::initializer_list<const char*> fields) {
    for (const char* f : fields)
        if (rows.value(f).isNull()) rows.setValue(f, 0);
}

bool codeGiven(RowSet& rows, const QString& codeField, Prompter& prompter) {
    if (!rows.value(codeField).toString().trimmed().isEmpty()) return true;
    prompter.message(kEmptyCode);
    return false;
}

void installCodeTableRules(RowSet& rows, Prompter& prompter) {
    rows.hooks.beforePost = [&rows, &prompter] { return codeGiven(rows, "Bm", prompter); };
    rows.hooks.beforeDelete = deleteQuestion(prompter);
    rows.hooks.onWriteError = writeErrorMessages(prompter);
}

void installPartyRules(RowSet& parties, Prompter& prompter) {
    installCodeTableRules(parties, prompter);
    parties.hooks.afterInsert = [&parties] {
        for (const char* f : {"ncye", "jyje", "byjf", "bydf", "bnjf", "bndf"}) parties.setValue(f, 0);
    };
    parties.hooks.beforePost = [&parties, &prompter] {
        if (!codeGiven(parties, "Bm", prompter)) return false;
        nullsToZero(parties, {"ncye", "jyje", "bnjf", "bndf", "byjf", "bydf"});
        return true;
    };
}

}  // namespace masterdata
