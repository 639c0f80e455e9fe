// TfrmxtGys: the suppliers, their contact and bank data and account balances.
#pragma once

#include "masterdata/forms/partywindow.h"

class TfrmxtGys : public PartyWindow {
    Q_OBJECT
public:
    explicit TfrmxtGys(const AppContext& context, QWidget* parent = nullptr);
};
