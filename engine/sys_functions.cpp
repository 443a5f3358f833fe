#include "engine/sys_functions.h"

#include "engine/core_names.h"
#include "engine/float_text.h"
#include "engine/message_output.h"
#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/sys_convert.h"
#include "engine/sys_datetime.h"
#include "engine/sys_format.h"
#include "engine/sys_format_datetime.h"
#include "engine/sys_format_float.h"
#include "engine/sys_mask_text.h"
#include "engine/sys_strings.h"
#include "engine/sys_variants.h"
#include "engine/variant_ops.h"
#include "engine/wide_text.h"

#include <cmath>

namespace veltran {
namespace {

using THandler = Variant (*)(TfsSysFunctions& lib, TfsMethodHelper& call);

// ---- arguments and results ---------------------------------------------------

const Variant& arg(const TfsMethodHelper& call, int index) {
    return call.GetVParam(index);
}
TWideText text_arg(const TfsMethodHelper& call, int index) {
    return TWideText(arg(call, index));
}
std::int64_t int_arg(const TfsMethodHelper& call, int index) {
    return arg(call, index).to_int64();
}
int word_arg(const TfsMethodHelper& call, int index) {
    return arg(call, index).to_int();
}
double float_arg(const TfsMethodHelper& call, int index) {
    return arg(call, index).to_double();
}
Variant text(std::u16string_view s) {
    return Variant(s);
}
Variant date_time(double value) {
    return Variant::of_date(value);
}
Variant none() {
    return Variant::null();
}
const TFormatSettings& settings() {
    return format_settings();
}

// ---- conversions -------------------------------------------------------------

Variant int_to_str_(TfsSysFunctions&, TfsMethodHelper& c) {
    return int_to_str(int_arg(c, 0));
}
Variant float_to_str_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(float_to_str(float_arg(c, 0), settings()));
}
Variant date_to_str_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(date_to_str(float_arg(c, 0), settings()));
}
Variant time_to_str_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(time_to_str(float_arg(c, 0), settings()));
}
Variant date_time_to_str_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(date_time_to_str(float_arg(c, 0), settings()));
}
Variant bool_to_str_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(bool_to_str(arg(c, 0).to_bool()));
}
Variant var_to_str_(TfsSysFunctions&, TfsMethodHelper& c) {
    return var_to_str(arg(c, 0));
}
Variant str_to_int_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(str_to_int(text_arg(c, 0)));
}
Variant str_to_int64_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(str_to_int64(text_arg(c, 0)));
}
Variant str_to_float_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(str_to_float(text_arg(c, 0), settings()));
}
Variant str_to_date_(TfsSysFunctions&, TfsMethodHelper& c) {
    return date_time(str_to_date(text_arg(c, 0), settings()));
}
Variant str_to_time_(TfsSysFunctions&, TfsMethodHelper& c) {
    return date_time(str_to_time(text_arg(c, 0), settings()));
}
Variant str_to_date_time_(TfsSysFunctions&, TfsMethodHelper& c) {
    return date_time(str_to_date_time(text_arg(c, 0), settings()));
}
Variant str_to_bool_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(arg(c, 0).to_bool());
}

// ---- formatting --------------------------------------------------------------

Variant format_(TfsSysFunctions&, TfsMethodHelper& c) {
    const Variant& args = arg(c, 1);
    const std::span<const Variant> list =
        args.is_array() ? args.array_items() : std::span<const Variant>(&args, 1);
    return text(format_text(text_arg(c, 0), list, settings()));
}
Variant format_float_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(format_float(text_arg(c, 0), float_arg(c, 1), settings()));
}
Variant format_date_time_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(format_date_time(text_arg(c, 0), float_arg(c, 1), settings()));
}
Variant format_mask_text_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(format_mask_text(text_arg(c, 0), text_arg(c, 1), settings()));
}

// ---- dates -------------------------------------------------------------------

