#include "masterdata/namesearch.h"

#include "database/rowset.h"
#include "shell/prompter.h"

namespace namesearch {
namespace {

int matchFrom(const RowSet& rows, const QString& field, int position, const QString& text) {
    const int index = rows.fieldIndex(field);
    for (int p = position; p < rows.recordCount(); ++p)
        if (rows.valueAt(p, index).toString().contains(text)) return p;
    return -1;
}

}  // namespace

void find(RowSet& rows, const QString& field, const QString& typed, Prompter& prompter) {
    const QString text = typed.trimmed();
    if (text.isEmpty() || rows.isEmpty()) return;
    const int found = matchFrom(rows, field, 0, text);
    if (found >= 0) {
        rows.moveTo(found);
        return;
    }
    rows.last();
    prompter.message("没有匹配的记录!");
}

void findNext(RowSet& rows, const QString& field, const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty() || rows.isEmpty()) return;
    const int found = matchFrom(rows, field, rows.position() + 1, text);
    rows.moveTo(found >= 0 ? found : 0);
}

bool seekCode(RowSet& rows, const QString& field, const QString& text) {
    if (text.isEmpty()) return false;
    return rows.locate(field, text, LocateOptions{true, true});
}

}  // namespace namesearch
