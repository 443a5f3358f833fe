#pragma once
// The second half of compiling: walks the IL tree the grammar walker built
// and fills the program model. Declarations become items of their scope,
// statements become statement objects, and expressions and designators
// become executable nodes that hold direct references to the items they
// name. Compile-time errors end the pass; their message and the position of
// the IL element being handled become the script's ErrorMsg and ErrorPos.

#include "engine/expression_builder.h"
#include "engine/node.h"
#include "engine/var_type.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace veltran {

class TfsXMLItem;
class TfsScript;
class TfsStatement;
class TfsCustomVariable;
class TfsVariable;
class TfsSetExpression;
struct TfsDesignatorStep;

enum class TfsEmitOp { emNone, emCreate, emFree };
enum class TfsAssignOp; // statements.h

// A compiled expression with its static type.
struct TfsExpression {
    TfsNodePtr node;
    TfsTypeRec type;
    // The item, when the expression is a one-item designator.
    TfsCustomVariable* item = nullptr;
};

// An expression's typed tree, before it is lowered.
struct TfsTypedTree {
    std::unique_ptr<TfsBuildNode> root;
};

// A compiled designator with what its users check.
struct TfsDesignator {
    TfsNodePtr node;
    TfsTypeRec type;
    bool read_only = true;
    // The single item a one-item designator denotes (a variable, a procedure).
    TfsCustomVariable* item = nullptr;
};

class TfsILCompiler {
public:
    // `script` is the scope being compiled; `source` its text (for the
    // source of macro arguments); `declare_vars` false lets undeclared names
    // become Variant variables of the script.
    TfsILCompiler(TfsScript& script, std::string source = {}, bool declare_vars = true);
    ~TfsILCompiler();

    // Runs the pass over an IL document's root; false when it stopped at an
    // error (ErrorMsg, ErrorPos and ErrorUnit of the script describe it).
    bool ParseILScript(const TfsXMLItem& root);

    // Builds a designator from a `dsgn` element in the scope `prog`.
    // Raises the compile-time errors.
    TfsDesignator DoDesignator(const TfsXMLItem& xi, TfsScript& prog, TfsEmitOp emit_op,
                               bool need_result = true);

private:
    struct TWithEntry {
        std::string name;
        TfsVariable* variable;
        TfsScript* scope;
    };

    // ---- declarations (declaration_pass.cpp)
    void block(const TfsXMLItem& e, TfsScript& scope);
    void declare_procedures(const TfsXMLItem& e, TfsScript& scope);
    void declare_procedure(const TfsXMLItem& e, TfsScript& scope);
    void declare_parameters(const TfsXMLItem& e, TfsCustomVariable& proc, TfsScript& scope);
    void compile_procedure_body(const TfsXMLItem& e, TfsScript& scope);
    void declare_variables(const TfsXMLItem& e, TfsScript& scope);
    void declare_constant(const TfsXMLItem& e, TfsScript& scope);
    void include_unit(const TfsXMLItem& e, TfsScript& scope);
    std::unique_ptr<TfsCustomVariable> create_variable(const TfsXMLItem& group,
                                                       const std::string& name, TfsScript& scope,
                                                       bool parameter, bool by_ref);
    Variant array_value(const TfsXMLItem& array, TfsScript& scope);
    void check_redeclared(const std::string& name, const TfsScript& scope);
    TfsTypeRec resolve_type(const std::string& type_name);
    TfsCustomVariable& find_simple_name(const std::string& name, TfsScript& scope);
    void check_compatible(const TfsTypeRec& target, const TfsTypeRec& value);

