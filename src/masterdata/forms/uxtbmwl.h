// TfrmxtBmWl: the customers, their contact data and account balances.
#pragma once

#include "masterdata/forms/partywindow.h"

class TfrmxtBmWl : public PartyWindow {
    Q_OBJECT
public:
    explicit TfrmxtBmWl(const AppContext& context, QWidget* parent = nullptr);
};
