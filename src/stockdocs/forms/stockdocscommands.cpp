#include "stockdocs/forms/stockdocscommands.h"

#include "shell/forms/commandregistry.h"
#include "stockdocs/forms/usprkdlr.h"

void registerStockDocsCommands(CommandRegistry& registry) { registry.bindWindow<Tfrmsprkdlr>("alYwYpRk"); }
