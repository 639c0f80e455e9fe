#include "stockdocs/forms/stockdocscommands.h"

#include "shell/forms/commandregistry.h"
#include "stockdocs/forms/uspckdlr.h"
#include "stockdocs/forms/usprkdlr.h"

void registerStockDocsCommands(CommandRegistry& registry) {
    registry.bindWindow<Tfrmsprkdlr>("alYwYpRk");
    registry.bindWindow<Tfrmspckdlr>("alYwYpCk");
}
