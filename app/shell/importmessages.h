#pragma once

#include "WinLib/resstring.h"
#include "app/files/importrefusal.h"
#include "app/files/textimportreport.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

// The texts the user reads about a text import, from the program's string table: why a file is refused,
// and what an import left out or found twice. Shown by the import dialog and after an import.

inline std::string loadText(int id) {
    return std::string(Win::ResString(::GetModuleHandleA(nullptr), id));
}

// The string table text with its %s and %d filled in.
template <class... Arguments> std::string format(int formatId, Arguments... arguments) {
    const Win::ResString formatText(::GetModuleHandleA(nullptr), formatId);
    std::vector<char> text(static_cast<std::size_t>(std::snprintf(nullptr, 0, formatText, arguments...)) + 1);
    std::snprintf(text.data(), text.size(), formatText, arguments...);
    return text.data();
}

// Why the file cannot be imported, naming the line to blame.
std::string describeRefusal(const ImportRefusal& refusal);
// One line for each kind of row that did not become an item as it stands, each after a line break;
// empty when there is none.
std::string describeTallies(const TextImportReport& report);
