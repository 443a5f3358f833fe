// libFuzzer target of the script front end. For any bytes:
// - the PascalScript walk, with and without the lookahead shortcut, gives one
//   result (the IL document, or the same error at the same position), unless
//   the nesting limit stops the full walk, which tries alternatives that go
//   deeper than the shortcut ever does;
// - the IL document written and read back is the same document;
// - the bytes read as an XML document either fail with "Invalid file format"
//   or survive a write and a read unchanged;
// - the tokenizer's readers, under settings taken from the first byte, never
//   stop making progress.
// Nothing may crash, hang or overflow the stack.
#include "engine/il_parser.h"
#include "engine/parser.h"
#include "engine/script_error.h"
#include "engine/xml_document.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using namespace veltran;

void check(bool condition) {
    if (!condition) std::abort();
}

std::string save(const TfsXMLDocument& doc) {
    std::ostringstream out;
    doc.SaveToStream(out);
    return out.str();
}

// The document read back from its own text is written the same way.
void check_round_trip(const std::string& text) {
    TfsXMLDocument copy;
    std::istringstream in(text);
    copy.LoadFromStream(in);
    check(save(copy) == text);
}

std::string walk(std::string_view text, bool lookahead) {
    TfsILOptions options;
    options.Lookahead = lookahead;
    // Units never touch the file system: "self" is this very text.
    options.OnGetUnit = [text](const std::string& name, std::string& unit) {
        unit = name == "self" ? std::string(text) : "var u: integer; begin end.";
    };
    TfsILParser parser(options);
    parser.SelectLanguage("PascalScript");
    try {
        if (!parser.MakeILScript(text))
            return "error " + parser.ErrorMsg() + " at " + parser.ErrorPos() + " in " +
                   parser.ErrorUnit();
    } catch (const TfsError& e) {
        return std::string("raised ") + e.what();
    }
    check(parser.ErrorMsg().empty() && parser.ErrorPos().empty());
    const std::string il = save(parser.ILScript());
    check_round_trip(il);
    return il;
}

void read_as_xml(std::string_view bytes) {
    TfsXMLDocument doc;
    std::istringstream in{std::string(bytes)};
    try {
        doc.LoadFromStream(in);
    } catch (const TfsError& e) {
        check(std::string_view(e.what()) == "Invalid file format");
        return;
    }
    check_round_trip(save(doc));
}

void tokenize(std::string_view bytes) {
    if (bytes.empty()) return;
    const auto settings = static_cast<unsigned char>(bytes.front());
    TfsParser parser;
    parser.SetSkipEOL(settings & 1);
    parser.SetSpecStrChar(settings & 2);
    if (settings & 4) parser.SetSkiPChar("\\");
    if (settings & 8) parser.SetHexSequence("0x");
    if (settings & 16) parser.SetCommentBlock1("<,>>");
    if (settings & 32) parser.SetStringQuotes("\"");
    parser.SetText(bytes.substr(1));
    while (parser.Position() <= parser.Size()) {
        const int before = parser.Position();
        parser.GetXYPosition();
        if (parser.GetWord().empty() && parser.GetNumber().empty() && parser.GetString().empty() &&
            parser.GetChar().empty() && !parser.GetEOL()) {
            if (parser.Position() == before) parser.SetPosition(before + 1);
        }
        check(parser.Position() > before);
    }
}

bool stopped_by_nesting(const std::string& result) {
    return result.starts_with("error Nesting too deep at ");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string shortcut = walk(bytes, true);
    const std::string full = walk(bytes, false);
    check(shortcut == full || stopped_by_nesting(full));
    read_as_xml(bytes);
    tokenize(bytes);
    return 0;
}
