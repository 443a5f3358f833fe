#include "engine/grammar.h"

#include "engine/text.h"
#include "engine/xml_text.h"

#include <array>
#include <sstream>

namespace veltran {
namespace {

struct TKindName {
    std::string_view name;
    TfsGrammarKind kind;
};

constexpr std::array<TKindName, 13> element_kinds = {{
    {"char", TfsGrammarKind::Char},
    {"keyword", TfsGrammarKind::Keyword},
    {"ident", TfsGrammarKind::Ident},
    {"number", TfsGrammarKind::Number},
    {"string", TfsGrammarKind::String},
    {"frstring", TfsGrammarKind::FRString},
    {"eol", TfsGrammarKind::Eol},
    {"sequence", TfsGrammarKind::Sequence},
    {"switch", TfsGrammarKind::Switch},
    {"optionalswitch", TfsGrammarKind::OptionalSwitch},
    {"loop", TfsGrammarKind::Loop},
    {"optionalloop", TfsGrammarKind::OptionalLoop},
    {"optional", TfsGrammarKind::Optional},
}};

TfsGrammarKind kind_of(std::string_view name) {
    for (const TKindName& k : element_kinds)
        if (same_text_ignoring_case(k.name, name)) return k.kind;
    return TfsGrammarKind::Reference;
}

// What can stand first in each kind of token, for the tokenizer as the
// grammar configures it.
struct TTokenStarts {
    explicit TTokenStarts(const TfsParser& tokenizer) : case_sensitive(tokenizer.CaseSensitive()) {
        for (int i = 0; i < 256; ++i) {
            const char c = static_cast<char>(i);
            if (TfsParser::IsPunctuation(c)) punctuation.set(static_cast<std::size_t>(i));
            if (tokenizer.IsWordStart(c)) word.set(static_cast<std::size_t>(i));
        }
        for (char c = '0'; c <= '9'; ++c)
            set(number, c);
        if (!tokenizer.HexSequence().empty()) set(number, tokenizer.HexSequence().front());
        set(string, '#');
        if (!tokenizer.StringQuotes().empty()) set(string, tokenizer.StringQuotes().front());
    }
    static void set(TfsLookahead& set, char c) { set.set(static_cast<unsigned char>(c)); }

    // The token must equal `text`, so it starts with its first character.
    TfsLookahead first_of(std::string_view text) const {
        TfsLookahead first;
        if (text.empty()) return first;
        set(first, text.front());
        if (!case_sensitive) set(first, upper_ascii(text.substr(0, 1)).front());
        return first;
    }

