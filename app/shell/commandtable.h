#pragma once

#include "commander.h"

#include "WinLib/command.h"

// Every command of the main window: name, execute and test functions of the Commander, and help text.
// Menus, accelerators and toolbar buttons name these commands.
extern const Cmd::Item<Commander> CommandTable[];
