// The library as scripts see it: every function called from a script through
// the shared root scope, the registration and the edge cases of its use.
#include "engine/message_output.h"
#include "engine/script.h"
#include "engine/sys_functions.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltran {
namespace {

class TCapturedMessages : public TfsMessageOutput {
public:
    void show_message(std::string_view text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

class Library : public testing::Test {
protected:
    void SetUp() override { set_message_output(&messages_); }
    void TearDown() override { set_message_output(nullptr); }

    // What the program shows, one line per ShowMessage; a compile error or a
    // run-time error that escapes ends the text.
    std::string run(const std::string& program) {
        messages_.lines.clear();
        TfsScript script;
        script.Parent = fsGlobalUnit();
        script.SetLines(utf8_to_cp1252(program)); // script text is 8-bit, as loaded from files
        std::string shown;
        if (!script.Compile()) return "compile error: " + script.ErrorMsg();
        std::string failure;
        try {
            script.Execute();
        } catch (const TfsException& e) {
            failure = "error " + e.class_name() + ": " + e.message();
        }
        for (const std::string& line : messages_.lines)
            shown += (shown.empty() ? "" : "\n") + line;
        if (!failure.empty()) shown += (shown.empty() ? "" : "\n") + failure;
        return shown;
    }

    // What ShowMessage(expression) shows.
    std::string show(const std::string& expression) {
        return run("begin ShowMessage(" + expression + ") end.");
    }

    TCapturedMessages messages_;
};

struct ShowCase {
    const char* expression;
    const char* shown;
};

class LibraryCall : public Library, public testing::WithParamInterface<ShowCase> {};

TEST_P(LibraryCall, ShowsItsResult) {
    EXPECT_EQ(show(GetParam().expression), GetParam().shown) << GetParam().expression;
}

// One or more calls of every function of the library, normal values first.
INSTANTIATE_TEST_SUITE_P(
    Conversions, LibraryCall,
    testing::Values(
        ShowCase{"IntToStr(-42)", "-42"},
        ShowCase{"IntToStr(StrToInt64('9000000000'))", "9000000000"},
        ShowCase{"FloatToStr(0.1 + 0.2)", "0.3"},
        ShowCase{"FloatToStr(1 / 3)", "0.333333333333333"},
        ShowCase{"DateToStr(EncodeDate(2024, 2, 29) + 0.5)", "29/02/2024"},
        ShowCase{"TimeToStr(EncodeTime(13, 5, 7, 0))", "13:05:07"},
        ShowCase{"DateTimeToStr(EncodeDate(2024, 2, 29) + 0.75)", "29/02/2024 18:00:00"},
        ShowCase{"DateTimeToStr(EncodeDate(2024, 2, 29))", "29/02/2024"},
        ShowCase{"BoolToStr(True) + BoolToStr(False)", "-10"},
        ShowCase{"VarToStr(Null) + '|' + VarToStr(2.5)", "|2.5"},
        ShowCase{"StrToInt('$FF') + StrToInt(' -1 ')", "254"},
        ShowCase{"StrToInt('abc')", "error EConvertError: 'abc' is not a valid integer value"},
        ShowCase{"StrToInt('3000000000')",
                 "error EConvertError: '3000000000' is not a valid integer value"},
        ShowCase{"StrToInt64('-9223372036854775808')", "-9223372036854775808"},
        ShowCase{"StrToFloat('2.5') * 2", "5"},
        ShowCase{"StrToFloat('2,5')",
                 "error EConvertError: '2,5' is not a valid floating point value"},
        ShowCase{"StrToDate('29/02/2024')", "29/02/2024"},
        ShowCase{"StrToDate('30/02/2024')",
                 "error EConvertError: '30/02/2024' is not a valid date"},
        ShowCase{"StrToTime('13:05')", "30/12/1899 13:05:00"},
        ShowCase{"StrToDateTime('29/02/2024 06:00')", "29/02/2024 06:00:00"},
        ShowCase{"BoolToStr(StrToBool('False')) + BoolToStr(StrToBool('True'))", "0-1"},
        ShowCase{"BoolToStr(StrToBool('0')) + BoolToStr(StrToBool('2'))", "0-1"},
        ShowCase{"StrToBool('maybe')",
                 "error EVariantTypeCastError: Could not convert variant of type (UnicodeString) "
                 "into type (Boolean)"}));

INSTANTIATE_TEST_SUITE_P(
    Formatting, LibraryCall,
    testing::Values(
        ShowCase{"Format('%d-%s', [5, 'x'])", "5-x"},
        ShowCase{"Format('%.2f|%5s|%x|%e', [3.14159, 'ab', 255, 1.5])",
                 "3.14|   ab|FF|1.50000000000000E+000"},
        ShowCase{"Format('%d', ['x'])",
                 "error EConvertError: Format '%d' invalid or incompatible with argument"},
        ShowCase{"Format('%s %s', ['x'])", "error EConvertError: No argument for format '%s %s'"},
        ShowCase{"Format('[%s]', [True])",
                 "error EConvertError: Format '[%s]' invalid or incompatible with argument"},
        ShowCase{"Format('%d|%d', [Null, 7])", "0|7"},
        ShowCase{"FormatFloat('#,##0.00', 1234567.891)", "1,234,567.89"},
        ShowCase{"FormatFloat('0.00;(0.00);zero', -2)", "(2.00)"},
        ShowCase{"FormatDateTime('dddd d mmmm yyyy, hh:nn', EncodeDate(2024, 2, 29) + 0.5)",
                 "Thursday 29 February 2024, 12:00"},
        ShowCase{"FormatMaskText('(000) 000-0000;0;_', '5551234567')", "(555) 123-4567"}));

INSTANTIATE_TEST_SUITE_P(
    Dates, LibraryCall,
    testing::Values(
        ShowCase{"FloatToStr(EncodeDate(1899, 12, 31))", "1"},
        ShowCase{"EncodeDate(2023, 2, 29)", "error EConvertError: Invalid argument to date encode"},
        ShowCase{"FloatToStr(EncodeTime(18, 0, 0, 0))", "0.75"},
        ShowCase{"EncodeTime(25, 0, 0, 0)", "error EConvertError: Invalid argument to time encode"},
        ShowCase{"VarType(EncodeDate(2024, 1, 1))", "7"},
        ShowCase{"BoolToStr(Date = Trunc(Now)) + BoolToStr(Date <= Now)", "-1-1"},
        ShowCase{"BoolToStr((Time >= 0) and (Time < 1))", "-1"},
        ShowCase{"DayOfWeek(EncodeDate(2024, 2, 25))", "1"},
        ShowCase{"DayOfWeek(EncodeDate(2024, 3, 2))", "7"},
        ShowCase{"BoolToStr(IsLeapYear(2024)) + BoolToStr(IsLeapYear(1900))", "-10"},
        ShowCase{"IntToStr(DaysInMonth(2024, 2)) + ' ' + IntToStr(DaysInMonth(2023, 2))", "29 28"},
        ShowCase{"DaysInMonth(2024, 13)", "error ERangeError: Range check error"}));

INSTANTIATE_TEST_SUITE_P(
    Strings, LibraryCall,
    testing::Values(
        ShowCase{"Length('cockpit')", "7"},
        ShowCase{"Length(VarArrayCreate([1, 4], varVariant))", "4"},
        ShowCase{"Copy('abcdef', 3, 2)", "cd"}, ShowCase{"'[' + Copy('abc', 5, 1) + ']'", "[]"},
        ShowCase{"Pos('x', 'abc')", "0"}, ShowCase{"Pos('c', 'abcabc')", "3"},
        ShowCase{"Uppercase('Caf\xC3\xA9')", "CAF\xC3\x89"},
        ShowCase{"Lowercase('CAF\xC3\x89')", "caf\xC3\xA9"},
        ShowCase{"'[' + Trim('  gear down ') + ']'", "[gear down]"},
        ShowCase{"NameCase('jOHN smith')", "John Smith"},
        ShowCase{"IntToStr(CompareText('abc', 'ABC')) + BoolToStr(CompareText('a', 'B') < 0)",
                 "0-1"},
        ShowCase{"Chr(65) + Chr(8364)", "A\xE2\x82\xAC"}, ShowCase{"Ord('a')", "97"},
        ShowCase{"Uppercase(Chr($0434) + 'a')", "\xD0\x94\x41"},
        ShowCase{"Ord('')", "error ERangeError: Range check error"},
        ShowCase{"Chr(-1)", "error ERangeError: Range check error"}));

INSTANTIATE_TEST_SUITE_P(
    Mathematics, LibraryCall,
    testing::Values(
        ShowCase{"IntToStr(Round(2.5)) + ' ' + IntToStr(Round(3.5)) + ' ' + IntToStr(Round(-2.5))",
                 "2 4 -2"},
        ShowCase{"Trunc(-2.7)", "-2"}, ShowCase{"Trunc(1e10)", "10000000000"},
        ShowCase{"Round(1e30)", "error EInvalidOp: Invalid floating point operation"},
        ShowCase{"FloatToStr(Int(2.7)) + ' ' + IntToStr(VarType(Int(2.7)))", "2 5"},
        ShowCase{"FloatToStr(Frac(-2.75))", "-0.75"}, ShowCase{"Sqrt(16)", "4"},
        ShowCase{"Sqrt(-1)", "error EInvalidOp: Invalid floating point operation"},
        ShowCase{"FloatToStr(Abs(-3)) + ' ' + IntToStr(VarType(Abs(-3)))", "3 5"},
        ShowCase{"FloatToStr(Sin(Pi / 2)) + ' ' + FloatToStr(Cos(0))", "1 1"},
        ShowCase{"FloatToStr(ArcTan(1) * 4)", "3.14159265358979"},
        ShowCase{"FloatToStr(Tan(Pi / 4))", "1"},
        ShowCase{"FloatToStr(Exp(1))", "2.71828182845905"},
        ShowCase{"Exp(1000)", "error EOverflow: Floating point overflow"},
        ShowCase{"FloatToStr(Ln(Exp(2)))", "2"},
        ShowCase{"Ln(0)", "error EZeroDivide: Floating point division by zero"},
        ShowCase{"FloatToStr(Pi)", "3.14159265358979"}));

INSTANTIATE_TEST_SUITE_P(
    Other, LibraryCall,
    testing::Values(
        ShowCase{"BoolToStr((Random >= 0) and (Random < 1))", "-1"},
        ShowCase{"BoolToStr(ValidInt('12')) + BoolToStr(ValidInt('1.5'))", "-10"},
        ShowCase{"BoolToStr(ValidFloat('1.5')) + BoolToStr(ValidFloat('x'))", "-10"},
        ShowCase{"BoolToStr(ValidDate('29/02/2024')) + BoolToStr(ValidDate('29/02/2023'))", "-10"},
        ShowCase{"ExtractFilePath('C:\\cockpit\\panel.ini')", "C:\\cockpit\\"},
        ShowCase{"CreateOleObject('Excel.Application')",
                 "error EOleSysError: CreateOleObject('Excel.Application'): COM automation is "
                 "not available on this platform"},
        ShowCase{"VarType(VarArrayCreate([0, 9], varInteger))", "8195"},
        ShowCase{"VarArrayCreate([0], varInteger)",
                 "error EVariantInvalidArgError: Invalid argument"},
        ShowCase{
            "IntToStr(VarType('x')) + ' ' + IntToStr(VarType(Null)) + ' ' + IntToStr(VarType(1))",
            "258 1 3"},
        ShowCase{"IntToStr(varString) + ' ' + IntToStr(varArray) + ' ' + IntToStr(varByRef)",
                 "256 8192 16384"}));

struct ProgramCase {
    const char* name;
    const char* program;
    const char* shown;
};

class LibraryProgram : public Library, public testing::WithParamInterface<ProgramCase> {};

TEST_P(LibraryProgram, ShowsWhatItComputes) {
    EXPECT_EQ(run(GetParam().program), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, LibraryProgram,
    testing::Values(
        ProgramCase{"IncAndDec",
                    "var i: Integer; begin i := 1; Inc(i); ShowMessage(IntToStr(i)); Inc(i, 5); "
                    "ShowMessage(IntToStr(i)); Dec(i); Dec(i, 10); ShowMessage(IntToStr(i)) end.",
                    "2\n7\n-4"},
        ProgramCase{"IncOfAVariantAddsTheVariantWay",
                    "var v: Variant; begin v := 2.5; Inc(v); ShowMessage(v) end.", "3.5"},
        ProgramCase{"DeleteWritesBack",
                    "var s: String; begin s := 'abcdef'; Delete(s, 2, 100); ShowMessage(s); "
                    "s := 'abcdef'; DeleteStr(s, 2, 2); ShowMessage(s); Delete(s, 0, 1); "
                    "ShowMessage(s) end.",
                    "a\nadef\nadef"},
        ProgramCase{"InsertWritesBackIntoTheSecondArgument",
                    "var s: String; begin s := 'bc'; Insert('X', s, 1); ShowMessage(s); "
                    "Insert('Y', s, 99); ShowMessage(s) end.",
                    "Xbc\nXbcY"},
        ProgramCase{"SetLengthOnStringsAndArrays",
                    "var s: String; v: Variant; begin s := 'abcdef'; SetLength(s, 3); "
                    "ShowMessage(s); v := VarArrayCreate([0, 1], varVariant); SetLength(v, 5); "
                    "ShowMessage(IntToStr(Length(v))) end.",
                    "abc\n5"},
        ProgramCase{"DecodeDateAndTimeFillTheirVariables",
                    "var y, m, d, h, n, s, ms: Word; begin "
                    "DecodeDate(EncodeDate(2024, 2, 29), y, m, d); "
                    "DecodeTime(EncodeTime(13, 5, 7, 9), h, n, s, ms); "
                    "ShowMessage(Format('%d-%d-%d %d:%d:%d.%d', [y, m, d, h, n, s, ms])) end.",
                    "2024-2-29 13:5:7.9"},
        ProgramCase{"ValidDateTakesADateValueAsItsText",
                    "var v: Variant; begin v := EncodeDate(2024, 1, 1); "
                    "ShowMessage(BoolToStr(ValidDate(v))) end.",
                    "-1"},
        ProgramCase{"LengthOfAnArrayVariable",
                    "var a: array[0..9] of Integer; begin ShowMessage(IntToStr(Length(a))) end.",
                    "10"},
        ProgramCase{"RaiseExceptionIsCaughtWithItsMessage",
                    "begin try RaiseException('boom') except "
                    "ShowMessage(ExceptionClassName + ': ' + ExceptionMessage) end end.",
                    "Exception: boom"},
        ProgramCase{"RaiseExceptionUncaughtReachesTheHost",
                    "begin ShowMessage('before'); RaiseException('gear unsafe'); "
                    "ShowMessage('after') end.",
                    "before\nerror Exception: gear unsafe"},
        ProgramCase{"LibraryErrorsAreCaughtByClass",
                    "begin try StrToInt('x1') except ShowMessage(ExceptionClassName) end end.",
                    "EConvertError"},
        ProgramCase{"VariantArraysHoldTheirElementType",
                    "var v: Variant; begin v := VarArrayCreate([0, 2], varInteger); "
                    "v[1] := '5'; ShowMessage(IntToStr(VarType(v[1])) + ' ' + VarToStr(v[1] + 1) + "
                    "' ' + VarToStr(v[0])) end.",
                    "3 6 0"},
        ProgramCase{"FormatTakesVariantArrays",
                    "var v: Variant; begin v := VarArrayCreate([0, 1], varVariant); v[0] := 'n'; "
                    "v[1] := 2; ShowMessage(Format('%s=%d', v)) end.",
                    "n=2"},
        ProgramCase{
            "ShowMessageShowsAnyValue",
            "begin ShowMessage(12); ShowMessage(2.5); ShowMessage(True); ShowMessage(Null); "
            "ShowMessage('') end.",
            "12\n2.5\nTrue\n\n"},
        ProgramCase{"RandomizeStillGivesTheUnitInterval",
                    "var i: Integer; ok: Boolean; x: Extended; begin Randomize; ok := True; "
                    "for i := 1 to 1000 do begin x := Random; if (x < 0) or (x >= 1) then "
                    "ok := False end; ShowMessage(BoolToStr(ok)) end.",
                    "-1"}),
    [](const testing::TestParamInfo<ProgramCase>& info) { return std::string(info.param.name); });

TEST_F(Library, EveryFunctionIsRegisteredWithItsCategoryAndName) {
    const struct {
        const char* name;
        const char* category;
    } expected[] = {
        {"IntToStr", "ctConv"},   {"StrToBool", "ctConv"},
        {"Format", "ctFormat"},   {"FormatMaskText", "ctFormat"},
        {"EncodeDate", "ctDate"}, {"DaysInMonth", "ctDate"},
        {"Length", "ctString"},   {"SetLength", "ctString"},
        {"Round", "ctMath"},      {"Pi", "ctMath"},
        {"Inc", "ctOther"},       {"VarType", "ctOther"},
    };
    TfsScript* root = fsGlobalUnit();
    for (const auto& e : expected) {
        auto* method = dynamic_cast<TfsMethodHelper*>(root->FindLocal(e.name));
        ASSERT_NE(method, nullptr) << e.name;
        EXPECT_EQ(method->Category, e.category) << e.name;
        EXPECT_EQ(method->Description, e.name);
        EXPECT_EQ(method->AddedBy, fs_library_marker) << e.name;
    }
    auto* pos = dynamic_cast<TfsMethodHelper*>(root->FindLocal("Pos"));
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(pos->Syntax, "function Pos(substr, s: String): Integer");
    EXPECT_EQ(pos->Count(), 2);
    EXPECT_EQ(pos->Typ, fvtInt);
}

TEST_F(Library, TypeCodesAreReadOnlyIntegerConstants) {
    TfsScript* root = fsGlobalUnit();
    const struct {
        const char* name;
        std::int32_t value;
    } codes[] = {{"varEmpty", 0},       {"varOleStr", 8},   {"varInt64", 20},
                 {"varStrArg", 72},     {"varString", 256}, {"varAny", 257},
                 {"varTypeMask", 4095}, {"varArray", 8192}, {"varByRef", 16384}};
    for (const auto& c : codes) {
        TfsCustomVariable* item = root->FindLocal(c.name);
        ASSERT_NE(item, nullptr) << c.name;
        EXPECT_TRUE(item->IsReadOnly) << c.name;
        EXPECT_EQ(item->Typ, fvtInt) << c.name;
        EXPECT_EQ(item->GetValue().to_int(), c.value) << c.name;
    }
    EXPECT_EQ(root->FindLocal("varUString"), nullptr); // 258 has no constant
    EXPECT_EQ(run("begin varInteger := 4 end."), "compile error: Left side cannot be assigned to");
}

TEST_F(Library, AScopeOfItsOwnGetsTheWholeLibraryOnce) {
    TfsScript scope;
    scope.AddRTTI();
    for (const char* name : {"Integer", "TDateTime", "True", "nil", "Null", "__StringHelper",
                             "__ArrayHelper", "ExceptionMessage", "Copy", "varByRef"})
        EXPECT_NE(scope.FindLocal(name), nullptr) << name;
    const auto count_named = [](const TfsScript& s, const char* name) {
        int n = 0;
        for (int i = 0; i < s.Count(); ++i)
            if (auto* item = dynamic_cast<TfsCustomVariable*>(&s.Items(i));
                item && item->Name() == name)
                ++n;
        return n;
    };
    EXPECT_EQ(count_named(scope, "__ArrayHelper"), 1);
    EXPECT_EQ(count_named(*fsGlobalUnit(), "__ArrayHelper"), 1);
    EXPECT_EQ(count_named(*fsGlobalUnit(), "Integer"), 1);
}

TEST_F(Library, ExceptionVariablesKeepTheLastCaughtError) {
    EXPECT_EQ(run("begin try RaiseException('first') except end end."), "");
    EXPECT_EQ(run("begin ShowMessage(ExceptionMessage) end."), "first");
}

TEST_F(Library, TextsFollowTheRegionalSettings) {
    set_format_settings(test::german_settings());
    const std::string shown =
        show("FloatToStr(2.5) + ' ' + DateToStr(EncodeDate(2024, 2, 29)) + ' ' + "
             "FloatToStr(StrToFloat('1,25')) + ' ' + Format('%m', [-3.0])");
    set_format_settings(TFormatSettings{});
    EXPECT_EQ(shown, "2,5 29.02.2024 1,25 -3,00 \xE2\x82\xAC");
}

} // namespace
} // namespace veltran
