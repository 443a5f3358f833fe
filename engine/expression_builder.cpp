// Expressions: the flat item list of an `expr` element becomes a binary tree
// by operator priority, is typed bottom-up, and is lowered to executable
// nodes whose operands are read in place where they can be.
#include "engine/expression_builder.h"

#include "engine/designator_nodes.h"
#include "engine/expression_nodes.h"
#include "engine/il_compiler.h"
#include "engine/il_element.h"
#include "engine/run_state.h"
#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/set_expression.h"
#include "engine/token_value.h"

namespace veltran {
namespace {

struct TOperatorText {
    const char* text;
    TfsOp op;
    int priority;
};

// A lower priority binds tighter; operands have priority 0.
constexpr TOperatorText operators[] = {
    {" ", TfsOp::none, 7},     {">", TfsOp::great, 4},          {"<", TfsOp::less, 4},
    {"<=", TfsOp::less_eq, 4}, {">=", TfsOp::great_eq, 4},      {"<>", TfsOp::non_eq, 4},
    {"=", TfsOp::eq, 4},       {"+", TfsOp::plus, 3},           {"STRCAT", TfsOp::strcat, 3},
    {"-", TfsOp::minus, 3},    {"OR", TfsOp::or_, 3},           {"XOR", TfsOp::xor_, 3},
    {"*", TfsOp::mul, 2},      {"/", TfsOp::div_float, 2},      {"DIV", TfsOp::div_int, 2},
    {"MOD", TfsOp::mod, 2},    {"AND", TfsOp::and_, 2},         {"SHL", TfsOp::shl, 2},
    {"SHR", TfsOp::shr, 2},    {"(", TfsOp::left_bracket, 6},   {")", TfsOp::right_bracket, 5},
    {"NOT", TfsOp::not_, 1},   {"UNMINUS", TfsOp::un_minus, 1}, {"IN", TfsOp::in, 4},
    {"IS", TfsOp::is, 4},
};

const TOperatorText& operator_of(const std::string& text) {
    const std::string upper = upper_ascii(text.empty() ? " " : text);
    for (const TOperatorText& o : operators)
        if (upper == o.text) return o;
    raise_error("Expression expected");
}

bool is_prefix(TfsOp op) {
    return op == TfsOp::left_bracket || op == TfsOp::un_minus || op == TfsOp::not_;
}

void attach(TfsBuildNode& parent, std::unique_ptr<TfsBuildNode> child) {
    child->parent = &parent;
    (parent.left ? parent.right : parent.left) = std::move(child);
}

// The slot of `parent` that holds `child`.
std::unique_ptr<TfsBuildNode>& slot_of(TfsBuildNode& parent, const TfsBuildNode* child) {
    return parent.left.get() == child ? parent.left : parent.right;
}

TfsTypeRec constant_type(const Variant& value) {
    switch (value.vtype()) {
    case varBoolean: return {fvtBool, ""};
    case varSingle:
    case varDouble:
    case varCurrency: return {fvtFloat, ""};
    case varInt64: return {fvtInt64, ""};
    case varString:
    case varOleStr:
    case varUString: return {fvtString, ""};
    default: return {fvtInt, ""};
    }
}

} // namespace

// ---- building the tree ---------------------------------------------------------------

void TfsExpressionTree::add_operand(std::unique_ptr<TfsBuildNode> operand) {
    TfsBuildNode* node = operand.get();
    attach(*current_, std::move(operand));
    current_ = node;
}

void TfsExpressionTree::add_operator(const std::string& text, const std::string& pos) {
    const TOperatorText& o = operator_of(text);
    auto node = std::make_unique<TfsBuildNode>();
    node->op = o.op;
    node->priority = o.priority;
    node->pos = pos;
    if (is_prefix(o.op)) return add_operand(std::move(node));
    if (o.op == TfsOp::right_bracket) return close_bracket();
    if (current_ == root_.get()) return add_operand(std::move(node));

    TfsBuildNode* child = current_;
    TfsBuildNode* parent = current_->parent;
    if (current_->op == TfsOp::left_bracket) {
        child = nullptr;
        parent = current_;
    }
    while (parent->parent && node->priority >= parent->priority) {
        child = parent;
        parent = parent->parent;
    }
    TfsBuildNode* inserted = node.get();
    if (child) {
        std::unique_ptr<TfsBuildNode>& slot = slot_of(*parent, child);
        std::unique_ptr<TfsBuildNode> moved = std::move(slot);
        node->parent = parent;
        slot = std::move(node);
        moved->parent = inserted;
        inserted->left = std::move(moved);
    } else {
        attach(*parent, std::move(node));
    }
    current_ = inserted;
}

void TfsExpressionTree::close_bracket() {
    TfsBuildNode* open = current_;
    while (open && open->priority <= 5)
        open = open->parent;
    if (!open || open->op != TfsOp::left_bracket || !open->parent || !open->left)
        raise_error("Expression expected");
    TfsBuildNode* parent = open->parent;
    std::unique_ptr<TfsBuildNode> inner = std::move(open->left);
    inner->parent = parent;
    current_ = inner.get();
    slot_of(*parent, open) = std::move(inner); // frees the "(" node
}

TfsExpressionTree::TfsExpressionTree() : root_(std::make_unique<TfsBuildNode>()) {
    root_->op = TfsOp::none;
    root_->priority = 7;
    current_ = root_.get();
}

std::unique_ptr<TfsBuildNode> TfsExpressionTree::take_root() {
    std::unique_ptr<TfsBuildNode> top = std::move(root_->left);
    if (!top) raise_error("Expression expected");
    top->parent = nullptr;
    return top;
}

// ---- typing --------------------------------------------------------------------

namespace {

bool is_comparison(TfsOp op) {
    return op == TfsOp::great || op == TfsOp::less || op == TfsOp::less_eq ||
           op == TfsOp::great_eq || op == TfsOp::non_eq || op == TfsOp::eq;
}

bool operator_suits(TfsVarType kind, TfsOp op) {
    switch (kind) {
    case fvtBool:
        return op == TfsOp::non_eq || op == TfsOp::eq || op == TfsOp::or_ || op == TfsOp::xor_ ||
               op == TfsOp::and_ || op == TfsOp::not_;
    case fvtChar:
    case fvtString:
        return is_comparison(op) || op == TfsOp::plus || op == TfsOp::strcat || op == TfsOp::in;
    case fvtClass:
    case fvtArray: return op == TfsOp::non_eq || op == TfsOp::eq;
    default: return true;
    }
}

bool kinds_are(TfsVarType a, TfsVarType b, TfsVarType x, TfsVarType y) {
    return (a == x && b == y) || (a == y && b == x);
}

bool integral(TfsVarType k) {
    return k == fvtInt || k == fvtInt64;
}

} // namespace

void type_expression(TfsBuildNode& node, const TfsScript& scope, std::string& first_error) {
    fs_check_machine_stack();
    if (node.op == TfsOp::operand) return;
    if (node.left) type_expression(*node.left, scope, first_error);
    if (node.right) type_expression(*node.right, scope, first_error);
    const TfsTypeRec variant{fvtVariant, ""};
    const TfsTypeRec left = node.left ? node.left->type : variant;
    const TfsTypeRec right = node.right ? node.right->type : variant;
    if (node.op == TfsOp::left_bracket || node.op == TfsOp::none) {
        node.type = left;
        return;
    }
    const TfsOp op = node.op;
    node.optimize_bool = left.Typ == fvtBool && right.Typ == fvtBool;
    const bool unchecked = op == TfsOp::is && left.Typ == fvtClass && right.Typ == fvtClass;
    const auto descends = [&scope](std::string_view derived, std::string_view base) {
        return scope.descends_from(derived, base);
    };
    const bool fits = unchecked || (types_compatible(left, right, TfsCheck::operand, descends) &&
                                    operator_suits(left.Typ, op));
    if (!fits && first_error.empty()) first_error = node.pos;

    node.type = left;
    const TfsVarType a = left.Typ, b = right.Typ;
    const bool slash = op == TfsOp::div_float;
    if (kinds_are(a, b, fvtInt, fvtFloat) || kinds_are(a, b, fvtFloat, fvtInt64) ||
        (slash && integral(a) && integral(b)))
        node.type = {fvtFloat, ""};
    if (is_comparison(op) || op == TfsOp::in || op == TfsOp::is) node.type = {fvtBool, ""};
}

// ---- the compiler's part ---------------------------------------------------------

std::unique_ptr<TfsBuildNode> TfsILCompiler::operand_node(TfsExpression operand) {
    auto node = std::make_unique<TfsBuildNode>();
    node->op = TfsOp::operand;
    node->pos = error_pos_;
    node->type = operand.type;
    node->item = operand.item;
    node->operand = std::move(operand.node);
    return node;
}

void TfsILCompiler::add_expression_items(const TfsXMLItem& e, TfsScript& scope,
                                         TfsExpressionTree& tree) {
    for (int i = 0; i < e.Count(); ++i) {
        const TfsXMLItem& c = e.Items(i);
        at(c);
        if (il_is(c, "op")) {
            const std::string text = lower_ascii(il_text(c));
            // A trailing operator (other than ")") has nothing to apply to.
            if (text != ")" && i + 1 == e.Count()) continue;
            tree.add_operator(text, error_pos_);
        } else if (il_is(c, "number") || il_is(c, "string")) {
            tree.add_operand(operand_node(constant_expression(token_value(il_text(c)))));
        } else if (il_is(c, "dsgn") || il_is(c, "new")) {
            const bool create = il_is(c, "new");
            const TfsXMLItem* dsgn = create ? il_child(c, "dsgn") : &c;
            if (!dsgn) raise_error("Expression expected");
            TfsDesignator d =
                DoDesignator(*dsgn, scope, create ? TfsEmitOp::emCreate : TfsEmitOp::emNone);
            TfsExpression operand{std::move(d.node), d.type, d.item};
            tree.add_operand(operand_node(std::move(operand)));
        } else if (il_is(c, "set")) {
            auto set = std::make_unique<TfsSetNode>(set_expression(c, scope));
            auto node = operand_node({std::move(set), {fvtVariant, ""}, nullptr});
            node->is_set = true;
            tree.add_operand(std::move(node));
        } else if (il_is(c, "expr")) {
            add_expression_items(c, scope, tree);
        }
    }
}

TfsTypedTree TfsILCompiler::typed_tree(const TfsXMLItem& e, TfsScript& scope) {
    at(e);
    if (++nesting_ > max_nesting) raise_error("Expression too complex");
    struct TLeave {
        int& n;
        ~TLeave() { --n; }
    } leave{nesting_};
    TfsExpressionTree tree;
    add_expression_items(e, scope, tree);
    TfsTypedTree typed{tree.take_root()};
    std::string first_error;
    type_expression(*typed.root, scope, first_error);
    if (!first_error.empty()) {
        error_pos_ = first_error;
        raise_error("Incompatible types");
    }
    return typed;
}

TfsExpression TfsILCompiler::expression(const TfsXMLItem& e, TfsScript& scope) {
    TfsTypedTree typed = typed_tree(e, scope);
    return lower(*typed.root);
}

TfsExpression TfsILCompiler::constant_expression(const Variant& value) {
    return {std::make_unique<TfsConstNode>(value), constant_type(value), nullptr};
}

std::unique_ptr<TfsSetExpression> TfsILCompiler::set_expression(const TfsXMLItem& e,
                                                                TfsScript& scope) {
    at(e);
    auto set = std::make_unique<TfsSetExpression>();
    for (int i = 0; i < e.Count(); ++i) {
        const TfsXMLItem& c = e.Items(i);
        if (!il_is(c, "expr")) continue;
        TfsNodePtr low = expression(c, scope).node;
        // An expression, a `range` leaf and another expression form a range.
        if (i + 2 < e.Count() && il_is(e.Items(i + 1), "range") && il_is(e.Items(i + 2), "expr")) {
            set->add_range(std::move(low), expression(e.Items(i + 2), scope).node);
            i += 2;
        } else {
            set->add_value(std::move(low));
        }
    }
    return set;
}

TfsExpression TfsILCompiler::lower(TfsBuildNode& node) {
    fs_check_machine_stack();
    if (node.op == TfsOp::operand) return {std::move(node.operand), node.type, node.item};
    if (node.op == TfsOp::left_bracket || node.op == TfsOp::none) {
        if (!node.left) raise_error("Expression expected");
        return lower(*node.left);
    }
    if (!node.left) raise_error("Expression expected");
    const bool unary = node.op == TfsOp::not_ || node.op == TfsOp::un_minus;
    if (!unary && !node.right) raise_error("Expression expected");
    TfsNodePtr left = lower(*node.left).node;
    TfsNodePtr right = unary ? nullptr : lower(*node.right).node;
    const bool constant = left->constant() && (unary || right->constant()) && node.op != TfsOp::is;
    TfsNodePtr result =
        operator_node(node.op, node.optimize_bool, std::move(left), std::move(right));
    return {constant ? fold_constant(std::move(result)) : std::move(result), node.type, nullptr};
}

} // namespace veltran
