// Tfrmxtinit: the system data initialisation dialog.
#pragma once

#include "period/forms/perioddialog.h"

class Tfrmxtinit : public CheckListDialog {
    Q_OBJECT
public:
    explicit Tfrmxtinit(const AppContext& context, QWidget* parent = nullptr);

    static constexpr const char* kQuestionFirst = "是否确定要进行系统数据清空处理？";
    static constexpr const char* kQuestionSecond = "系统数据一旦清空则不能被恢复！";

protected:
    void process() override;
};