    // ---- statements (statement_builder.cpp)
    void dispatch(const TfsXMLItem& e, TfsScript& scope, TfsStatement& target);
    void dispatch_children(const TfsXMLItem& e, TfsScript& scope, TfsStatement& target,
                           int from = 0, int to = -1);
    std::unique_ptr<TfsStatement> build_statement(const TfsXMLItem& e, TfsScript& scope);
    // Child `index` of e; "Expression expected" when the element is cut short.
    static const TfsXMLItem& child(const TfsXMLItem& e, int index);
    std::unique_ptr<TfsStatement> assignment(const TfsXMLItem& e, TfsScript& scope);
    // target := value, after the compatibility check.
    std::unique_ptr<TfsStatement> assignment_to(TfsDesignator target, TfsExpression value,
                                                const TfsXMLItem& e, TfsScript& scope);
    std::unique_ptr<TfsStatement> assignment_statement(TfsDesignator target, TfsNodePtr value,
                                                       std::optional<TfsAssignOp> op,
                                                       const TfsXMLItem& e, TfsScript& scope);
    std::unique_ptr<TfsStatement> call(const TfsXMLItem& e, TfsScript& scope);
    std::unique_ptr<TfsStatement> if_statement(const TfsXMLItem& e, TfsScript& scope);
    std::unique_ptr<TfsStatement> case_statement(const TfsXMLItem& e, TfsScript& scope);
    std::unique_ptr<TfsStatement> while_statement(const TfsXMLItem& e, TfsScript& scope);
    std::unique_ptr<TfsStatement> repeat_statement(const TfsXMLItem& e, TfsScript& scope);
    std::unique_ptr<TfsStatement> for_statement(const TfsXMLItem& e, TfsScript& scope);
    std::unique_ptr<TfsStatement> vb_for_statement(const TfsXMLItem& e, TfsScript& scope);
    std::unique_ptr<TfsStatement> cpp_for_statement(const TfsXMLItem& e, TfsScript& scope);
    std::unique_ptr<TfsStatement> try_statement(const TfsXMLItem& e, TfsScript& scope);
    void with_statement(const TfsXMLItem& e, TfsScript& scope, TfsStatement& target);
    std::string hidden_with_name(const TfsScript& scope) const;
    void return_statement(const TfsXMLItem& e, TfsScript& scope, TfsStatement& target);

    // ---- expressions (expression_builder.cpp)
    TfsExpression expression(const TfsXMLItem& e, TfsScript& scope);
    // Built and typed, not yet lowered (assignments look at its top operator).
    TfsTypedTree typed_tree(const TfsXMLItem& e, TfsScript& scope);
    void add_expression_items(const TfsXMLItem& e, TfsScript& scope, TfsExpressionTree& tree);
    std::unique_ptr<TfsBuildNode> operand_node(TfsExpression operand);
    std::unique_ptr<TfsSetExpression> set_expression(const TfsXMLItem& e, TfsScript& scope);
    TfsExpression lower(TfsBuildNode& node);
    TfsExpression constant_expression(const Variant& value);

    // ---- designators (designator_builder.cpp)
    bool next_step(std::vector<TfsDesignatorStep>& steps, const std::string& name, TfsScript& prog);
    void check_arguments(TfsDesignatorStep& step);
    TfsDesignator finish_designator(std::vector<TfsDesignatorStep>& steps, TfsScript& prog,
                                    bool need_result);
    TfsNodePtr single_item_node(TfsDesignatorStep& step, TfsScript& prog, bool need_result);
    TfsDesignator late_bound(const TfsXMLItem& xi, TfsScript& prog, bool need_result);
    TfsDesignator late_bound_member(const TfsXMLItem& xi, const TWithEntry& with, TfsScript& prog,
                                    bool need_result);
    const TWithEntry* with_entry_for(const std::string& name, TfsScript& scope) const;
    std::string source_between(const std::string& pos, const std::string& pos1);

    void
    at(const TfsXMLItem& e); // the element being handled: its position becomes the error position

    TfsScript& script_;
    std::string source_;
    bool declare_vars_;
    bool at_run_time_ = false; // resolving a late-bound designator
    const TfsXMLItem* block_ = nullptr;
    const TfsXMLItem* grammar_types_ = nullptr;
    std::string error_pos_;
    std::string unit_name_;
    std::vector<TWithEntry> with_list_;
    // Expressions nest through designators, arguments and parentheses.
    static constexpr int max_nesting = 2000;
    int nesting_ = 0;
};

} // namespace veltran
