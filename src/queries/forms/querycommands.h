// The queries' commands: goods stock, customer and supplier accounts.
#pragma once

class CommandRegistry;

void registerQueryCommands(CommandRegistry& registry);
