#pragma once
// TfsNode: one executable node of a compiled expression or designator. The
// compiler resolves every name to the item it denotes, so a node holds direct
// references (a variable's storage, the procedure to call) and evaluating it
// only walks nodes.

#include "engine/variant.h"

#include <cstdint>
#include <memory>

namespace veltran {

class TfsCustomVariable;

class TfsNode {
public:
    virtual ~TfsNode() = default;
    virtual Variant eval() = 0;
    virtual bool eval_bool() { return eval().to_bool(); }

    // Integer expressions: when is_int() holds, eval_int() gives exactly the
    // value eval() would give, without making a Variant. Their leaves are
    // variables of kind Integer (which always hold an Integer) and integer
    // constants, so they are used where the value becomes an integer anyway
    // (stored into an Integer variable, compared, used as a bound).
    virtual bool is_int() const { return false; }
    virtual std::int64_t eval_int() { return eval().to_int64(); }

    // Writable designators store the value (converted as their target
    // converts); every other node ignores it, which is what a by-reference
    // argument that is not a variable wants.
    virtual void assign(const Variant&) {}
    virtual bool writable() const { return false; }

    // What the compiler specialises on: a constant's value, the storage of a
    // variable that compiled code may read directly.
    virtual const Variant* constant() const { return nullptr; }
    virtual Variant* storage() const { return nullptr; }
    // The item a single-item designator denotes, or null.
    virtual TfsCustomVariable* item() const { return nullptr; }
    // Whether evaluating may run code (a call), so that argument lists know
    // when they need temporaries.
    virtual bool may_call() const { return true; }
};

using TfsNodePtr = std::unique_ptr<TfsNode>;

// A constant value.
class TfsConstNode : public TfsNode {
public:
    explicit TfsConstNode(Variant value) : value_(std::move(value)) {}
    Variant eval() override { return value_; }
    bool is_int() const override {
        return value_.vtype() == varInteger || value_.vtype() == varInt64;
    }
    std::int64_t eval_int() override { return value_.int64_value(); }
    const Variant* constant() const override { return &value_; }
    bool may_call() const override { return false; }

private:
    Variant value_;
};

} // namespace veltran
