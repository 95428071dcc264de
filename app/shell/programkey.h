#pragma once

#include "WinLib/registrykey.h"

// What the program keeps for the user lives under HKEY_CURRENT_USER\Software\Tandrel\Lorvant\1.21, in the
// named key below it. Both throw Win::Exception when the registry refuses.
// The key, opened for reading; it throws when the key does not exist.
WinReg::Key openProgramKey(const char* name);
// The key, opened for writing, made with the keys above it when missing.
WinReg::Key createProgramKey(const char* name);
