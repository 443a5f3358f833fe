#include "engine/script_items.h"

#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/statements.h"
#include "engine/text.h"

namespace veltran {

TfsCustomVariable::TfsCustomVariable(std::string name, TfsVarType typ, std::string type_name)
    : Typ(typ), TypeName(std::move(type_name)), name_(std::move(name)),
      upper_name_(upper_ascii(name_)) {}

TfsCustomVariable::~TfsCustomVariable() = default;

Variant TfsCustomVariable::GetValue() {
    return value_;
}

void TfsCustomVariable::SetValue(const Variant& value) {
    if (!IsReadOnly) value_ = value;
}

TfsParamItem& TfsCustomVariable::GetParam(int index) const {
    if (index < 0 || index >= Count())
        raise_error("List index out of bounds (" + std::to_string(index) + ")");
    return *params_[static_cast<std::size_t>(index)];
}

TfsParamItem& TfsCustomVariable::AddParam(std::unique_ptr<TfsParamItem> param) {
    params_.push_back(std::move(param));
    return *params_.back();
}

int TfsCustomVariable::GetNumberOfRequiredParams() const {
    int required = 0;
    for (const auto& p : params_)
        if (!p->IsOptional) ++required;
    return required;
}

Variant TfsVariable::GetValue() {
    if (!OnGetVarValue) return value_;
    Variant hooked = OnGetVarValue(Name(), Typ, value_);
    return hooked.is_null() ? value_ : hooked;
}

void TfsVariable::SetValue(const Variant& value) {
    if (!IsReadOnly) value_ = stored_for_kind(Typ, value);
}

TfsStringVariable::TfsStringVariable(std::string name, TfsVarType typ, std::string type_name)
    : TfsVariable(std::move(name), typ, std::move(type_name)) {
    value_ = Variant(u"");
}

void TfsStringVariable::SetValue(const Variant& value) {
    value_ = value.to_ustring();
}

TfsParamItem::TfsParamItem(std::string name, TfsVarType typ, std::string type_name,
                           bool is_optional, bool is_var_param)
    : TfsCustomVariable(std::move(name), typ, std::move(type_name)), IsOptional(is_optional),
      IsVarParam(is_var_param) {}

TfsProcVariable::TfsProcVariable(std::string name, TfsVarType typ, std::string type_name,
                                 TfsScript* parent, bool is_func)
    : TfsCustomVariable(std::move(name), typ, std::move(type_name)), IsFunc(is_func),
      program_(std::make_unique<TfsScript>()) {
    IsReadOnly = true;
    if (parent) {
        program_->nest_in(*parent);
        program_->UseClassLateBinding = parent->UseClassLateBinding;
    }
}

TfsProcVariable::~TfsProcVariable() {
    // The parameters sit in the scope's table too; they belong to this item.
    for (int i = 0; i < Count(); ++i)
        program_->Remove(GetParam(i)).release();
}

Variant TfsProcVariable::GetValue() {
    return invoke();
}

void TfsProcVariable::find_frame() {
    frame_.clear();
    for (int i = 0; i < program_->Count(); ++i) {
        TfsObject& item = program_->Items(i);
        if (dynamic_cast<TfsVariable*>(&item) || dynamic_cast<TfsParamItem*>(&item))
            frame_.push_back(static_cast<TfsCustomVariable&>(item).PValue());
    }
    frame_items_ = program_->Count();
}

namespace {

// Undoes what a call changed on its way out, also when an error passes.
class TCallGuard {
public:
    TCallGuard(TfsProcVariable& proc, TfsScript& scope, TfsScript* main)
        : proc_(proc), scope_(scope), run_(scope.run_state()), was_executing_(proc.Executing),
          was_running_(scope.IsRunning()), main_(main) {
        run_.check_machine_stack();
        proc.Executing = true;
        if (main_) {
            prog_running_ = main_->ProgRunning();
            main_->set_prog_running(&scope);
        }
        scope.flags = 0;
        scope.set_running(true);
        ++run_.depth;
    }
    ~TCallGuard() {
        --run_.depth;
        // A terminated run stays terminated in the callers' scopes too.
        scope_.flags = run_.terminated ? fs_exit_flag | fs_terminate_flag : 0;
        scope_.set_running(was_running_);
        if (main_) main_->set_prog_running(prog_running_);
        proc_.Executing = was_executing_;
    }
    TCallGuard(const TCallGuard&) = delete;
    TCallGuard& operator=(const TCallGuard&) = delete;

private:
    TfsProcVariable& proc_;
    TfsScript& scope_;
    TfsRunState& run_;
    bool was_executing_;
    bool was_running_;
    TfsScript* main_;
    TfsScript* prog_running_ = nullptr;
};

} // namespace

Variant TfsProcVariable::invoke() {
    // The main program is found once Execute has made one.
    if (!main_program_) main_program_ = program_->main_program();
    TCallGuard guard(*this, *program_, main_program_);
    TfsVariable* result = IsFunc ? result_variable() : nullptr;
    if (!result) {
        program_->run_block();
        return Variant::null();
    }
    // An empty value, converted as the result's kind converts it: 0, '', False.
    if (!result_reset_known_) {
        result_reset_ = stored_for_kind(result->Typ, Variant());
        result_reset_known_ = true;
    }
    *result->PValue() = result_reset_;
    program_->run_block();
    return result->is_plain() ? *result->PValue() : result->GetValue();
}

TfsArrayHelper::TfsArrayHelper(std::string name, int dim_count, TfsVarType typ,
                               std::string type_name, int required)
    : TfsCustomHelper(std::move(name), typ, std::move(type_name)) {
    for (int i = 0; i < dim_count; ++i) {
        const bool optional = required >= 0 && i >= required;
        AddParam(std::make_unique<TfsParamItem>("", fvtInt, "", optional, false));
    }
}

namespace {

// The integer indexes held by the first n parameters of an accessor.
int load_indexes(const TfsCustomVariable& helper, int n, std::int32_t* out) {
    for (int i = 0; i < n; ++i)
        out[i] = helper.GetParam(i).GetValue().to_int();
    return n;
}

} // namespace

Variant TfsArrayHelper::GetValue() {
    const int dims = ParentValue.array_dim_count();
    if (dims < 1 || dims > 3 || dims > Count()) return Variant::null();
    std::int32_t index[3];
    return ParentValue.array_get(std::span(index, load_indexes(*this, dims, index)));
}

void TfsArrayHelper::SetValue(const Variant& value) {
    const int dims = ParentValue.array_dim_count();
    if (!ParentRef || dims < 1 || dims > 3 || dims > Count()) return;
    std::int32_t index[3];
    const std::span at(index, load_indexes(*this, dims, index));
    auto* plain = dynamic_cast<TfsVariable*>(ParentRef);
    if (plain && plain->is_plain() && !plain->IsReadOnly && plain->PValue()->is_array()) {
        ParentValue = Variant(); // its reference would make the write copy the array
        plain->PValue()->array_put(at, value);
        return;
    }
    Variant updated = ParentValue;
    updated.array_put(at, value);
    ParentRef->SetValue(updated);
}

TfsStringHelper::TfsStringHelper() : TfsCustomHelper("__StringHelper", fvtChar, "Char") {
    AddParam(std::make_unique<TfsParamItem>("", fvtInt, "", false, false));
}

Variant TfsStringHelper::GetValue() {
    return string_char_at(ParentValue, GetParam(0).GetValue().to_int());
}

void TfsStringHelper::SetValue(const Variant& value) {
    if (!ParentRef) return;
    ParentRef->SetValue(string_with_char(ParentValue, GetParam(0).GetValue().to_int(), value));
}

TfsClassVariable::TfsClassVariable(std::string class_name, std::string ancestor)
    : TfsCustomVariable(class_name, fvtClass, class_name), ancestor_(std::move(ancestor)) {}

Variant string_char_at(const Variant& text, std::int32_t index) {
    const Variant s = text.to_ustring();
    const std::u16string_view chars = s.wide_view();
    if (index < 1 || static_cast<std::size_t>(index) > chars.size()) raise_range_error();
    return Variant(chars.substr(static_cast<std::size_t>(index) - 1, 1));
}

Variant string_with_char(const Variant& text, std::int32_t index, const Variant& value) {
    std::u16string chars = text.to_u16string();
    if (index < 1 || static_cast<std::size_t>(index) > chars.size()) raise_range_error();
    const std::u16string replacement = value.to_u16string();
    if (replacement.empty()) raise_range_error();
    chars[static_cast<std::size_t>(index) - 1] = replacement[0];
    return Variant(std::u16string_view(chars));
}

} // namespace veltran
