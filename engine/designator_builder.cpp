// Designators: a name followed by members, indexes and call arguments,
// resolved to the items they denote and lowered to the node that reads and
// writes them fastest.
#include "engine/designator_nodes.h"
#include "engine/il_compiler.h"
#include "engine/il_element.h"
#include "engine/parser.h"
#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/token_value.h"

namespace veltran {

// One item of a designator while it is built.
struct TfsDesignatorStep {
    TfsCustomVariable* ref;
    std::vector<TfsExpression> args;
    std::vector<std::string> arg_pos;
    std::vector<std::string> arg_source;
    bool indexed = false; // an indexed property that received its "["
};

namespace {

bool is_call(const TfsCustomVariable& item) {
    return dynamic_cast<const TfsProcVariable*>(&item) ||
           dynamic_cast<const TfsCustomHelper*>(&item);
}

[[noreturn]] void undeclared(const std::string& name) {
    raise_error("Undeclared identifier: " + quoted(name));
}

TfsCustomVariable& shared_helper(const TfsScript& prog, const char* name) {
    auto* helper = dynamic_cast<TfsCustomHelper*>(prog.Find(name));
    if (!helper) undeclared(name);
    return *helper;
}

TfsNodePtr variable_node(TfsCustomVariable& ref) {
    auto* variable = dynamic_cast<TfsVariable*>(&ref);
    if (variable && variable->is_plain()) {
        // A constant never changes: its value is the node.
        if (variable->IsReadOnly) return std::make_unique<TfsConstNode>(*variable->PValue());
        const bool text = dynamic_cast<TfsStringVariable*>(variable) != nullptr;
        return with_store_for(variable->Typ, text, [&](auto store) -> TfsNodePtr {
            return std::make_unique<TfsVariableNode<decltype(store)>>(*variable);
        });
    }
    if (dynamic_cast<TfsParamItem*>(&ref))
        return std::make_unique<TfsVariableNode<TfsStoreRaw>>(ref);
    return std::make_unique<TfsItemNode>(ref);
}

std::vector<TfsNodePtr> nodes_of(std::vector<TfsExpression>& args) {
    std::vector<TfsNodePtr> nodes;
    for (TfsExpression& a : args)
        nodes.push_back(std::move(a.node));
    return nodes;
}

} // namespace

TfsDesignator TfsILCompiler::DoDesignator(const TfsXMLItem& xi, TfsScript& prog, TfsEmitOp emit_op,
                                          bool need_result) {
    at(xi);
    if (xi.Count() && il_is(xi.Items(0), "addr")) {
        // @Name is the name itself, as a string.
        if (xi.Count() != 2) raise_error("Variable required");
        TfsDesignator d;
        d.node = std::make_unique<TfsConstNode>(ansi_text_value(il_text(xi.Items(1))));
        d.type = {fvtString, "String"};
        return d;
    }
    std::vector<TfsDesignatorStep> steps;
    for (const TfsXMLItem& c : xi) {
        at(c);
        if (il_is(c, "expr")) {
            if (steps.empty()) raise_error("Identifier expected");
            TfsDesignatorStep& step = steps.back();
            step.arg_pos.push_back(il_pos(c));
            step.arg_source.push_back(step.ref->IsMacro ? source_between(il_pos(c), c.Prop("pos1"))
                                                        : "");
            step.args.push_back(expression(c, prog));
            continue;
        }
        if (il_is(c, "addr")) raise_error("Variable required");
        if (!il_is(c, "node")) continue;
        const std::string name = il_text(c);
        if (steps.empty()) {
            if (const TWithEntry* with = with_entry_for(name, prog))
                return late_bound_member(xi, *with, prog, need_result);
            steps.push_back({&find_simple_name(name, prog), {}, {}, {}, false});
            if (emit_op == TfsEmitOp::emCreate) {
                if (!dynamic_cast<TfsClassVariable*>(steps.back().ref))
                    raise_error("Class type required");
                undeclared("Create"); // registered classes carry no members here
            }
            continue;
        }
        if (!next_step(steps, name, prog)) return late_bound(xi, prog, need_result);
    }
    if (steps.empty()) raise_error("Identifier expected");
    if (emit_op == TfsEmitOp::emFree) {
        const TfsVarType kind = steps.back().ref->Typ;
        if (kind != fvtClass && kind != fvtVariant) raise_error("Class type required");
        undeclared("Free");
    }
    return finish_designator(steps, prog, need_result);
}

// Appends the item `name` (a member, or "[" for an index) resolves to after
// the last one; false when the designator can only be resolved at run time.
bool TfsILCompiler::next_step(std::vector<TfsDesignatorStep>& steps, const std::string& name,
                              TfsScript& prog) {
    TfsCustomVariable& previous = *steps.back().ref;
    const bool index = name == "[";
    auto* method = dynamic_cast<TfsMethodHelper*>(&previous);
    if (method && method->IndexMethod && !steps.back().indexed) {
        if (!index) raise_error("Index required");
        steps.back().indexed = true; // the indexes are the method's arguments
        return true;
    }
    TfsVarType kind = previous.Typ;
    auto add = [&](TfsCustomVariable& item) { steps.push_back({&item, {}, {}, {}, false}); };
    if (kind == fvtVariant) {
        // A value decides what follows: known at compile time only for
        // variables; a call result is indexed as an array.
        if (is_call(previous)) {
            if (!index && !at_run_time_) return false;
            if (!index) undeclared(name);
            add(shared_helper(prog, "__ArrayHelper"));
            return true;
        }
        const Variant value = previous.GetValue();
        if (value.is_null()) {
            if (!at_run_time_) return false;
            if (!index) undeclared(name);
            add(shared_helper(prog, "__ArrayHelper"));
            return true;
        }
        if (value.is_array()) {
            if (!index) raise_error("Index required");
            add(shared_helper(prog, "__ArrayHelper"));
            return true;
        }
        if (!value.is_string()) {
            // An object: without run-time type information it has no members.
            if (index) raise_error("Array type required");
            undeclared(name);
        }
        kind = fvtString;
    }
    switch (kind) {
    case fvtString:
        if (!index) raise_error("Strings doesn't have properties or methods");
        add(shared_helper(prog, "__StringHelper"));
        return true;
    case fvtClass: {
        if (!prog.FindClass(previous.TypeName))
            raise_error("Unknown type: " + quoted(previous.TypeName));
        if (index)
            raise_error("Class " + cp1252_to_utf8(previous.TypeName) +
                        " does not have a default property");
        const Variant value = is_call(previous) ? Variant::null() : previous.GetValue();
        const bool nil =
            value.is_null() || value.is_empty() || (value.is_integer() && value.int64_value() == 0);
        if (nil && !prog.IsRunning() && prog.UseClassLateBinding && !at_run_time_) return false;
        undeclared(name);
    }
    case fvtArray:
        if (auto* helper = dynamic_cast<TfsArrayHelper*>(previous.RefItem))
            add(*helper);
        else
            add(shared_helper(prog, "__ArrayHelper"));
        return true;
    default: raise_error("Array type required");
    }
}

void TfsILCompiler::check_arguments(TfsDesignatorStep& step) {
    const TfsCustomVariable& ref = *step.ref;
    const int given = static_cast<int>(step.args.size());
    if (given < ref.GetNumberOfRequiredParams()) raise_error("Not enough actual parameters");
    if (given > ref.Count()) raise_error("Too many actual parameters");
    for (int i = given; i < ref.Count(); ++i) {
        step.args.push_back(constant_expression(ref.GetParam(i).DefValue));
        step.arg_source.push_back("");
    }
    for (int i = 0; i < given; ++i) {
        error_pos_ = step.arg_pos[static_cast<std::size_t>(i)];
        check_compatible(ref.GetParam(i).type_rec(), step.args[static_cast<std::size_t>(i)].type);
    }
}

TfsDesignator TfsILCompiler::finish_designator(std::vector<TfsDesignatorStep>& steps,
                                               TfsScript& prog, bool need_result) {
    for (TfsDesignatorStep& step : steps)
        check_arguments(step);
    TfsDesignatorStep& first = steps.front();
    const TfsCustomVariable& last = *steps.back().ref;
    TfsDesignator d;
    d.type = last.type_rec();
    if (last.Typ == fvtConstructor) d.type.Typ = fvtClass;
    d.read_only = last.IsReadOnly;

    if (steps.size() == 1) {
        d.item = first.ref;
        d.node = single_item_node(first, prog, need_result);
        return d;
    }
    if (steps.size() == 2) {
        TfsCustomVariable& base = *first.ref;
        auto* variable = dynamic_cast<TfsVariable*>(&base);
        if (dynamic_cast<TfsStringVariable*>(&base) && steps[1].args.size() == 1) {
            d.node = std::make_unique<TfsStringIndexNode>(base, std::move(steps[1].args[0].node));
            return d;
        }
        if (variable && variable->Typ == fvtArray && variable->is_plain() &&
            steps[1].ref == base.RefItem) {
            d.node = std::make_unique<TfsArrayIndexNode>(base, nodes_of(steps[1].args));
            return d;
        }
    }
    std::vector<TfsDesignatorItem> items;
    for (TfsDesignatorStep& step : steps) {
        TfsDesignatorItem item;
        item.ref = step.ref;
        item.args = nodes_of(step.args);
        items.push_back(std::move(item));
    }
    auto chain = std::make_unique<TfsChainNode>(std::move(items), prog.run_state().slots);
    chain->set_need_result(need_result);
    d.node = std::move(chain);
    return d;
}

TfsNodePtr TfsILCompiler::single_item_node(TfsDesignatorStep& step, TfsScript& prog,
                                           bool need_result) {
    TfsCustomVariable& ref = *step.ref;
    if (auto* proc = dynamic_cast<TfsProcVariable*>(&ref))
        return std::make_unique<TfsProcCallNode>(*proc, nodes_of(step.args));
    if (auto* method = dynamic_cast<TfsMethodHelper*>(&ref)) {
        std::vector<TfsNodePtr> args = nodes_of(step.args);
        // A macro receives the source text of each argument instead of its value.
        if (method->IsMacro)
            for (std::size_t i = 0; i < args.size(); ++i)
                if (!step.arg_source[i].empty())
                    args[i] = std::make_unique<TfsConstNode>(
                        Variant::from_ansi(step.arg_source[i]).to_ustring());
        return std::make_unique<TfsMethodCallNode>(*method, std::move(args), need_result,
                                                   prog.run_state().slots);
    }
    return variable_node(ref);
}

// ---- late binding and WITH ------------------------------------------------------------

TfsDesignator TfsILCompiler::late_bound(const TfsXMLItem& xi, TfsScript& prog, bool need_result) {
    auto copy = std::make_shared<TfsXMLItem>();
    copy->Assign(xi);
    TfsScript* script = &script_;
    TfsScript* scope = &prog;
    const bool declare_vars = declare_vars_;
    TfsDesignator d;
    d.node = std::make_unique<TfsLateBoundNode>([=]() {
        TfsILCompiler compiler(*script, {}, declare_vars);
        compiler.at_run_time_ = true;
        return compiler.DoDesignator(*copy, *scope, TfsEmitOp::emNone, need_result).node;
    });
    d.type = {fvtVariant, "Variant"};
    d.read_only = false;
    return d;
}

TfsDesignator TfsILCompiler::late_bound_member(const TfsXMLItem& xi, const TWithEntry& with,
                                               TfsScript& prog, bool need_result) {
    // The same access path with the WITH object's hidden variable in front.
    TfsXMLItem copy;
    copy.Assign(xi);
    auto object = std::make_unique<TfsXMLItem>("node");
    object->SetProp("text", with.name);
    object->SetProp("pos", il_pos(xi));
    copy.InsertItem(0, std::move(object));
    return late_bound(copy, prog, need_result);
}

const TfsILCompiler::TWithEntry* TfsILCompiler::with_entry_for(const std::string& name,
                                                               TfsScript& scope) const {
    for (auto it = with_list_.rbegin(); it != with_list_.rend(); ++it) {
        if (it->scope != &scope) continue;
        // Registered classes carry no members here, so only a Variant object
        // can supply a member, and only a name that means nothing else.
        if (it->variable->Typ == fvtVariant) return scope.Find(name) ? nullptr : &*it;
    }
    return nullptr;
}

std::string TfsILCompiler::source_between(const std::string& pos, const std::string& pos1) {
    if (source_.empty()) return {};
    TfsParser parser;
    parser.SetText(source_);
    const int from = parser.GetPlainPosition(PosToPoint(pos));
    const int to = parser.GetPlainPosition(PosToPoint(pos1));
    if (from < 1 || to < from || static_cast<std::size_t>(to) > source_.size() + 1) return {};
    return source_.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from));
}

} // namespace veltran
