// The date-time number of project files and listings: days since
// 30 December 1899 (local time), with the time of day as the fraction.
#pragma once

namespace qeln {

// The current local date and time as a date-time number.
double currentDateTime();

// The date-time number of a local calendar date and time of day
// (month 1..12, day 1..31; the proleptic Gregorian calendar).
double dateTimeNumber(int year, int month, int day, int hour = 0, int minute = 0, double second = 0);

} // namespace qeln
