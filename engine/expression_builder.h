#pragma once
// The intermediate tree an expression is built in before it is lowered to
// executable nodes: operators inserted by priority, operands carrying their
// compiled node and static type.

#include "engine/node.h"
#include "engine/var_type.h"

#include <memory>
#include <string>

namespace veltran {

class TfsCustomVariable;
class TfsScript;

enum class TfsOp {
    none,
    great,
    less,
    less_eq,
    great_eq,
    non_eq,
    eq,
    plus,
    strcat,
    minus,
    or_,
    xor_,
    mul,
    div_float,
    div_int,
    mod,
    and_,
    shl,
    shr,
    left_bracket,
    right_bracket,
    not_,
    un_minus,
    in,
    is,
    operand,
};

struct TfsBuildNode {
    TfsOp op = TfsOp::operand;
    int priority = 0;
    std::string pos; // where the operator or operand stood
    std::unique_ptr<TfsBuildNode> left;
    std::unique_ptr<TfsBuildNode> right;
    TfsBuildNode* parent = nullptr;
    TfsTypeRec type;
    bool optimize_bool = false; // AND and OR of two Booleans short-circuit
    // Operands:
    TfsNodePtr operand;
    TfsCustomVariable* item = nullptr; // a one-item designator's item
    bool is_set = false;
};

// Operator-priority insertion: operands and prefix operators go below the
// insertion point; a binary operator climbs over every node that binds at
// least as tightly and takes its place; ")" removes its "(".
class TfsExpressionTree {
public:
    TfsExpressionTree();
    void add_operand(std::unique_ptr<TfsBuildNode> operand);
    void add_operator(const std::string& text, const std::string& pos);
    // The finished tree without its blank root.
    std::unique_ptr<TfsBuildNode> take_root();

private:
    void close_bracket();

    std::unique_ptr<TfsBuildNode> root_;
    TfsBuildNode* current_;
};

// Types the tree bottom-up; the position of the first operator whose operand
// types do not fit goes to first_error.
void type_expression(TfsBuildNode& node, const TfsScript& scope, std::string& first_error);

// The executable node of an operator over lowered operands (right is null
// for NOT and unary minus).
TfsNodePtr operator_node(TfsOp op, bool optimize_bool, TfsNodePtr left, TfsNodePtr right);

// An operator node over constant operands becomes the constant it evaluates
// to, unless evaluating it raises: the error then stays a run-time error.
TfsNodePtr fold_constant(TfsNodePtr node);

} // namespace veltran
