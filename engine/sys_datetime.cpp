#include "engine/sys_datetime.h"

#include "engine/number_text.h"
#include "engine/script_exception.h"
#include "engine/sys_convert.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

namespace veltran {
namespace {

constexpr std::int64_t ms_per_day = 86400000;
constexpr std::int64_t first_valid_day = -693593; // 01/01/0001
constexpr std::int64_t last_valid_day = 2958465;  // 31/12/9999

struct TTimeStamp {
    std::int64_t days; // since 30/12/1899
    std::int64_t ms;   // of the day
};

TTimeStamp time_stamp(double date_time) {
    if (!(date_time > first_valid_day - 1 && date_time < last_valid_day + 1)) raise_range_error();
    const std::int64_t total = std::llround(date_time * static_cast<double>(ms_per_day));
    const TTimeStamp stamp{total / ms_per_day, std::abs(total) % ms_per_day};
    if (stamp.days < first_valid_day || stamp.days > last_valid_day) raise_range_error();
    return stamp;
}

struct TLocalNow {
    std::tm parts;
    int msec;
};

TLocalNow local_now() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    TLocalNow local{};
#ifdef _WIN32
    localtime_s(&local.parts, &seconds);
#else
    localtime_r(&seconds, &local.parts);
#endif
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    local.msec = static_cast<int>((ms % 1000 + 1000) % 1000);
    return local;
}

double date_of(const std::tm& t) {
    return encode_date(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
}

double time_of(const TLocalNow& now) {
    return encode_time(now.parts.tm_hour, now.parts.tm_min, std::min(now.parts.tm_sec, 59),
                       now.msec);
}

// Reads date and time text the way the library's StrTo... functions take it.
class TDateScanner {
public:
    TDateScanner(std::u16string_view text, const TFormatSettings& fs) : text_(text), fs_(fs) {}

    bool at_end() {
        skip_blanks();
        return pos_ == text_.size();
    }

    bool date(double& date);
    bool time(double& time);

private:
    enum class TOrder { mdy, dmy, ymd };

    void skip_blanks() {
        while (pos_ < text_.size() && text_[pos_] == u' ')
            ++pos_;
    }

    bool number(int& value, int& digits) {
        skip_blanks();
        value = 0;
        digits = 0;
        while (pos_ < text_.size() && text_[pos_] >= u'0' && text_[pos_] <= u'9') {
            if (++digits > 9) return false;
            value = value * 10 + (text_[pos_++] - u'0');
        }
        return digits > 0;
    }

    bool character(char16_t c) {
        skip_blanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // A word, compared without regard to ASCII case.
    bool word(std::u16string_view w) {
        skip_blanks();
        if (w.empty() || text_.size() - pos_ < w.size()) return false;
        for (std::size_t i = 0; i < w.size(); ++i) {
            const auto fold = [](char16_t c) {
                return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
            };
            if (fold(text_[pos_ + i]) != fold(w[i])) return false;
        }
        pos_ += w.size();
        return true;
    }

    // 0 for AM, 12 for PM, -1 for neither.
    int am_pm() {
        if (word(fs_.time_am_string) || word(u"AM")) return 0;
        if (word(fs_.time_pm_string) || word(u"PM")) return 12;
        return -1;
    }

    TOrder order() const {
        for (char16_t c : fs_.short_date_format) {
            switch (c | 0x20) {
            case u'd': return TOrder::dmy;
            case u'm': return TOrder::mdy;
            case u'y': return TOrder::ymd;
            default: break;
            }
        }
        return TOrder::mdy;
    }

    std::u16string_view text_;
    const TFormatSettings& fs_;
    std::size_t pos_ = 0;
};

bool TDateScanner::date(double& date) {
    int n1, n2, n3, l1, l2, l3;
    if (!(number(n1, l1) && character(fs_.date_separator) && number(n2, l2))) return false;
    const TOrder o = order();
    int year, month, day;
    if (character(fs_.date_separator)) {
        if (!number(n3, l3)) return false;
        int year_digits;
        switch (o) {
        case TOrder::mdy: year = n3, year_digits = l3, month = n1, day = n2; break;
        case TOrder::dmy: year = n3, year_digits = l3, month = n2, day = n1; break;
        case TOrder::ymd: year = n1, year_digits = l1, month = n2, day = n3; break;
        }
        if (year_digits <= 2)
            year = expand_two_digit_year(year, current_year(), fs_.two_digit_year_century_window);
    } else {
        year = current_year();
        if (o == TOrder::dmy)
            day = n1, month = n2;
        else
            month = n1, day = n2;
    }
    character(fs_.date_separator); // a separator may close the date
    return try_encode_date(year, month, day, date);
}

bool TDateScanner::time(double& time) {
    int base = am_pm();
    int hour, minute = 0, second = 0, msec = 0, digits;
    if (!number(hour, digits)) return false;
    if (character(fs_.time_separator)) {
        if (!number(minute, digits)) return false;
        if (character(fs_.time_separator)) {
            if (!number(second, digits)) return false;
            if (character(fs_.decimal_separator)) {
                // Digits of a fraction of the second: .5 is 500 ms.
                if (!number(msec, digits) || digits > 3) return false;
                for (; digits < 3; ++digits)
                    msec *= 10;
            }
        }
    }
    if (base < 0) base = am_pm();
    if (base >= 0) {
        if (hour == 0 || hour > 12) return false;
        hour = hour % 12 + base;
    }
    return try_encode_time(hour, minute, second, msec, time);
}

using TTryParse = bool (*)(std::u16string_view, const TFormatSettings&, double&);

double parsed_or_raise(TTryParse parse, std::u16string_view text, const TFormatSettings& fs,
                       const char* what) {
    double value;
    if (!parse(text, fs, value)) raise_convert_error(quoted(text) + " is not a valid " + what);
    return value;
}

} // namespace

bool is_leap_year(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int days_in_month(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) raise_range_error();
    return days[month - 1] + (month == 2 && is_leap_year(year) ? 1 : 0);
}

bool try_encode_date(int year, int month, int day, double& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > days_in_month(year, month))
        return false;
    date = date_of(year, month, day);
    return true;
}

bool try_encode_time(int hour, int minute, int second, int msec, double& time) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        return false;
    const std::int64_t ms = ((hour * 60 + minute) * 60 + second) * std::int64_t{1000} + msec;
    time = static_cast<double>(ms) / static_cast<double>(ms_per_day);
    return true;
}

