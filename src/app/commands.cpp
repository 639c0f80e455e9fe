#include "app/commands.h"

#include "admin/forms/admincommands.h"
#include "audit/forms/auditcommands.h"
#include "masterdata/forms/masterdatacommands.h"
#include "moneydocs/forms/moneydocscommands.h"
#include "period/forms/periodcommands.h"
#include "stockdocs/forms/stockdocscommands.h"
#include "queries/forms/querycommands.h"

void registerCommands(CommandRegistry& registry) {
    registerAdminCommands(registry);
    registerMasterDataCommands(registry);
    registerStockDocsCommands(registry);
    registerQueryCommands(registry);
    registerMoneyDocsCommands(registry);
    registerPeriodCommands(registry);
    registerAuditCommands(registry);
}
