// TfrmXtYm: the month-end dialog.
#pragma once

#include "period/forms/perioddialog.h"

class TfrmXtYm : public PeriodDialog {
    Q_OBJECT
public:
    explicit TfrmXtYm(const AppContext& context, QWidget* parent = nullptr);

protected:
    void process() override;
};