double encode_date(int year, int month, int day) {
    double date;
    if (!try_encode_date(year, month, day, date))
        raise_convert_error("Invalid argument to date encode");
    return date;
}

double encode_time(int hour, int minute, int second, int msec) {
    double time;
    if (!try_encode_time(hour, minute, second, msec, time))
        raise_convert_error("Invalid argument to time encode");
    return time;
}

TDateParts decode_date(double date_time) {
    return civil_from_days(time_stamp(date_time).days);
}

TTimeParts decode_time(double date_time) {
    const std::int64_t ms = time_stamp(date_time).ms;
    return {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
            static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

int day_of_week(double date_time) {
    const std::int64_t days = time_stamp(date_time).days;
    return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1; // 30/12/1899 was a Saturday
}

double combine_date_time(double date, double time) {
    return date >= 0 ? date + time : date - time;
}

double current_date() {
    return date_of(local_now().parts);
}

double current_time() {
    return time_of(local_now());
}

double current_date_time() {
    const TLocalNow now = local_now();
    return combine_date_time(date_of(now.parts), time_of(now));
}

int current_year() {
    return local_now().parts.tm_year + 1900;
}

int expand_two_digit_year(int year, int this_year, int window) {
    const int base = this_year - window;
    year += base / 100 * 100;
    if (window > 0 && year < base) year += 100;
    return year;
}

bool try_str_to_date(std::u16string_view text, const TFormatSettings& fs, double& date) {
    TDateScanner scan(text, fs);
    return scan.date(date) && scan.at_end();
}

bool try_str_to_time(std::u16string_view text, const TFormatSettings& fs, double& time) {
    TDateScanner scan(text, fs);
    return scan.time(time) && scan.at_end();
}

bool try_str_to_date_time(std::u16string_view text, const TFormatSettings& fs, double& value) {
    TDateScanner scan(text, fs);
    double date, time = 0;
    if (!scan.date(date)) return try_str_to_time(text, fs, value);
    if (!scan.at_end() && !(scan.time(time) && scan.at_end())) return false;
    value = combine_date_time(date, time);
    return true;
}

double str_to_date(std::u16string_view text, const TFormatSettings& fs) {
    return parsed_or_raise(try_str_to_date, text, fs, "date");
}

double str_to_time(std::u16string_view text, const TFormatSettings& fs) {
    return parsed_or_raise(try_str_to_time, text, fs, "time");
}

double str_to_date_time(std::u16string_view text, const TFormatSettings& fs) {
    return parsed_or_raise(try_str_to_date_time, text, fs, "date and time");
}

} // namespace veltran
