#pragma once

#include "WinLib/registrykey.h"

// The program's keys for the user, under HKEY_CURRENT_USER\Software\Tandrel\Lorvant\1.21. Both throw
// Win::Exception when the registry refuses.
WinReg::Key openProgramSubKey(const char* name);   // for reading; the key must exist
WinReg::Key createProgramSubKey(const char* name); // for reading and writing; made when missing
