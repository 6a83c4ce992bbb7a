#include "datetime.h"

#include <ctime>

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
    struct timespec ts {};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm {};
    const std::time_t t = ts.tv_sec;
    ::localtime_r(&t, &tm);
    return dateTimeNumber(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                          tm.tm_sec + static_cast<double>(ts.tv_nsec) / 1e9);
}

} // namespace qeln
