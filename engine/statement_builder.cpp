// The statement dispatcher and the builders of every statement.
#include "engine/assign_statements.h"
#include "engine/designator_nodes.h"
#include "engine/il_compiler.h"
#include "engine/il_element.h"
#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/set_expression.h"
#include "engine/statements.h"

#include <optional>

namespace veltran {
namespace {

template <class F> decltype(auto) with_operator(TfsAssignOp op, F&& f) {
    switch (op) {
    case TfsAssignOp::plus: return f(TfsOpAdd{});
    case TfsAssignOp::minus: return f(TfsOpSub{});
    case TfsAssignOp::mul: return f(TfsOpMul{});
    default: return f(TfsOpDiv{});
    }
}

std::optional<TfsAssignOp> assign_op_of(TfsOp op) {
    switch (op) {
    case TfsOp::plus: return TfsAssignOp::plus;
    case TfsOp::minus: return TfsAssignOp::minus;
    case TfsOp::mul: return TfsAssignOp::mul;
    case TfsOp::div_float: return TfsAssignOp::div;
    default: return std::nullopt;
    }
}

TfsOp tfs_op_of(TfsAssignOp op) {
    switch (op) {
    case TfsAssignOp::plus: return TfsOp::plus;
    case TfsAssignOp::minus: return TfsOp::minus;
    case TfsAssignOp::mul: return TfsOp::mul;
    default: return TfsOp::div_float;
    }
}

std::optional<TfsAssignOp> modificator_op(const std::string& text) {
    if (text == "+") return TfsAssignOp::plus;
    if (text == "-") return TfsAssignOp::minus;
    if (text == "*") return TfsAssignOp::mul;
    if (text == "/") return TfsAssignOp::div;
    return std::nullopt;
}

bool is_operand_of(const TfsBuildNode* node, const TfsCustomVariable* variable) {
    return node && node->op == TfsOp::operand && node->item == variable;
}

// x := x op e becomes x op= e (x := e op x too, for + and * on numbers):
// the operand left to evaluate, and the operator, or nothing.
std::optional<TfsAssignOp> self_assignment(TfsTypedTree& tree, const TfsDesignator& target,
                                           std::unique_ptr<TfsBuildNode>& operand) {
    const bool plain =
        dynamic_cast<TfsVariable*>(target.item) || dynamic_cast<TfsParamItem*>(target.item);
    TfsBuildNode& top = *tree.root;
    const std::optional<TfsAssignOp> op = assign_op_of(top.op);
    if (!plain || !op || !top.left || !top.right) return std::nullopt;
    if (is_operand_of(top.left.get(), target.item)) {
        operand = std::move(top.right);
        return op;
    }
    const TfsVarType kind = target.item->Typ;
    const bool commutes = *op == TfsAssignOp::plus || *op == TfsAssignOp::mul;
    if (commutes && kind != fvtString && kind != fvtVariant &&
        is_operand_of(top.right.get(), target.item)) {
        operand = std::move(top.left);
        return op;
    }
    return std::nullopt;
}

} // namespace

// ---- the dispatcher ----------------------------------------------------------------

void TfsILCompiler::dispatch_children(const TfsXMLItem& e, TfsScript& scope, TfsStatement& target,
                                      int from, int to) {
    const int end = to < 0 ? e.Count() : to;
    for (int i = from; i < end; ++i)
        dispatch(e.Items(i), scope, target);
}

void TfsILCompiler::dispatch(const TfsXMLItem& e, TfsScript& scope, TfsStatement& target) {
    at(e);
    if (il_is(e, "compoundstmt")) return dispatch_children(e, scope, target);
    if (il_is(e, "var")) return declare_variables(e, scope);
    if (il_is(e, "const")) return declare_constant(e, scope);
    if (il_is(e, "procedure") || il_is(e, "function")) return compile_procedure_body(e, scope);
    if (il_is(e, "uses")) return include_unit(e, scope);
    if (il_is(e, "with")) {
        with_statement(e, scope, target);
    } else if (il_is(e, "return")) {
        return_statement(e, scope, target);
    } else {
        std::unique_ptr<TfsStatement> statement = build_statement(e, scope);
        if (!statement) return; // not a statement
        target.Add(std::move(statement));
    }
    scope.AddCodeLine(unit_name_, il_pos(e));
}

std::unique_ptr<TfsStatement> TfsILCompiler::build_statement(const TfsXMLItem& e,
                                                             TfsScript& scope) {
    if (il_is(e, "assignstmt")) return assignment(e, scope);
    if (il_is(e, "callstmt") || il_is(e, "delete")) return call(e, scope);
    if (il_is(e, "ifstmt")) return if_statement(e, scope);
    if (il_is(e, "casestmt")) return case_statement(e, scope);
    if (il_is(e, "whilestmt")) return while_statement(e, scope);
    if (il_is(e, "repeatstmt")) return repeat_statement(e, scope);
    if (il_is(e, "forstmt")) return for_statement(e, scope);
    if (il_is(e, "vbforstmt")) return vb_for_statement(e, scope);
    if (il_is(e, "cppforstmt")) return cpp_for_statement(e, scope);
    if (il_is(e, "trystmt")) return try_statement(e, scope);
    if (il_is(e, "break")) return std::make_unique<TfsBreakStmt>(scope, unit_name_, il_pos(e));
    if (il_is(e, "continue"))
        return std::make_unique<TfsContinueStmt>(scope, unit_name_, il_pos(e));
    if (il_is(e, "exit")) return std::make_unique<TfsExitStmt>(scope, unit_name_, il_pos(e));
    return nullptr;
}

const TfsXMLItem& TfsILCompiler::child(const TfsXMLItem& e, int index) {
    if (index >= e.Count()) raise_error("Expression expected");
    return e.Items(index);
}

// ---- assignments and calls -----------------------------------------------------------

std::unique_ptr<TfsStatement> TfsILCompiler::assignment(const TfsXMLItem& e, TfsScript& scope) {
    TfsDesignator target = DoDesignator(child(e, 0), scope, TfsEmitOp::emNone);
    int next = 1;
    std::optional<TfsAssignOp> op;
    if (il_is(child(e, 1), "modificator")) {
        op = modificator_op(il_text(e.Items(1)));
        next = 2;
    }
    TfsTypedTree tree = typed_tree(child(e, next), scope);
    if (target.read_only) raise_error("Left side cannot be assigned to");
    check_compatible(target.type, tree.root->type);
    std::unique_ptr<TfsBuildNode> operand;
    if (!op) op = self_assignment(tree, target, operand);
    TfsExpression value = lower(operand ? *operand : *tree.root);
    at(e);
    return assignment_statement(std::move(target), std::move(value.node), op, e, scope);
}

std::unique_ptr<TfsStatement> TfsILCompiler::assignment_to(TfsDesignator target,
                                                           TfsExpression value, const TfsXMLItem& e,
                                                           TfsScript& scope) {
    check_compatible(target.type, value.type);
    return assignment_statement(std::move(target), std::move(value.node), std::nullopt, e, scope);
}

std::unique_ptr<TfsStatement> TfsILCompiler::assignment_statement(TfsDesignator target,
                                                                  TfsNodePtr value,
                                                                  std::optional<TfsAssignOp> op,
                                                                  const TfsXMLItem& e,
                                                                  TfsScript& scope) {
    const std::string pos = il_pos(e);
    auto* variable = dynamic_cast<TfsVariable*>(target.item);
    const bool param = dynamic_cast<TfsParamItem*>(target.item) != nullptr;
    const bool in_place = (variable && variable->is_plain() && !variable->IsReadOnly) || param;
    if (!in_place) {
        if (!op)
            return std::make_unique<TfsAssignmentStmt>(scope, unit_name_, pos,
                                                       std::move(target.node), std::move(value));
        return std::make_unique<TfsCompoundAssignStmt>(
            scope, unit_name_, pos, std::move(target.node), std::move(value), *op);
    }
    Variant& slot = *target.item->PValue();
    const bool text = dynamic_cast<TfsStringVariable*>(target.item) != nullptr;
    const TfsVarType kind = param ? fvtVariant : target.item->Typ;
    if (kind == fvtInt && !param && value->is_int() && (!op || *op != TfsAssignOp::div)) {
        // An Integer variable from an integer expression: no Variant on the
        // way (x op e of two integer expressions is one).
        if (op)
            value = operator_node(tfs_op_of(*op), false, std::move(target.node), std::move(value));
        return std::make_unique<TfsIntAssignStmt>(scope, unit_name_, pos, slot, std::move(value));
    }
    return with_store_for(kind, text, [&](auto store) -> std::unique_ptr<TfsStatement> {
        using Store = decltype(store);
        if (!op && value->storage())
            return std::make_unique<TfsVarCopyStmt<Store>>(scope, unit_name_, pos, slot,
                                                           *value->storage());
        if (!op)
            return std::make_unique<TfsVarAssignStmt<Store>>(scope, unit_name_, pos, slot,
                                                             std::move(value));
        // An operand that may call code may change the variable: read it first.
        if (value->may_call())
            return std::make_unique<TfsCompoundAssignStmt>(
                scope, unit_name_, pos, std::move(target.node), std::move(value), *op);
        if (*op == TfsAssignOp::plus && text)
            return std::make_unique<TfsStringAppendStmt>(scope, unit_name_, pos, slot,
                                                         std::move(value));
        return with_operator(*op, [&](auto operation) -> std::unique_ptr<TfsStatement> {
            using Op = decltype(operation);
            if (const Variant* c = value->constant())
                return std::make_unique<TfsVarCompoundConstStmt<Store, Op>>(scope, unit_name_, pos,
                                                                            slot, *c);
            return std::make_unique<TfsVarCompoundStmt<Store, Op>>(scope, unit_name_, pos, slot,
                                                                   std::move(value));
        });
    });
}

std::unique_ptr<TfsStatement> TfsILCompiler::call(const TfsXMLItem& e, TfsScript& scope) {
    const TfsEmitOp emit = il_is(e, "delete") ? TfsEmitOp::emFree : TfsEmitOp::emNone;
    TfsDesignator d = DoDesignator(child(e, 0), scope, emit, false);
    int modificator = 0;
    if (e.Count() > 1 && il_is(e.Items(1), "modificator")) {
        modificator = il_text(e.Items(1)) == "-" ? -1 : 1;
        if (d.read_only) raise_error("Left side cannot be assigned to");
    }
    at(e);
    return std::make_unique<TfsCallStmt>(scope, unit_name_, il_pos(e), std::move(d.node),
                                         modificator);
}

void TfsILCompiler::return_statement(const TfsXMLItem& e, TfsScript& scope, TfsStatement& target) {
    if (e.Count() == 1) {
        TfsCustomVariable& result = find_simple_name("Result", scope);
        TfsDesignator d;
        d.node = std::make_unique<TfsItemNode>(result);
        d.type = result.type_rec();
        d.read_only = result.IsReadOnly;
        d.item = &result;
        if (d.read_only) raise_error("Left side cannot be assigned to");
        TfsExpression value = expression(e.Items(0), scope);
        target.Add(assignment_to(std::move(d), std::move(value), e, scope));
    }
    target.Add(std::make_unique<TfsExitStmt>(scope, unit_name_, il_pos(e)));
}

// ---- conditions --------------------------------------------------------------------------

std::unique_ptr<TfsStatement> TfsILCompiler::if_statement(const TfsXMLItem& e, TfsScript& scope) {
    TfsExpression condition = expression(child(e, 0), scope);
    auto statement =
        std::make_unique<TfsIfStmt>(scope, unit_name_, il_pos(e), std::move(condition.node));
    if (const TfsXMLItem* then = il_child(e, "thenstmt"))
        dispatch_children(*then, scope, *statement);
    if (const TfsXMLItem* other = il_child(e, "elsestmt"))
        dispatch_children(*other, scope, statement->ElseStmt());
    return statement;
}

std::unique_ptr<TfsStatement> TfsILCompiler::case_statement(const TfsXMLItem& e, TfsScript& scope) {
    TfsExpression condition = expression(child(e, 0), scope);
    auto statement =
        std::make_unique<TfsCaseStmt>(scope, unit_name_, il_pos(e), std::move(condition.node));
    for (int i = 1; i < e.Count(); ++i) {
        const TfsXMLItem& c = e.Items(i);
        if (!il_is(c, "caseselector")) {
            if (i + 1 == e.Count()) dispatch(c, scope, statement->ElseStmt());
            continue;
        }
        // A selector written without a statement is left out.
        if (c.Count() != 2) continue;
        at(c);
        auto selector = std::make_unique<TfsCaseSelector>(scope, unit_name_, il_pos(c),
                                                          set_expression(c.Items(0), scope));
        dispatch(c.Items(1), scope, *selector);
        statement->Add(std::move(selector));
    }
    return statement;
}

// ---- loops -------------------------------------------------------------------------------

std::unique_ptr<TfsStatement> TfsILCompiler::while_statement(const TfsXMLItem& e,
                                                             TfsScript& scope) {
    TfsExpression condition = expression(child(e, 0), scope);
    auto statement =
        std::make_unique<TfsWhileStmt>(scope, unit_name_, il_pos(e), std::move(condition.node));
    dispatch_children(e, scope, *statement, 1);
    return statement;
}

std::unique_ptr<TfsStatement> TfsILCompiler::repeat_statement(const TfsXMLItem& e,
                                                              TfsScript& scope) {
    const bool inverse = e.Count() && il_is(e.Items(e.Count() - 1), "inverse");
    const int condition_at = e.Count() - (inverse ? 2 : 1);
    if (condition_at < 0) raise_error("Expression expected");
    TfsExpression condition = expression(e.Items(condition_at), scope);
    auto statement = std::make_unique<TfsRepeatStmt>(scope, unit_name_, il_pos(e),
                                                     std::move(condition.node), inverse);
    dispatch_children(e, scope, *statement, 0, condition_at);
    return statement;
}

std::unique_ptr<TfsStatement> TfsILCompiler::for_statement(const TfsXMLItem& e, TfsScript& scope) {
    const TfsXMLItem& ident = child(e, 0);
    at(ident);
    TfsCustomVariable& control = find_simple_name(il_text(ident), scope);
    auto* variable = dynamic_cast<TfsVariable*>(&control);
    const TfsVarType kind = control.Typ;
    if (!variable || (kind != fvtInt && kind != fvtFloat && kind != fvtVariant && kind != fvtInt64))
        raise_error("For loop variable must be numeric variable");
    if (variable->IsReadOnly) raise_error("Left side cannot be assigned to");
    TfsExpression first = expression(child(e, 1), scope);
    check_compatible(variable->type_rec(), first.type);
    int next = 2;
    const bool down = il_is(child(e, next), "downto");
    if (down) ++next;
    TfsExpression last = expression(child(e, next), scope);
    check_compatible(variable->type_rec(), last.type);
    auto statement = std::make_unique<TfsForStmt>(
        scope, unit_name_, il_pos(e), *variable, std::move(first.node), std::move(last.node), down);
    dispatch_children(e, scope, *statement, next + 1);
    return statement;
}

std::unique_ptr<TfsStatement> TfsILCompiler::vb_for_statement(const TfsXMLItem& e,
                                                              TfsScript& scope) {
    const TfsXMLItem& head = child(e, 0);
    at(head);
    TfsNodePtr variable =
        il_is(head, "dsgn") ? DoDesignator(head, scope, TfsEmitOp::emNone).node
                            : std::make_unique<TfsItemNode>(find_simple_name(il_text(head), scope));
    TfsNodePtr first = expression(child(e, 1), scope).node;
    TfsNodePtr last = expression(child(e, 2), scope).node;
    int body = 3;
    TfsNodePtr step;
    if (e.Count() > 3 && il_is(e.Items(3), "expr")) {
        step = expression(e.Items(3), scope).node;
        body = 4;
    }
    auto statement =
        std::make_unique<TfsVbForStmt>(scope, unit_name_, il_pos(e), std::move(variable),
                                       std::move(first), std::move(last), std::move(step));
    dispatch_children(e, scope, *statement, body);
    return statement;
}

std::unique_ptr<TfsStatement> TfsILCompiler::cpp_for_statement(const TfsXMLItem& e,
                                                               TfsScript& scope) {
    auto statement = std::make_unique<TfsCppForStmt>(scope, unit_name_, il_pos(e));
    dispatch(child(e, 0), scope, statement->FirstStmt());
    statement->set_condition(expression(child(e, 1), scope).node);
    if (e.Count() > 2) dispatch(e.Items(2), scope, statement->SecondStmt());
    dispatch_children(e, scope, *statement, 3);
    return statement;
}

// ---- try and with ------------------------------------------------------------------------

std::unique_ptr<TfsStatement> TfsILCompiler::try_statement(const TfsXMLItem& e, TfsScript& scope) {
    const bool is_except = il_child(e, "exceptstmt") != nullptr;
    auto statement = std::make_unique<TfsTryStmt>(scope, unit_name_, il_pos(e), is_except);
    for (const TfsXMLItem& c : e) {
        if (il_is(c, "exceptstmt") || il_is(c, "finallystmt"))
            dispatch_children(c, scope, statement->ExceptStmt());
        else
            dispatch(c, scope, *statement);
    }
    return statement;
}

std::string TfsILCompiler::hidden_with_name(const TfsScript& scope) const {
    for (int n = 0;; ++n) {
        std::string name = "_WithList_" + std::to_string(n);
        const bool open =
            std::any_of(with_list_.begin(), with_list_.end(),
                        [&](const TWithEntry& w) { return same_text_ignoring_case(w.name, name); });
        if (!open && !scope.FindLocal(name)) return name;
    }
}

void TfsILCompiler::with_statement(const TfsXMLItem& e, TfsScript& scope, TfsStatement& target) {
    const int count = e.Count();
    std::size_t opened = 0;
    for (int i = 0; i + 1 < count; ++i) {
        const TfsXMLItem& object = e.Items(i);
        TfsDesignator d = DoDesignator(object, scope, TfsEmitOp::emNone);
        if (d.type.Typ != fvtClass && d.type.Typ != fvtVariant) raise_error("Class type required");
        const std::string name = hidden_with_name(scope);
        auto& variable = static_cast<TfsVariable&>(
            scope.Add(name, std::make_unique<TfsVariable>(name, d.type.Typ, d.type.TypeName)));
        target.Add(std::make_unique<TfsWithStmt>(scope, unit_name_, il_pos(object),
                                                 std::move(d.node), variable));
        with_list_.push_back({name, &variable, &scope});
        ++opened;
    }
    // The body; a WITH without one ends with a designator, which is no statement.
    if (count) dispatch(e.Items(count - 1), scope, target);
    with_list_.resize(with_list_.size() - opened);
}

} // namespace veltran
