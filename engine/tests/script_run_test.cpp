// Compiling and running scripts: the edge cases of statements, expressions,
// designators, declarations and the host calls, each as a small program and
// what it logs.
#include "engine/language_registry.h"
#include "engine/pascal_grammar.h"
#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/text.h"
#include "engine/variant_ops.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace veltran {
namespace {

// A module script below a host scope that offers Log(v): each value logged
// is kept as its text, and its type code when asked.
class ScriptRun : public testing::Test {
protected:
    ScriptRun() {
        host.Parent = fsGlobalUnit();
        host.AddMethod("procedure Log(v: Variant)",
                       [this](void*, TfsClassVariable*, const std::string&, std::span<Variant> p) {
                           lines.push_back(p[0].is_null() ? "Null" : p[0].to_utf8());
                           types.push_back(p[0].vtype());
                           return Variant();
                       });
        script.Parent = &host;
    }

    // The compile error as "message at position", or "" when it compiles.
    std::string compile(const std::string& text) {
        script.SetLines(text);
        if (script.Compile()) return "";
        return script.ErrorMsg() + " at " + script.ErrorPos();
    }

    // What the program logs, joined by blanks; a compile error or the error
    // the run raised ends the text.
    std::string run(const std::string& text) {
        const std::string error = compile(text);
        if (!error.empty()) return "error: " + error;
        try {
            script.Execute();
        } catch (const TfsException& e) {
            lines.push_back("raised " + e.class_name() + ": " + e.message());
        }
        std::string joined;
        for (const std::string& line : lines)
            joined += (joined.empty() ? "" : " ") + line;
        return joined;
    }

