#pragma once

#include "itemschedule.h"

#include <optional>
#include <string>
#include <string_view>

// UTC times as text in the one form the tools read and write: 2026-01-31T08:00:00Z.
std::string formatUtc(UtcTime time);
// Nothing for any other form, or a date that does not exist, or a year outside 1970 to 9999.
std::optional<UtcTime> parseUtc(std::string_view text);
