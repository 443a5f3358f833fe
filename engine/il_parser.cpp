#include "engine/il_parser.h"

#include "engine/language_registry.h"
#include "engine/script_error.h"
#include "engine/source_file.h"
#include "engine/text.h"
#include "engine/xml_text.h"

#include <filesystem>
#include <utility>

namespace veltran {
namespace {

using TKind = TfsGrammarKind;
using TForest = std::vector<std::unique_ptr<TfsXMLItem>>;
using TIncludeUnit = std::function<TfsILParser::TUnit(const std::string& name, int depth)>;

constexpr std::string_view nesting_message = "Nesting too deep";
constexpr std::string_view fallback_message = "Syntax error";

struct TRecordedError {
    bool set = false;
    bool term = false;
    std::string message;
    std::string pos;
};

// Unwinds the whole walk when the nesting limit is reached.
struct TNestingLimit {
    int position;
};

// One walk of a grammar over the parser's text. The output is a forest of
// complete elements in source order: an element remembers the forest's size
// at its entry, so wrapping moves the items produced since then into a new
// element, and failing truncates the forest back to that size.
class TWalker {
public:
    TWalker(TfsParser& parser, bool lookahead, int depth, TIncludeUnit include_unit)
        : parser_(parser), case_sensitive_(parser.CaseSensitive()),
          lookahead_(lookahead && parser.SkipSpace()), depth_(depth),
          include_unit_(std::move(include_unit)) {}

    bool walk(const TfsGrammarElement& e);
    std::string position_text_at(int position);

    TForest out;
    TRecordedError error;
    std::string error_unit; // the unit the recorded error comes from

private:
    bool walk_element(const TfsGrammarElement& e);
    char peek(int position);
    bool walk_sequence(const TfsGrammarElement& e);
    bool walk_switch(const TfsGrammarElement& e);
    bool walk_loop(const TfsGrammarElement& e);
    bool read_separator(const TfsGrammarElement& e);
    bool take_back(int entry, std::size_t mark);
    bool read_terminal(const TfsGrammarElement& e, std::string_view& token, std::string& owned);
    bool matches(const TfsGrammarElement& e, std::string_view token) const;
    void record(const TfsGrammarElement& e, int entry);
    void wrap(const TfsGrammarElement& e, std::size_t mark, int entry);
    void add_leaf(std::string_view name, std::string_view text, bool escape);
    void emit_report_designator(std::string_view text);
    void include_units(std::size_t mark);
    std::string pos_attribute(int position);

