#include "engine/method_helper.h"

#include "engine/parser.h"
#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/text.h"
#include "engine/token_value.h"
#include "engine/variant_ops.h"

namespace veltran {
namespace {

[[noreturn]] void invalid_declaration(const std::string& syntax) {
    raise_error("Invalid declaration: " + syntax);
}

std::string punctuation(TfsParser& parser) {
    parser.SkipSpaces();
    return parser.GetChar();
}

// The default value after '=': a number, a string literal, '-' and a number,
// or the current value of a named item (null when nothing has that name).
Variant default_value(TfsParser& parser, const TfsScript& script) {
    parser.SkipSpaces();
    const int start = parser.Position();
    const bool negative = parser.GetChar() == "-";
    if (!negative) parser.SetPosition(start);
    if (std::string number = parser.GetNumber(); !number.empty()) {
        const Variant value = token_value(number);
        return negative ? var_neg(value) : value;
    }
    if (negative) return Variant::null();
    if (std::string literal = parser.GetString(); !literal.empty()) return token_value(literal);
    const std::string name = parser.GetIdent();
    TfsCustomVariable* item = script.Find(name);
    return item ? item->GetValue() : Variant::null();
}

} // namespace

TfsMethodHeading parse_method_heading(const std::string& syntax, const TfsScript& script) {
    TfsMethodHeading heading;
    TfsParser parser;
    if (script.ExtendedCharset)
        for (std::size_t c = 128; c < 256; ++c)
            parser.IdentifierCharset().set(c);
    parser.SetText(syntax);

    std::string kind = lower_ascii(parser.GetWord());
    if (kind.rfind("macro", 0) == 0) {
        heading.is_macro = true;
        kind = kind.substr(5);
    }
    heading.name = parser.GetIdent();
    if (heading.name.empty()) invalid_declaration(syntax);
    if (kind == "function") {
        // The result type is the name after the last ':' of the whole text.
        const std::size_t colon = syntax.rfind(':');
        if (colon != std::string::npos) {
            TfsParser tail;
            tail.SetText(std::string_view(syntax).substr(colon + 1));
            heading.result_type = tail.GetIdent();
        }
    }

    parser.SkipSpaces();
    const int before = parser.Position();
    if (parser.GetChar() != "(") {
        parser.SetPosition(before);
        return heading;
    }
    for (;;) {
        std::vector<std::string> names;
        bool by_ref = false;
        std::string separator;
        for (std::string word = parser.GetIdent(); !word.empty(); word = parser.GetIdent()) {
            const std::string lower = lower_ascii(word);
            if (lower == "var") by_ref = true;
            if (lower == "var" || lower == "const") continue;
            names.push_back(word);
            separator = punctuation(parser);
            if (separator != ",") break;
        }
        if (names.empty() && punctuation(parser) == ")") break; // "()"
        if (names.empty() || separator != ":") invalid_declaration(syntax);
        const std::string type_name = parser.GetIdent();
        if (type_name.empty()) invalid_declaration(syntax);
        std::string next = punctuation(parser);
        Variant def = Variant::null();
        if (next == "=") {
            def = default_value(parser, script);
            next = punctuation(parser);
        }
        const TfsVarType kind_of_param = script.kind_of_type(type_name);
        for (std::size_t i = 0; i < names.size(); ++i) {
            // Only the last name of a group carries the default.
            const bool last = i + 1 == names.size();
            auto param = std::make_unique<TfsParamItem>(names[i], kind_of_param, type_name,
                                                        last && !def.is_null(), by_ref);
            if (last) param->DefValue = def;
            heading.params.push_back(std::move(param));
        }
        if (next == ")") break;
        if (next != ";") invalid_declaration(syntax);
    }
    return heading;
}

TfsMethodHelper::TfsMethodHelper(const std::string& syntax, TfsScript& script)
    : TfsMethodHelper(parse_method_heading(syntax, script), syntax, script) {}

TfsMethodHelper::TfsMethodHelper(TfsMethodHeading heading, const std::string& syntax,
                                 const TfsScript& script)
    : TfsCustomHelper(heading.name,
                      heading.result_type.empty() ? fvtClass
                                                  : script.kind_of_type(heading.result_type),
                      heading.result_type),
      Syntax(syntax), get_name_(UppercaseName() + ".GET"), set_name_(UppercaseName() + ".SET") {
    IsMacro = heading.is_macro;
    for (auto& p : heading.params)
        AddParam(std::move(p));
    args_.resize(static_cast<std::size_t>(Count()));
}

void* TfsMethodHelper::instance() const {
    if (!ParentValue.is_integer()) return nullptr;
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(ParentValue.int64_value()));
}

Variant TfsMethodHelper::call() {
    const std::string& name = IndexMethod ? get_name_ : UppercaseName();
    if (OnCall) return OnCall(instance(), ClassRef, name, std::span(args_));
    if (OnCallNew) return OnCallNew(instance(), ClassRef, name, *this);
    return Variant(0);
}

void TfsMethodHelper::load_arguments() {
    for (int i = 0; i < Count(); ++i)
        args_[static_cast<std::size_t>(i)] = GetParam(i).GetValue();
}

void TfsMethodHelper::store_var_params() {
    for (int i = 0; i < Count(); ++i)
        if (GetParam(i).IsVarParam) GetParam(i).SetValue(args_[static_cast<std::size_t>(i)]);
}

Variant TfsMethodHelper::GetValue() {
    load_arguments();
    Variant result = call();
    store_var_params();
    return result;
}

void TfsMethodHelper::SetValue(const Variant& value) {
    if (!IndexMethod) return;
    load_arguments();
    set_value_ = value;
    if (OnCall) {
        std::vector<Variant> with_value(args_);
        with_value.push_back(value);
        OnCall(instance(), ClassRef, set_name_, std::span(with_value));
    } else if (OnCallNew) {
        OnCallNew(instance(), ClassRef, set_name_, *this);
    }
    set_value_ = Variant();
}

const Variant& TfsMethodHelper::GetVParam(int index) const {
    if (index == Count()) return set_value_;
    GetParam(index); // raises for an index outside the list
    return args_[static_cast<std::size_t>(index)];
}

void TfsMethodHelper::SetVParam(int index, const Variant& value) {
    GetParam(index);
    args_[static_cast<std::size_t>(index)] = value;
}

} // namespace veltran
