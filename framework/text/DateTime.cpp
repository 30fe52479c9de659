#include "framework/text/DateTime.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <mutex>

#include "framework/core/Exceptions.h"

namespace dsp {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// The civil-date algorithm below counts days from 1 January 1970, which is day 25569 here.
constexpr std::int64_t kUnixDay = 25569;
constexpr std::int64_t kEraShift = 719468;  // days from 1 March of year 0 to 1 January 1970

const char* const kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
constexpr const char* kShortDateFormat = "m/d/yyyy";
constexpr const char* kLongDateFormat = "dddd, mmmm d, yyyy";
constexpr const char* kShortTimeFormat = "h:nn AMPM";
constexpr const char* kLongTimeFormat = "h:nn:ss AMPM";

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Day number (0 = 30 December 1899) of a civil date, after the well-known era algorithm.
std::int64_t DayNumber(int year, int month, int day) {
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - kEraShift + kUnixDay;
}

void CivilDate(std::int64_t days, int& year, int& month, int& day) {
    const std::int64_t z = days - kUnixDay + kEraShift;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

struct Parts {
    std::int64_t days;  // calendar day number
    std::int64_t ms;    // milliseconds into the day
};

Parts Split(TDateTime value) {
    Parts p{static_cast<std::int64_t>(std::trunc(value)), 0};
    p.ms = std::llround(std::fabs(value - std::trunc(value)) * kMsPerDay);
    if (p.ms >= kMsPerDay) {
        // Rounding reached midnight: that is the next calendar day, whatever the sign.
        p.ms -= kMsPerDay;
        p.days += 1;
    }
    return p;
}

std::mutex& NowLock() {
    static std::mutex lock;
    return lock;
}

TNowFunction& NowFunction() {
    static TNowFunction now;
    return now;
}

TDateTime SystemNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                      static_cast<int>(ms));
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return false;
    }
    result = static_cast<TDateTime>(DayNumber(year, month, day));
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999) {
        return false;
    }
    const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    result = static_cast<TDateTime>(ms) / kMsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result)) {
        throw EConvertError("Invalid argument to date encode");
    }
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    TDateTime result = 0;
    if (!TryEncodeTime(hour, minute, second, millisecond, result)) {
        throw EConvertError("Invalid argument to time encode");
    }
    return result;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    CivilDate(Split(value).days, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
    std::int64_t ms = Split(value).ms;
    millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    second = static_cast<int>(ms % 60);
    ms /= 60;
    minute = static_cast<int>(ms % 60);
    hour = static_cast<int>(ms / 60);
}

int DayOfWeek(TDateTime value) {
    // 30 December 1899 was a Saturday.
    const std::int64_t d = (Split(value).days + 6) % 7;
    return static_cast<int>(d < 0 ? d + 7 : d) + 1;
}

TDateTime Now() {
    TNowFunction now;
    {
        std::lock_guard<std::mutex> guard(NowLock());
        now = NowFunction();
    }
    return now ? now() : SystemNow();
}

TDateTime Date() { return std::trunc(Now()); }

void SetNowFunction(TNowFunction now) {
    std::lock_guard<std::mutex> guard(NowLock());
    NowFunction() = std::move(now);
}

namespace {

class DateTimeFormatter {
public:
    explicit DateTimeFormatter(TDateTime value) : value_(value) {
        DecodeDate(value, year_, month_, day_);
        DecodeTime(value, hour_, minute_, second_, ms_);
    }

    void Append(std::string_view format) {
        if (depth_ > 1) return;  // named formats nest once at most
        ++depth_;
        std::size_t i = 0;
        while (i < format.size()) {
            const char c = format[i];
            const char token = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (token == '"' || token == '\'') {
                const std::size_t close = format.find(c, i + 1);
                const std::size_t end = close == std::string_view::npos ? format.size() : close;
                out_.append(format.substr(i + 1, end - i - 1));
                i = end == format.size() ? end : end + 1;
                continue;
            }
            if (token == 'A') {
                i += Ampm(format.substr(i));
                continue;
            }
            const std::size_t count = Run(format, i);
            switch (token) {
                case 'C':
                    Append(kShortDateFormat);
                    if (hour_ != 0 || minute_ != 0 || second_ != 0 || ms_ != 0) {
                        out_.push_back(' ');
                        Append(kLongTimeFormat);
                    }
                    break;
                case 'D': Day(count); break;
                case 'M':
                    if (lastWasHour_ && count <= 2) {
                        Number(minute_, count);
                    } else {
                        MonthText(count);
                    }
                    break;
                case 'Y': Number(count <= 2 ? year_ % 100 : year_, count <= 2 ? 2 : 4); break;
                case 'H':
                    Number(TwelveHour(format.substr(i + count)) ? Hour12() : hour_, count);
                    break;
                case 'N': Number(minute_, count); break;
                case 'S': Number(second_, count); break;
                case 'Z': Number(ms_, count <= 2 ? 1 : 3); break;
                case 'T': Append(count == 1 ? kShortTimeFormat : kLongTimeFormat); break;
                case '/': out_.push_back('/'); break;
                case ':': out_.push_back(':'); break;
                default: out_.append(format.substr(i, count)); break;
            }
            if (token != ':' && token != ' ') lastWasHour_ = token == 'H';
            i += count;
        }
        --depth_;
    }

