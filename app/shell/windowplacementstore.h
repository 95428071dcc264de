#pragma once

#include "WinLib/windowplacement.h"

#include <optional>

// The main window's placement, kept for the user in the registry under
// HKEY_CURRENT_USER\Software\Tandrel\Lorvant\1.21\Window: the numbers "Left", "Top", "Width", "Height" and
// "Maximized" (0 or 1). Neither reports failures: without the registry the window takes the system's place.
// A missing, unreadable or impossible value reads as nothing kept.
std::optional<Win::WindowPlacement> loadWindowPlacement();
void saveWindowPlacement(const Win::WindowPlacement& placement);
