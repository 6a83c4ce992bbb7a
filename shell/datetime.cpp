#include "datetime.h"

#include "platform/clock.h"

#include <cmath>
#include <cstdio>

namespace qeln {

namespace {

// Days from 1970-01-01 to a civil date (Gregorian, any year).
long long daysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

constexpr long long kDaysFrom1899To1970 = 25569;   // 1899-12-30 .. 1970-01-01

} // namespace

double dateTimeNumber(int year, int month, int day, int hour, int minute, double second)
{
    const long long days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                           kDaysFrom1899To1970;
    return static_cast<double>(days) + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

double currentDateTime()
{
    const platform::LocalTime t = platform::localNow();
    return dateTimeNumber(t.year, t.month, t.day, t.hour, t.minute,
                          t.second + static_cast<double>(t.nanosecond) / 1e9);
}

std::optional<CivilDateTime> civilDateTime(double v, bool milliseconds)
{
    if (!std::isfinite(v) || std::fabs(v) > 3e6)
        return std::nullopt;
    const long long perSecond = milliseconds ? 1000 : 1;
    const long long perDay = 86400 * perSecond;
    const auto units = static_cast<long long>(std::llround(v * static_cast<double>(perDay)));
    const long long days = units >= 0 ? units / perDay : -((-units + perDay - 1) / perDay);
    const long long rem = units - days * perDay;
    const long long secs = rem / perSecond;
    // civil date from days since 1970-01-01
    const long long z = days - kDaysFrom1899To1970 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    CivilDateTime c;
    c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    c.year = static_cast<int>(yoe + era * 400 + (c.month <= 2 ? 1 : 0));
    c.hour = static_cast<int>(secs / 3600);
    c.minute = static_cast<int>(secs / 60 % 60);
    c.second = static_cast<int>(secs % 60);
    c.millisecond = static_cast<int>(rem % perSecond);
    return c;
}

std::string isoDateTime(double v)
{
    const std::optional<CivilDateTime> c = civilDateTime(v);
    if (!c)
        return "";
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", c->year, c->month, c->day, c->hour, c->minute,
                  c->second);
    return buf;
}

} // namespace qeln
