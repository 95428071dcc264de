#pragma once
// Resources of the window library's tests.

#define IDD_WINLIB_TEST 900
#define IDC_TEST_BUTTON 901
