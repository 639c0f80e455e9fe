// TfrmCxBmk: the customer account query — balances, detail and flow ledgers, the card.
#pragma once

#include "queries/forms/partyaccountwindow.h"

class TfrmCxBmk : public PartyAccountWindow {
    Q_OBJECT
public:
    explicit TfrmCxBmk(const AppContext& context, QWidget* parent = nullptr);
};
