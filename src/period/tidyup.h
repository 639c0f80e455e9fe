// DataTidyUp: removes stock documents without lines and ledger rows whose
// goods item, customer or supplier is gone. Stock, balances and master data stay.
#pragma once

#include "database/database.h"

namespace period {

class DataTidyUp {
public:
    static constexpr const char* kNotCompleted = "系统数据整理未能完成!";
    static constexpr const char* kDone = "系统数据整理完毕!";

    // The seven deletes as one unit: a failure (Stopped) removes nothing.
    static void run(Database& db);
};

}  // namespace period
