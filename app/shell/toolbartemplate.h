#pragma once

#include "WinLib/toolbar.h"

// The main window's toolbar buttons.
extern const Win::ToolbarItem ToolbarTemplate[];
