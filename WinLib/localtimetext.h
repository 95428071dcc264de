#pragma once

#include <cstdint>
#include <string>

namespace Win {

// A time given in seconds since 1970-01-01 UTC, in the user's local time zone and short date and
// time formats, without seconds.
std::string localDateTimeText(std::int64_t utcSeconds);

} // namespace Win