    TfsScript host;
    TfsScript script;
    std::vector<std::string> lines;
    std::vector<std::uint16_t> types;
};

struct ProgramCase {
    const char* name;
    const char* program;
    const char* expected;
};

class Programs : public ScriptRun, public testing::WithParamInterface<ProgramCase> {};

TEST_P(Programs, LogWhatTheyShould) {
    EXPECT_EQ(run(GetParam().program), GetParam().expected);
}

std::string case_name(const testing::TestParamInfo<ProgramCase>& info) {
    return info.param.name;
}

// ---- statements ------------------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    Statements, Programs,
    testing::Values(
        ProgramCase{"break_in_if_leaves_the_loop",
                    "var i: Integer; begin for i := 1 to 5 do if i = 3 then break; Log(i) end.",
                    "3"},
        ProgramCase{
            "continue_in_while_goes_on",
            "var i, n: Integer; begin while i < 4 do begin i := i + 1; if i = 2 then continue; "
            "n := n + i end; Log(n) end.",
            "8"},
        ProgramCase{"continue_in_repeat_still_tests",
                    "var i: Integer; begin repeat i := i + 1; continue; until i = 3; Log(i) end.",
                    "3"},
        ProgramCase{"exit_in_loop_leaves_the_procedure",
                    "procedure P; var i: Integer; begin for i := 1 to 3 do begin Log(i); exit end; "
                    "Log('after') end; begin P; Log('back') end.",
                    "1 back"},
        ProgramCase{"exit_in_try_finally_runs_finally",
                    "procedure P; begin try exit finally Log('finally') end; Log('never') end; "
                    "begin P; Log('back') end.",
                    "finally back"},
        ProgramCase{"exit_in_main_block_ends_it", "begin Log(1); exit; Log(2) end.", "1"},
        ProgramCase{"for_start_above_end_runs_no_pass",
                    "var i: Integer; begin i := 7; for i := 5 to 1 do Log('pass'); Log(i) end.",
                    "7"},
        ProgramCase{"for_leaves_the_last_value",
                    "var i: Integer; begin for i := 1 to 3 do ; Log(i) end.", "3"},
        ProgramCase{"for_body_cannot_shorten_the_loop",
                    "var i, n: Integer; begin for i := 1 to 3 do begin i := 10; n := n + 1 end; "
                    "Log(n); Log(i) end.",
                    "3 10"},
        ProgramCase{"for_downto", "var i: Integer; begin for i := 3 downto 1 do Log(i) end.",
                    "3 2 1"},
        ProgramCase{"for_bounds_are_evaluated_once",
                    "var i, n: Integer; begin n := 2; for i := 1 to n do n := 5; Log(i) end.", "2"},
        ProgramCase{
            "case_ranges_and_lists",
            "var i: Integer; begin for i := 0 to 6 do case i of 1, 3..5: Log(i); 6: Log('six') "
            "end end.",
            "1 3 4 5 six"},
        ProgramCase{"case_first_selector_wins",
                    "begin case 4 of 3..5: Log('range'); 4: Log('single') end end.", "range"},
        ProgramCase{"case_selector_without_statement_goes_to_else",
                    "begin case 2 of 1: Log(1); 2: ; else Log('else') end end.", "else"},
        ProgramCase{"case_on_strings",
                    "begin case 'x' of 'a'..'f': Log('low'); 'x', 'y': Log('xy') end end.", "xy"},
        ProgramCase{"if_on_text_converts",
                    "var v: Variant; begin v := 'True'; if v then Log('yes') end.", "yes"},
        ProgramCase{
            "if_on_other_text_raises",
            "var v: Variant; begin v := 'abc'; if v then Log('yes') end.",
            "raised EVariantTypeCastError: Could not convert variant of type (UnicodeString) into "
            "type (Boolean)"},
        ProgramCase{"except_reads_the_message",
                    "var z: Integer; begin try z := 1 div z except Log(ExceptionClassName); "
                    "Log(ExceptionMessage) end end.",
                    "EDivByZero Division by zero"},
        ProgramCase{
            "error_in_except_propagates",
            "var z: Integer; begin try z := 1 div z except z := 1 div z end; Log('never') end.",
            "raised EDivByZero: Division by zero"},
        ProgramCase{"finally_runs_on_error_then_it_propagates",
                    "var z: Integer; begin try z := 1 div z finally Log('finally') end end.",
                    "finally raised EDivByZero: Division by zero"},
        ProgramCase{
            "finally_runs_fully_after_break",
            "var i: Integer; begin for i := 1 to 3 do try break finally Log('a'); Log('b') end; "
            "Log(i) end.",
            "a b 1"},
        ProgramCase{"with_on_a_variant_binds_at_run_time",
                    "var v: Variant; begin with v do Log('body') end.", "body"},
        ProgramCase{"with_member_on_a_variant_fails_at_first_use",
                    "var v: Variant; begin v := 1; with v do Width := 2 end.",
                    "raised Exception: Undeclared identifier: 'Width'"},
        ProgramCase{"float_for_variable_holds_integers",
                    "var f: Double; begin for f := 1 to 2 do Log(f) end.", "1 2"}),
    case_name);

TEST_F(ScriptRun, ForOverAFloatVariableStoresIntegers) {
    run("var f: Double; begin for f := 1 to 1 do Log(f); f := 1; Log(f) end.");
    EXPECT_EQ(types, (std::vector<std::uint16_t>{varInteger, varDouble}));
}

