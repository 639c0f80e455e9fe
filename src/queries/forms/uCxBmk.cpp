#include "queries/forms/uCxBmk.h"

TfrmCxBmk::TfrmCxBmk(const AppContext& context, QWidget* parent)
    : PartyAccountWindow(queries::PartyAccountKind::customers(), context, parent) {}
