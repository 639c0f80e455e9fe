// LedgerGeneration: starts the detail ledgers afresh, one "上期结转" row per
// goods item or party carrying its current stock or balance.
#pragma once

#include "database/database.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace period {

class LedgerGeneration {
public:
    // Asked by the command and again by the dialog's OK.
    static constexpr const char* kQuestion = "是否确定要进行系统帐簿初始化处理？\n系统帐簿一旦初始化则不能被恢复！";
    static constexpr const char* kNotCompleted = "系统帐簿初始化未能完成!";
    static constexpr const char* kDone = "系统帐簿初始化完毕!";

    // The ledgers in the order they are offered and written.
    enum Ledger { Goods, Customers, Suppliers };
    struct Item {
        QString caption;
        QStringList statements;  // the delete, then the opening rows
    };
    static const QList<Item>& items();

    // The chosen ledgers, each emptied and given its opening rows dated the
    // business date, as one unit: a failure (Stopped) leaves every ledger as
    // it was. Nothing chosen runs nothing.
    static void run(Database& db, const QDate& businessDate, const QList<Ledger>& ledgers);
};

}  // namespace period