// ---- expressions and designators -------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    Expressions, Programs,
    testing::Values(
        ProgramCase{"priorities", "begin Log(1 + 2 * 3); Log(10 - 4 - 3); Log(-2 * 3) end.",
                    "7 3 -6"},
        ProgramCase{"not_binds_tightest",
                    "var a: Boolean; begin a := False; Log(not a = True) end.", "True"},
        ProgramCase{"comparisons_chain", "begin Log(1 < 2 < 3) end.",
                    "error: Incompatible types at 1:18"},
        ProgramCase{"division_kinds", "begin Log(7 / 2); Log(7 div 2); Log(7 mod 2) end.",
                    "3.5 3 1"},
        ProgramCase{"variant_text_adds_numerically",
                    "var v: Variant; begin v := '5'; Log(v + 1); Log(1 + v) end.", "6 6"},
        ProgramCase{"integer_overflow_widens_then_fails_on_store",
                    "var i: Integer; v: Variant; begin i := 2147483647; v := i + 1; Log(v); i := i "
                    "+ 1 end.",
                    "2147483648 raised EVariantOverflowError: Variant overflow"},
        ProgramCase{"bitwise_on_integers_logic_on_booleans",
                    "begin Log(6 and 3); Log(True and False); Log(6 or 1) end.", "2 False 7"},
        ProgramCase{"sets",
                    "var x: Integer; begin for x := 0 to 6 do if x in [1, 3..5] then Log(x) end.",
                    "1 3 4 5"},
        ProgramCase{"character_set", "begin Log('c' in ['a'..'f']); Log('z' in ['a'..'f']) end.",
                    "True False"},
        ProgramCase{"in_a_variant_array",
                    "var v: Variant; begin v := [1, 5, Null, 9]; Log(7 in v); Log(2 in v) end.",
                    "True False"},
        ProgramCase{"address_is_the_name", "procedure MyProc; begin end; begin Log(@MyProc) end.",
                    "MyProc"},
        ProgramCase{"string_index_within_bounds",
                    "var s: String; begin s := 'abc'; Log(s[1] + s[3]); s[2] := 'Xyz'; Log(s) end.",
                    "ac aXc"},
        ProgramCase{"string_index_zero_is_outside",
                    "var s: String; begin s := 'abc'; Log(s[0]) end.",
                    "raised ERangeError: Range check error"},
        ProgramCase{"string_index_beyond_length_is_outside",
                    "var s: String; begin s := 'abc'; s[4] := 'x' end.",
                    "raised ERangeError: Range check error"},
        ProgramCase{
            "parameter_string_index",
            "procedure P(s: String); begin Log(s[2]); s[2] := 'Z'; Log(s) end; begin P('abc') end.",
            "b aZc"},
        ProgramCase{"by_reference_argument_that_is_an_expression",
                    "procedure P(var x: Integer); begin x := 5 end; var i: Integer; begin i := 1; "
                    "P(i + 1); Log(i); P(i); Log(i) end.",
                    "1 5"},
        ProgramCase{"recursion_keeps_each_calls_locals",
                    "function F(n: Integer): Integer; var k: Integer; begin k := n; if n > 0 then "
                    "Result := F(n - 1) + k else Result := 0 end; begin Log(F(4)) end.",
                    "10"},
        ProgramCase{"variant_array_index_after_a_call",
                    "function Pair: Variant; begin Result := [10, 20] end; begin Log(Pair[1]) end.",
                    "20"},
        ProgramCase{"member_on_a_null_variant_compiles_late_bound",
                    "var v: Variant; begin Log('compiled'); v.Caption := 'x' end.",
                    "compiled raised Exception: Undeclared identifier: 'Caption'"},
        ProgramCase{
            "short_circuit_only_on_booleans",
            "var n: Integer; function T(v: Integer): Integer; begin n := n + 1; Result := v end; "
            "begin Log((T(0) and T(1)) = 0); Log(n) end.",
            "True 2"}),
    case_name);

// ---- declarations -------------------------------------------------------------------------