Variant encode_date_(TfsSysFunctions&, TfsMethodHelper& c) {
    return date_time(encode_date(word_arg(c, 0), word_arg(c, 1), word_arg(c, 2)));
}
Variant decode_date_(TfsSysFunctions&, TfsMethodHelper& c) {
    const TDateParts d = decode_date(float_arg(c, 0));
    c.SetVParam(1, Variant(d.year));
    c.SetVParam(2, Variant(d.month));
    c.SetVParam(3, Variant(d.day));
    return none();
}
Variant encode_time_(TfsSysFunctions&, TfsMethodHelper& c) {
    return date_time(encode_time(word_arg(c, 0), word_arg(c, 1), word_arg(c, 2), word_arg(c, 3)));
}
Variant decode_time_(TfsSysFunctions&, TfsMethodHelper& c) {
    const TTimeParts t = decode_time(float_arg(c, 0));
    c.SetVParam(1, Variant(t.hour));
    c.SetVParam(2, Variant(t.minute));
    c.SetVParam(3, Variant(t.second));
    c.SetVParam(4, Variant(t.msec));
    return none();
}
Variant date_(TfsSysFunctions&, TfsMethodHelper&) {
    return date_time(current_date());
}
Variant time_(TfsSysFunctions&, TfsMethodHelper&) {
    return date_time(current_time());
}
Variant now_(TfsSysFunctions&, TfsMethodHelper&) {
    return date_time(current_date_time());
}
Variant day_of_week_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(day_of_week(float_arg(c, 0)));
}
Variant is_leap_year_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(is_leap_year(word_arg(c, 0)));
}
Variant days_in_month_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(days_in_month(word_arg(c, 0), word_arg(c, 1)));
}

// ---- strings -----------------------------------------------------------------

Variant length_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(length_of(arg(c, 0)));
}
Variant copy_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(copy_text(text_arg(c, 0), int_arg(c, 1), int_arg(c, 2)));
}
Variant pos_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(pos_text(text_arg(c, 0), text_arg(c, 1)));
}
Variant delete_(TfsSysFunctions&, TfsMethodHelper& c) {
    c.SetVParam(0, text(delete_text(text_arg(c, 0), int_arg(c, 1), int_arg(c, 2))));
    return none();
}
Variant insert_(TfsSysFunctions&, TfsMethodHelper& c) {
    c.SetVParam(1, text(insert_text(text_arg(c, 0), text_arg(c, 1), int_arg(c, 2))));
    return none();
}
Variant uppercase_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(upper_text(text_arg(c, 0), settings().text_locale));
}
Variant lowercase_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(lower_text(text_arg(c, 0), settings().text_locale));
}
Variant trim_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(trim_text(text_arg(c, 0)));
}
Variant name_case_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(name_case(text_arg(c, 0), settings().text_locale));
}
Variant compare_text_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(compare_text(text_arg(c, 0), text_arg(c, 1), settings().text_locale));
}
Variant chr_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(chr_text(int_arg(c, 0)));
}
Variant ord_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(ord_text(text_arg(c, 0)));
}
Variant set_length_(TfsSysFunctions&, TfsMethodHelper& c) {
    c.SetVParam(0, with_length(arg(c, 0), int_arg(c, 1)));
    return none();
}

// ---- mathematics -------------------------------------------------------------

template <double (*F)(double)> Variant float_function(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(F(float_arg(c, 0)));
}
double absolute(double x) {
    return std::fabs(x);
}
Variant round_(TfsSysFunctions&, TfsMethodHelper& c) {
    return round_value(float_arg(c, 0));
}
Variant trunc_(TfsSysFunctions&, TfsMethodHelper& c) {
    return trunc_value(float_arg(c, 0));
}
Variant pi_(TfsSysFunctions&, TfsMethodHelper&) {
    return Variant(pi_value);
}

// ---- other -------------------------------------------------------------------

