#pragma once

#include <string>
#include <string_view>

// Appends a text of the program's code page to a comma-separated table as spreadsheets read it:
// in UTF-8, and in double quotes with its quotes doubled when it holds a comma, a quote or a line
// break.
void appendSpreadsheetCell(std::string& out, std::string_view text);
