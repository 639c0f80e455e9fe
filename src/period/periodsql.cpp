#include "period/periodsql.h"

#include "database/rowset.h"
#include "shell/prompter.h"

namespace period::periodsql {

std::optional<QString> categoryName(int code) {
    switch (code) {
    case 0: return "系统数据初始";
    case 10: return "月末数据结转";
    case 11: return "月末单据结转";
    case 20: return "月初数据处理";
    case 30: return "年初数据处理";
    case 50: return "有关帐簿生成";
    case 60: return "系统数据整理";
    default: return std::nullopt;
    }
}

bool categoryAccepted(int code) {
    switch (code) {
    case 0:
    case 10:
    case 20:
    case 30:
    case 40:
    case 50:
    case 60: return true;
    default: return false;
    }
}

void installRules(RowSet& rows, Prompter& prompter) {
    rows.onFieldChange("LbBm", [&rows] {
        const QVariant code = rows.value("LbBm");
        if (code.isNull()) return;
        if (const auto name = categoryName(code.toInt())) rows.setValue("LbMc", *name);
    });
    rows.hooks.beforePost = [&rows, &prompter] {
        const QVariant code = rows.value("LbBm");
        if (code.isNull() || !categoryAccepted(code.toInt())) {
            prompter.message(kInvalidCategory);
            return false;
        }
        return true;
    };
    rows.hooks.onWriteError = [&prompter](const DbError& e) {
        if (e.isDuplicateKey()) {
            prompter.message(kDuplicate);
            return;
        }
        prompter.message(kSaveError);
        prompter.message(e.message());
    };
}

}  // namespace period::periodsql
