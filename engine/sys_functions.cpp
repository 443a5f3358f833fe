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

// The handler of one function: its arguments are the call item's parameters.
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

Variant on_int_to_str(TfsSysFunctions&, TfsMethodHelper& c) {
    return int_to_str(int_arg(c, 0));
}
Variant on_float_to_str(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(float_to_str(float_arg(c, 0), settings()));
}
Variant on_date_to_str(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(date_to_str(float_arg(c, 0), settings()));
}
Variant on_time_to_str(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(time_to_str(float_arg(c, 0), settings()));
}
Variant on_date_time_to_str(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(date_time_to_str(float_arg(c, 0), settings()));
}
Variant on_bool_to_str(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(bool_to_str(arg(c, 0).to_bool()));
}
Variant on_var_to_str(TfsSysFunctions&, TfsMethodHelper& c) {
    return var_to_str(arg(c, 0));
}
Variant on_str_to_int(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(str_to_int(text_arg(c, 0)));
}
Variant on_str_to_int64(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(str_to_int64(text_arg(c, 0)));
}
Variant on_str_to_float(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(str_to_float(text_arg(c, 0), settings()));
}
Variant on_str_to_date(TfsSysFunctions&, TfsMethodHelper& c) {
    return date_time(str_to_date(text_arg(c, 0), settings()));
}
Variant on_str_to_time(TfsSysFunctions&, TfsMethodHelper& c) {
    return date_time(str_to_time(text_arg(c, 0), settings()));
}
Variant on_str_to_date_time(TfsSysFunctions&, TfsMethodHelper& c) {
    return date_time(str_to_date_time(text_arg(c, 0), settings()));
}
Variant on_str_to_bool(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(arg(c, 0).to_bool());
}

// ---- formatting --------------------------------------------------------------

Variant on_format(TfsSysFunctions&, TfsMethodHelper& c) {
    const Variant& args = arg(c, 1);
    const std::span<const Variant> list =
        args.is_array() ? args.array_items() : std::span<const Variant>(&args, 1);
    return text(format_text(text_arg(c, 0), list, settings()));
}
Variant on_format_float(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(format_float(text_arg(c, 0), float_arg(c, 1), settings()));
}
Variant on_format_date_time(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(format_date_time(text_arg(c, 0), float_arg(c, 1), settings()));
}
Variant on_format_mask_text(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(format_mask_text(text_arg(c, 0), text_arg(c, 1), settings()));
}

// ---- dates -------------------------------------------------------------------

Variant on_encode_date(TfsSysFunctions&, TfsMethodHelper& c) {
    return date_time(encode_date(word_arg(c, 0), word_arg(c, 1), word_arg(c, 2)));
}
Variant on_decode_date(TfsSysFunctions&, TfsMethodHelper& c) {
    const TDateParts d = decode_date(float_arg(c, 0));
    c.SetVParam(1, Variant(d.year));
    c.SetVParam(2, Variant(d.month));
    c.SetVParam(3, Variant(d.day));
    return none();
}
Variant on_encode_time(TfsSysFunctions&, TfsMethodHelper& c) {
    return date_time(encode_time(word_arg(c, 0), word_arg(c, 1), word_arg(c, 2), word_arg(c, 3)));
}
Variant on_decode_time(TfsSysFunctions&, TfsMethodHelper& c) {
    const TTimeParts t = decode_time(float_arg(c, 0));
    c.SetVParam(1, Variant(t.hour));
    c.SetVParam(2, Variant(t.minute));
    c.SetVParam(3, Variant(t.second));
    c.SetVParam(4, Variant(t.msec));
    return none();
}
Variant on_date(TfsSysFunctions&, TfsMethodHelper&) {
    return date_time(current_date());
}
Variant on_time(TfsSysFunctions&, TfsMethodHelper&) {
    return date_time(current_time());
}
Variant on_now(TfsSysFunctions&, TfsMethodHelper&) {
    return date_time(current_date_time());
}
Variant on_day_of_week(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(day_of_week(float_arg(c, 0)));
}
Variant on_is_leap_year(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(is_leap_year(word_arg(c, 0)));
}
Variant on_days_in_month(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(days_in_month(word_arg(c, 0), word_arg(c, 1)));
}

// ---- strings -----------------------------------------------------------------