Variant inc_(TfsSysFunctions&, TfsMethodHelper& c) {
    c.SetVParam(0, var_add(arg(c, 0), arg(c, 1)));
    return none();
}
Variant dec_(TfsSysFunctions&, TfsMethodHelper& c) {
    c.SetVParam(0, var_sub(arg(c, 0), arg(c, 1)));
    return none();
}
Variant raise_exception_(TfsSysFunctions&, TfsMethodHelper& c) {
    raise_error(arg(c, 0).to_utf8());
}
Variant show_message_(TfsSysFunctions&, TfsMethodHelper& c) {
    message_output().show_message(var_to_str(arg(c, 0)).to_utf8());
    return none();
}
Variant randomize_(TfsSysFunctions& lib, TfsMethodHelper&) {
    lib.random().randomize();
    return none();
}
Variant random_(TfsSysFunctions& lib, TfsMethodHelper&) {
    return Variant(lib.random().next());
}
Variant valid_int_(TfsSysFunctions&, TfsMethodHelper& c) {
    std::int32_t value;
    return Variant(try_str_to_int(text_arg(c, 0), value));
}
Variant valid_float_(TfsSysFunctions&, TfsMethodHelper& c) {
    double value;
    return Variant(try_str_to_float(text_arg(c, 0), settings(), value));
}
Variant valid_date_(TfsSysFunctions&, TfsMethodHelper& c) {
    const Variant& value = arg(c, 0);
    double date;
    if (value.vtype() == varDate)
        return Variant(
            try_str_to_date(date_to_str(value.double_value(), settings()), settings(), date));
    return Variant(try_str_to_date(TWideText(value), settings(), date));
}
Variant extract_file_path_(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(extract_file_path(text_arg(c, 0)));
}
Variant create_ole_object_(TfsSysFunctions&, TfsMethodHelper& c) {
    throw TfsException("EOleSysError", "CreateOleObject(" + quoted(text_arg(c, 0)) +
                                           "): COM automation is not available on this platform");
}
Variant var_array_create_(TfsSysFunctions&, TfsMethodHelper& c) {
    return var_array_create(arg(c, 0), arg(c, 1).to_int());
}
Variant var_type_(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(std::int32_t{arg(c, 0).vtype()});
}

// ---- the tables ----------------------------------------------------------------

using TCategory = const std::string TfsSysFunctions::*;

struct TFunctionRow {
    const char* declaration;
    TCategory category;
    THandler handler;
};

