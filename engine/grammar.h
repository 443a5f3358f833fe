#pragma once
// A grammar document made ready for walking: every element of every rule is
// read once into a TfsGrammarElement (its kind, attributes and children, and
// for a rule reference the rule it names), so the walk never searches the
// document or its raw attribute text.
//
// The document: root `language`; its child `parser` holds the tokenizer
// settings (elements with a `text` attribute), `keywords` (one empty child
// per reserved word) and `errors` (`err1`, `err2`, ... with the message in
// `text`); `types` holds type-name aliases; every other child is a rule.

#include "engine/parser.h"
#include "engine/xml_document.h"

#include <bitset>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veltran {

enum class TfsGrammarKind : std::uint8_t {
    Char,
    Keyword,
    Ident,
    Number,
    String,
    FRString,
    Eol,
    Sequence,
    Switch,
    OptionalSwitch,
    Loop,
    OptionalLoop,
    Optional,
    Reference, // any other element name: the rule of that name
    Rule,      // a direct child of the root; its children run as a sequence
};

using TfsLookahead = std::bitset<256>;

struct TfsGrammarElement {
    TfsGrammarKind kind = TfsGrammarKind::Sequence;
    bool has_text = false;
    bool term = false;          // term="1": its error is an expected loop terminator
    bool no_blank_skip = false; // skip="0" on a char
    bool forget_error = false;  // skip="1" on a loop
    bool records_error = false; // has err
    bool expr_node = false;     // node="expr": the wrapping also gets pos1
    bool uses_node = false;     // node="uses": includes units instead of wrapping
    std::string text;           // expected token, lower case
    std::string separator;      // text of a loop, as written
    std::string error;          // message of the err entry
    std::string add;
    std::string addtext; // escaped, ready for an attribute
    bool has_addtext = false;
    std::string node;
    std::vector<const TfsGrammarElement*> children;
    const TfsGrammarElement* rule = nullptr; // Reference: null when no rule has its name

    // Characters that, standing after the blanks, make the element fail at
    // once with no trace: nothing read, produced or recorded inside it. The
    // walk then skips it (its own `err` is still recorded).
    TfsLookahead fails_on;
    // For the optional kinds: characters on which it matches with no trace.
    TfsLookahead passes_on;
    bool has_lookahead = false; // either set is not empty

    bool terminal() const { return kind <= TfsGrammarKind::Eol; }
};

class TfsGrammar {
public:
    // Reads and prepares a grammar text; raises "Invalid file format".
    explicit TfsGrammar(std::string_view text);
    TfsGrammar(const TfsGrammar&) = delete;
    TfsGrammar& operator=(const TfsGrammar&) = delete;

    const TfsXMLDocument& Document() const { return document_; }
    // The rule of that name among the root's children, or null.
    const TfsGrammarElement* Rule(std::string_view name) const;
    // The `types` element (empty when the document has none).
    const TfsXMLItem& Types() const { return *types_; }
    // "declarevars" is not "0": undeclared names are errors.
    bool NeedDeclareVars() const { return need_declare_vars_; }

    // Adds the keywords and applies the tokenizer settings, in document order.
    void Configure(TfsParser& parser) const;

private:
    enum class TSetting : std::uint8_t {
        identchars,
        commentline1,
        commentline2,
        commentblock1,
        commentblock2,
        stringquotes,
        hexsequence,
        specstrchar,
        skipeol,
        skipchar,
        casesensitive,
    };

    void read_parser_section();
    void find_lookahead();
    TfsGrammarElement& prepare(const TfsXMLItem& item, TfsGrammarKind kind);
    std::string error_message(std::string_view entry) const;

    TfsXMLDocument document_;
    TfsXMLItem empty_types_{"types"};
    const TfsXMLItem* types_ = &empty_types_;
    std::deque<TfsGrammarElement> elements_; // stable addresses
    std::vector<TfsGrammarElement*> rules_;  // one per root child, in order
    std::vector<std::string> keywords_;
    std::vector<std::pair<TSetting, std::string>> settings_;
    bool need_declare_vars_ = true;
};

} // namespace veltran
