#pragma once

#include <windows.h>

// What the commands and the file procedures tell the main window to show anew, sent with SendMessage and
// wParam and lParam 0, so that the window is up to date when the command returns.
// The document or its outline was replaced: columns, rows, toolbar and status text.
constexpr UINT DocumentReplacedMessage = WM_USER + 1;
// Items or scores changed: rows, toolbar and status text.
constexpr UINT ItemsChangedMessage = WM_USER + 2;
// Select every row.
constexpr UINT SelectAllMessage = WM_USER + 3;
// The file name changed: the window title.
constexpr UINT FileNameChangedMessage = WM_USER + 4;
// Select exactly the rows whose positions, ascending, are in the std::vector<int> that lParam points to;
// focus the first and scroll it into view.
constexpr UINT SelectRowsMessage = WM_USER + 12;
// Answered with the position of the list's focused row, or -1 when no row has the focus.
constexpr UINT FocusedRowQuery = WM_USER + 13;
// The review settings changed: the review counts of the status bar.
constexpr UINT ReviewSettingsChangedMessage = WM_USER + 14;
