// The system clock in local time.
#pragma once

namespace qeln::platform {

// A moment of the local calendar (the system's time zone).
struct LocalTime {
    int year = 1970, month = 1, day = 1;   // month 1..12, day 1..31
    int hour = 0, minute = 0, second = 0;
    long nanosecond = 0;
};

// Now, as the system's local time.
LocalTime localNow();

} // namespace qeln::platform
