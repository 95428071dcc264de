#pragma once

#include "app/model/weakitemrule.h"

// The choice last made in "Select Weak Items" is kept for the user in the registry, under
// HKEY_CURRENT_USER\Software\Tandrel\Lorvant\1.21\Settings, values "WeakItemsThreshold" and
// "WeakItemsIncludeNeverAsked" (numbers). A missing, damaged or unreadable value gives its default; saving
// reports no failure: without the registry the dialog only starts from the defaults.
WeakItemRule loadWeakItemRule();
void saveWeakItemRule(const WeakItemRule& rule);
