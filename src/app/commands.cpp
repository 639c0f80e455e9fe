#include "app/commands.h"

#include "admin/forms/admincommands.h"
#include "masterdata/forms/masterdatacommands.h"
#include "stockdocs/forms/stockdocscommands.h"

void registerCommands(CommandRegistry& registry) {
    registerAdminCommands(registry);
    registerMasterDataCommands(registry);
    registerStockDocsCommands(registry);
}
