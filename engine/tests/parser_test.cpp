#include "engine/parser.h"

#include <gtest/gtest.h>

#include <functional>

namespace veltran {
namespace {

using std::string_literals::operator""s;

// One reader applied to a text: what it returns and where it leaves the parser.
struct ReadCase {
    std::string text;
    std::string result;
    int position; // after the read
};

using Reader = std::function<std::string(TfsParser&)>;

void expect_reads(const Reader& read, const std::vector<ReadCase>& cases,
                  const std::function<void(TfsParser&)>& setup = {}) {
    for (const ReadCase& c : cases) {
        TfsParser parser;
        if (setup) setup(parser);
        parser.SetText(c.text);
        EXPECT_EQ(read(parser), c.result) << '"' << c.text << '"';
        EXPECT_EQ(parser.Position(), c.position) << '"' << c.text << '"';
    }
}

std::string skip(TfsParser& p) {
    p.SkipSpaces();
    return std::string(1, p.Text()[static_cast<std::size_t>(p.Position() - 1)]);
}

TEST(Parser, SkipsBlanksAndComments) {
    const auto end = [](const std::string& s) { return static_cast<int>(s.size()) + 1; };
    std::vector<ReadCase> cases = {
        {" \t\r\n x", "x", 6},
        {"{a{b}x", "x", 6},  // braces do not nest
        {"(*)x*)y", "y", 7}, // "(*)" does not close itself
        {"(* a *) { b } // c\nx", "x", 20},
        {"//\r\nx", "x", 5},
        {"x{", "x", 1},
    };
    expect_reads(skip, cases);
    // Unterminated comments and a text of NUL bytes run to the end.
    for (const std::string& text : {"{ open"s, "(* open *"s, "// no line end"s, "\0\0\0"s}) {
        TfsParser parser;
        parser.SetText(text);
        parser.SkipSpaces();
        EXPECT_EQ(parser.Position(), end(text)) << text;
        EXPECT_EQ(parser.LastPosition(), end(text));
    }
    // A comment introducer that is the last character is punctuation.
    TfsParser parser;
    parser.SetText("a {");
    parser.SetPosition(3);
    parser.SkipSpaces();
    EXPECT_EQ(parser.GetChar(), "{");
}

TEST(Parser, LineEndsAndContinuationWhenLineEndsAreSignificant) {
    const auto significant = [](TfsParser& p) { p.SetSkipEOL(false); };
    expect_reads(skip, {{" \r\nx", "\r", 2}, {"// c\r\nx", "x", 7}, {"a // c\r\nx", "a", 1}},
                 significant);
    // The comment ends at its carriage return only when it does not start a line.
    TfsParser parser;
    significant(parser);
    parser.SetText("a // c\r\nx");
    parser.SetPosition(2);
    parser.SkipSpaces();
    EXPECT_EQ(parser.Position(), 7);
    EXPECT_TRUE(parser.GetEOL());
    EXPECT_EQ(parser.GetWord(), "x");

    parser.SetSkiPChar("\\");
    parser.SetText("a \\ {c} \r\n\r\n  b\r\nc");
    parser.SetPosition(2);
    parser.SkipSpaces();
    EXPECT_EQ(parser.GetWord(), "b");
    EXPECT_TRUE(parser.GetEOL());
    EXPECT_EQ(parser.GetWord(), "c");
    EXPECT_FALSE(parser.GetEOL());
}

TEST(Parser, ReadsIdentifiersAndKeywords) {
    const auto with_keywords = [](TfsParser& p) {
        p.AddKeyword("end");
        p.AddKeyword("begin");
    };
    const Reader ident = [](TfsParser& p) { return p.GetIdent(); };
    const Reader word = [](TfsParser& p) { return p.GetWord(); };
    expect_reads(ident,
                 {
                     {"  abc1+", "abc1", 7},
                     {"_x", "_x", 3},
                     {"1abc", "", 1},
                     {"\xE9t\xE9!", "\xE9t\xE9", 4}, // codes of 127 and more are letters
                     {"x\x7F", "x\x7F", 3},
                     {"Begin", "", 1},
                     {"BEGINNER", "BEGINNER", 9},
                     {"\0a"s, "a", 3},
                 },
                 with_keywords);
    expect_reads(word, {{"Begin x", "Begin", 6}, {"+", "", 1}}, with_keywords);

    TfsParser parser;
    with_keywords(parser);
    EXPECT_EQ(parser.Keywords(), (std::vector<std::string>{"begin", "end"}));
    for (const char* w : {"begin", "BEGIN", "End"})
        EXPECT_TRUE(parser.IsKeyWord(w)) << w;
    EXPECT_FALSE(parser.IsKeyWord("beg"));
    parser.SetCaseSensitive(true);
    EXPECT_TRUE(parser.IsKeyWord("begin"));
    EXPECT_FALSE(parser.IsKeyWord("Begin"));
}

TEST(Parser, IdentifierCharsetIsReplacedButHighCodesStayLetters) {
    TfsParser parser;
    parser.ConstructCharset("ab.");
    parser.SetText("a.b\xC4z");
    EXPECT_EQ(parser.GetWord(), "a.b\xC4");
    parser.SetText(".a");
    EXPECT_EQ(parser.GetWord(), ".a");
}

TEST(Parser, ReadsNumbers) {
    const Reader number = [](TfsParser& p) { return p.GetNumber(); };
    expect_reads(number, {
                             {" 42;", "42", 4},
                             {"1..5", "1", 2},
                             {"1.5e3", "1.5e3", 6},
                             {"2.5E-3x", "2.5E-3", 7},
                             {"$FF", "$FF", 4},
                             {"$ff.5", "$ff.5", 6},
                             {"1e", "1", 2},
                             {"1e+", "1", 2},
                             {"1.e5", "1", 2},
                             {"12abc", "12", 3},
                             {"$", "", 1},
                             {"$g", "", 1},
                             {"x", "", 1},
                         });
    expect_reads(number, {{"0x1F+0x2", "$1F", 5}, {"3", "3", 2}},
                 [](TfsParser& p) { p.SetHexSequence("0x"); });
}

TEST(Parser, ReadsStringLiterals) {
    const Reader string = [](TfsParser& p) { return p.GetString(); };
    expect_reads(string, {
                             {"'It''s'", "'It's'", 8},
                             {"'a'#13#10'b';", "'a\r\nb'", 13},
                             {"#$41", "'A'", 5},
                             {"#65#66", "'AB'", 7},
                             {"#8364", "'\x80'", 6}, // the euro sign's code point
                             {"'tab\there'", "'tab\there'", 11},
                             {"''", "''", 3},
                             {"'a' #13", "'a'", 4},       // parts are not separated by blanks
                             {"'open\nx'", "", 1},        // no line end inside quotes
                             {"'a'#10'open", "'a\n'", 7}, // a failing part keeps the ones before
                             {"'end of text", "", 1},
                             {"#", "", 1},
                             {"#x", "", 1},
                             {"'a'#", "'a'", 4},
                             {"x", "", 1},
                         });
    expect_reads(string,
                 {
                     {"'a\\nb\\x41\\'c'", "'a\nbA'c'", 14},
                     {"'it''s'", "'its'", 8}, // a doubled quote is two parts
                     {"'\\", "", 1},
                 },
                 [](TfsParser& p) { p.SetSpecStrChar(true); });
    expect_reads(string, {{"\"a\"\"b\"", "'a\"b'", 7}},
                 [](TfsParser& p) { p.SetStringQuotes("\""); });
}

TEST(Parser, PunctuationIsReadWithoutBlankSkip) {
    const Reader punctuation = [](TfsParser& p) { return p.GetChar(); };
    expect_reads(punctuation, {{"+x", "+", 2},
                               {"~", "~", 2},
                               {"`", "`", 2},
                               {" +", "", 1},
                               {"a", "", 1},
                               {"\x80", "", 1},
                               {"", "", 1}});
}

TEST(Parser, BracketedReportStringRunsToTheMatchingBracket) {
    const Reader report = [](TfsParser& p) { return p.GetFRString(); };
    expect_reads(report, {
                             {"a<b>c>rest", "a<b>c", 6},
                             {"'>'\">\"x>", "'>'\">\"x", 8},
                             {"[x]y>", "[x]y", 5},
                             {"a]>", "a", 2},
                             {"open", "open", 5},
                         });
}

TEST(Parser, GetEOLConsumesARunOfLineEnds) {
    const auto significant = [](TfsParser& p) { p.SetSkipEOL(false); };
    const Reader eol = [](TfsParser& p) { return p.GetEOL() ? "eol"s : ""s; };
    expect_reads(eol,
                 {{"  \r\n\r\n x", "eol", 7}, {"\r\r\nx", "eol", 4}, {"\n\n", "", 3}, {"x", "", 1}},
                 significant);
    expect_reads(eol, {{"  \r\n x", "", 6}});
}

TEST(Parser, PositionTextsCountLinesByLineFeed) {
    TfsParser parser;
    parser.SetText("ab\ncd\r\nef");
    const std::pair<int, const char*> cases[] = {
        {1, "1:1"}, {3, "1:3"}, {4, "2:1"}, {6, "2:3"}, {7, "2:4"}, {8, "3:1"}, {10, "3:3"},
    };
    for (auto [position, text] : cases) {
        parser.SetPosition(position);
        EXPECT_EQ(parser.GetXYPosition(), text) << position;
    }
    EXPECT_EQ(parser.GetPlainPosition(PosToPoint("2:1")), 4);
    EXPECT_EQ(parser.GetPlainPosition(PosToPoint("3:2")), 9);
    EXPECT_EQ(parser.GetPlainPosition(PosToPoint("4:1")), -1);
    EXPECT_EQ(parser.GetPlainPosition(PosToPoint("")), -1);
    parser.SetPosition(1000);
    EXPECT_EQ(parser.Position(), 10);
    parser.SetText("");
    EXPECT_EQ(parser.GetXYPosition(), "1:1");
}

TEST(Parser, PosToPointReadsLineThenColumn) {
    EXPECT_EQ(PosToPoint("3:5").Y, 3);
    EXPECT_EQ(PosToPoint("3:5").X, 5);
    EXPECT_EQ(PosToPoint("").Y, 0);
    EXPECT_EQ(PosToPoint("").X, 0);
}

TEST(Parser, ClearRestoresEveryDefault) {
    TfsParser parser;
    parser.AddKeyword("x");
    parser.SetCaseSensitive(true);
    parser.SetCommentBlock1("<,>");
    parser.SetCommentBlock2("");
    parser.SetCommentLine1("#");
    parser.SetCommentLine2(";");
    parser.SetHexSequence("0x");
    parser.ConstructCharset("q");
    parser.SetSkiPChar("\\");
    parser.SetSkipEOL(false);
    parser.SetSkipSpace(false);
    parser.SetStringQuotes("\"");
    parser.SetSpecStrChar(true);
    parser.SetUseY(false);
    parser.Clear();
    EXPECT_TRUE(parser.Keywords().empty());
    EXPECT_FALSE(parser.CaseSensitive());
    EXPECT_EQ(parser.CommentBlock1(), "{,}");
    EXPECT_EQ(parser.CommentBlock2(), "(*,*)");
    EXPECT_EQ(parser.CommentLine1(), "//");
    EXPECT_EQ(parser.CommentLine2(), "");
    EXPECT_EQ(parser.HexSequence(), "$");
    EXPECT_EQ(parser.IdentifierCharset().count(), 63u);
    EXPECT_EQ(parser.SkiPChar(), "");
    EXPECT_TRUE(parser.SkipEOL());
    EXPECT_TRUE(parser.SkipSpace());
    EXPECT_EQ(parser.StringQuotes(), "'");
    EXPECT_FALSE(parser.SpecStrChar());
    EXPECT_TRUE(parser.UseY());
}

TEST(Parser, SettingsChangeTheRememberedBlankSkip) {
    TfsParser parser;
    parser.SetText("# c\nx");
    parser.SkipSpaces();
    EXPECT_EQ(parser.Position(), 1);
    parser.SetCommentLine2("#");
    parser.SkipSpaces();
    EXPECT_EQ(parser.Position(), 5);
    parser.SetPosition(1);
    parser.SetCommentBlock1("#,x"); // a pair without close half is no comment
    parser.SetCommentLine2("");
    parser.SkipSpaces();
    EXPECT_EQ(parser.Position(), 6);
    parser.SetCommentBlock1("#");
    parser.SetPosition(1);
    parser.SkipSpaces();
    EXPECT_EQ(parser.Position(), 1);
}

} // namespace
} // namespace veltran
