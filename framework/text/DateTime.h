#pragma once
// Date and time as the framework counts them: TDateTime is a number of days since 30 December
// 1899, with the time of day as the fraction. For a negative value the fraction is still the time
// of day: -1.25 is 29 December 1899, 06:00.

#include <functional>
#include <string>
#include <string_view>

namespace dsp {

using TDateTime = double;

// EConvertError "Invalid argument to date encode" outside 1..9999, or for a day the month lacks.
TDateTime EncodeDate(int year, int month, int day);
// EConvertError "Invalid argument to time encode" outside 0..23, 0..59, 0..59, 0..999.
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);

// Times are rounded to the nearest millisecond; 23:59:59.9996 becomes midnight of the next day.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
// 1 for Sunday to 7 for Saturday.
int DayOfWeek(TDateTime value);
bool IsLeapYear(int year);

// The current local date and time. Tests and the runtime's replaceable clock route it elsewhere
// with SetNowFunction; an empty function gives the system clock back. Safe from any thread.
TDateTime Now();
TDateTime Date();  // Now without the time of day
using TNowFunction = std::function<TDateTime()>;
void SetNowFunction(TNowFunction now);

// Formats with the framework's date-time codes, matched without regard to case:
//   d dd ddd dddd     day, with zero, short and long day name (ddddd, dddddd: short, long date)
//   m mm mmm mmmm     month, with zero, short and long name; minutes right after an hour code
//   yy yyyy           year in two or four digits
//   h hh n nn s ss    hour, minute, second; the hour counts 12 when an am/pm code follows
//   z zzz             milliseconds
//   am/pm a/p ampm    "am"/"pm" (in the code's case), "a"/"p", or "AM"/"PM"
//   c t tt            short date and long time (no time at midnight), short time, long time
//   / :               the date and time separators "/" and ":"
//   "x" 'x'           literal text
// Everything else stands for itself; an empty format is "c". English names and the formats
// "m/d/yyyy" and "h:nn:ss AMPM" are fixed: the result never depends on the user's locale.
std::string FormatDateTime(std::string_view format, TDateTime value);

// The framework's date and time texts: the short date "m/d/yyyy" and the long time
// "h:nn:ss AMPM"; a date-time shows no time at midnight ("c").
std::string DateTimeToStr(TDateTime value);
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);
// Read those texts back (blanks around them ignored). A date is month/day/year or month/day
// (this year); a year of one or two digits lies within 50 years of today's. A time is
// hour[:minute[:second[.millisecond]]] with an optional "AM"/"PM" ("A"/"P", any case) that makes
// the hour count 1 to 12. A date-time is a date, a time, or a date, blanks and a time.
// EConvertError "'text' is not a valid date", "... time" or "... date and time" otherwise.
TDateTime StrToDate(std::string_view text);
TDateTime StrToTime(std::string_view text);
TDateTime StrToDateTime(std::string_view text);
// A date and a time of day as one value: for dates before 30 December 1899 the time of day is
// still the fraction (counted away from zero).
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

}  // namespace dsp