INSTANTIATE_TEST_SUITE_P(
    Declarations, Programs,
    testing::Values(
        ProgramCase{"procedure_calls_one_declared_later",
                    "procedure A; begin B end; procedure B; begin Log('B') end; begin A end.", "B"},
        ProgramCase{"global_declared_after_the_body_is_unknown",
                    "procedure A; begin Late := 1 end; var Late: Integer; begin end.",
                    "error: Undeclared identifier: 'Late' at 1:24"},
        ProgramCase{"local_hides_global",
                    "var x: Integer; procedure P; var x: String; begin x := 'local'; Log(x) end; "
                    "begin x := 1; P; Log(x) end.",
                    "local 1"},
        ProgramCase{"one_initializer_for_every_name",
                    "var a, b: Integer = 5; begin Log(a + b) end.", "10"},
        ProgramCase{"constant_expression", "const C = 2 * 3; begin Log(C) end.", "6"},
        ProgramCase{"constant_cannot_be_assigned", "const C = 2 * 3; begin C := 1 end.",
                    "error: Left side cannot be assigned to at 1:30"},
        ProgramCase{"default_makes_a_parameter_optional",
                    "procedure P(x: Integer = 1); begin Log(x) end; begin P; P(2) end.", "1 2"},
        ProgramCase{"default_must_fit", "procedure P(x: Integer = 'a'); begin end; begin end.",
                    "error: Incompatible types: 'Integer', 'String' at 1:29"},
        ProgramCase{"array_sizes_and_bounds",
                    "var a: array[3] of Integer; b: array[1..3, 0..1] of String; begin a[2] := 1; "
                    "b[3, 1] := 'x'; Log(a[2]); Log(b[3, 1]); a[3] := 1 end.",
                    "1 x raised EVariantBadIndexError: Variant or safe array index out of bounds"},
        ProgramCase{"declares_its_own_procedure_named_like_a_library_one",
                    "procedure Log(v: Variant); begin end; begin Log('hidden') end.", ""},
        ProgramCase{"undeclared_procedure_name_in_a_call", "begin Missing(1) end.",
                    "error: Undeclared identifier: 'Missing' at 1:14"},
        ProgramCase{"unknown_parameter_type", "procedure P(x: TThing); begin end; begin end.",
                    "error: Unknown type: 'TThing' at 1:22"},
        ProgramCase{"for_needs_a_numeric_variable",
                    "var s: String; begin for s := 1 to 2 do ; end.",
                    "error: For loop variable must be numeric variable at 1:27"},
        ProgramCase{"for_bounds_must_fit", "var i: Integer; begin for i := 'a' to 2 do ; end.",
                    "error: Incompatible types: 'Integer', 'String' at 1:35"},
        ProgramCase{"with_needs_a_class_or_variant", "var i: Integer; begin with i do Log(1) end.",
                    "error: Class type required at 1:29"},
        ProgramCase{"address_of_a_path", "var s: String; begin Log(@s.x) end.",
                    "error: Variable required at 1:26"}),
    case_name);

TEST_F(ScriptRun, AScriptMayShadowALibraryProcedure) {
    // The root scope's name is hidden by the script's own declaration.
    EXPECT_EQ(run("procedure Integer; begin end; begin end."), "");
}

TEST_F(ScriptRun, AHostNameInTheScriptScopeCannotBeRedeclared) {
    script.AddConst("hInput", "byte", Variant(1));
    EXPECT_EQ(compile("var hInput: Integer; begin end."),
              "Identifier redeclared: 'hInput' at 1:11");
}

TEST_F(ScriptRun, ATypeNamedByAConstantGivesItsKind) {
    script.AddConst("Flag", "Boolean", Variant(true));
    EXPECT_EQ(run("var b: Flag; begin Log(b) end."), "False");
}

TEST_F(ScriptRun, GlobalInitializersRunWithExecute) {
    ASSERT_EQ(compile("var n: Integer = 5; begin end."), "");
    EXPECT_EQ(script.GetVariable("n").to_int(), 0);
    script.Execute();
    EXPECT_EQ(script.GetVariable("n").to_int(), 5);
}

TEST_F(ScriptRun, TheProcedureHeadingsOfTheHostReturnTheirKind) {
    host.AddMethod("procedure GetTimer(i:cardinal):boolean", TfsCallMethodEvent{});
    EXPECT_EQ(compile("var b: Boolean; begin b := GetTimer(1) end."),
              "Incompatible types: 'Boolean', '' at 1:37");
}

