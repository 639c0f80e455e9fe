// The administration commands: business date, user settings, wallpaper.
#pragma once

class CommandRegistry;

void registerAdminCommands(CommandRegistry& registry);
