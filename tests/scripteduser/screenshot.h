#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// What the screen shows in a rectangle (screen coordinates), as 8-bit RGB rows, top row first; empty when the
// screen cannot be read.
std::vector<std::uint8_t> screenPixels(const RECT& place);

// Saves what the screen shows of a window as name.png in the folder named by LORVANT_SCREENSHOT_DIR, else in
// "screenshots" under the working folder. Returns the file's path, or an empty text when it could not be
// saved.
std::string saveScreenshot(HWND window, const std::string& name);