const TFunctionRow function_rows[] = {
    {"function IntToStr(i: Integer): String", &TfsSysFunctions::FCatConv, int_to_str_},
    {"function FloatToStr(e: Extended): String", &TfsSysFunctions::FCatConv, float_to_str_},
    {"function DateToStr(e: Extended): String", &TfsSysFunctions::FCatConv, date_to_str_},
    {"function TimeToStr(e: Extended): String", &TfsSysFunctions::FCatConv, time_to_str_},
    {"function DateTimeToStr(e: Extended): String", &TfsSysFunctions::FCatConv, date_time_to_str_},
    {"function BoolToStr(B: Boolean): string;", &TfsSysFunctions::FCatConv, bool_to_str_},
    {"function VarToStr(v: Variant): String", &TfsSysFunctions::FCatConv, var_to_str_},
    {"function StrToInt(s: String): Integer", &TfsSysFunctions::FCatConv, str_to_int_},
    {"function StrToInt64(s: String): Int64", &TfsSysFunctions::FCatConv, str_to_int64_},
    {"function StrToFloat(s: String): Extended", &TfsSysFunctions::FCatConv, str_to_float_},
    {"function StrToDate(s: String): Extended", &TfsSysFunctions::FCatConv, str_to_date_},
    {"function StrToTime(s: String): Extended", &TfsSysFunctions::FCatConv, str_to_time_},
    {"function StrToDateTime(s: String): Extended", &TfsSysFunctions::FCatConv, str_to_date_time_},
    {"function StrToBool(const S: string): Boolean;", &TfsSysFunctions::FCatConv, str_to_bool_},

    {"function Format(Fmt: String; Args: array): String", &TfsSysFunctions::FCatFormat, format_},
    {"function FormatFloat(Fmt: String; Value: Extended): String", &TfsSysFunctions::FCatFormat,
     format_float_},
    {"function FormatDateTime(Fmt: String; DateTime: TDateTime): String",
     &TfsSysFunctions::FCatFormat, format_date_time_},
    {"function FormatMaskText(EditMask: string; Value: string): string",
     &TfsSysFunctions::FCatFormat, format_mask_text_},

    {"function EncodeDate(Year, Month, Day: Word): TDateTime", &TfsSysFunctions::FCatDate,
     encode_date_},
    {"procedure DecodeDate(Date: TDateTime; var Year, Month, Day: Word)",
     &TfsSysFunctions::FCatDate, decode_date_},
    {"function EncodeTime(Hour, Min, Sec, MSec: Word): TDateTime", &TfsSysFunctions::FCatDate,
     encode_time_},
    {"procedure DecodeTime(Time: TDateTime; var Hour, Min, Sec, MSec: Word)",
     &TfsSysFunctions::FCatDate, decode_time_},
    {"function Date: TDateTime", &TfsSysFunctions::FCatDate, date_},
    {"function Time: TDateTime", &TfsSysFunctions::FCatDate, time_},
    {"function Now: TDateTime", &TfsSysFunctions::FCatDate, now_},
    {"function DayOfWeek(aDate: TDateTime): Integer", &TfsSysFunctions::FCatDate, day_of_week_},
    {"function IsLeapYear(Year: Word): Boolean", &TfsSysFunctions::FCatDate, is_leap_year_},
    {"function DaysInMonth(nYear, nMonth: Integer): Integer", &TfsSysFunctions::FCatDate,
     days_in_month_},

    {"function Length(s: Variant): Integer", &TfsSysFunctions::FCatStr, length_},
    {"function Copy(s: String; from, count: Integer): String", &TfsSysFunctions::FCatStr, copy_},
    {"function Pos(substr, s: String): Integer", &TfsSysFunctions::FCatStr, pos_},
    {"procedure Delete(var s: String; from, count: Integer)", &TfsSysFunctions::FCatStr, delete_},
    {"procedure DeleteStr(var s: String; from, count: Integer)", &TfsSysFunctions::FCatStr,
     delete_},
    {"procedure Insert(s: String; var s2: String; pos: Integer)", &TfsSysFunctions::FCatStr,
     insert_},
    {"function Uppercase(s: String): String", &TfsSysFunctions::FCatStr, uppercase_},
    {"function Lowercase(s: String): String", &TfsSysFunctions::FCatStr, lowercase_},
    {"function Trim(s: String): String", &TfsSysFunctions::FCatStr, trim_},
    {"function NameCase(s: String): String", &TfsSysFunctions::FCatStr, name_case_},
    {"function CompareText(s, s1: String): Integer", &TfsSysFunctions::FCatStr, compare_text_},
    {"function Chr(i: Integer): Char", &TfsSysFunctions::FCatStr, chr_},
    {"function Ord(ch: Char): Integer", &TfsSysFunctions::FCatStr, ord_},
    {"procedure SetLength(var S: Variant; L: Integer)", &TfsSysFunctions::FCatStr, set_length_},

    {"function Round(e: Extended): Integer", &TfsSysFunctions::FCatMath, round_},
    {"function Trunc(e: Extended): Integer", &TfsSysFunctions::FCatMath, trunc_},
    {"function Int(e: Extended): Integer", &TfsSysFunctions::FCatMath, float_function<int_part>},
    {"function Frac(X: Extended): Extended", &TfsSysFunctions::FCatMath, float_function<frac_part>},
    {"function Sqrt(e: Extended): Extended", &TfsSysFunctions::FCatMath,
     float_function<checked_sqrt>},
    {"function Abs(e: Extended): Extended", &TfsSysFunctions::FCatMath, float_function<absolute>},
    {"function Sin(e: Extended): Extended", &TfsSysFunctions::FCatMath,
     float_function<checked_sin>},
    {"function Cos(e: Extended): Extended", &TfsSysFunctions::FCatMath,
     float_function<checked_cos>},
    {"function ArcTan(X: Extended): Extended", &TfsSysFunctions::FCatMath,
     float_function<checked_arc_tan>},
    {"function Tan(X: Extended): Extended", &TfsSysFunctions::FCatMath,
     float_function<checked_tan>},
    {"function Exp(X: Extended): Extended", &TfsSysFunctions::FCatMath,
     float_function<checked_exp>},
    {"function Ln(X: Extended): Extended", &TfsSysFunctions::FCatMath, float_function<checked_ln>},
    {"function Pi: Extended", &TfsSysFunctions::FCatMath, pi_},

    {"procedure Inc(var i: Integer; incr: Integer = 1)", &TfsSysFunctions::FCatOther, inc_},
    {"procedure Dec(var i: Integer; decr: Integer = 1)", &TfsSysFunctions::FCatOther, dec_},
    {"procedure RaiseException(Param: String)", &TfsSysFunctions::FCatOther, raise_exception_},
    {"procedure ShowMessage(Msg: Variant)", &TfsSysFunctions::FCatOther, show_message_},
    {"procedure Randomize", &TfsSysFunctions::FCatOther, randomize_},
    {"function Random: Extended", &TfsSysFunctions::FCatOther, random_},
    {"function ValidInt(cInt: String): Boolean", &TfsSysFunctions::FCatOther, valid_int_},
    {"function ValidFloat(cFlt: String): Boolean", &TfsSysFunctions::FCatOther, valid_float_},
    {"function ValidDate(cDate: String): Boolean", &TfsSysFunctions::FCatOther, valid_date_},
    {"function ExtractFilePath(const FileName: string): string;", &TfsSysFunctions::FCatOther,
     extract_file_path_},
    {"function CreateOleObject(ClassName: String): Variant", &TfsSysFunctions::FCatOther,
     create_ole_object_},
    {"function VarArrayCreate(Bounds: Array; Typ: Integer): Variant", &TfsSysFunctions::FCatOther,
     var_array_create_},
    {"function VarType(V: Variant): Integer", &TfsSysFunctions::FCatOther, var_type_},
};

