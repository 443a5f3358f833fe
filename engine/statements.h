#pragma once
// The statements of a compiled script. Each belongs to a scope and uses that
// scope's control-flow flags (break, continue, exit, terminate): a statement
// list stops when a flag is set, loops consume break and continue, and a call
// or Execute ends on exit and clears it. Run-time errors are exceptions.

#include "engine/node.h"
#include "engine/run_state.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace veltran {

class TfsScript;
class TfsSetExpression;

// The bits of a scope's control-flow flags.
inline constexpr std::uint8_t fs_break_flag = 1;
inline constexpr std::uint8_t fs_continue_flag = 2;
inline constexpr std::uint8_t fs_exit_flag = 4;
inline constexpr std::uint8_t fs_terminate_flag = 8;
class TfsVariable;

class TfsStatement {
public:
    TfsStatement(TfsScript& program, std::string unit_name, std::string source_pos);
    virtual ~TfsStatement();
    TfsStatement(const TfsStatement&) = delete;
    TfsStatement& operator=(const TfsStatement&) = delete;

    // The base class is a statement list: it runs its children in order.
    virtual void Execute();

    TfsStatement& Add(std::unique_ptr<TfsStatement> statement);
    int Count() const { return static_cast<int>(items_.size()); }
    TfsStatement& Items(int index) const { return *items_[static_cast<std::size_t>(index)]; }
    void Clear() { items_.clear(); }
    TfsScript& Program() const { return program_; }
    const std::string& UnitName() const { return unit_name_; }
    const std::string& SourcePos() const { return source_pos_; }

protected:
    // Before a statement's own work: the run-line hook and the step limit.
    // False when the run is terminated and the statement must not run.
    bool begin() { return !run_.traced() || begin_traced(); }
    // After each pass of a loop: counts it against the step limit.
    void count_pass() {
        if (run_.step_limited) count_step();
    }
    // One pass of a loop's body: false when the loop must end (BREAK,
    // EXIT, Terminate); a CONTINUE is consumed.
    bool run_pass();
    // Whether a loop must end after its pass (BREAK, EXIT, Terminate).
    bool stopped() const { return (flags_ & (fs_break_flag | fs_exit_flag)) != 0; }
    void clear_flag(std::uint8_t flag) { flags_ &= static_cast<std::uint8_t>(~flag); }

    TfsScript& program_;
    TfsRunState& run_;
    std::uint8_t& flags_; // the scope's control-flow flags
    std::vector<std::unique_ptr<TfsStatement>> items_;

private:
    bool begin_traced();
    void count_step();
    std::string unit_name_;
    std::string source_pos_;
};

using TfsStatementPtr = std::unique_ptr<TfsStatement>;

// target := expression, through a writable designator.
class TfsAssignmentStmt : public TfsStatement {
public:
    TfsAssignmentStmt(TfsScript& program, std::string unit, std::string pos, TfsNodePtr target,
                      TfsNodePtr expression);
    void Execute() override;

protected:
    TfsNodePtr target_;
    TfsNodePtr expression_;
};

// The compound forms target := target op expression.
enum class TfsAssignOp { plus, minus, mul, div };

class TfsCompoundAssignStmt : public TfsAssignmentStmt {
public:
    TfsCompoundAssignStmt(TfsScript& program, std::string unit, std::string pos, TfsNodePtr target,
                          TfsNodePtr expression, TfsAssignOp op);
    void Execute() override;

private:
    TfsAssignOp op_;
};

// A designator read for its effect (a call); with a modificator "+" or "-"
// the designator is incremented or decremented instead.
class TfsCallStmt : public TfsStatement {
public:
    TfsCallStmt(TfsScript& program, std::string unit, std::string pos, TfsNodePtr designator,
                int modificator);
    void Execute() override;

private:
    TfsNodePtr designator_;
    int modificator_; // 0, +1 or -1
};

class TfsIfStmt : public TfsStatement {
public:
    TfsIfStmt(TfsScript& program, std::string unit, std::string pos, TfsNodePtr condition);
    void Execute() override;
    TfsStatement& ElseStmt() { return else_; }

private:
    TfsNodePtr condition_;
    TfsStatement else_;
};

class TfsCaseSelector : public TfsStatement {
public:
    TfsCaseSelector(TfsScript& program, std::string unit, std::string pos,
                    std::unique_ptr<TfsSetExpression> set);
    ~TfsCaseSelector() override;
    bool Check(const Variant& value) const;

private:
    std::unique_ptr<TfsSetExpression> set_;
};

// Its children are the TfsCaseSelectors.
class TfsCaseStmt : public TfsStatement {
public:
    TfsCaseStmt(TfsScript& program, std::string unit, std::string pos, TfsNodePtr condition);
    void Execute() override;
    TfsStatement& ElseStmt() { return else_; }

private:
    TfsNodePtr condition_;
    TfsStatement else_;
};

// Its children are the body.
class TfsWhileStmt : public TfsStatement {
public:
    TfsWhileStmt(TfsScript& program, std::string unit, std::string pos, TfsNodePtr condition);
    void Execute() override;

private:
    TfsNodePtr condition_;
};

class TfsRepeatStmt : public TfsStatement {
public:
    TfsRepeatStmt(TfsScript& program, std::string unit, std::string pos, TfsNodePtr condition,
                  bool inverse);
    void Execute() override;

private:
    TfsNodePtr condition_;
    bool inverse_;
};

// FOR over a variable that compiled code may write directly.
class TfsForStmt : public TfsStatement {
public:
    TfsForStmt(TfsScript& program, std::string unit, std::string pos, TfsVariable& variable,
               TfsNodePtr begin_value, TfsNodePtr end_value, bool down);
    void Execute() override;

private:
    Variant& variable_;
    TfsNodePtr begin_value_;
    TfsNodePtr end_value_;
    bool down_;
};

// The FOR of other grammars: Variant bounds and an optional step.
class TfsVbForStmt : public TfsStatement {
public:
    TfsVbForStmt(TfsScript& program, std::string unit, std::string pos, TfsNodePtr variable,
                 TfsNodePtr begin_value, TfsNodePtr end_value, TfsNodePtr step);
    void Execute() override;

private:
    TfsNodePtr variable_;
    TfsNodePtr begin_value_;
    TfsNodePtr end_value_;
    TfsNodePtr step_; // may be null: 1
};

// for (first; condition; second) body, of other grammars.
class TfsCppForStmt : public TfsStatement {
public:
    TfsCppForStmt(TfsScript& program, std::string unit, std::string pos);
    void Execute() override;
    TfsStatement& FirstStmt() { return first_; }
    TfsStatement& SecondStmt() { return second_; }
    void set_condition(TfsNodePtr condition) { condition_ = std::move(condition); }

private:
    TfsStatement first_;
    TfsNodePtr condition_;
    TfsStatement second_;
};

// Its children are the protected statements.
class TfsTryStmt : public TfsStatement {
public:
    TfsTryStmt(TfsScript& program, std::string unit, std::string pos, bool is_except);
    void Execute() override;
    TfsStatement& ExceptStmt() { return except_; }

private:
    void run_finally_part();

    bool is_except_;
    TfsStatement except_;
};

class TfsBreakStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override;
};

class TfsContinueStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override;
};

class TfsExitStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override;
};

// Evaluates a WITH object once into its hidden variable.
class TfsWithStmt : public TfsStatement {
public:
    TfsWithStmt(TfsScript& program, std::string unit, std::string pos, TfsNodePtr designator,
                TfsVariable& variable);
    void Execute() override;

private:
    TfsNodePtr designator_;
    TfsVariable& variable_;
};

} // namespace veltran
