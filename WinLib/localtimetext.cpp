#include "localtimetext.h"

#include <windows.h>

namespace Win {

std::string localDateTimeText(std::int64_t utcSeconds) {
    // FILETIME counts 100-nanosecond steps from 1601-01-01.
    constexpr std::int64_t SecondsFrom1601To1970 = 11644473600;
    const auto ticks = static_cast<std::uint64_t>(utcSeconds + SecondsFrom1601To1970) * 10000000u;
    FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utcTime{}, local{};
    if (!::FileTimeToSystemTime(&utc, &utcTime) ||
        !::SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &local))
        return "";
    char date[80] = "", time[80] = "";
    ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, sizeof date);
    ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time, sizeof time);
    return std::string(date) + ' ' + time;
}

} // namespace Win