// ---- calls from the host ----------------------------------------------------------------

TEST_F(ScriptRun, CallFunctionFindsOnlyTheScriptsOwnProcedures) {
    ASSERT_EQ(
        compile("var Counter: Integer; function Twice(n: Integer): Integer; begin Result := 2 * n "
                "end; begin end."),
        "");
    const Variant args = Variant::array_of(std::vector<Variant>{Variant(21)});
    EXPECT_EQ(script.CallFunction("twice", args).to_int(), 42);
    EXPECT_TRUE(script.CallFunction("Counter", args).is_null());
    EXPECT_TRUE(script.CallFunction("Log", args).is_null());
    EXPECT_TRUE(script.CallFunction("Missing", args).is_null());
    EXPECT_TRUE(lines.empty());
}

TEST_F(ScriptRun, CallFunctionStoresArgumentsUnconverted) {
    ASSERT_EQ(compile("procedure Event(b: byte); begin Log(b); Log(b = 1) end; begin end."), "");
    script.CallFunction("Event", Variant::array_of(std::vector<Variant>{Variant::from_utf8("1")}));
    EXPECT_EQ(lines, (std::vector<std::string>{"1", "True"}));
    EXPECT_EQ(types[0], varUString);
}

TEST_F(ScriptRun, CallFunctionWithFewerOrMoreArguments) {
    ASSERT_EQ(compile("procedure P(a, b: Integer); begin Log(a * 10 + b) end; begin end."), "");
    script.CallFunction("P", Variant::array_of(std::vector<Variant>{Variant(1), Variant(2)}));
    script.CallFunction("P", Variant::array_of({}));
    script.CallFunction("P", Variant());
    EXPECT_EQ(lines, (std::vector<std::string>{"12", "12", "12"}));
    const Variant three =
        Variant::array_of(std::vector<Variant>{Variant(1), Variant(2), Variant(3)});
    EXPECT_THROW(script.CallFunction("P", three), TfsException);
}

TEST_F(ScriptRun, CallFunction1CopiesParametersBack) {
    ASSERT_EQ(compile("procedure Bump(var n: Integer); begin n := n + 1 end; begin end."), "");
    Variant args = Variant::array_of(std::vector<Variant>{Variant(41)});
    script.CallFunction1("Bump", args);
    EXPECT_EQ(args.array_get1(0).to_int(), 42);
}

TEST_F(ScriptRun, LocalsKeepTheirValueInitializedOnesStartAgain) {
    ASSERT_EQ(compile("procedure P; var kept: Integer; fresh: Integer = 1; begin kept := kept + 1; "
                      "fresh := fresh + 1; Log(kept * 10 + fresh) end; begin end."),
              "");
    TfsProcVariable* p = script.FindProc("P");
    ASSERT_NE(p, nullptr);
    script.CallFunction2(p, std::span<const Variant>());
    script.CallFunction2(p, std::span<const Variant>());
    EXPECT_EQ(lines, (std::vector<std::string>{"12", "22"}));
}

TEST_F(ScriptRun, DefaultResultsByKind) {
    run("function I: Integer; begin end; function S: String; begin end; function B: Boolean; "
        "begin end; function V: Variant; begin end; begin Log(I); Log(S); Log(B); Log(V) end.");
    EXPECT_EQ(types, (std::vector<std::uint16_t>{varInteger, varUString, varBoolean, varEmpty}));
}

TEST_F(ScriptRun, AnIntegerVariableRoundsWhatAVariantGivesIt) {
    EXPECT_EQ(run("var i: Integer; v: Variant; begin v := 2.7; i := v; Log(i) end."), "3");
    EXPECT_EQ(types.back(), varInteger);
}

