#include "audit/forms/auditcommands.h"

#include "audit/forms/auditwindow.h"
#include "shell/forms/commandregistry.h"

// The check only reads, so it runs on a month's history copy as well as on
// the working book: whichever the program has open.
void registerAuditCommands(CommandRegistry& registry) { registry.bindWindow<AuditWindow>("alxtZtjc"); }
