// TfrmZbInit: the ledger generation dialog.
#pragma once

#include "period/forms/perioddialog.h"

class TfrmZbInit : public CheckListDialog {
    Q_OBJECT
public:
    explicit TfrmZbInit(const AppContext& context, QWidget* parent = nullptr);

    static constexpr const char* kQuestionFirst = "是否确定要进行系统帐簿初始化处理？";
    static constexpr const char* kQuestionSecond = "系统帐簿一旦初始化则不能被恢复！";

protected:
    void process() override;
};