Variant on_length(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(length_of(arg(c, 0)));
}
Variant on_copy(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(copy_text(text_arg(c, 0), int_arg(c, 1), int_arg(c, 2)));
}
Variant on_pos(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(pos_text(text_arg(c, 0), text_arg(c, 1)));
}
Variant on_delete(TfsSysFunctions&, TfsMethodHelper& c) {
    c.SetVParam(0, text(delete_text(text_arg(c, 0), int_arg(c, 1), int_arg(c, 2))));
    return none();
}
Variant on_insert(TfsSysFunctions&, TfsMethodHelper& c) {
    c.SetVParam(1, text(insert_text(text_arg(c, 0), text_arg(c, 1), int_arg(c, 2))));
    return none();
}
Variant on_uppercase(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(upper_text(text_arg(c, 0), settings().text_locale));
}
Variant on_lowercase(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(lower_text(text_arg(c, 0), settings().text_locale));
}
Variant on_trim(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(trim_text(text_arg(c, 0)));
}
Variant on_name_case(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(name_case(text_arg(c, 0), settings().text_locale));
}
Variant on_compare_text(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(compare_text(text_arg(c, 0), text_arg(c, 1), settings().text_locale));
}
Variant on_chr(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(chr_text(int_arg(c, 0)));
}
Variant on_ord(TfsSysFunctions&, TfsMethodHelper& c) {
    return Variant(ord_text(text_arg(c, 0)));
}
Variant on_set_length(TfsSysFunctions&, TfsMethodHelper& c) {
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
Variant on_round(TfsSysFunctions&, TfsMethodHelper& c) {
    return round_value(float_arg(c, 0));
}
Variant on_trunc(TfsSysFunctions&, TfsMethodHelper& c) {
    return trunc_value(float_arg(c, 0));
}
Variant on_pi(TfsSysFunctions&, TfsMethodHelper&) {
    return Variant(pi_value);
}

// ---- other -------------------------------------------------------------------

Variant on_inc(TfsSysFunctions&, TfsMethodHelper& c) {
    c.SetVParam(0, var_add(arg(c, 0), arg(c, 1)));
    return none();
}
Variant on_dec(TfsSysFunctions&, TfsMethodHelper& c) {
    c.SetVParam(0, var_sub(arg(c, 0), arg(c, 1)));
    return none();
}
Variant on_raise_exception(TfsSysFunctions&, TfsMethodHelper& c) {
    raise_error(arg(c, 0).to_utf8());
}
Variant on_show_message(TfsSysFunctions&, TfsMethodHelper& c) {
    message_output().show_message(var_to_str(arg(c, 0)).to_utf8());
    return none();
}
Variant on_randomize(TfsSysFunctions& lib, TfsMethodHelper&) {
    lib.random().randomize();
    return none();
}
Variant on_random(TfsSysFunctions& lib, TfsMethodHelper&) {
    return Variant(lib.random().next());
}
Variant on_valid_int(TfsSysFunctions&, TfsMethodHelper& c) {
    std::int32_t value;
    return Variant(try_str_to_int(text_arg(c, 0), value));
}
Variant on_valid_float(TfsSysFunctions&, TfsMethodHelper& c) {
    double value;
    return Variant(try_str_to_float(text_arg(c, 0), settings(), value));
}
Variant on_valid_date(TfsSysFunctions&, TfsMethodHelper& c) {
    const Variant& value = arg(c, 0);
    double date;
    if (value.vtype() == varDate)
        return Variant(
            try_str_to_date(date_to_str(value.double_value(), settings()), settings(), date));
    return Variant(try_str_to_date(TWideText(value), settings(), date));
}
Variant on_extract_file_path(TfsSysFunctions&, TfsMethodHelper& c) {
    return text(extract_file_path(text_arg(c, 0)));
}
Variant on_create_ole_object(TfsSysFunctions&, TfsMethodHelper& c) {
    throw TfsException("EOleSysError", "CreateOleObject(" + quoted(text_arg(c, 0)) +
                                           "): COM automation is not available on this platform");
}
Variant on_var_array_create(TfsSysFunctions&, TfsMethodHelper& c) {
    return var_array_create(arg(c, 0), arg(c, 1).to_int());
}
Variant on_var_type(TfsSysFunctions&, TfsMethodHelper& c) {
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
    {"function IntToStr(i: Integer): String", &TfsSysFunctions::FCatConv, on_int_to_str},
    {"function FloatToStr(e: Extended): String", &TfsSysFunctions::FCatConv, on_float_to_str},
    {"function DateToStr(e: Extended): String", &TfsSysFunctions::FCatConv, on_date_to_str},
    {"function TimeToStr(e: Extended): String", &TfsSysFunctions::FCatConv, on_time_to_str},
    {"function DateTimeToStr(e: Extended): String", &TfsSysFunctions::FCatConv,
     on_date_time_to_str},
    {"function BoolToStr(B: Boolean): string;", &TfsSysFunctions::FCatConv, on_bool_to_str},
    {"function VarToStr(v: Variant): String", &TfsSysFunctions::FCatConv, on_var_to_str},
    {"function StrToInt(s: String): Integer", &TfsSysFunctions::FCatConv, on_str_to_int},
    {"function StrToInt64(s: String): Int64", &TfsSysFunctions::FCatConv, on_str_to_int64},
    {"function StrToFloat(s: String): Extended", &TfsSysFunctions::FCatConv, on_str_to_float},
    {"function StrToDate(s: String): Extended", &TfsSysFunctions::FCatConv, on_str_to_date},
    {"function StrToTime(s: String): Extended", &TfsSysFunctions::FCatConv, on_str_to_time},
    {"function StrToDateTime(s: String): Extended", &TfsSysFunctions::FCatConv,
     on_str_to_date_time},
    {"function StrToBool(const S: string): Boolean;", &TfsSysFunctions::FCatConv, on_str_to_bool},

    {"function Format(Fmt: String; Args: array): String", &TfsSysFunctions::FCatFormat, on_format},
    {"function FormatFloat(Fmt: String; Value: Extended): String", &TfsSysFunctions::FCatFormat,
     on_format_float},
    {"function FormatDateTime(Fmt: String; DateTime: TDateTime): String",
     &TfsSysFunctions::FCatFormat, on_format_date_time},
    {"function FormatMaskText(EditMask: string; Value: string): string",
     &TfsSysFunctions::FCatFormat, on_format_mask_text},

    {"function EncodeDate(Year, Month, Day: Word): TDateTime", &TfsSysFunctions::FCatDate,
     on_encode_date},
    {"procedure DecodeDate(Date: TDateTime; var Year, Month, Day: Word)",
     &TfsSysFunctions::FCatDate, on_decode_date},
    {"function EncodeTime(Hour, Min, Sec, MSec: Word): TDateTime", &TfsSysFunctions::FCatDate,
     on_encode_time},
    {"procedure DecodeTime(Time: TDateTime; var Hour, Min, Sec, MSec: Word)",
     &TfsSysFunctions::FCatDate, on_decode_time},
    {"function Date: TDateTime", &TfsSysFunctions::FCatDate, on_date},
    {"function Time: TDateTime", &TfsSysFunctions::FCatDate, on_time},
    {"function Now: TDateTime", &TfsSysFunctions::FCatDate, on_now},
    {"function DayOfWeek(aDate: TDateTime): Integer", &TfsSysFunctions::FCatDate, on_day_of_week},
    {"function IsLeapYear(Year: Word): Boolean", &TfsSysFunctions::FCatDate, on_is_leap_year},
    {"function DaysInMonth(nYear, nMonth: Integer): Integer", &TfsSysFunctions::FCatDate,
     on_days_in_month},

    {"function Length(s: Variant): Integer", &TfsSysFunctions::FCatStr, on_length},
    {"function Copy(s: String; from, count: Integer): String", &TfsSysFunctions::FCatStr, on_copy},
    {"function Pos(substr, s: String): Integer", &TfsSysFunctions::FCatStr, on_pos},
    {"procedure Delete(var s: String; from, count: Integer)", &TfsSysFunctions::FCatStr, on_delete},
    {"procedure DeleteStr(var s: String; from, count: Integer)", &TfsSysFunctions::FCatStr,
     on_delete},
    {"procedure Insert(s: String; var s2: String; pos: Integer)", &TfsSysFunctions::FCatStr,
     on_insert},
    {"function Uppercase(s: String): String", &TfsSysFunctions::FCatStr, on_uppercase},
    {"function Lowercase(s: String): String", &TfsSysFunctions::FCatStr, on_lowercase},
    {"function Trim(s: String): String", &TfsSysFunctions::FCatStr, on_trim},
    {"function NameCase(s: String): String", &TfsSysFunctions::FCatStr, on_name_case},
    {"function CompareText(s, s1: String): Integer", &TfsSysFunctions::FCatStr, on_compare_text},
    {"function Chr(i: Integer): Char", &TfsSysFunctions::FCatStr, on_chr},
    {"function Ord(ch: Char): Integer", &TfsSysFunctions::FCatStr, on_ord},
    {"procedure SetLength(var S: Variant; L: Integer)", &TfsSysFunctions::FCatStr, on_set_length},

    {"function Round(e: Extended): Integer", &TfsSysFunctions::FCatMath, on_round},
    {"function Trunc(e: Extended): Integer", &TfsSysFunctions::FCatMath, on_trunc},
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
    {"function Pi: Extended", &TfsSysFunctions::FCatMath, on_pi},

    {"procedure Inc(var i: Integer; incr: Integer = 1)", &TfsSysFunctions::FCatOther, on_inc},
    {"procedure Dec(var i: Integer; decr: Integer = 1)", &TfsSysFunctions::FCatOther, on_dec},
    {"procedure RaiseException(Param: String)", &TfsSysFunctions::FCatOther, on_raise_exception},
    {"procedure ShowMessage(Msg: Variant)", &TfsSysFunctions::FCatOther, on_show_message},
    {"procedure Randomize", &TfsSysFunctions::FCatOther, on_randomize},
    {"function Random: Extended", &TfsSysFunctions::FCatOther, on_random},
    {"function ValidInt(cInt: String): Boolean", &TfsSysFunctions::FCatOther, on_valid_int},
    {"function ValidFloat(cFlt: String): Boolean", &TfsSysFunctions::FCatOther, on_valid_float},
    {"function ValidDate(cDate: String): Boolean", &TfsSysFunctions::FCatOther, on_valid_date},
    {"function ExtractFilePath(const FileName: string): string;", &TfsSysFunctions::FCatOther,
     on_extract_file_path},
    {"function CreateOleObject(ClassName: String): Variant", &TfsSysFunctions::FCatOther,
     on_create_ole_object},
    {"function VarArrayCreate(Bounds: Array; Typ: Integer): Variant", &TfsSysFunctions::FCatOther,
     on_var_array_create},
    {"function VarType(V: Variant): Integer", &TfsSysFunctions::FCatOther, on_var_type},
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
