// TfrmXtYc: the month-start dialog (with the start of the year in January).
#pragma once

#include "period/forms/perioddialog.h"

class TfrmXtYc : public PeriodDialog {
    Q_OBJECT
public:
    explicit TfrmXtYc(const AppContext& context, QWidget* parent = nullptr);

protected:
    void process() override;
};
