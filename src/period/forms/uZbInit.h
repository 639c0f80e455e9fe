// TfrmZbInit: the ledger generation dialog.
#pragma once

#include "period/forms/perioddialog.h"

class TfrmZbInit : public CheckListDialog {
    Q_OBJECT
public:
    explicit TfrmZbInit(const AppContext& context, QWidget* parent = nullptr);
};
