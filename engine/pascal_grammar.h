#pragma once
// The grammar of the script language "PascalScript", kept in
// engine/pascal_grammar.xml and compiled into the library.

#include <string_view>

namespace veltran {

std::string_view PascalGrammarText();

// Stands for the Pascal language in a host; the grammar itself is registered
// with the language registry from the start.
class TfsPascal {};

} // namespace veltran
