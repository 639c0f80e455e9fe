// Tfrmxtinit: the system data initialisation dialog.
#pragma once

#include "period/forms/perioddialog.h"

class Tfrmxtinit : public CheckListDialog {
    Q_OBJECT
public:
    explicit Tfrmxtinit(const AppContext& context, QWidget* parent = nullptr);
};
