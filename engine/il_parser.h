#pragma once
// The grammar-driven parser: walks the grammar of the selected language over
// a script text and builds the IL document, an XML tree of the constructs
// (root `program`, elements with `text`, `pos` and, on `expr`, `pos1`;
// the last child is a copy of the grammar's `types`).
//
// Grammar elements (names compared ignoring case): the terminals `char`,
// `keyword`, `ident`, `number`, `string`, `frstring` and `eol`; `sequence`,
// `switch`, `optionalswitch`, `loop`, `optionalloop` and `optional`; any
// other name refers to the rule of that name. Attributes: `text`, `err`,
// `term`, `skip`, `add`, `addtext` and `node` (see TfsGrammarElement).
// The first error recorded wins; a loop may forget it; a failing rule takes
// back everything it produced.

#include "engine/grammar.h"
#include "engine/parser.h"
#include "engine/xml_document.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

// Asked for the text of a unit named in a uses clause.
using TfsGetUnitText = std::function<void(const std::string& unit_name, std::string& unit_text)>;

// What a compile takes from its script.
struct TfsILOptions {
    // Adds the codes 128..255 to the identifier set.
    bool ExtendedCharset = false;
    // When empty, units are read from files through IncludePath.
    TfsGetUnitText OnGetUnit;
    // Folders tried in order for a unit file; an empty entry is the bare name.
    std::vector<std::string> IncludePath{std::string()};
    // Skips elements that the next character proves will fail; the result
    // is the same either way (off walks every element, for checking that).
    bool Lookahead = true;
};

class TfsILParser {
public:
    explicit TfsILParser(TfsILOptions options = {});

    // Clears the tokenizer and configures it from the language's grammar.
    // Raises "Language '<name>' not found", or "Invalid file format" for a
    // registered grammar that is not a readable document.
    void SelectLanguage(std::string_view lang_name);

    // Walks the rule `program` over the text. True when it matched and no
    // error was recorded; the IL document is then filled, otherwise empty.
    // ErrorMsg and ErrorPos are set in every case (empty on success).
    // A first line "#language NAME" selects that language. Raises
    // "Invalid language definition" for a reference to a missing rule, and
    // the file error of a unit file that cannot be read.
    bool MakeILScript(std::string_view text);

    TfsXMLDocument& ILScript() { return il_script_; }
    // The selected grammar; null before SelectLanguage.
    const TfsGrammar* Grammar() const { return grammar_.get(); }
    TfsParser& Parser() { return parser_; }
    const std::string& LangName() const { return lang_name_; }
    // The unit being compiled; empty for the main text.
    const std::string& UnitName() const { return unit_name_; }
    bool NeedDeclareVars() const { return need_declare_vars_; }

    const std::string& ErrorMsg() const { return error_msg_; }
    const std::string& ErrorPos() const { return error_pos_; }
    // The unit in which the error was found; empty for the main text.
    const std::string& ErrorUnit() const { return error_unit_; }

    // How deep grammar elements may nest in one walk (units included)
    // before the walk stops with "Nesting too deep".
    static constexpr int MaxNesting = 4000;

    // The outcome of one unit of a uses clause.
    struct TUnit {
        bool skipped = false;           // already included
        bool failed = false;            // its compile failed with the error below
        std::unique_ptr<TfsXMLItem> il; // the unit's `program`; null when empty or failed
        std::string error_msg, error_pos, error_unit;
    };

private:
    TfsILParser(const TfsILOptions& options, std::string unit_name, std::vector<std::string> uses,
                int depth);

    int language_line();
    TUnit include_unit(const std::string& name, int depth);
    std::string unit_text(const std::string& name) const;

    TfsILOptions options_;
    TfsParser parser_;
    std::shared_ptr<const TfsGrammar> grammar_;
    TfsXMLDocument il_script_;
    std::string lang_name_;
    std::string unit_name_;
    bool is_unit_ = false; // a unit's name may be empty
    std::vector<std::string> uses_list_;
    int depth_ = 0; // nesting already used by the enclosing texts
    bool need_declare_vars_ = true;
    std::string error_msg_, error_pos_, error_unit_;
};

} // namespace veltran
