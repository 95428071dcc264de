#include "utctime.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::int64_t DayLength = 86400;

bool isLeap(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysIn(std::int64_t year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : days[month - 1];
}

// Days from 1970-01-01 to the first of the month, counted through the years: a few thousand
// steps at most, as years stop at 9999.
std::int64_t daysBefore(std::int64_t year, int month) {
    std::int64_t days = 0;
    for (std::int64_t y = 1970; y < year; ++y)
        days += isLeap(y) ? 366 : 365;
    for (int m = 1; m < month; ++m)
        days += daysIn(year, m);
    return days;
}

} // namespace

std::string formatUtc(UtcTime time) {
    // Times that stored files can hold: 1970 to the end of 9999.
    time = std::clamp<UtcTime>(time, 0, 253402300799);
    std::int64_t days = time / DayLength;
    const int seconds = static_cast<int>(time - days * DayLength);
    int year = 1970;
    while (days >= (isLeap(year) ? 366 : 365)) {
        days -= isLeap(year) ? 366 : 365;
        ++year;
    }
    int month = 1;
    while (days >= daysIn(year, month))
        days -= daysIn(year, month++);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", year, month,
                  static_cast<int>(days + 1), seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

std::optional<UtcTime> parseUtc(std::string_view text) {
    // The digits of each part and the separators between them.
    static constexpr std::string_view Pattern = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != Pattern.size())
        return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (Pattern[i] == 'd' ? !digit : text[i] != Pattern[i])
            return std::nullopt;
    }
    const auto number = [&](std::size_t from, std::size_t length) {
        int value = 0;
        for (std::size_t i = from; i < from + length; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > daysIn(year, month) || hour > 23 ||
        minute > 59 || second > 59)
        return std::nullopt;
    return (daysBefore(year, month) + day - 1) * DayLength + hour * 3600 + minute * 60 + second;
}
