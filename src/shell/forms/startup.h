// The program's start-up order: splash, data module, main window with its
// login; returns the exit code once the main window has closed.
#pragma once

#include "shell/forms/commandregistry.h"

class Prompter;
class Session;

// Opens the database below the session's working directory; on failure
// shows the data layer's message (saying how to create a missing database)
// and returns 1 without a main window. registerCommands binds the commands
// of every subsystem to the main window.
int runProgram(Session& session, Prompter& prompter, const CommandRegistration& registerCommands);
