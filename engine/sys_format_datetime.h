#pragma once
// FormatDateTime's picture language, and the date and time texts built on it
// (DateToStr, TimeToStr, DateTimeToStr).
//
//   c           short date, then the long time unless the time is midnight
//   d dd        day; ddd dddd its short and long name; ddddd the short date,
//               dddddd the long date
//   m mm        month (minute when it follows an hour); mmm mmmm its names
//   yy yyyy     year in two or four digits
//   h hh n nn s ss z zzz   hour, minute, second, millisecond
//   t tt        short and long time
//   am/pm a/p ampm         12-hour clock with the marker as written (or the
//               settings' AM and PM strings for ampm)
//   aaa aaaa    short and long day name
//   / :         the date and time separators
//   'x' "x"     literal text; every other character stands for itself
// An empty picture means "c".

#include "engine/locale_settings.h"

#include <string>
#include <string_view>

namespace veltran {

std::u16string format_date_time(std::u16string_view picture, double date_time,
                                const TFormatSettings& fs);

inline std::u16string date_to_str(double date_time, const TFormatSettings& fs) {
    return format_date_time(fs.short_date_format, date_time, fs);
}
inline std::u16string time_to_str(double date_time, const TFormatSettings& fs) {
    return format_date_time(fs.long_time_format, date_time, fs);
}
inline std::u16string date_time_to_str(double date_time, const TFormatSettings& fs) {
    return format_date_time(u"c", date_time, fs);
}

} // namespace veltran