TEST_F(ScriptRun, TerminateStopsARunawayLoopAndTheNextCallRunsNormally) {
    int calls = 0;
    host.AddMethod("procedure Poll",
                   [&](void*, TfsClassVariable*, const std::string&, std::span<Variant>) {
                       if (++calls == 1000) script.Terminate();
                       return Variant();
                   });
    ASSERT_EQ(
        compile(
            "var n: Integer; procedure Spin; begin while True do Poll end; "
            "procedure Once; begin Log('once') end; begin Spin; Log('not after terminate') end."),
        "");
    script.Execute();
    EXPECT_EQ(calls, 1000);
    EXPECT_TRUE(lines.empty());
    script.CallFunction("Once", Variant());
    EXPECT_EQ(lines, (std::vector<std::string>{"once"}));
}

TEST_F(ScriptRun, StepLimitStopsEvenAnEmptyLoop) {
    script.StepLimit = 500;
    EXPECT_EQ(run("begin while True do ; end."), "");
    EXPECT_TRUE(script.step_limit_reached());
    script.StepLimit = 0;
    script.Clear();
    EXPECT_EQ(compile("begin end."), "");
    script.Execute();
    EXPECT_FALSE(script.step_limit_reached());
}

TEST_F(ScriptRun, DeepRecursionRaisesInsteadOfOverflowing) {
    EXPECT_EQ(run("procedure R(n: Integer); begin R(n + 1) end; begin R(0) end."),
              "raised EStackOverflow: Stack overflow");
    // The engine is usable afterwards.
    script.Clear();
    lines.clear();
    EXPECT_EQ(compile("begin Log('again') end."), "");
    script.Execute();
    EXPECT_EQ(lines, (std::vector<std::string>{"again"}));
}

TEST_F(ScriptRun, TheRunLineHookSeesEveryStatement) {
    std::vector<std::string> positions;
    script.OnRunLine = [&](TfsScript&, const std::string& unit, const std::string& pos) {
        positions.push_back(unit + pos);
    };
    run("var i: Integer;\nbegin\n  i := 1;\n  if i = 1 then\n    Log(i);\nend.");
    EXPECT_EQ(positions, (std::vector<std::string>{"3:3", "4:3", "5:5"}));
    EXPECT_TRUE(script.IsExecutableLine(4));
    EXPECT_FALSE(script.IsExecutableLine(2));
}

TEST_F(ScriptRun, TheHookMayTerminate) {
    script.OnRunLine = [&](TfsScript&, const std::string&, const std::string& pos) {
        if (pos == "1:15") script.Terminate();
    };
    EXPECT_EQ(run("begin Log(1); Log(2); Log(3) end."), "1");
}

TEST_F(ScriptRun, EvaluateUsesWhatIsInScope) {
    ASSERT_EQ(compile("var x: Integer; begin x := 20 end."), "");
    script.Execute();
    EXPECT_EQ(script.Evaluate("x * 2 + 2").to_int(), 42);
    EXPECT_FALSE(script.EvaluteRiseError);
    EXPECT_EQ(script.Evaluate("y + 1").to_utf8(), "Undeclared identifier: 'y'");
    EXPECT_TRUE(script.EvaluteRiseError);
}

TEST_F(ScriptRun, WithoutDeclarationsUnknownNamesAreVariants) {
    // The Pascal grammar with declarevars "0", under a name of its own.
    std::string grammar(PascalGrammarText());
    grammar.replace(grammar.find("<parser>"), 8, "<parser><declarevars text=\"0\"/>");
    grammar.replace(grammar.find("text=\"PascalScript\""), 19, "text=\"FreePascal\"");
    TfsLanguageRegistry::Instance().Register("FreePascal", grammar);
    script.SyntaxType = "FreePascal";
    EXPECT_EQ(run("begin x := 5; x := x + 1; Log(x) end."), "6");
    TfsCustomVariable* x = script.FindLocal("x");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->Typ, fvtVariant);
}

