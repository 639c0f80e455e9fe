// Every subsystem's commands, registered in one place.
#pragma once

class CommandRegistry;

void registerCommands(CommandRegistry& registry);
