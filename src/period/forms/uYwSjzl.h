// TfrmYwSjzl: the data tidy-up dialog.
#pragma once

#include "period/forms/perioddialog.h"

class TfrmYwSjzl : public PeriodDialog {
    Q_OBJECT
public:
    explicit TfrmYwSjzl(const AppContext& context, QWidget* parent = nullptr);

protected:
    void process() override;
};
