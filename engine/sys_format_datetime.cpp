#include "engine/sys_format_datetime.h"

#include "engine/sys_datetime.h"

#include <optional>

namespace veltran {
namespace {

char16_t upper_ascii_unit(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

bool starts_with_ignoring_case(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (upper_ascii_unit(text[i]) != prefix[i]) return false;
    return true;
}

// Whether the rest of the picture asks for the 12-hour clock.
bool has_am_pm(std::u16string_view rest) {
    char16_t quote = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char16_t c = rest[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (starts_with_ignoring_case(rest.substr(i), u"AM/PM") ||
                   starts_with_ignoring_case(rest.substr(i), u"A/P") ||
                   starts_with_ignoring_case(rest.substr(i), u"AMPM")) {
            return true;
        }
    }
    return false;
}

class TDateTimeWriter {
public:
    TDateTimeWriter(double date_time, const TFormatSettings& fs) : date_time_(date_time), fs_(fs) {}

    void write(std::u16string_view picture, int level);
    std::u16string take() { return std::move(out_); }

private:
    const TDateParts& date() {
        if (!date_) date_ = decode_date(date_time_);
        return *date_;
    }
    const TTimeParts& time() {
        if (!time_) time_ = decode_time(date_time_);
        return *time_;
    }
    int day_index() { return day_of_week(date_time_) - 1; }

    void number(int value, int min_digits) {
        const std::string digits = std::to_string(value);
        for (int n = static_cast<int>(digits.size()); n < min_digits; ++n)
            out_ += u'0';
        out_.append(digits.begin(), digits.end());
    }
    // A picture inside the picture (a date or time format of the settings);
    // one level deep, so that a format naming itself cannot loop.
    void nested(std::u16string_view picture, int level) {
        if (level < 2) write(picture, level + 1);
    }
    // Handles the 'a' forms at the start of `rest`; returns the length used.
    std::size_t am_pm_or_day_name(std::u16string_view rest);
    void field(char16_t token, int count, std::u16string_view rest, int level);

    double date_time_;
    const TFormatSettings& fs_;
    std::optional<TDateParts> date_;
    std::optional<TTimeParts> time_;
    std::u16string out_;
};

std::size_t TDateTimeWriter::am_pm_or_day_name(std::u16string_view rest) {
    const bool pm = time().hour >= 12;
    if (starts_with_ignoring_case(rest, u"AM/PM")) {
        out_.append(rest.substr(pm ? 3 : 0, 2));
        return 5;
    }
    if (starts_with_ignoring_case(rest, u"A/P")) {
        out_ += rest[pm ? 2 : 0];
        return 3;
    }
    if (starts_with_ignoring_case(rest, u"AMPM")) {
        out_ += pm ? fs_.time_pm_string : fs_.time_am_string;
        return 4;
    }
    if (starts_with_ignoring_case(rest, u"AAAA")) {
        out_ += fs_.long_day_names[static_cast<std::size_t>(day_index())];
        return 4;
    }
    if (starts_with_ignoring_case(rest, u"AAA")) {
        out_ += fs_.short_day_names[static_cast<std::size_t>(day_index())];
        return 3;
    }
    out_ += rest[0];
    return 1;
}

void TDateTimeWriter::field(char16_t token, int count, std::u16string_view rest, int level) {
    switch (token) {
    case u'Y':
        if (count <= 2)
            number(date().year % 100, 2);
        else
            number(date().year, 4);
        break;
    case u'M':
        if (count <= 2)
            number(date().month, count);
        else
            out_ += (count == 3 ? fs_.short_month_names
                                : fs_.long_month_names)[static_cast<std::size_t>(date().month - 1)];
        break;
    case u'D':
        if (count <= 2)
            number(date().day, count);
        else if (count <= 4)
            out_ += (count == 3 ? fs_.short_day_names
                                : fs_.long_day_names)[static_cast<std::size_t>(day_index())];
        else
            nested(count == 5 ? fs_.short_date_format : fs_.long_date_format, level);
        break;
    case u'H': {
        int hour = time().hour;
        if (has_am_pm(rest)) hour = hour % 12 == 0 ? 12 : hour % 12;
        number(hour, std::min(count, 2));
        break;
    }
    case u'N': number(time().minute, std::min(count, 2)); break;
    case u'S': number(time().second, std::min(count, 2)); break;
    case u'Z': number(time().msec, std::min(count, 3)); break;
    case u'T': nested(count == 1 ? fs_.short_time_format : fs_.long_time_format, level); break;
    case u'C':
        nested(fs_.short_date_format, level);
        if (time().hour || time().minute || time().second || time().msec) {
            out_ += u' ';
            nested(fs_.long_time_format, level);
        }
        break;
    default: out_.append(rest.substr(0, static_cast<std::size_t>(count))); break;
    }
}

void TDateTimeWriter::write(std::u16string_view picture, int level) {
    char16_t last_token = 0;
    std::size_t i = 0;
    while (i < picture.size()) {
        const char16_t c = picture[i];
        if (c == u'\'' || c == u'"') {
            const std::size_t close = picture.find(c, i + 1);
            const std::size_t end = close == std::u16string_view::npos ? picture.size() : close;
            out_.append(picture.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        if (c == u'/' || c == u':') {
            out_ += c == u'/' ? fs_.date_separator : fs_.time_separator;
            ++i;
            continue;
        }
        char16_t token = upper_ascii_unit(c);
        if (token < u'A' || token > u'Z') {
            out_ += c;
            ++i;
            continue;
        }
        if (token == u'A') {
            i += am_pm_or_day_name(picture.substr(i));
            last_token = token;
            continue;
        }
        std::size_t end = i + 1;
        while (end < picture.size() && upper_ascii_unit(picture[end]) == token)
            ++end;
        if (token == u'M' && last_token == u'H') token = u'N';
        last_token = token;
        field(token, static_cast<int>(end - i), picture.substr(i), level);
        i = end;
    }
}

} // namespace

std::u16string format_date_time(std::u16string_view picture, double date_time,
                                const TFormatSettings& fs) {
    TDateTimeWriter writer(date_time, fs);
    writer.write(picture.empty() ? std::u16string_view(u"c") : picture, 0);
    return writer.take();
}

} // namespace veltran
