// The stock documents' commands.
#pragma once

class CommandRegistry;

void registerStockDocsCommands(CommandRegistry& registry);