    bool case_sensitive;
    TfsLookahead punctuation, word, number, string;
};

TfsLookahead terminal_fails_on(const TfsGrammarElement& e, const TTokenStarts& starts) {
    TfsLookahead may_match;
    switch (e.kind) {
    case TfsGrammarKind::Char:
        if (e.no_blank_skip) return {}; // reads the very next character, blank or not
        // A char element reads one character, so a longer `text` never matches.
        if (!e.has_text)
            may_match = starts.punctuation;
        else if (e.text.size() == 1)
            may_match = starts.first_of(e.text);
        break;
    case TfsGrammarKind::Keyword:
    case TfsGrammarKind::Ident:
        may_match = e.has_text ? starts.first_of(e.text) : starts.word;
        break;
    case TfsGrammarKind::Number: may_match = starts.number; break;
    case TfsGrammarKind::String: may_match = starts.string; break;
    default: return {}; // frstring always matches; eol reads line ends the skip keeps
    }
    return ~may_match;
}

// What a parent may count on: a child that records an error when it fails
// leaves a trace.
TfsLookahead silent_fail(const TfsGrammarElement& e) {
    return e.records_error ? TfsLookahead() : e.fails_on;
}

// Fails with no trace when the children before some child pass with no
// trace and that child fails with none.
TfsLookahead sequence_fails_on(const TfsGrammarElement& e) {
    TfsLookahead fails, passed;
    passed.set();
    for (const TfsGrammarElement* child : e.children) {
        fails |= passed & silent_fail(*child);
        passed &= child->passes_on;
        if (passed.none()) break;
    }
    return fails;
}

TfsLookahead all_fail(const TfsGrammarElement& e) {
    TfsLookahead fails;
    fails.set();
    for (const TfsGrammarElement* child : e.children)
        fails &= silent_fail(*child);
    return fails;
}

// One step of the fixpoint: the sets an element gets from its children's.
std::pair<TfsLookahead, TfsLookahead> lookahead_of(const TfsGrammarElement& e,
                                                   const TTokenStarts& starts) {
    const bool leaves_output = !e.add.empty() || !e.node.empty();
    switch (e.kind) {
    case TfsGrammarKind::Sequence:
    case TfsGrammarKind::Rule:
    case TfsGrammarKind::Loop: return {sequence_fails_on(e), {}};
    case TfsGrammarKind::Switch: return {all_fail(e), {}};
    case TfsGrammarKind::Optional:
    case TfsGrammarKind::OptionalLoop:
        return {{}, leaves_output ? TfsLookahead() : sequence_fails_on(e)};
    case TfsGrammarKind::OptionalSwitch: return {{}, leaves_output ? TfsLookahead() : all_fail(e)};
    case TfsGrammarKind::Reference: return {e.rule ? silent_fail(*e.rule) : TfsLookahead(), {}};
    default: return {terminal_fails_on(e, starts), {}};
    }
}

// An error entry whose message is missing must still fail the walk visibly.
constexpr std::string_view fallback_message = "Syntax error";

} // namespace

TfsGrammar::TfsGrammar(std::string_view text) {
    std::istringstream stream{std::string(text)};
    document_.LoadFromStream(stream);
    const TfsXMLItem& root = document_.Root();
    if (const int types = root.Find("types"); types >= 0) types_ = &root.Items(types);
    read_parser_section();

    // Rules first, so that references can point at them; then every body.
    for (const TfsXMLItem& item : root)
        rules_.push_back(&prepare(item, TfsGrammarKind::Rule));
    std::vector<std::pair<TfsGrammarElement*, const TfsXMLItem*>> pending;
    for (std::size_t i = 0; i < rules_.size(); ++i)
        pending.emplace_back(rules_[i], &root.Items(static_cast<int>(i)));
    while (!pending.empty()) {
        auto [element, item] = pending.back();
        pending.pop_back();
        for (const TfsXMLItem& child : *item) {
            TfsGrammarElement& c = prepare(child, kind_of(child.Name));
            if (c.kind == TfsGrammarKind::Reference) c.rule = Rule(child.Name);
            element->children.push_back(&c);
            pending.emplace_back(&c, &child);
        }
    }
    find_lookahead();
}

TfsGrammarElement& TfsGrammar::prepare(const TfsXMLItem& item, TfsGrammarKind kind) {
    TfsGrammarElement& e = elements_.emplace_back();
    e.kind = kind;
    e.has_text = item.PropExists("text");
    e.separator = item.Prop("text");
    e.text = lower_ascii(e.separator);
    e.term = item.Prop("term") == "1";
    const std::string skip = item.Prop("skip");
    e.no_blank_skip = skip == "0";
    e.forget_error = skip == "1";
    e.records_error = item.PropExists("err");
    if (e.records_error) e.error = error_message(item.Prop("err"));
    e.add = item.Prop("add");
    e.has_addtext = item.PropExists("addtext");
    e.addtext = xml_escape(item.Prop("addtext"));
    e.node = item.Prop("node");
    e.expr_node = same_text_ignoring_case(e.node, "expr");
    e.uses_node = same_text_ignoring_case(e.node, "uses");
    return e;
}

std::string TfsGrammar::error_message(std::string_view entry) const {
    const TfsXMLItem& root = document_.Root();
    const int parser = root.Find("parser");
    const int errors = parser < 0 ? -1 : root.Items(parser).Find("errors");
    const int index = errors < 0 ? -1 : root.Items(parser).Items(errors).Find(entry);
    std::string message =
        index < 0 ? std::string() : root.Items(parser).Items(errors).Items(index).Prop("text");
    return message.empty() ? std::string(fallback_message) : message;
}

void TfsGrammar::read_parser_section() {
    const TfsXMLItem& root = document_.Root();
    const int parser = root.Find("parser");
    if (parser < 0) return;
    struct TSettingName {
        std::string_view name;
        TSetting setting;
    };
    static constexpr TSettingName names[] = {
        {"identchars", TSetting::identchars},
        {"commentline1", TSetting::commentline1},
        {"commentline2", TSetting::commentline2},
        {"commentblock1", TSetting::commentblock1},
        {"commentblock2", TSetting::commentblock2},
        {"stringquotes", TSetting::stringquotes},
        {"hexsequence", TSetting::hexsequence},
        {"specstrchar", TSetting::specstrchar},
        {"skipeol", TSetting::skipeol},
        {"skipchar", TSetting::skipchar},
        {"casesensitive", TSetting::casesensitive},
    };
    for (const TfsXMLItem& item : root.Items(parser)) {
        if (same_text_ignoring_case(item.Name, "keywords")) {
            for (const TfsXMLItem& word : item)
                keywords_.push_back(word.Name);
        } else if (same_text_ignoring_case(item.Name, "declarevars")) {
            need_declare_vars_ = item.Prop("text") != "0";
        } else {
            for (const TSettingName& n : names)
                if (same_text_ignoring_case(n.name, item.Name))
                    settings_.emplace_back(n.setting, item.Prop("text"));
        }
    }
}

const TfsGrammarElement* TfsGrammar::Rule(std::string_view name) const {
    const int index = document_.Root().Find(name);
    return index < 0 ? nullptr : rules_[static_cast<std::size_t>(index)];
}

// Grows every element's sets from nothing until they settle; each step only
// adds what the children's sets already prove, so the result is safe for
// recursive rules too.
void TfsGrammar::find_lookahead() {
    TfsParser tokenizer;
    Configure(tokenizer);
    const TTokenStarts starts(tokenizer);
    for (bool changed = true; changed;) {
        changed = false;
        for (TfsGrammarElement& e : elements_) {
            auto [fails, passes] = lookahead_of(e, starts);
            if (fails == e.fails_on && passes == e.passes_on) continue;
            e.fails_on = fails;
            e.passes_on = passes;
            changed = true;
        }
    }
    for (TfsGrammarElement& e : elements_)
        e.has_lookahead = e.fails_on.any() || e.passes_on.any();
}

void TfsGrammar::Configure(TfsParser& parser) const {
    for (const std::string& word : keywords_)
        parser.AddKeyword(word);
    for (const auto& [setting, value] : settings_) {
        switch (setting) {
        case TSetting::identchars: parser.ConstructCharset(value); break;
        case TSetting::commentline1: parser.SetCommentLine1(value); break;
        case TSetting::commentline2: parser.SetCommentLine2(value); break;
        case TSetting::commentblock1: parser.SetCommentBlock1(value); break;
        case TSetting::commentblock2: parser.SetCommentBlock2(value); break;
        case TSetting::stringquotes: parser.SetStringQuotes(value); break;
        case TSetting::hexsequence: parser.SetHexSequence(value); break;
        case TSetting::specstrchar: parser.SetSpecStrChar(value == "1"); break;
        case TSetting::skipeol: parser.SetSkipEOL(value != "0"); break;
        case TSetting::skipchar: parser.SetSkiPChar(value); break;
        case TSetting::casesensitive: parser.SetCaseSensitive(value == "1"); break;
        }
    }
}

} // namespace veltran
