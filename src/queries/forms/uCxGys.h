// TfrmCxGys: the supplier account query — balances, detail ledger, the card.
#pragma once

#include "queries/forms/partyaccountwindow.h"

class TfrmCxGys : public PartyAccountWindow {
    Q_OBJECT
public:
    explicit TfrmCxGys(const AppContext& context, QWidget* parent = nullptr);
};
