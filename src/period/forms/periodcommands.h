// The period commands of the main window: month-end, month-start, start of
// work, ledger generation, data initialisation, tidy-up and the SQL catalogue.
#pragma once

class CommandRegistry;

void registerPeriodCommands(CommandRegistry& registry);