    const std::string& Result() const { return out_; }

private:
    // The length of the run of the same letter (any case) that starts at i.
    static std::size_t Run(std::string_view format, std::size_t i) {
        const int first = std::toupper(static_cast<unsigned char>(format[i]));
        if (!std::isalpha(first)) return 1;
        std::size_t n = 1;
        while (i + n < format.size() &&
               std::toupper(static_cast<unsigned char>(format[i + n])) == first) {
            ++n;
        }
        return n;
    }

    static bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
        if (text.size() < prefix.size()) return false;
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
        }
        return true;
    }

    // Whether an am/pm code comes later in the format (outside quotes).
    static bool TwelveHour(std::string_view rest) {
        char quote = 0;
        for (std::size_t i = 0; i < rest.size(); ++i) {
            const char c = rest[i];
            if (quote != 0) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (StartsWithNoCase(rest.substr(i), "am/pm") ||
                       StartsWithNoCase(rest.substr(i), "a/p") ||
                       StartsWithNoCase(rest.substr(i), "ampm")) {
                return true;
            }
        }
        return false;
    }

    int Hour12() const {
        const int h = hour_ % 12;
        return h == 0 ? 12 : h;
    }

    // Writes an am/pm code at the start of text; returns how many characters it took.
    std::size_t Ampm(std::string_view text) {
        const bool pm = hour_ >= 12;
        if (StartsWithNoCase(text, "am/pm")) {
            std::string_view word = pm ? text.substr(3, 2) : text.substr(0, 2);
            out_.append(word);
            return 5;
        }
        if (StartsWithNoCase(text, "a/p")) {
            out_.push_back(pm ? text[2] : text[0]);
            return 3;
        }
        if (StartsWithNoCase(text, "ampm")) {
            out_.append(pm ? "PM" : "AM");
            return 4;
        }
        out_.push_back(text[0]);
        return 1;
    }

    void Number(int value, std::size_t digits) {
        std::string s = std::to_string(value);
        if (s.size() < digits) s.insert(0, digits - s.size(), '0');
        out_ += s;
    }

    void Day(std::size_t count) {
        switch (count) {
            case 1:
            case 2: Number(day_, count); break;
            case 3: out_ += kShortDays[DayOfWeek(value_) - 1]; break;
            case 4: out_ += kLongDays[DayOfWeek(value_) - 1]; break;
            case 5: Append(kShortDateFormat); break;
            default: Append(kLongDateFormat); break;
        }
    }

    void MonthText(std::size_t count) {
        if (count <= 2) {
            Number(month_, count);
        } else if (count == 3) {
            out_ += kShortMonths[month_ - 1];
        } else {
            out_ += kLongMonths[month_ - 1];
        }
    }

    TDateTime value_;
    int year_ = 0, month_ = 0, day_ = 0, hour_ = 0, minute_ = 0, second_ = 0, ms_ = 0;
    bool lastWasHour_ = false;
    int depth_ = 0;
    std::string out_;
};

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime value) {
    DateTimeFormatter formatter(value);
    formatter.Append(format.empty() ? std::string_view("c") : format);
    return formatter.Result();
}

std::string DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }
std::string DateToStr(TDateTime value) { return FormatDateTime("ddddd", value); }
std::string TimeToStr(TDateTime value) { return FormatDateTime("tt", value); }

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
    return date < 0 ? date - std::fabs(time) : date + std::fabs(time);
}

