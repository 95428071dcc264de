#pragma once

#include "WinLib/acceleratortable.h"

// The main window's keyboard shortcuts. Alt+F4 is the system's own.
extern const Win::AcceleratorItem AcceleratorTemplate[];