struct TTypeCode {
    const char* name;
    std::int32_t value;
};

constexpr TTypeCode type_codes[] = {
    {"varEmpty", varEmpty},       {"varNull", varNull},
    {"varSmallint", varSmallint}, {"varInteger", varInteger},
    {"varSingle", varSingle},     {"varDouble", varDouble},
    {"varCurrency", varCurrency}, {"varDate", varDate},
    {"varOleStr", varOleStr},     {"varDispatch", varDispatch},
    {"varError", varError},       {"varBoolean", varBoolean},
    {"varVariant", varVariant},   {"varUnknown", varUnknown},
    {"varShortInt", varShortInt}, {"varByte", varByte},
    {"varWord", varWord},         {"varLongWord", varLongWord},
    {"varInt64", varInt64},       {"varStrArg", 72},
    {"varString", varString},     {"varAny", 257},
    {"varTypeMask", 4095},        {"varArray", varArray},
    {"varByRef", 16384},
};

} // namespace

TfsSysFunctions::TfsSysFunctions(TfsScript& script) : TfsRTTIModule(script) {
    // The root scope gets the core names before its library modules.
    if (!script.FindLocal("__ArrayHelper")) register_core_names(script);
    add_functions(script);
    add_type_codes(script);
}

void TfsSysFunctions::add_functions(TfsScript& script) {
    for (const TFunctionRow& row : function_rows) {
        const THandler handler = row.handler;
        script.AddMethod(
            row.declaration,
            TfsCallMethodNewEvent(
                [this, handler](void*, TfsClassVariable*, const std::string&,
                                TfsMethodHelper& call) { return handler(*this, call); }),
            this->*row.category);
    }
}

void TfsSysFunctions::add_type_codes(TfsScript& script) {
    for (const TTypeCode& code : type_codes)
        script.AddConst(code.name, "Integer", Variant(code.value));
}

std::unique_ptr<TfsRTTIModule> make_sys_functions(TfsScript& script) {
    return std::make_unique<TfsSysFunctions>(script);
}

} // namespace veltran
