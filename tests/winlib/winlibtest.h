#pragma once
// Resources of the window library's tests.

#define IDD_WINLIB_TEST 900
