// The books' consistency check among the main window's commands.
#pragma once

class CommandRegistry;

void registerAuditCommands(CommandRegistry& registry);
