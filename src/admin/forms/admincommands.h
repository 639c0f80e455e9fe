// The administration and tool commands: business date, settings, wallpaper,
// operators, work log, SQL console, address book, compaction, shutdown, about.
#pragma once

class CommandRegistry;

void registerAdminCommands(CommandRegistry& registry);
