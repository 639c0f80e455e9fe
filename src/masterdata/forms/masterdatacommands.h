// The master-data commands: code tables, goods catalogue, customers, suppliers.
#pragma once

class CommandRegistry;

void registerMasterDataCommands(CommandRegistry& registry);
