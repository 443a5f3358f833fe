#pragma once
// Assignments to a variable that compiled code writes in place: the value is
// converted by the variable's store policy, and the compound forms
// (x := x + e) read, combine and write back the one slot. Appending to a
// string variable grows its buffer in place.

#include "engine/expression_nodes.h"
#include "engine/int_nodes.h"
#include "engine/statements.h"
#include "engine/variable_store.h"

namespace veltran {

template <class Store> class TfsVarAssignStmt : public TfsStatement {
public:
    TfsVarAssignStmt(TfsScript& program, std::string unit, std::string pos, Variant& slot,
                     TfsNodePtr expression)
        : TfsStatement(program, std::move(unit), std::move(pos)), slot_(slot),
          expression_(std::move(expression)) {}
    void Execute() override {
        if (!begin()) return;
        Store::put(slot_, expression_->eval());
    }

private:
    Variant& slot_;
    TfsNodePtr expression_;
};

// slot := another variable.
template <class Store> class TfsVarCopyStmt : public TfsStatement {
public:
    TfsVarCopyStmt(TfsScript& program, std::string unit, std::string pos, Variant& slot,
                   const Variant& source)
        : TfsStatement(program, std::move(unit), std::move(pos)), slot_(slot), source_(source) {}
    void Execute() override {
        if (!begin()) return;
        Store::put(slot_, source_);
    }

private:
    Variant& slot_;
    const Variant& source_;
};

// slot := integer expression, on a variable of kind Integer.
class TfsIntAssignStmt : public TfsStatement {
public:
    TfsIntAssignStmt(TfsScript& program, std::string unit, std::string pos, Variant& slot,
                     TfsNodePtr expression)
        : TfsStatement(program, std::move(unit), std::move(pos)), slot_(slot),
          expression_(std::move(expression)) {}
    void Execute() override {
        if (!begin()) return;
        slot_.set_int(fs_int32_of(expression_->eval_int()));
    }

private:
    Variant& slot_;
    TfsNodePtr expression_;
};

// slot := slot op expression, where the expression cannot change the slot.
template <class Store, class Op> class TfsVarCompoundStmt : public TfsStatement {
public:
    TfsVarCompoundStmt(TfsScript& program, std::string unit, std::string pos, Variant& slot,
                       TfsNodePtr expression)
        : TfsStatement(program, std::move(unit), std::move(pos)), slot_(slot),
          expression_(std::move(expression)) {}
    void Execute() override {
        if (!begin()) return;
        Store::put(slot_, Op::apply(slot_, expression_->eval()));
    }

private:
    Variant& slot_;
    TfsNodePtr expression_;
};

// slot := slot op constant.
template <class Store, class Op> class TfsVarCompoundConstStmt : public TfsStatement {
public:
    TfsVarCompoundConstStmt(TfsScript& program, std::string unit, std::string pos, Variant& slot,
                            Variant constant)
        : TfsStatement(program, std::move(unit), std::move(pos)), slot_(slot),
          constant_(std::move(constant)) {}
    void Execute() override {
        if (!begin()) return;
        Store::put(slot_, Op::apply(slot_, constant_));
    }

private:
    Variant& slot_;
    Variant constant_;
};

// s := s + e on a string variable.
class TfsStringAppendStmt : public TfsStatement {
public:
    TfsStringAppendStmt(TfsScript& program, std::string unit, std::string pos, Variant& slot,
                        TfsNodePtr expression)
        : TfsStatement(program, std::move(unit), std::move(pos)), slot_(slot),
          expression_(std::move(expression)) {}
    void Execute() override {
        if (!begin()) return;
        const Variant tail = expression_->eval();
        // A number added to text follows the Variant rules, not concatenation.
        if (tail.is_string() || tail.is_empty())
            slot_.append_string(tail);
        else
            TfsStoreString::put(slot_, var_add(slot_, tail));
    }

private:
    Variant& slot_;
    TfsNodePtr expression_;
};

} // namespace veltran