TEST_F(ScriptRun, AnUnknownLanguageRaisesOutOfCompile) {
    script.SyntaxType = "Klingon";
    script.SetLines("begin end.");
    EXPECT_THROW(script.Compile(), std::exception);
}

TEST_F(ScriptRun, EvaluateInsideAProcedureSeesItsLocals) {
    host.AddMethod("function Eval(s: String): Variant",
                   [this](void*, TfsClassVariable*, const std::string&, std::span<Variant> p) {
                       return script.Evaluate(p[0].to_utf8());
                   });
    EXPECT_EQ(run("procedure P(n: Integer); begin Log(Eval('n * 10')) end; begin P(4); Log(Eval('1 "
                  "+ 1')) end."),
              "40 2");
}

TEST_F(ScriptRun, TheILOfOneScriptCompilesInAnother) {
    script.SetLines("var i: Integer; begin for i := 1 to 3 do Log(i * i) end.");
    std::stringstream il;
    ASSERT_TRUE(script.GetILCode(il));
    TfsScript other;
    other.Parent = &host;
    ASSERT_TRUE(other.SetILCode(il)) << other.ErrorMsg();
    other.Execute();
    EXPECT_EQ(lines, (std::vector<std::string>{"1", "4", "9"}));
    std::istringstream broken(
        "<?xml version=\"1.0\"?><program><assignstmt pos=\"1:1\"/></program>");
    TfsScript third;
    third.Parent = &host;
    EXPECT_FALSE(third.SetILCode(broken));
    EXPECT_EQ(third.ErrorMsg(), "Expression expected");
    EXPECT_EQ(third.ErrorPos(), "1:1");
}

// Statements other grammars produce, given as IL documents.
struct ILCase {
    const char* name;
    const char* body; // elements of the main block
    const char* expected;
};

class OtherGrammars : public ScriptRun, public testing::WithParamInterface<ILCase> {};

TEST_P(OtherGrammars, RunTheirStatements) {
    const std::string il = std::string("<?xml version=\"1.0\"?><program>"
                                       "<var pos=\"1:1\"><ident text=\"i\" pos=\"1:2\"/>"
                                       "<type text=\"Integer\" pos=\"1:3\"/></var>") +
                           GetParam().body + "<types/></program>";
    std::istringstream in(il);
    ASSERT_TRUE(script.SetILCode(in)) << script.ErrorMsg() << " at " << script.ErrorPos();
    script.Execute();
    std::string joined;
    for (const std::string& line : lines)
        joined += (joined.empty() ? "" : " ") + line;
    EXPECT_EQ(joined, GetParam().expected);
}

#define FS_NUM(v) "<expr pos=\"2:1\"><number text=\"" v "\" pos=\"2:2\"/></expr>"
#define FS_LOG_I                                                                                   \
    "<callstmt pos=\"3:1\"><dsgn pos=\"3:1\"><node text=\"Log\" pos=\"3:2\"/>"                     \
    "<expr pos=\"3:3\"><dsgn pos=\"3:3\"><node text=\"i\" "                                        \
    "pos=\"3:4\"/></dsgn></expr></dsgn></callstmt>"

