// Compiling a script's text: the grammar walk builds the IL tree, the
// declaration pass builds the program from it; and Evaluate, which compiles
// an expression in the context of what is running.
#include "engine/codepage.h"
#include "engine/il_compiler.h"
#include "engine/il_parser.h"
#include "engine/script.h"
#include "engine/xml_document.h"

namespace veltran {

TfsILOptions TfsScript::il_options() {
    TfsILOptions options;
    options.ExtendedCharset = ExtendedCharset;
    options.IncludePath = IncludePath;
    if (OnGetUnit)
        options.OnGetUnit = [this](const std::string& unit, std::string& text) {
            OnGetUnit(*this, unit, text);
        };
    return options;
}

bool TfsScript::Compile() {
    refuse_while_running("compile");
    TfsILParser parser(il_options());
    parser.SelectLanguage(SyntaxType);
    const bool made = parser.MakeILScript(lines_);
    set_error(parser.ErrorMsg(), parser.ErrorPos(), parser.ErrorUnit());
    if (!made) return false;
    TfsILCompiler compiler(*this, lines_, parser.NeedDeclareVars());
    return compiler.ParseILScript(parser.ILScript().Root()) && error_msg_.empty();
}

bool TfsScript::GetILCode(std::ostream& stream) {
    TfsILParser parser(il_options());
    parser.SelectLanguage(SyntaxType);
    const bool made = parser.MakeILScript(lines_);
    set_error(parser.ErrorMsg(), parser.ErrorPos(), parser.ErrorUnit());
    if (made) parser.ILScript().SaveToStream(stream);
    return made;
}

bool TfsScript::SetILCode(std::istream& stream) {
    TfsXMLDocument il;
    il.LoadFromStream(stream);
    return compile_il(il.Root());
}

bool TfsScript::compile_il(const TfsXMLItem& il_root) {
    refuse_while_running("compile");
    set_error("", "", "");
    TfsILCompiler compiler(*this);
    return compiler.ParseILScript(il_root) && error_msg_.empty();
}

bool TfsScript::Run() {
    const bool compiled = Compile();
    if (compiled) Execute();
    return compiled;
}

namespace {

bool library_in_reach(const TfsScript* scope) {
    for (; scope; scope = scope->Parent)
        if (scope->RTTIAdded()) return true;
    return false;
}

} // namespace

Variant TfsScript::Evaluate(std::string_view expression) {
    EvaluteRiseError = false;
    TfsScript* context = prog_running_ ? prog_running_ : this;
    TfsScript temporary;
    temporary.Parent = context;
    if (!library_in_reach(context)) temporary.AddRTTI();
    temporary.OnGetVarValue = context->OnGetVarValue;
    temporary.SyntaxType = SyntaxType;
    temporary.SetLines("function fsEvaluateFUNC: Variant; begin Result := " +
                       utf8_to_cp1252(expression) + " end; begin end.");
    // The run-line hook stays quiet while the expression runs.
    TfsRunLineEvent suspended = std::move(OnRunLine);
    OnRunLine = nullptr;
    struct TRestore {
        TfsRunLineEvent& hook;
        TfsRunLineEvent& saved;
        ~TRestore() { hook = std::move(saved); }
    } restore{OnRunLine, suspended};
    if (!temporary.Compile()) {
        EvaluteRiseError = true;
        return Variant::from_utf8(temporary.ErrorMsg());
    }
    return temporary.CallFunction("fsEvaluateFUNC", Variant());
}

} // namespace veltran