    TfsParser& parser_;
    const bool case_sensitive_;
    const bool lookahead_; // the token readers skip blanks, as the sets assume
    int depth_;
    TIncludeUnit include_unit_;
    std::string scratch_;
    int peek_from_ = 0; // position of the last peek (0: none)
    char peek_char_ = 0;
};

// The character after the blanks at the position, which stays current.
char TWalker::peek(int position) {
    if (position != peek_from_) {
        parser_.SkipSpaces();
        const std::string_view text = parser_.Text();
        const auto at = static_cast<std::size_t>(parser_.Position() - 1);
        peek_char_ = at < text.size() ? text[at] : '\0';
        parser_.SetPosition(position);
        peek_from_ = position;
    }
    return peek_char_;
}

bool TWalker::walk(const TfsGrammarElement& e) {
    if (depth_ >= TfsILParser::MaxNesting) throw TNestingLimit{parser_.Position()};
    ++depth_;
    const bool ok = walk_element(e);
    --depth_;
    return ok;
}

bool TWalker::walk_element(const TfsGrammarElement& e) {
    const int entry = parser_.Position();
    if (lookahead_ && e.has_lookahead) {
        const auto next = static_cast<unsigned char>(peek(entry));
        if (e.passes_on[next]) return true;
        if (e.fails_on[next]) {
            record(e, entry);
            return false;
        }
    }
    const std::size_t mark = out.size();
    std::string_view token;
    std::string owned;
    bool ok = false;
    switch (e.kind) {
    case TKind::Sequence:
    case TKind::Rule: ok = walk_sequence(e); break;
    case TKind::Switch: ok = walk_switch(e); break;
    case TKind::OptionalSwitch: ok = walk_switch(e) || true; break;
    case TKind::Loop: ok = walk_loop(e); break;
    case TKind::OptionalLoop: ok = walk_loop(e) || take_back(entry, mark); break;
    case TKind::Optional: ok = walk_sequence(e) || take_back(entry, mark); break;
    case TKind::Reference:
        if (!e.rule) throw TfsError("Invalid language definition");
        ok = walk(*e.rule);
        break;
    default: ok = read_terminal(e, token, owned); break;
    }
    if (ok) {
        if (!e.node.empty() && e.kind != TKind::Rule) wrap(e, mark, entry);
        if (!e.add.empty()) {
            if (e.has_addtext)
                add_leaf(e.add, e.addtext, false);
            else
                add_leaf(e.add, token, true);
        }
        if (e.terminal() && !e.children.empty()) ok = walk_sequence(e);
    }
    if (!ok) {
        record(e, entry);
        take_back(entry, mark);
    } else if (e.kind == TKind::Rule) {
        if (e.uses_node)
            include_units(mark);
        else if (!e.node.empty())
            wrap(e, mark, entry);
    }
    return ok;
}

// Puts the position back to an element's entry together with everything it
// produced, so the output always stands for the text consumed; returns true
// for the optional kinds, which match after that.
bool TWalker::take_back(int entry, std::size_t mark) {
    parser_.SetPosition(entry);
    out.resize(mark);
    return true;
}

bool TWalker::walk_sequence(const TfsGrammarElement& e) {
    for (const TfsGrammarElement* child : e.children)
        if (!walk(*child)) return false;
    return true;
}

bool TWalker::walk_switch(const TfsGrammarElement& e) {
    for (const TfsGrammarElement* child : e.children)
        if (walk(*child)) return true;
    return false;
}

bool TWalker::walk_loop(const TfsGrammarElement& e) {
    int passes = 0;
    bool first_pass_matched = false;
    for (;;) {
        ++passes;
        const int pass_start = parser_.Position();
        const std::size_t pass_mark = out.size();
        const bool matched = walk_sequence(e);
        if (passes == 1) first_pass_matched = matched;
        if (!matched) {
            // A pass that fails partway takes back what it read, so that
            // "1 + 2 +" does not end its expression with an operator.
            take_back(pass_start, pass_mark);
            break;
        }
        const int after_pass = parser_.Position();
        if (!e.separator.empty() && !read_separator(e)) {
            parser_.SetPosition(after_pass);
            break;
        }
        if (parser_.Position() == pass_start) break;
    }
    if (passes > 1 && (e.forget_error || error.term)) error = {};
    return passes > 1 || first_pass_matched;
}

bool TWalker::read_separator(const TfsGrammarElement& e) {
    parser_.SkipSpaces();
    const char c = parser_.ScanChar();
    return c && e.separator == std::string_view(&c, 1);
}

bool TWalker::read_terminal(const TfsGrammarElement& e, std::string_view& token,
                            std::string& owned) {
    switch (e.kind) {
    case TKind::Char: {
        if (!e.no_blank_skip) parser_.SkipSpaces();
        if (!parser_.ScanChar()) return false;
        token = parser_.Text().substr(static_cast<std::size_t>(parser_.Position() - 2), 1);
        return !e.has_text || matches(e, token);
    }
    case TKind::Keyword: token = parser_.ScanWord(); break;
    case TKind::Ident: token = parser_.ScanIdent(); break;
    case TKind::Number: token = owned = parser_.GetNumber(); return !token.empty();
    case TKind::String: token = owned = parser_.GetString(); return !token.empty();
    case TKind::FRString:
        token = owned = parser_.GetFRString();
        emit_report_designator(token);
        return true;
    case TKind::Eol: return parser_.GetEOL();
    default: return false;
    }
    return !token.empty() && (!e.has_text || matches(e, token));
}

bool TWalker::matches(const TfsGrammarElement& e, std::string_view token) const {
    return case_sensitive_ ? token == e.text : same_text_ignoring_case(token, e.text);
}

std::string TWalker::position_text_at(int position) {
    const int current = parser_.Position();
    parser_.SetPosition(position);
    parser_.SkipSpaces();
    std::string text = parser_.GetXYPosition();
    parser_.SetPosition(current);
    return text;
}

void TWalker::record(const TfsGrammarElement& e, int entry) {
    if (!e.records_error || error.set) return;
    error = {true, e.term, e.error, position_text_at(entry)};
}

std::string TWalker::pos_attribute(int position) {
    return "pos=\"" + position_text_at(position) + '"';
}

void TWalker::wrap(const TfsGrammarElement& e, std::size_t mark, int entry) {
    std::string attributes = pos_attribute(entry);
    if (e.expr_node) attributes.append(" pos1=\"").append(parser_.GetXYPosition()) += '"';
    auto node = std::make_unique<TfsXMLItem>(e.node, std::move(attributes));
    node->AddItems(out.data() + mark, out.data() + out.size());
    out.resize(mark);
    out.push_back(std::move(node));
}

void TWalker::add_leaf(std::string_view name, std::string_view text, bool escape) {
    scratch_.assign("text=\"");
    if (escape)
        append_xml_escaped(scratch_, text);
    else
        scratch_.append(text);
    scratch_.append("\" pos=\"").append(parser_.GetXYPosition()) += '"';
    out.push_back(std::make_unique<TfsXMLItem>(std::string(name), scratch_));
}

// <x> in an expression stands for the call Get('x').
void TWalker::emit_report_designator(std::string_view text) {
    const std::string pos = "pos=\"" + parser_.GetXYPosition() + '"';
    auto designator = std::make_unique<TfsXMLItem>("dsgn", pos);
    add_leaf("node", "Get", false);
    designator->AddItem(std::move(out.back()));
    out.pop_back();
    TfsXMLItem& argument = designator->AddItem(std::make_unique<TfsXMLItem>("expr", pos));
    std::string literal(1, '\'');
    literal.append(text) += '\'';
    add_leaf("string", literal, true);
    argument.AddItem(std::move(out.back()));
    out.pop_back();
    out.push_back(std::move(designator));
}

// Replaces the `file` leaves of a uses clause, from the last to the first,
// by the units they name; a unit already included leaves no trace.
void TWalker::include_units(std::size_t mark) {
    for (std::size_t i = out.size(); i-- > mark;) {
        if (out[i]->Name != "file") continue;
        const std::string quoted = out[i]->Prop("text");
        const std::string name = quoted.size() >= 2 ? quoted.substr(1, quoted.size() - 2) : quoted;
        TfsILParser::TUnit unit = include_unit_(name, depth_);
        if (unit.skipped) {
            out.erase(out.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (unit.failed && !error.set) {
            error = {true, false, std::move(unit.error_msg), std::move(unit.error_pos)};
            error_unit = std::move(unit.error_unit);
        }
        auto uses = std::make_unique<TfsXMLItem>("uses");
        uses->SetProp("unit", name);
        uses->Text.append(" pos=\"").append(out[i]->Prop("pos")) += '"';
        if (unit.il) uses->AddItem(std::move(unit.il));
        out[i] = std::move(uses);
    }
}

} // namespace

TfsILParser::TfsILParser(TfsILOptions options) : options_(std::move(options)) {}

TfsILParser::TfsILParser(const TfsILOptions& options, std::string unit_name,
                         std::vector<std::string> uses, int depth)
    : options_(options), unit_name_(std::move(unit_name)), is_unit_(true),
      uses_list_(std::move(uses)), depth_(depth) {}

void TfsILParser::SelectLanguage(std::string_view lang_name) {
    parser_.Clear();
    lang_name_ = lang_name;
    grammar_ = TfsLanguageRegistry::Instance().Grammar(lang_name);
    grammar_->Configure(parser_);
    if (options_.ExtendedCharset)
        for (std::size_t c = 128; c < 256; ++c)
            parser_.IdentifierCharset().set(c);
    need_declare_vars_ = grammar_->NeedDeclareVars();
}

// Where parsing starts: after a first line "#language NAME", which selects
// that language, else at the first character. The line may end with CR LF,
// LF or CR.
int TfsILParser::language_line() {
    const std::string_view text = parser_.Text();
    if (!text.starts_with('#')) return 1;
    parser_.SetPosition(2);
    if (!same_text_ignoring_case(parser_.ScanWord(), "language")) return 1;
    const std::size_t rest = static_cast<std::size_t>(parser_.Position() - 1);
    const std::size_t end = text.find_first_of("\r\n", rest);
    SelectLanguage(trim(text.substr(rest, end - rest)));
    if (end == std::string_view::npos) return parser_.Size() + 1;
    const bool crlf = text.substr(end, 2) == "\r\n";
    return static_cast<int>(end) + (crlf ? 3 : 2);
}

bool TfsILParser::MakeILScript(std::string_view text) {
    il_script_.Clear();
    error_msg_.clear();
    error_pos_.clear();
    error_unit_.clear();
    if (!is_unit_) uses_list_.clear(); // a unit gets the list of its includer
    if (!grammar_) SelectLanguage(lang_name_);
    parser_.SetText(text);
    const int start = language_line();
    const TfsGrammarElement* program = grammar_->Rule("program");
    if (!program) throw TfsError("Invalid language definition");
    parser_.SetPosition(start);

    TWalker walker(parser_, options_.Lookahead, depth_, [this](const std::string& name, int depth) {
        return include_unit(name, depth);
    });
    bool matched = false;
    try {
        matched = walker.walk(*program);
    } catch (const TNestingLimit& limit) {
        walker.error = {true, false, std::string(nesting_message),
                        walker.position_text_at(limit.position)};
        walker.error_unit.clear();
    }
    if (!matched && !walker.error.set)
        walker.error = {true, false, std::string(fallback_message), walker.position_text_at(start)};
    error_msg_ = walker.error.message;
    error_pos_ = walker.error.pos;
    error_unit_ = walker.error_unit;
    if (walker.error.set) return false;

    TfsXMLItem& root = il_script_.Root();
    root.Name = "program";
    root.AddItems(walker.out.data(), walker.out.data() + walker.out.size());
    root.AddItem(std::make_unique<TfsXMLItem>()).Assign(grammar_->Types());
    return true;
}

TfsILParser::TUnit TfsILParser::include_unit(const std::string& name, int depth) {
    TUnit unit;
    for (const std::string& used : uses_list_)
        if (same_text_ignoring_case(used, name)) {
            unit.skipped = true;
            return unit;
        }
    uses_list_.push_back(name);
    const std::string text = unit_text(name);
    if (text.empty()) return unit;

    TfsILParser compiler(options_, name, uses_list_, depth);
    compiler.SelectLanguage(lang_name_);
    const bool ok = compiler.MakeILScript(text);
    uses_list_ = std::move(compiler.uses_list_);
    if (ok) {
        unit.il = std::make_unique<TfsXMLItem>();
        unit.il->Assign(compiler.il_script_.Root());
    } else {
        unit.failed = true;
        unit.error_msg = compiler.error_msg_;
        unit.error_pos = compiler.error_pos_;
        unit.error_unit = compiler.error_unit_.empty() ? name : compiler.error_unit_;
    }
    return unit;
}

std::string TfsILParser::unit_text(const std::string& name) const {
    std::string text;
    if (options_.OnGetUnit) {
        options_.OnGetUnit(name, text);
        return text;
    }
    if (name.find('\0') != std::string::npos) throw cannot_open_file(name);
    // The first folder where the file exists; else the last one tried, whose
    // read then fails with the file error.
    std::string path = name;
    for (const std::string& folder : options_.IncludePath) {
        const bool bare = folder.empty() || folder.ends_with('/') || folder.ends_with('\\');
        path = bare ? folder + name : folder + '/' + name;
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) break;
    }
    return LoadScriptFile(path);
}

} // namespace veltran
