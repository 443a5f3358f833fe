#include "engine/il_parser.h"
#include "engine/language_registry.h"
#include "engine/script_error.h"
#include "engine/source_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace veltran {
namespace {

const std::string golden_folder = std::string(VELTRAN_TEST_DATA) + "/golden/";

std::string il_text(TfsILParser& parser) {
    std::ostringstream out;
    parser.ILScript().AutoIndent = true;
    parser.ILScript().SaveToStream(out);
    std::string text = out.str();
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

TfsILOptions walk_mode(bool lookahead) {
    TfsILOptions options;
    options.Lookahead = lookahead;
    return options;
}

// The result of one walk: the IL text on success, else "message at pos".
std::string compile(std::string_view text, TfsILOptions options = {},
                    std::string_view language = "PascalScript") {
    TfsILParser parser(std::move(options));
    parser.SelectLanguage(language);
    if (!parser.MakeILScript(text)) return parser.ErrorMsg() + " at " + parser.ErrorPos();
    EXPECT_EQ(parser.ErrorMsg(), "");
    EXPECT_EQ(parser.ErrorPos(), "");
    return il_text(parser);
}

// Both walks, with and without the lookahead shortcut, give one result.
std::string compile_both_ways(std::string_view text) {
    const std::string result = compile(text, walk_mode(true));
    EXPECT_EQ(compile(text, walk_mode(false)), result) << text;
    return result;
}

std::string read_file(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class GoldenIL : public testing::TestWithParam<const char*> {};

// Each program of the folder gives the IL document kept beside it. To renew
// one after a deliberate change: veltran script il X.pas | tr -d '\r' > X.il
TEST_P(GoldenIL, ProgramGivesItsDocument) {
    const std::string name = golden_folder + GetParam();
    const std::string expected = read_file(name + ".il");
    ASSERT_FALSE(expected.empty()) << name << ".il";
    EXPECT_EQ(compile_both_ways(LoadScriptFile(name + ".pas")), expected);
}

INSTANTIATE_TEST_SUITE_P(Programs, GoldenIL,
                         testing::Values("minimal", "declarations", "statements", "expressions",
                                         "lexical"));

struct ErrorCase {
    std::string_view text;
    const char* error; // "message at line:column"
};

TEST(ILParser, EveryReachableErrorOfTheTableWithItsPosition) {
    const ErrorCase cases[] = {
        {"program ;", "Identifier expected at 1:9"},
        {"var : integer; begin end.", "Identifier expected at 1:5"},
        {"begin a.1 end.", "Identifier expected at 1:9"},
        {"uses a; begin end.", "Identifier expected at 1:6"},
        {"begin for 1 := 1 to 2 do end.", "Identifier expected at 1:11"},
        {"function f: ; begin end; begin end.", "Identifier expected at 1:13"},
        {"begin x := ; end.", "Expression expected at 1:12"},
        {"begin x := not end.", "Expression expected at 1:16"},
        {"begin with do end.", "Expression expected at 1:12"},
        {"var x integer; begin end.", "':' expected at 1:7"},
        {"begin for i = 1 to 2 do end.", "':' expected at 1:13"},
        {"function f; begin end; begin end.", "':' expected at 1:11"},
        {"begin a b end.", "';' expected at 1:9"},
        {"procedure p begin end; begin end.", "';' expected at 1:13"},
        {"begin end", "'.' expected at 1:10"},
        {"begin x := [1.] end.", "'.' expected at 1:15"},
        {"begin x := (1 end.", "')' expected at 1:15"},
        {"begin x := f(1; end.", "')' expected at 1:15"},
        {"procedure p(a: integer; begin end; begin end.", "')' expected at 1:25"},
        {"begin x := a[1 end.", "']' expected at 1:16"},
        {"begin x := [1, 2 end.", "']' expected at 1:18"},
        {"var a: array[1 of integer; begin end.", "']' expected at 1:16"},
        {"begin x : = 1 end.", "'=' expected at 1:11"},
        {"const c 5; begin end.", "'=' expected at 1:9"},
        {"", "'BEGIN' expected at 1:1"},
        {"x := 1.", "'BEGIN' expected at 1:1"},
        {"begin case x of 1: a x end.", "'END' expected at 1:22"},
        {"begin try a finally b x end.", "'END' expected at 1:23"},
        {"begin case x 1: a end end.", "'OF' expected at 1:14"},
        {"var a: array[1] integer; begin end.", "'OF' expected at 1:17"},
        {"begin if x a end.", "'THEN' expected at 1:12"},
        {"begin repeat a end.", "'UNTIL' expected at 1:16"},
        {"begin for i := 1 do a end.", "'TO' or 'DOWNTO' expected at 1:18"},
        {"begin while x a end.", "'DO' expected at 1:15"},
        {"begin try a end end.", "'FINALLY' or 'EXCEPT' expected at 1:13"},
        {"begin x := <abc end.", "'>' expected at 1:21"},
    };
    for (const ErrorCase& c : cases)
        EXPECT_EQ(compile_both_ways(c.text), c.error) << c.text;
}

TEST(ILParser, EdgeCasesOfTheWalk) {
    const ErrorCase cases[] = {
        // Anything after "end." is not looked at.
        {"begin end. begin (* {", ""},
        // Keywords in any case.
        {"BEGIN End.", ""},
        // VAR and CONST sections end at the next keyword; so do case selectors.
        {"const a = 1; b = 2; var x: integer; begin end.", ""},
        {"begin case x of 1: a; 2: b; else c end end.", ""},
        {"begin case x of 1: a; end end.", ""},
        // Two dots after a number: a range, not a real.
        {"var a: array[1..5] of integer; begin end.", ""},
        // "(*)" opens a comment that its ')' does not close.
        {"begin (*) end. *) end.", ""},
        {"begin (*) end.", "';' expected at 1:15"},
        // A quote missing before the end of the line is not a string.
        {"begin x := 'abc\r\n' end.", "Expression expected at 1:12"},
        // Unterminated comments and NUL bytes are blanks to the end.
        {"{ begin end.", "'BEGIN' expected at 1:13"},
        {std::string_view("\0\0\0\0", 4), "'BEGIN' expected at 1:5"},
        // A loop's pass that fails partway is taken back: no expression ends
        // with an operator, whether it has one operand or more.
        {"begin x := 1 +; end.", "';' expected at 1:14"},
        {"begin x := 1 + 2 +; end.", "';' expected at 1:18"},
        {"begin x := a = b = ; end.", "';' expected at 1:18"},
        // A blank between ':' and '=' of an assignment.
        {"begin x :\r\n= 1 end.", "'=' expected at 2:1"},
    };
    for (const ErrorCase& c : cases) {
        const std::string result = compile_both_ways(c.text);
        if (*c.error)
            EXPECT_EQ(result, c.error) << c.text;
        else
            EXPECT_EQ(result.find(" expected at "), std::string::npos) << c.text << ": " << result;
    }
}

TEST(ILParser, ArraySizeGivesOneExpressionAndARangeTwo) {
    TfsILParser parser;
    parser.SelectLanguage("PascalScript");
    ASSERT_TRUE(parser.MakeILScript("var a: array[3, 1..2] of integer; begin end."));
    const TfsXMLItem& array = parser.ILScript().Root()[0][1];
    ASSERT_EQ(array.Name, "array");
    ASSERT_EQ(array.Count(), 2);
    EXPECT_EQ(array[0].Count(), 1);
    EXPECT_EQ(array[1].Count(), 2);
}

TEST(ILParser, LanguageLineSelectsTheLanguage) {
    // Positions keep counting the language line.
    const std::string program = compile("\r\nbegin x := 1 end.");
    EXPECT_EQ(compile("#language PascalScript\r\nbegin x := 1 end."), program);
    EXPECT_EQ(compile("#LANGUAGE  pascalscript \nbegin x := 1 end."), program);
    EXPECT_EQ(compile("#language PascalScript\r\nbegin x y end."), "';' expected at 2:9");
    try {
        compile("#language Basic\r\nbegin end.");
        FAIL() << "no exception";
    } catch (const TfsError& e) {
        EXPECT_STREQ(e.what(), "Language 'Basic' not found");
    }
    EXPECT_THROW(TfsILParser().SelectLanguage("Basic"), TfsError);
}

// A script whose units come from a table instead of files.
struct Units {
    std::map<std::string, std::string> texts;
    std::vector<std::string> asked;

    TfsILOptions options() {
        TfsILOptions o;
        o.OnGetUnit = [this](const std::string& name, std::string& text) {
            asked.push_back(name);
            text = texts[name];
        };
        return o;
    }
};

TEST(ILParser, UnitsAreIncludedLastFirstAndOnce) {
    Units units;
    units.texts = {{"a.pas", "var fromA: integer; begin end."},
                   {"b.pas", "uses 'a.pas'; procedure FromB; begin end; begin end."}};
    TfsILParser parser(units.options());
    parser.SelectLanguage("PascalScript");
    ASSERT_TRUE(parser.MakeILScript("uses 'a.pas', 'b.pas'; begin end."));
    EXPECT_EQ(units.asked, (std::vector<std::string>{"b.pas", "a.pas"}));

    // b.pas, taken first, includes a.pas; the main text's own a.pas then
    // leaves no trace.
    const TfsXMLItem& root = parser.ILScript().Root();
    ASSERT_EQ(root.Count(), 3); // uses b.pas, compoundstmt, types
    const TfsXMLItem& b = root[0];
    EXPECT_EQ(b.Name, "uses");
    EXPECT_EQ(b.Prop("unit"), "b.pas");
    EXPECT_EQ(b.Prop("pos"), "1:22");
    ASSERT_EQ(b.Count(), 1);
    const TfsXMLItem& b_program = b[0];
    ASSERT_EQ(b_program.Name, "program");
    ASSERT_EQ(b_program.Count(), 4); // uses a.pas, procedure, compoundstmt, types
    EXPECT_EQ(b_program[0].Prop("unit"), "a.pas");
    EXPECT_EQ(b_program[0][0][0].Name, "var");
    EXPECT_EQ(b_program[1].Name, "procedure");
    EXPECT_EQ(b_program[3].Name, "types");

    units.asked.clear();
    ASSERT_TRUE(parser.MakeILScript("uses 'a.pas', 'A.PAS'; begin end."));
    EXPECT_EQ(units.asked, (std::vector<std::string>{"A.PAS"}));
    EXPECT_EQ(parser.ILScript().Root().Count(), 3);
}

TEST(ILParser, AUnitThatIncludesItselfIsIncludedOnce) {
    const std::string text = "uses 'self', ''; begin end.";
    Units units;
    units.texts = {{"self", text}, {"", "begin end."}};
    TfsILParser parser(units.options());
    parser.SelectLanguage("PascalScript");
    ASSERT_TRUE(parser.MakeILScript(text));
    EXPECT_EQ(units.asked, (std::vector<std::string>{"", "self"}));
}

TEST(ILParser, UnitErrorsNameTheUnit) {
    Units units;
    units.texts = {
        {"inner", "begin x y end."}, {"outer", "uses 'inner'; begin end."}, {"empty", ""}};
    TfsILParser parser(units.options());
    parser.SelectLanguage("PascalScript");
    EXPECT_FALSE(parser.MakeILScript("uses 'outer'; begin end."));
    EXPECT_EQ(parser.ErrorMsg(), "';' expected");
    EXPECT_EQ(parser.ErrorPos(), "1:9");
    EXPECT_EQ(parser.ErrorUnit(), "inner");

    ASSERT_TRUE(parser.MakeILScript("uses 'empty'; begin end."));
    EXPECT_EQ(parser.ErrorUnit(), "");
    EXPECT_EQ(parser.ILScript().Root()[0].Name, "uses");
    EXPECT_EQ(parser.ILScript().Root()[0].Count(), 0);
}

TEST(ILParser, UnitFilesComeThroughTheIncludePath) {
    const auto folder = std::filesystem::temp_directory_path() / "veltran_il_units";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "lib.pas") << "const Limit = 3;\nbegin end.\n";
    TfsILOptions options;
    options.IncludePath = {"", "/nonexistent", folder.string()};
    TfsILParser parser(options);
    parser.SelectLanguage("PascalScript");
    ASSERT_TRUE(parser.MakeILScript("uses 'lib.pas'; begin end."));
    EXPECT_EQ(parser.ILScript().Root()[0][0][0].Name, "const");
    try {
        parser.MakeILScript("uses 'missing.pas'; begin end.");
        FAIL() << "no exception";
    } catch (const TfsError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + folder.string() + "/missing.pas\"");
    }
    std::filesystem::remove_all(folder);
}

TEST(ILParser, DeepNestingStopsWithAnErrorInsteadOfTheStack) {
    const auto nested = [](const std::string& open, const std::string& close, int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += open;
        text += "1";
        for (int i = 0; i < depth; ++i)
            text += close;
        return text;
    };
    for (const std::string& text :
         {"begin x := " + nested("(", ")", 5000) + " end.", nested("begin ", " end", 5000) + ".",
          "begin x := " + nested("not ", "", 20000) + " end.",
          "begin x := " + nested("f(", ")", 5000) + " end.",
          nested("begin if a then ", " end", 5000)}) {
        const std::string result = compile(text);
        EXPECT_EQ(result.substr(0, 20), "Nesting too deep at ") << result.substr(0, 100);
    }
    // Moderate nesting is fine.
    EXPECT_EQ(compile("begin x := " + nested("(", ")", 100) + " end.").find("expected"),
              std::string::npos);
}

TEST(ILParser, LongLinesAreWalkedWithoutTrouble) {
    std::string sum = "begin x := 0";
    while (sum.size() < 100'000)
        sum += "+a";
    sum += " end.";
    TfsILParser parser;
    parser.SelectLanguage("PascalScript");
    ASSERT_TRUE(parser.MakeILScript(sum));
    EXPECT_EQ(parser.ILScript().Root()[0][0][1].Count(), static_cast<int>(sum.size() - 16));
    const std::string identifier = "begin " + std::string(1'000'000, 'a') + " end.";
    EXPECT_TRUE(parser.MakeILScript(identifier));
}

// A small grammar of its own, for the element kinds and settings that the
// Pascal grammar does not use.
constexpr const char* line_grammar = R"(<?xml version="1.0"?>
<language text="Lines">
  <parser>
    <skipeol text="0"/>
    <casesensitive text="1"/>
    <declarevars text="0"/>
    <hexsequence text="0x"/>
    <stringquotes text="&#34;"/>
    <specstrchar text="1"/>
    <identchars text="abcdefghijklmnopqrstuvwxyz."/>
    <keywords><say/></keywords>
    <errors><err1 text="Line end expected"/><err2 text=""/></errors>
  </parser>
  <program>
    <loop>
      <line/>
    </loop>
  </program>
  <line node="line">
    <switch>
      <sequence>
        <keyword text="say" add="verb"/>
        <string add="text"/>
      </sequence>
      <number add="n"><char text="!" add="bang"/></number>
      <ident add="name" text="a.b"/>
      <sequence>
        <keyword text="stop"/>
        <char text=";" err="err2"/>
      </sequence>
      <sequence>
        <char text="?"/>
        <undefined/>
      </sequence>
    </switch>
    <eol err="err1"/>
  </line>
</language>)";

TEST(ILParser, GrammarsOfTheirOwn) {
    TfsLanguageRegistry::Instance().Register("Lines", line_grammar);
    EXPECT_EQ(compile("say \"a\\x41\\n\"\r\n0x1F!\r\na.b\r\n", {}, "lines"),
              "<?xml version=\"1.0\"?>\n<program>\n"
              "  <line pos=\"1:1\">\n"
              "    <verb text=\"say\" pos=\"1:4\"/>\n"
              "    <text text=\"'aA&#10;'\" pos=\"1:14\"/>\n"
              "  </line>\n"
              "  <line pos=\"2:1\">\n"
              "    <n text=\"$1F\" pos=\"2:5\"/>\n"
              "    <bang text=\"!\" pos=\"2:6\"/>\n"
              "  </line>\n"
              "  <line pos=\"3:1\">\n"
              "    <name text=\"a.b\" pos=\"3:4\"/>\n"
              "  </line>\n"
              "  <types/>\n"
              "</program>\n");
    TfsILParser parser;
    parser.SelectLanguage("Lines");
    EXPECT_FALSE(parser.NeedDeclareVars());
    const ErrorCase cases[] = {
        {"a.b c\r\n", "Line end expected at 1:5"},
        // An error entry without a message, and a walk that fails without
        // recording one, still fail visibly.
        {"stop x\r\n", "Syntax error at 1:6"},
        {"0x1\r\n", "Syntax error at 1:1"}, // the number's "!" is missing
        // Keywords match exactly in a case-sensitive grammar.
        {"SAY \"x\"\r\n", "Syntax error at 1:1"},
    };
    for (const ErrorCase& c : cases)
        EXPECT_EQ(compile(c.text, {}, "Lines"), c.error) << c.text;
    // A reference to a rule the grammar does not have fails when it is walked.
    try {
        compile("?\r\n", {}, "Lines");
        FAIL() << "no exception";
    } catch (const TfsError& e) {
        EXPECT_STREQ(e.what(), "Invalid language definition");
    }
}

TEST(ILParser, BrokenGrammarsAreReportedWhenSelectedOrWalked) {
    TfsLanguageRegistry::Instance().Register("Broken", "<language><program></language>");
    try {
        TfsILParser().SelectLanguage("Broken");
        FAIL() << "no exception";
    } catch (const TfsError& e) {
        EXPECT_STREQ(e.what(), "Invalid file format");
    }
    TfsLanguageRegistry::Instance().Register("NoProgram", "<?xml?><language><parser/></language>");
    TfsILParser parser;
    parser.SelectLanguage("noprogram");
    EXPECT_THROW(parser.MakeILScript("x"), TfsError);
    // Registering a name again replaces its grammar.
    TfsLanguageRegistry::Instance().Register("BROKEN", line_grammar);
    EXPECT_NE(compile("a.b\r\n", {}, "Broken").find("<name text=\"a.b\""), std::string::npos);
    EXPECT_EQ(TfsLanguageRegistry::Instance().Text("broken"), line_grammar);
}

} // namespace
} // namespace veltran
