#include "admin/operatorrules.h"

#include "database/passwordhash.h"
#include "database/rowset.h"
#include "masterdata/masterdatarules.h"
#include "shell/prompter.h"

OperatorRules::OperatorRules(RowSet& operators, Prompter& prompter) : rows_(operators), prompter_(prompter) {
    rows_.hooks.beforeEdit = [this] { return beforeEdit(); };
    rows_.hooks.beforePost = [this] { return beforePost(); };
    rows_.hooks.beforeDelete = [this] { return beforeDelete(); };
    rows_.hooks.afterInsert = [this] {
        for (int r = 1; r <= 16; ++r) rows_.setValue(QString("R%1").arg(r), false);
    };
    rows_.hooks.onWriteError = masterdata::writeErrorMessages(prompter);
    // Saved or dropped: what was typed is gone from the row.
    QObject::connect(&rows_, &RowSet::stateChanged, &rows_, [this] {
        if (!rows_.isEditing()) passwordTyped_ = false;
    });
}

QString OperatorRules::rightsText(const RowView& row) {
    QString text;
    for (int r = 1; r <= 16; ++r) text += row.value(QString("R%1").arg(r)).toBool() ? '1' : '0';
    return text;
}

bool OperatorRules::beforeEdit() {
    if (rows_.value("logname").toString() != kChief) return true;
    prompter_.message(kChiefProtected);
    return false;
}

bool OperatorRules::beforeDelete() {
    if (rows_.value("logname").toString() == kChief) {
        prompter_.message(kChiefProtected);
        return false;
    }
    return prompter_.question("是否要删除此操作员?");
}

bool OperatorRules::typePassword(const QString& password) {
    if (!rows_.edit()) return false;
    passwordTyped_ = true;
    return rows_.setValue("pwd", password);
}

bool OperatorRules::beforePost() {
    auto blank = [this](const char* field) { return rows_.value(field).toString().trimmed().isEmpty(); };
    if (blank("name")) {
        prompter_.message("姓名必须设置，不能为空!");
        return false;
    }
    if (blank("logname")) {
        prompter_.message("登录名必须设置,不能为空!");
        return false;
    }
    if (blank("pwd")) {
        prompter_.message("初始口令必须设置,不能为空!");
        return false;
    }
    if (rows_.value("logname").toString() != kChief && rows_.value("R16").toBool()) {
        prompter_.message("除系统总管外，其他任何人不能具有系统管理员权限");
        rows_.setValue("R16", false);
    }
    rows_.setValue("opright", rightsText(rows_.currentRow()));
    // The typed password is kept only as its hash, blanks and all. Should the
    // write fail, the row holds the hash and a second save keeps it.
    if (passwordTyped_) {
        rows_.setValue("pwd", passwords::hash(rows_.value("pwd").toString()));
        passwordTyped_ = false;
    }
    return true;
}
