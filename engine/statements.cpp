#include "engine/statements.h"

#include "engine/run_state.h"
#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/set_expression.h"
#include "engine/variant_ops.h"

#include <exception>
#include <new>

namespace veltran {

TfsStatement::TfsStatement(TfsScript& program, std::string unit_name, std::string source_pos)
    : program_(program), run_(program.run_state()), flags_(program.flags),
      unit_name_(std::move(unit_name)), source_pos_(std::move(source_pos)) {}

TfsStatement::~TfsStatement() = default;

TfsStatement& TfsStatement::Add(std::unique_ptr<TfsStatement> statement) {
    items_.push_back(std::move(statement));
    return *items_.back();
}

void TfsStatement::Execute() {
    for (const auto& s : items_) {
        if (flags_ & fs_terminate_flag) return;
        s->Execute();
        if (flags_) return;
    }
}

bool TfsStatement::run_pass() {
    TfsStatement::Execute();
    count_pass();
    if (stopped()) return false;
    clear_flag(fs_continue_flag);
    return true;
}

bool TfsStatement::begin_traced() {
    count_pass();
    if (run_.hook && *run_.hook && !run_.limit_reached)
        (*run_.hook)(program_, unit_name_, source_pos_);
    return !(flags_ & fs_terminate_flag);
}

void TfsStatement::count_step() {
    if (--run_.steps_left >= 0) return;
    run_.limit_reached = true;
    run_.terminated = true;
    program_.terminate_scopes();
}

// ---- assignments and calls ----------------------------------------------

TfsAssignmentStmt::TfsAssignmentStmt(TfsScript& program, std::string unit, std::string pos,
                                     TfsNodePtr target, TfsNodePtr expression)
    : TfsStatement(program, std::move(unit), std::move(pos)), target_(std::move(target)),
      expression_(std::move(expression)) {}

void TfsAssignmentStmt::Execute() {
    if (!begin()) return;
    target_->assign(expression_->eval());
}

TfsCompoundAssignStmt::TfsCompoundAssignStmt(TfsScript& program, std::string unit, std::string pos,
                                             TfsNodePtr target, TfsNodePtr expression,
                                             TfsAssignOp op)
    : TfsAssignmentStmt(program, std::move(unit), std::move(pos), std::move(target),
                        std::move(expression)),
      op_(op) {}

void TfsCompoundAssignStmt::Execute() {
    if (!begin()) return;
    const Variant current = target_->eval();
    const Variant operand = expression_->eval();
    switch (op_) {
    case TfsAssignOp::plus: target_->assign(var_add(current, operand)); break;
    case TfsAssignOp::minus: target_->assign(var_sub(current, operand)); break;
    case TfsAssignOp::mul: target_->assign(var_mul(current, operand)); break;
    case TfsAssignOp::div: target_->assign(var_div(current, operand)); break;
    }
}

TfsCallStmt::TfsCallStmt(TfsScript& program, std::string unit, std::string pos,
                         TfsNodePtr designator, int modificator)
    : TfsStatement(program, std::move(unit), std::move(pos)), designator_(std::move(designator)),
      modificator_(modificator) {}

void TfsCallStmt::Execute() {
    if (!begin()) return;
    if (modificator_ == 0) {
        designator_->eval();
        return;
    }
    designator_->assign(var_add(designator_->eval(), Variant(modificator_)));
}

// ---- conditions ------------------------------------------------------------

TfsIfStmt::TfsIfStmt(TfsScript& program, std::string unit, std::string pos, TfsNodePtr condition)
    : TfsStatement(program, unit, pos), condition_(std::move(condition)),
      else_(program, unit, pos) {}

void TfsIfStmt::Execute() {
    if (!begin()) return;
    if (condition_->eval_bool())
        TfsStatement::Execute();
    else
        else_.Execute();
}

TfsCaseSelector::TfsCaseSelector(TfsScript& program, std::string unit, std::string pos,
                                 std::unique_ptr<TfsSetExpression> set)
    : TfsStatement(program, std::move(unit), std::move(pos)), set_(std::move(set)) {}

TfsCaseSelector::~TfsCaseSelector() = default;

bool TfsCaseSelector::Check(const Variant& value) const {
    return set_->Check(value);
}

TfsCaseStmt::TfsCaseStmt(TfsScript& program, std::string unit, std::string pos,
                         TfsNodePtr condition)
    : TfsStatement(program, unit, pos), condition_(std::move(condition)),
      else_(program, unit, pos) {}

void TfsCaseStmt::Execute() {
    const Variant value = condition_->eval();
    if (!begin()) return;
    for (const auto& s : items_) {
        auto& selector = static_cast<TfsCaseSelector&>(*s);
        if (selector.Check(value)) {
            selector.Execute();
            return;
        }
    }
    else_.Execute();
}

// ---- loops -----------------------------------------------------------------

TfsWhileStmt::TfsWhileStmt(TfsScript& program, std::string unit, std::string pos,
                           TfsNodePtr condition)
    : TfsStatement(program, std::move(unit), std::move(pos)), condition_(std::move(condition)) {}

void TfsWhileStmt::Execute() {
    if (!begin()) return;
    while (condition_->eval_bool()) {
        if (!run_pass()) break;
    }
    clear_flag(fs_break_flag);
}

TfsRepeatStmt::TfsRepeatStmt(TfsScript& program, std::string unit, std::string pos,
                             TfsNodePtr condition, bool inverse)
    : TfsStatement(program, std::move(unit), std::move(pos)), condition_(std::move(condition)),
      inverse_(inverse) {}

void TfsRepeatStmt::Execute() {
    if (!begin()) return;
    for (;;) {
        if (!run_pass()) break;
        if (condition_->eval_bool() != inverse_) break;
    }
    clear_flag(fs_break_flag);
}

TfsForStmt::TfsForStmt(TfsScript& program, std::string unit, std::string pos, TfsVariable& variable,
                       TfsNodePtr begin_value, TfsNodePtr end_value, bool down)
    : TfsStatement(program, std::move(unit), std::move(pos)), variable_(*variable.PValue()),
      begin_value_(std::move(begin_value)), end_value_(std::move(end_value)), down_(down) {}

void TfsForStmt::Execute() {
    const std::int32_t first = begin_value_->eval().to_int();
    const std::int32_t last = end_value_->eval().to_int();
    if (!begin()) return;
    if (down_ ? first < last : first > last) return;
    // The number of passes is fixed before the first one.
    const std::int64_t passes =
        (down_ ? std::int64_t{first} - last : std::int64_t{last} - first) + 1;
    const std::int32_t step = down_ ? -1 : 1;
    std::int64_t value = first;
    for (std::int64_t pass = 0; pass < passes; ++pass, value += step) {
        variable_.set_int(static_cast<std::int32_t>(value));
        if (!run_pass()) break;
    }
    clear_flag(fs_break_flag);
}

TfsVbForStmt::TfsVbForStmt(TfsScript& program, std::string unit, std::string pos,
                           TfsNodePtr variable, TfsNodePtr begin_value, TfsNodePtr end_value,
                           TfsNodePtr step)
    : TfsStatement(program, std::move(unit), std::move(pos)), variable_(std::move(variable)),
      begin_value_(std::move(begin_value)), end_value_(std::move(end_value)),
      step_(std::move(step)) {}

void TfsVbForStmt::Execute() {
    Variant value = begin_value_->eval();
    const Variant last = end_value_->eval();
    const Variant step = step_ ? step_->eval() : Variant(1);
    if (!begin()) return;
    const bool up = var_compare(step, Variant(0)) != TVarOrder::less;
    while (up ? var_compare(value, last) != TVarOrder::greater
              : var_compare(value, last) != TVarOrder::less) {
        variable_->assign(value);
        if (!run_pass()) break;
        value = var_add(value, step);
    }
    clear_flag(fs_break_flag);
}

TfsCppForStmt::TfsCppForStmt(TfsScript& program, std::string unit, std::string pos)
    : TfsStatement(program, unit, pos), first_(program, unit, pos), second_(program, unit, pos) {}

void TfsCppForStmt::Execute() {
    if (!begin()) return;
    first_.Execute();
    while (condition_->eval_bool()) {
        if (!run_pass()) break;
        second_.Execute();
    }
    clear_flag(fs_break_flag);
}

// ---- try -------------------------------------------------------------------

TfsTryStmt::TfsTryStmt(TfsScript& program, std::string unit, std::string pos, bool is_except)
    : TfsStatement(program, unit, pos), is_except_(is_except), except_(program, unit, pos) {}

void TfsTryStmt::Execute() {
    if (!begin()) return;
    if (!is_except_) {
        try {
            TfsStatement::Execute();
        } catch (...) {
            run_finally_part();
            throw;
        }
        run_finally_part();
        return;
    }
    std::string class_name, message;
    try {
        TfsStatement::Execute();
        return;
    } catch (const TfsException& e) {
        class_name = e.class_name();
        message = e.message();
    } catch (const std::bad_alloc&) {
        class_name = "EOutOfMemory";
        message = "Out of memory";
    } catch (const std::exception& e) {
        class_name = "Exception";
        message = e.what();
    }
    program_.SetVariable("ExceptionClassName", Variant::from_utf8(class_name));
    program_.SetVariable("ExceptionMessage", Variant::from_utf8(message));
    except_.Execute();
}

// The FINALLY part runs whatever left the protected part (an error, EXIT,
// BREAK, CONTINUE) and then lets it carry on.
void TfsTryStmt::run_finally_part() {
    constexpr std::uint8_t pending = fs_break_flag | fs_continue_flag | fs_exit_flag;
    const std::uint8_t saved = flags_ & pending;
    flags_ &= static_cast<std::uint8_t>(~pending);
    except_.Execute();
    flags_ |= saved;
}

// ---- jumps and with ----------------------------------------------------------

void TfsBreakStmt::Execute() {
    flags_ |= fs_break_flag;
}

void TfsContinueStmt::Execute() {
    flags_ |= fs_continue_flag;
}

void TfsExitStmt::Execute() {
    begin();
    flags_ |= fs_exit_flag;
}

TfsWithStmt::TfsWithStmt(TfsScript& program, std::string unit, std::string pos,
                         TfsNodePtr designator, TfsVariable& variable)
    : TfsStatement(program, std::move(unit), std::move(pos)), designator_(std::move(designator)),
      variable_(variable) {}

void TfsWithStmt::Execute() {
    variable_.SetValue(designator_->eval());
}

} // namespace veltran
