// The date-time number of project files and listings: days since
// 30 December 1899 (local time), with the time of day as the fraction.
#pragma once

#include <optional>
#include <string>

namespace qeln {

// The current local date and time as a date-time number.
double currentDateTime();

// The date-time number of a local calendar date and time of day
// (month 1..12, day 1..31; the proleptic Gregorian calendar).
double dateTimeNumber(int year, int month, int day, int hour = 0, int minute = 0, double second = 0);

// The calendar date and time of day of a date-time number.
struct CivilDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};
// Rounded to the nearest second (with `milliseconds`, to the nearest
// millisecond; a time that rounds up to midnight is the next day); nothing
// for a number that is not finite or more than 3,000,000 days from 1899.
std::optional<CivilDateTime> civilDateTime(double dateTimeNumber, bool milliseconds = false);

// "2024-03-15 12:00:00" (the batch command line's listing dates); "" where
// civilDateTime gives nothing.
std::string isoDateTime(double dateTimeNumber);

} // namespace qeln