INSTANTIATE_TEST_SUITE_P(
    Cases, OtherGrammars,
    testing::Values(
        ILCase{"vb_for_with_step",
               "<vbforstmt pos=\"2:1\"><ident text=\"i\" pos=\"2:1\"/>" FS_NUM("1") FS_NUM("7")
                   FS_NUM("3") FS_LOG_I "</vbforstmt>",
               "1 4 7"},
        ILCase{"vb_for_down",
               "<vbforstmt pos=\"2:1\"><ident text=\"i\" pos=\"2:1\"/>" FS_NUM("3")
                   FS_NUM("1") "<expr pos=\"2:1\"><op text=\"unminus\" pos=\"2:1\"/>"
                               "<number text=\"1\" pos=\"2:2\"/></expr>" FS_LOG_I "</vbforstmt>",
               "3 2 1"},
        ILCase{
            "c_for",
            "<cppforstmt pos=\"2:1\"><assignstmt pos=\"2:1\"><dsgn pos=\"2:1\"><node text=\"i\" "
            "pos=\"2:1\"/></dsgn>" FS_NUM(
                "0") "</assignstmt>"
                     "<expr pos=\"2:1\"><dsgn pos=\"2:1\"><node text=\"i\" pos=\"2:1\"/></dsgn>"
                     "<op text=\"&#60;\" pos=\"2:1\"/><number text=\"3\" pos=\"2:1\"/></expr>"
                     "<callstmt pos=\"2:1\"><dsgn pos=\"2:1\"><node text=\"i\" pos=\"2:1\"/></dsgn>"
                     "<modificator text=\"+\" pos=\"2:1\"/></callstmt>" FS_LOG_I "</cppforstmt>",
            "0 1 2"},
        ILCase{"return_assigns_result_and_exits",
               "<function pos=\"2:1\"><name text=\"F\" pos=\"2:1\"/><type text=\"Integer\" "
               "pos=\"2:1\"/>"
               "<return pos=\"2:1\">" FS_NUM(
                   "42") "</return>"
                         "<assignstmt pos=\"2:1\"><dsgn pos=\"2:1\"><node text=\"Result\" "
                         "pos=\"2:1\"/></dsgn>" FS_NUM(
                             "0") "</assignstmt></function>"
                                  "<callstmt pos=\"3:1\"><dsgn pos=\"3:1\"><node text=\"Log\" "
                                  "pos=\"3:2\"/>"
                                  "<expr pos=\"3:3\"><dsgn pos=\"3:3\"><node text=\"F\" "
                                  "pos=\"3:4\"/></dsgn></expr>"
                                  "</dsgn></callstmt>",
               "42"}),
    [](const auto& info) { return std::string(info.param.name); });

#undef FS_NUM
#undef FS_LOG_I

TEST_F(ScriptRun, ARunningScriptCannotBeClearedOrRecompiled) {
    host.AddMethod("procedure Meddle",
                   [&](void*, TfsClassVariable*, const std::string&, std::span<Variant>) {
                       EXPECT_THROW(script.Clear(), TfsException);
                       EXPECT_THROW(script.Compile(), TfsException);
                       return Variant();
                   });
    EXPECT_EQ(run("begin Meddle; Log('still here') end."), "still here");
}

TEST_F(ScriptRun, RemovingHostItemsDropsTheCodeThatUsedThem) {
    script.AddedBy = 5;
    script.AddVariable("Shared", "Integer", Variant(1));
    script.AddedBy = 0;
    ASSERT_EQ(compile("procedure P; begin Log(Shared) end; begin P end."), "");
    script.RemoveItems(5);
    EXPECT_EQ(script.FindLocal("Shared"), nullptr);
    script.Execute();
    script.CallFunction("P", Variant());
    EXPECT_TRUE(lines.empty());
}

TEST_F(ScriptRun, RegisteredFunctionsReceiveAndReturnByReference) {
    host.AddMethod("procedure Bump(var i: Integer; by: Integer = 1)",
                   [](void*, TfsClassVariable*, const std::string&, std::span<Variant> p) {
                       p[0] = var_add(p[0], p[1]);
                       return Variant();
                   });
    EXPECT_EQ(run("var i: Integer; begin Bump(i); Bump(i, 5); Log(i) end."), "6");
}

TEST_F(ScriptRun, MacroFunctionsReceiveTheSourceOfTheirArguments) {
    host.AddMethod(
        "macrofunction Quote(s: Variant): String",
        [](void*, TfsClassVariable*, const std::string&, std::span<Variant> p) { return p[0]; });
    EXPECT_EQ(run("var a: Integer; begin Log(Quote(a + 1)) end."), "a + 1");
}

} // namespace
} // namespace veltran