namespace {

// A small reader over one text: numbers, separators and blanks.
class DateTimeScanner {
public:
    explicit DateTimeScanner(std::string_view text) : text_(text) {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    std::size_t Pos() const { return pos_; }
    void SkipBlanks() {
        while (!AtEnd() && std::isspace(static_cast<unsigned char>(text_[pos_])) != 0) ++pos_;
    }
    bool Take(char c) {
        if (AtEnd() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    // Up to maxDigits decimal digits; false when there is none.
    bool Number(int& value, int& digits, int maxDigits = 4) {
        value = 0;
        digits = 0;
        while (!AtEnd() && digits < maxDigits &&
               std::isdigit(static_cast<unsigned char>(text_[pos_])) != 0) {
            value = value * 10 + (text_[pos_] - '0');
            ++digits;
            ++pos_;
        }
        return digits > 0;
    }
    // "AM", "PM", "A" or "P" in any case: 0 for none, 1 for AM, 2 for PM.
    int AmPm() {
        if (AtEnd()) return 0;
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text_[pos_])));
        if (c != 'A' && c != 'P') return 0;
        ++pos_;
        if (!AtEnd() && std::toupper(static_cast<unsigned char>(text_[pos_])) == 'M') ++pos_;
        return c == 'A' ? 1 : 2;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool ScanDate(DateTimeScanner& in, TDateTime& result) {
    int month = 0;
    int day = 0;
    int year = 0;
    int digits = 0;
    if (!in.Number(month, digits, 2) || !in.Take('/') || !in.Number(day, digits, 2)) return false;
    if (in.Take('/')) {
        if (!in.Number(year, digits, 4)) return false;
        if (digits <= 2) {
            // Within 50 years of this year: the century that puts it there.
            int thisYear = 0;
            int m = 0;
            int d = 0;
            DecodeDate(Now(), thisYear, m, d);
            year += thisYear - thisYear % 100;
            if (year > thisYear + 50) year -= 100;
            if (year <= thisYear - 50) year += 100;
        }
    } else {
        int m = 0;
        int d = 0;
        DecodeDate(Now(), year, m, d);
    }
    return TryEncodeDate(year, month, day, result);
}

bool ScanTime(DateTimeScanner& in, TDateTime& result) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int digits = 0;
    if (!in.Number(hour, digits, 2)) return false;
    if (in.Take(':')) {
        if (!in.Number(minute, digits, 2)) return false;
        if (in.Take(':')) {
            if (!in.Number(second, digits, 2)) return false;
            if (in.Take('.') && !in.Number(millisecond, digits, 3)) return false;
        }
    }
    in.SkipBlanks();
    const int amPm = in.AmPm();
    if (amPm != 0) {
        if (hour < 1 || hour > 12) return false;
        if (hour == 12) hour = 0;
        if (amPm == 2) hour += 12;
    }
    return TryEncodeTime(hour, minute, second, millisecond, result);
}

[[noreturn]] void NotValid(std::string_view text, const char* what) {
    throw EConvertError("'" + std::string(text) + "' is not a valid " + what);
}

}  // namespace

TDateTime StrToDate(std::string_view text) {
    DateTimeScanner in(text);
    in.SkipBlanks();
    TDateTime result = 0;
    if (!ScanDate(in, result)) NotValid(text, "date");
    in.SkipBlanks();
    if (!in.AtEnd()) NotValid(text, "date");
    return result;
}

TDateTime StrToTime(std::string_view text) {
    DateTimeScanner in(text);
    in.SkipBlanks();
    TDateTime result = 0;
    if (!ScanTime(in, result)) NotValid(text, "time");
    in.SkipBlanks();
    if (!in.AtEnd()) NotValid(text, "time");
    return result;
}

TDateTime StrToDateTime(std::string_view text) {
    DateTimeScanner in(text);
    in.SkipBlanks();
    TDateTime date = 0;
    TDateTime time = 0;
    // A date, then blanks and a time; or a time alone.
    DateTimeScanner probe = in;
    if (ScanDate(probe, date)) {
        in = probe;
        in.SkipBlanks();
        if (!in.AtEnd() && !ScanTime(in, time)) NotValid(text, "date and time");
    } else if (!ScanTime(in, time)) {
        NotValid(text, "date and time");
    }
    in.SkipBlanks();
    if (!in.AtEnd()) NotValid(text, "date and time");
    return ComposeDateTime(date, time);
}

}  // namespace dsp
