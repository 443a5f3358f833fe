// The declaration pass: variables, constants, parameters, procedures and
// functions with their scopes, type names, units, and the lookup of names.
#include "engine/designator_nodes.h"
#include "engine/il_compiler.h"
#include "engine/il_element.h"
#include "engine/run_state.h"
#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/statements.h"
#include "engine/xml_document.h"

#include <sstream>

namespace veltran {

TfsILCompiler::TfsILCompiler(TfsScript& script, std::string source, bool declare_vars)
    : script_(script), source_(std::move(source)), declare_vars_(declare_vars) {}

TfsILCompiler::~TfsILCompiler() = default;

void TfsILCompiler::at(const TfsXMLItem& e) {
    // Every element handler passes here: deep nesting fails cleanly.
    fs_check_machine_stack();
    error_pos_ = il_pos(e);
}

bool TfsILCompiler::ParseILScript(const TfsXMLItem& root) {
    with_list_.clear();
    unit_name_.clear();
    error_pos_.clear();
    script_.set_error(script_.ErrorMsg(), script_.ErrorPos(), "");
    grammar_types_ = root.Count() && il_is(root.Items(root.Count() - 1), "types")
                         ? &root.Items(root.Count() - 1)
                         : nullptr;
    try {
        block(root, script_);
    } catch (const std::exception& e) {
        script_.set_error(e.what(), error_pos_, unit_name_);
        return false;
    }
    script_.set_error(script_.ErrorMsg(), "", "");
    return true;
}

// ---- blocks ------------------------------------------------------------------

void TfsILCompiler::block(const TfsXMLItem& e, TfsScript& scope) {
    const TfsXMLItem* outer = block_;
    block_ = &e;
    // Procedure items exist before any body is compiled, so a procedure may
    // call one declared after it.
    declare_procedures(e, scope);
    dispatch_children(e, scope, scope.Statement());
    block_ = outer;
}

void TfsILCompiler::declare_procedures(const TfsXMLItem& e, TfsScript& scope) {
    for (const TfsXMLItem& child : e) {
        if (il_is(child, "procedure") || il_is(child, "function"))
            declare_procedure(child, scope);
        else if (il_is(child, "compoundstmt"))
            declare_procedures(child, scope);
    }
}

namespace {

// The name of a procedure element: its first child, or the `name` child of a function.
const TfsXMLItem* procedure_name(const TfsXMLItem& e) {
    if (il_is(e, "function")) return il_child(e, "name");
    return e.Count() ? &e.Items(0) : nullptr;
}

} // namespace

void TfsILCompiler::declare_procedure(const TfsXMLItem& e, TfsScript& scope) {
    at(e);
    const TfsXMLItem* name_leaf = procedure_name(e);
    if (!name_leaf) raise_error("Identifier expected");
    const std::string name = il_text(*name_leaf);
    at(*name_leaf);
    check_redeclared(name, scope);

    TfsTypeRec result{fvtInt, ""};
    bool is_func = false;
    if (il_is(e, "function")) {
        result = {fvtVariant, "Variant"};
        if (const TfsXMLItem* type = il_child(e, "type")) {
            at(*type);
            result = resolve_type(il_text(*type));
        }
        is_func = !same_text_ignoring_case(result.TypeName, "void");
    }
    auto proc =
        std::make_unique<TfsProcVariable>(name, result.Typ, result.TypeName, &scope, is_func);
    proc->SourcePos = il_pos(e);
    proc->SourceUnit = unit_name_;
    TfsScript& body = proc->Program();
    if (is_func) {
        auto& variable = static_cast<TfsCustomVariable&>(body.Add(
            "Result", std::make_unique<TfsVariable>("Result", result.Typ, result.TypeName)));
        proc->RefItem = &variable;
    }
    if (const TfsXMLItem* params = il_child(e, "parameters"))
        declare_parameters(*params, *proc, body);
    scope.Add(name, std::move(proc));
}

void TfsILCompiler::declare_parameters(const TfsXMLItem& e, TfsCustomVariable& proc,
                                       TfsScript& scope) {
    bool by_ref = false;
    for (const TfsXMLItem& group : e) {
        if (il_is(group, "varparams")) {
            by_ref = true;
            continue;
        }
        if (!il_is(group, "var")) continue;
        for (const TfsXMLItem& ident : group) {
            if (!il_is(ident, "ident")) continue;
            at(ident);
            const std::string name = il_text(ident);
            check_redeclared(name, scope);
            std::unique_ptr<TfsParamItem> param(static_cast<TfsParamItem*>(
                create_variable(group, name, scope, true, by_ref).release()));
            param->DefValue = param->GetValue();
            scope.AddReference(name, proc.AddParam(std::move(param)));
        }
        by_ref = false;
    }
}

void TfsILCompiler::compile_procedure_body(const TfsXMLItem& e, TfsScript& scope) {
    at(e);
    const TfsXMLItem* name_leaf = procedure_name(e);
    const std::string name = name_leaf ? il_text(*name_leaf) : std::string();
    auto* proc = dynamic_cast<TfsProcVariable*>(scope.FindLocal(name));
    if (!proc) raise_error("Undeclared identifier: " + quoted(name));
    block(e, proc->Program());
}

// ---- variables and constants ----------------------------------------------------

void TfsILCompiler::declare_variables(const TfsXMLItem& e, TfsScript& scope) {
    const TfsXMLItem* init = il_child(e, "init");
    for (const TfsXMLItem& ident : e) {
        if (!il_is(ident, "ident")) continue;
        at(ident);
        const std::string name = il_text(ident);
        check_redeclared(name, scope);
        auto& variable = static_cast<TfsCustomVariable&>(
            scope.Add(name, create_variable(e, name, scope, false, false)));
        if (!init || init->Count() == 0) continue;
        // The initializer runs where the declaration stands: globals when
        // Execute runs, locals on every call.
        at(e);
        TfsDesignator target;
        target.node = std::make_unique<TfsItemNode>(variable);
        target.type = variable.type_rec();
        target.read_only = false;
        target.item = &variable;
        TfsExpression value = expression(init->Items(0), scope);
        at(e);
        scope.Statement().Add(assignment_to(std::move(target), std::move(value), e, scope));
        scope.AddCodeLine(unit_name_, il_pos(e));
    }
}

namespace {

Variant initial_value(TfsVarType kind) {
    switch (kind) {
    case fvtBool: return Variant(false);
    case fvtChar:
    case fvtString: return Variant(u"");
    case fvtInt:
    case fvtFloat:
    case fvtClass:
    case fvtInt64: return Variant(0);
    default: return Variant::null();
    }
}

// The bounds of one array dimension: a size n gives 0..n-1.
TArrayBound dimension(const std::vector<Variant>& values) {
    if (values.size() == 1) return {0, values[0].to_int() - 1};
    return {values[0].to_int(), values[1].to_int()};
}

} // namespace

Variant TfsILCompiler::array_value(const TfsXMLItem& array, TfsScript& scope) {
    std::vector<TArrayBound> bounds;
    for (const TfsXMLItem& dim : array) {
        if (!il_is(dim, "dim")) continue;
        at(dim);
        std::vector<Variant> values;
        for (const TfsXMLItem& bound : dim)
            if (il_is(bound, "expr") && values.size() < 2)
                values.push_back(expression(bound, scope).node->eval());
        if (values.empty()) raise_error("Expression expected");
        bounds.push_back(dimension(values));
    }
    if (bounds.empty()) bounds.push_back({0, 0});
    return Variant::array(bounds);
}

std::unique_ptr<TfsCustomVariable> TfsILCompiler::create_variable(const TfsXMLItem& group,
                                                                  const std::string& name,
                                                                  TfsScript& scope, bool parameter,
                                                                  bool by_ref) {
    TfsTypeRec type{fvtVariant, "Variant"};
    if (const TfsXMLItem* type_leaf = il_child(group, "type")) {
        at(*type_leaf);
        type = resolve_type(il_text(*type_leaf));
    }
    const TfsTypeRec element = type;
    Variant value = initial_value(type.Typ);
    TfsArrayHelper* helper = nullptr;
    if (const TfsXMLItem* array = il_child(group, "array")) {
        value = array_value(*array, scope);
        type.Typ = fvtArray;
        auto accessor = std::make_unique<TfsArrayHelper>("", value.array_dim_count(), element.Typ,
                                                         element.TypeName);
        helper = &static_cast<TfsArrayHelper&>(scope.Add("", std::move(accessor)));
    }
    const TfsXMLItem* init = il_child(group, "init");
    const bool has_default = parameter && init && init->Count();
    if (has_default) {
        TfsExpression def = expression(init->Items(0), scope);
        check_compatible(type, def.type);
        value = def.node->eval();
    }

    std::unique_ptr<TfsCustomVariable> item;
    if (parameter)
        item = std::make_unique<TfsParamItem>(name, type.Typ, type.TypeName, has_default, by_ref);
    else if (type.Typ == fvtChar || type.Typ == fvtString)
        item = std::make_unique<TfsStringVariable>(name, type.Typ, type.TypeName);
    else
        item = std::make_unique<TfsVariable>(name, type.Typ, type.TypeName);
    item->SetValue(value);
    item->RefItem = helper;
    item->SourcePos = il_pos(group);
    item->SourceUnit = unit_name_;
    item->OnGetVarValue = scope.OnGetVarValue;
    return item;
}

void TfsILCompiler::declare_constant(const TfsXMLItem& e, TfsScript& scope) {
    at(e);
    if (e.Count() < 2) raise_error("Expression expected");
    const std::string name = il_text(e.Items(0));
    at(e.Items(0));
    check_redeclared(name, scope);
    TfsExpression value = expression(e.Items(1), scope);
    auto constant = std::make_unique<TfsVariable>(name, value.type.Typ, value.type.TypeName);
    *constant->PValue() = value.node->eval();
    constant->IsReadOnly = true;
    constant->SourcePos = il_pos(e);
    constant->SourceUnit = unit_name_;
    scope.Add(name, std::move(constant));
}

void TfsILCompiler::include_unit(const TfsXMLItem& e, TfsScript& scope) {
    at(e);
    const std::string outer = unit_name_;
    unit_name_ = e.Prop("unit");
    std::string il_text_of_unit;
    if (script_.OnGetILUnit) script_.OnGetILUnit(script_, unit_name_, il_text_of_unit);
    if (!il_text_of_unit.empty()) {
        TfsXMLDocument unit;
        std::istringstream in(il_text_of_unit);
        unit.LoadFromStream(in);
        block(unit.Root(), scope);
    } else {
        for (const TfsXMLItem& child : e)
            block(child, scope);
    }
    // Restored only on success: an error reports the unit it happened in.
    unit_name_ = outer;
}

// ---- names and types ----------------------------------------------------------------

void TfsILCompiler::check_redeclared(const std::string& name, const TfsScript& scope) {
    if (scope.FindLocal(name)) raise_error("Identifier redeclared: " + quoted(name));
}

namespace {

// The type an alias of a `types` element stands for, or the name itself.
std::string alias_target(const TfsXMLItem* types, const std::string& name) {
    if (!types) return name;
    const int i = types->Find(name);
    return i < 0 ? name : types->Items(i).Prop("type");
}

} // namespace

TfsTypeRec TfsILCompiler::resolve_type(const std::string& type_name) {
    std::string name = type_name;
    const std::string local = alias_target(block_ ? il_child(*block_, "types") : nullptr, name);
    name = local != name ? local : alias_target(grammar_types_, name);
    const TfsCustomVariable* item = script_.Find(name);
    const TfsVarType kind = item ? item->Typ : fvtClass;
    if (kind == fvtClass && !script_.FindClass(name)) raise_error("Unknown type: " + quoted(name));
    return {kind, name};
}

TfsCustomVariable& TfsILCompiler::find_simple_name(const std::string& name, TfsScript& scope) {
    if (TfsCustomVariable* item = scope.Find(name)) return *item;
    if (declare_vars_) raise_error("Undeclared identifier: " + quoted(name));
    // Without declarations, an unknown name is a Variant variable of the script.
    return static_cast<TfsCustomVariable&>(
        script_.Add(name, std::make_unique<TfsVariable>(name, fvtVariant, "Variant")));
}

void TfsILCompiler::check_compatible(const TfsTypeRec& target, const TfsTypeRec& value) {
    const auto descends = [this](std::string_view derived, std::string_view base) {
        return script_.descends_from(derived, base);
    };
    if (!types_compatible(target, value, TfsCheck::assignment, descends))
        raise_error(incompatible_types_message(target, value));
}

} // namespace veltran
