#include "queries/forms/uCxGys.h"

TfrmCxGys::TfrmCxGys(const AppContext& context, QWidget* parent)
    : PartyAccountWindow(queries::PartyAccountKind::suppliers(), context, parent) {}
