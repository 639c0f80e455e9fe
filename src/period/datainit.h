// DataInitialisation: clears the chosen documents, ledgers, stock and
// balances so that the system can start again. Master data, operators, the
// work log, orders, System and the period SQL table are never touched.
#pragma once

#include "database/database.h"

#include <QList>
#include <QStringList>

namespace period {

class DataInitialisation {
public:
    // Asked by the command and again by the dialog's OK.
    static constexpr const char* kQuestion = "是否确定要进行系统数据清空处理？\n系统数据一旦清空则不能被恢复！";
    static constexpr const char* kNotCompleted = "系统数据清空未能完成!";
    static constexpr const char* kDone = "系统数据清空完毕!";
    static constexpr const char* kWorkLog = "进行系统数据初始化";

    struct Item {
        QString caption;
        QStringList statements;
    };
    // The twelve items "0、清空商品入库单" .. "B、清空欠帐数据(应付)", in their order.
    static const QList<Item>& items();

    // The chosen items (indexes into items()), in the list's order, as one
    // unit: a failure (Stopped) leaves everything as it was.
    static void run(Database& db, const QList<int>& chosen);
};

}  // namespace period
