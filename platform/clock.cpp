#include "clock.h"

#include <ctime>

namespace qeln::platform {

LocalTime localNow()
{
    struct timespec ts {};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm {};
    const std::time_t t = ts.tv_sec;
    ::localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ts.tv_nsec};
}

} // namespace qeln::platform
