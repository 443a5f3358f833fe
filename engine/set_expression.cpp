#include "engine/set_expression.h"

#include "engine/script_exception.h"
#include "engine/variant_ops.h"

#include <algorithm>

namespace veltran {
namespace {

bool within(const Variant& value, const Variant& low, const Variant& high) {
    const TVarOrder from = var_compare(low, value);
    const TVarOrder to = var_compare(value, high);
    return (from == TVarOrder::less || from == TVarOrder::equal) &&
           (to == TVarOrder::less || to == TVarOrder::equal);
}

} // namespace

bool TfsSetExpression::Check(const Variant& value) const {
    for (const TEntry& e : entries_) {
        if (!e.high) {
            if (var_equal(e.low->eval(), value)) return true;
            continue;
        }
        const Variant low = e.low->eval();
        if (within(value, low, e.high->eval())) return true;
    }
    return false;
}

Variant TfsSetExpression::GetValue() const {
    std::vector<Variant> items;
    for (const TEntry& e : entries_) {
        items.push_back(e.low->eval());
        if (e.high) {
            items.push_back(Variant::null());
            items.push_back(e.high->eval());
        }
    }
    return Variant::array_of(items);
}

bool TfsSetExpression::may_call() const {
    return std::any_of(entries_.begin(), entries_.end(), [](const TEntry& e) {
        return e.low->may_call() || (e.high && e.high->may_call());
    });
}

bool TfsInArrayNode::eval_bool() {
    const Variant value = value_->eval();
    const Variant array = array_->eval();
    if (!array.is_array()) raise_invalid_variant_op();
    const std::span<const Variant> items = array.array_items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i + 2 < items.size() && items[i + 1].is_null()) {
            if (within(value, items[i], items[i + 2])) return true;
            i += 2;
            continue;
        }
        if (var_equal(items[i], value)) return true;
    }
    return false;
}

} // namespace veltran
