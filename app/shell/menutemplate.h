#pragma once

#include "WinLib/menu.h"

// The main window's menu bar. Its third popup, the item menu, is also the list's context menu; the
// recent-documents popup goes between the two separators after "Save &As...".
extern const Menu::Item MenuTemplate[];

// Where the menu bar's parts are.
constexpr int StudySetPopupIndex = 1;
constexpr int RecentMenuPosition = 5;
constexpr int ItemPopupIndex = 2;
