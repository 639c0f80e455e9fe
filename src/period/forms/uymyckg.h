// Tfrmxtymyckg: the start-of-work dialog.
#pragma once

#include "period/forms/perioddialog.h"

class Tfrmxtymyckg : public PeriodDialog {
    Q_OBJECT
public:
    explicit Tfrmxtymyckg(const AppContext& context, QWidget* parent = nullptr);

protected:
    void process() override;
};
