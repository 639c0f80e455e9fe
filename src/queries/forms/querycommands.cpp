#include "queries/forms/querycommands.h"

#include "queries/forms/uCxBmk.h"
#include "queries/forms/uCxGys.h"
#include "queries/forms/uCxSpkm.h"
#include "shell/forms/commandregistry.h"

void registerQueryCommands(CommandRegistry& registry) {
    registry.bindWindow<TfrmCxSpkM>("alCxspkm");
    registry.bindWindow<TfrmCxBmk>("alCxBmkM");
    registry.bindWindow<TfrmCxGys>("alcxgyxx");
}
