#include "engine/script.h"

#include "engine/core_names.h"
#include "engine/run_state.h"
#include "engine/script_exception.h"
#include "engine/statements.h"
#include "engine/text.h"

#include <algorithm>

namespace veltran {
namespace {

std::vector<TfsRTTIModuleFactory>& module_factories() {
    static std::vector<TfsRTTIModuleFactory> factories;
    return factories;
}

// Starts and ends one run of a script as seen from the host (Execute or a
// call): the outermost entry resets the run state and resolves the hook.
class TRunEntry {
public:
    TRunEntry(TfsScript& script, TfsRunState& run) : run_(run) {
        if (run_.depth == 0) {
            run_.terminated = false;
            run_.limit_reached = false;
            run_.step_limited = script.StepLimit > 0;
            run_.steps_left = script.StepLimit;
            run_.hook = script.run_line_hook();
            run_.stack_limit = fs_machine_stack_limit();
        }
        ++run_.depth;
    }
    ~TRunEntry() { --run_.depth; }
    TRunEntry(const TRunEntry&) = delete;
    TRunEntry& operator=(const TRunEntry&) = delete;

private:
    TfsRunState& run_;
};

} // namespace

TfsScript::TfsScript() : own_run_(std::make_unique<TfsRunState>()), run_(own_run_.get()) {
    statement_ = std::make_unique<TfsStatement>(*this, "", "");
}

TfsScript::~TfsScript() {
    free_entries_if([](const TfsObject&) { return true; });
}

void TfsScript::nest_in(TfsScript& parent) {
    Parent = &parent;
    run_ = parent.run_;
    own_run_.reset();
    statement_ = std::make_unique<TfsStatement>(*this, "", "");
}

// ---- the name table -------------------------------------------------------

void TfsScript::add_entry(const std::string& name, TfsObject& item,
                          std::unique_ptr<TfsObject> owned) {
    if (auto* v = dynamic_cast<TfsCustomVariable*>(&item)) v->AddedBy = AddedBy;
    std::string key = upper_ascii(name);
    // Before the entries of the same name, so that the newest is found first.
    const auto at =
        std::lower_bound(entries_.begin(), entries_.end(), key,
                         [](const TEntry& e, const std::string& k) { return e.key < k; });
    entries_.insert(at, TEntry{std::move(key), &item, std::move(owned)});
}

TfsObject& TfsScript::Add(const std::string& name, std::unique_ptr<TfsObject> item) {
    TfsObject& ref = *item;
    add_entry(name, ref, std::move(item));
    return ref;
}

void TfsScript::AddReference(const std::string& name, TfsObject& item) {
    add_entry(name, item, nullptr);
}

std::unique_ptr<TfsObject> TfsScript::Remove(TfsObject& item) {
    const auto at = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const TEntry& e) { return e.item == &item; });
    if (at == entries_.end()) return nullptr;
    std::unique_ptr<TfsObject> owned = std::move(at->owned);
    entries_.erase(at);
    return owned;
}

TfsObject& TfsScript::Items(int index) const {
    if (index < 0 || index >= Count())
        raise_error("List index out of bounds (" + std::to_string(index) + ")");
    return *entries_[static_cast<std::size_t>(index)].item;
}

TfsCustomVariable* TfsScript::FindLocal(std::string_view name) const {
    const std::string key = upper_ascii(name);
    const auto at =
        std::lower_bound(entries_.begin(), entries_.end(), key,
                         [](const TEntry& e, const std::string& k) { return e.key < k; });
    if (at == entries_.end() || at->key != key) return nullptr;
    return dynamic_cast<TfsCustomVariable*>(at->item);
}

TfsCustomVariable* TfsScript::Find(std::string_view name) const {
    for (const TfsScript* s = this; s; s = s->Parent)
        if (TfsCustomVariable* item = s->FindLocal(name)) return item;
    return nullptr;
}

TfsClassVariable* TfsScript::FindClass(std::string_view name) const {
    return dynamic_cast<TfsClassVariable*>(Find(name));
}

void TfsScript::free_entries_if(const std::function<bool(const TfsObject&)>& doomed) {
    // From the last entry to the first, taking each out before freeing it.
    for (std::size_t i = entries_.size(); i-- > 0;) {
        if (i >= entries_.size() || !doomed(*entries_[i].item)) continue;
        std::unique_ptr<TfsObject> owned = std::move(entries_[i].owned);
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
        owned.reset();
    }
}

namespace {

bool is_library(const TfsObject& item) {
    if (dynamic_cast<const TfsRTTIModule*>(&item)) return true;
    const auto* v = dynamic_cast<const TfsCustomVariable*>(&item);
    return v && v->AddedBy == fs_library_marker;
}

} // namespace

void TfsScript::refuse_while_running(const char* operation) const {
    if (run_->depth > 0) raise_error(std::string("Cannot ") + operation + " a running script");
}

// Compiled code refers to items by address: once items go, so does every
// statement that might refer to them.
void TfsScript::forget_compiled_code() {
    statement_->Clear();
    for (const TEntry& e : entries_)
        if (auto* proc = dynamic_cast<TfsProcVariable*>(e.item))
            proc->Program().forget_compiled_code();
}

void TfsScript::Clear() {
    refuse_while_running("clear");
    statement_->Clear();
    free_entries_if([](const TfsObject& item) { return !is_library(item); });
    unit_lines_.clear();
    error_msg_.clear();
    error_pos_.clear();
    error_unit_.clear();
}

void TfsScript::RemoveItems(TfsAddedBy owner) {
    refuse_while_running("change");
    forget_compiled_code();
    free_entries_if([owner](const TfsObject& item) {
        const auto* v = dynamic_cast<const TfsCustomVariable*>(&item);
        return v && v->AddedBy == owner;
    });
}

void TfsScript::ClearItems(TfsAddedBy owner) {
    RemoveItems(owner);
    unit_lines_.clear();
}

// ---- registration ---------------------------------------------------------

TfsVarType TfsScript::kind_of_type(std::string_view type_name) const {
    const TfsCustomVariable* item = Find(type_name);
    return item ? item->Typ : fvtClass;
}

bool TfsScript::descends_from(std::string_view derived, std::string_view base) const {
    const TfsClassVariable* c = FindClass(derived);
    // A bounded walk: a host may register classes whose ancestors form a loop.
    for (int depth = 0; c && depth < 256; ++depth) {
        if (same_text_ignoring_case(c->Name(), base)) return true;
        c = FindClass(c->Ancestor());
    }
    return false;
}

void TfsScript::AddType(const std::string& type_name, TfsVarType parent_type) {
    if (Find(type_name)) return;
    Add(type_name, std::make_unique<TfsTypeVariable>(type_name, parent_type, type_name));
}

TfsCustomVariable& TfsScript::add_value_item(const std::string& name, const std::string& type_name,
                                             const Variant& value, bool read_only) {
    const TfsVarType kind = kind_of_type(type_name);
    auto item = std::make_unique<TfsVariable>(name, kind, type_name);
    item->SetValue(value);
    item->IsReadOnly = read_only;
    return static_cast<TfsCustomVariable&>(Add(name, std::move(item)));
}

void TfsScript::AddConst(const std::string& name, const std::string& type_name,
                         const Variant& value) {
    if (!Find(name)) add_value_item(name, type_name, value, true);
}

void TfsScript::AddVariable(const std::string& name, const std::string& type_name,
                            const Variant& value) {
    if (!Find(name)) add_value_item(name, type_name, value, false).OnGetVarValue = OnGetVarValue;
}

void TfsScript::AddObject(const std::string& name, const std::string& class_name,
                          const void* object) {
    AddVariable(name, class_name,
                Variant(static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(object))));
}

void TfsScript::add_enum_values(const std::string& type_name, std::string_view names, bool as_set) {
    Add(type_name, std::make_unique<TfsVariable>(type_name, fvtEnum, type_name));
    std::int64_t value = as_set ? 1 : 0;
    std::size_t start = 0;
    while (start <= names.size()) {
        std::size_t comma = names.find(',', start);
        if (comma == std::string_view::npos) comma = names.size();
        const std::string name = trim(names.substr(start, comma - start));
        auto item = std::make_unique<TfsVariable>(name, fvtEnum, type_name);
        *item->PValue() = Variant(static_cast<std::int32_t>(value));
        item->IsReadOnly = true;
        Add(name, std::move(item));
        value = as_set ? value * 2 : value + 1;
        start = comma + 1;
    }
}

void TfsScript::AddEnum(const std::string& type_name, std::string_view names) {
    add_enum_values(type_name, names, false);
}

void TfsScript::AddEnumSet(const std::string& type_name, std::string_view names) {
    add_enum_values(type_name, names, true);
}

TfsMethodHelper& TfsScript::add_method(const std::string& syntax, const std::string& category,
                                       const std::string& description) {
    auto method = std::make_unique<TfsMethodHelper>(syntax, *this);
    method->Category = category;
    method->Description = description.empty() ? method->Name() : description;
    const std::string name = method->Name();
    return static_cast<TfsMethodHelper&>(Add(name, std::move(method)));
}

TfsMethodHelper& TfsScript::AddMethod(const std::string& syntax, TfsCallMethodEvent call_event,
                                      const std::string& category, const std::string& description) {
    TfsMethodHelper& method = add_method(syntax, category, description);
    method.OnCall = std::move(call_event);
    return method;
}

TfsMethodHelper& TfsScript::AddMethod(const std::string& syntax, TfsCallMethodNewEvent call_event,
                                      const std::string& category, const std::string& description) {
    TfsMethodHelper& method = add_method(syntax, category, description);
    method.OnCallNew = std::move(call_event);
    return method;
}

TfsClassVariable* TfsScript::AddClass(const std::string& class_name, const std::string& ancestor) {
    if (Find(class_name)) return FindClass(class_name);
    return &static_cast<TfsClassVariable&>(
        Add(class_name, std::make_unique<TfsClassVariable>(class_name, ancestor)));
}

void TfsScript::AddRTTI() {
    if (rtti_added_) return;
    const TfsAddedBy saved = AddedBy;
    AddedBy = fs_library_marker;
    for (TfsRTTIModuleFactory factory : module_factories())
        Add("", factory(*this));
    AddedBy = saved;
    rtti_added_ = true;
}

void TfsScript::ClearRTTI() {
    refuse_while_running("clear");
    free_entries_if(is_library);
    rtti_added_ = false;
}

void fsRegisterRTTIModule(TfsRTTIModuleFactory factory) {
    module_factories().push_back(factory);
}

namespace {

struct TGlobalUnitHolder {
    std::unique_ptr<TfsScript> script;
    bool shut_down = false;
    ~TGlobalUnitHolder() {
        shut_down = true;
        script.reset();
    }
};

} // namespace

TfsScript* fsGlobalUnit() {
    static TGlobalUnitHolder holder;
    if (holder.shut_down) return nullptr;
    if (!holder.script) {
        holder.script = std::make_unique<TfsScript>();
        holder.script->AddedBy = fs_library_marker;
        register_core_names(*holder.script);
        holder.script->AddedBy = 0;
        holder.script->AddRTTI();
    }
    return holder.script.get();
}

// ---- running ----------------------------------------------------------------

const TfsRunLineEvent* TfsScript::run_line_hook() const {
    for (const TfsScript* s = this; s; s = s->Parent)
        if (s->OnRunLine) return &s->OnRunLine;
    return nullptr;
}

TfsScript* TfsScript::main_program() {
    for (TfsScript* s = this; s; s = s->Parent)
        if (s->main_prog_) return s;
    return nullptr;
}

void TfsScript::run_block() { statement_->TfsStatement::Execute(); }

void TfsScript::terminate_scopes() {
    flags |= fs_exit_flag | fs_terminate_flag;
    for (const TEntry& e : entries_)
        if (auto* proc = dynamic_cast<TfsProcVariable*>(e.item)) proc->Program().terminate_scopes();
}

void TfsScript::Terminate() {
    run_->terminated = true;
    terminate_scopes();
}

bool TfsScript::step_limit_reached() const {
    return run_->limit_reached;
}

void TfsScript::Execute() {
    TRunEntry entry(*this, *run_);
    struct TEnd {
        TfsScript& s;
        ~TEnd() {
            s.flags = 0;
            s.is_running_ = false;
        }
    } end{*this};
    flags = 0;
    is_running_ = true;
    main_prog_ = this;
    statement_->Execute();
}

TfsProcVariable* TfsScript::FindProc(std::string_view name, bool sGlobal) const {
    return dynamic_cast<TfsProcVariable*>(sGlobal ? Find(name) : FindLocal(name));
}

Variant TfsScript::call_with(TfsProcVariable& func, std::span<const Variant> params,
                             Variant* copy_back) {
    if (static_cast<int>(params.size()) > func.Count())
        raise_error("List index out of bounds (" + std::to_string(func.Count()) + ")");
    TRunEntry entry(*this, *run_);
    for (std::size_t i = 0; i < params.size(); ++i)
        func.GetParam(static_cast<int>(i)).SetValue(params[i]);
    Variant result = func.invoke();
    if (copy_back) {
        for (std::size_t i = 0; i < params.size(); ++i)
            copy_back->array_put1(copy_back->array_bound(0).low + static_cast<std::int32_t>(i),
                                  func.GetParam(static_cast<int>(i)).GetValue());
    }
    return result;
}

namespace {

std::span<const Variant> elements_of(const Variant& params) {
    if (params.array_dim_count() != 1) return {};
    return params.array_items();
}

} // namespace

Variant TfsScript::CallFunction(std::string_view name, const Variant& params, bool sGlobal) {
    TfsProcVariable* func = FindProc(name, sGlobal);
    return func ? call_with(*func, elements_of(params), nullptr) : Variant::null();
}

Variant TfsScript::CallFunction1(std::string_view name, Variant& params, bool sGlobal) {
    TfsProcVariable* func = FindProc(name, sGlobal);
    if (!func) return Variant::null();
    const Variant arguments = params; // keeps the elements while params is written
    return call_with(*func, elements_of(arguments), &params);
}

Variant TfsScript::CallFunction2(TfsProcVariable* func, const Variant& params) {
    return func ? call_with(*func, elements_of(params), nullptr) : Variant::null();
}

Variant TfsScript::CallFunction2(TfsProcVariable* func, std::span<const Variant> params) {
    return func ? call_with(*func, params, nullptr) : Variant::null();
}

Variant TfsScript::GetVariable(std::string_view name) const {
    TfsCustomVariable* item = Find(name);
    return item ? item->GetValue() : Variant::null();
}

void TfsScript::SetVariable(std::string_view name, const Variant& value) {
    if (TfsCustomVariable* item = Find(name))
        item->SetValue(value);
    else
        AddVariable(std::string(name), "Variant", value);
}

// ---- errors and the executable-line index -----------------------------------

void TfsScript::set_error(std::string message, std::string position, std::string unit) {
    error_msg_ = std::move(message);
    error_pos_ = std::move(position);
    error_unit_ = std::move(unit);
}

void TfsScript::AddCodeLine(const std::string& unit_name, std::string_view position) {
    const std::size_t colon = position.find(':');
    const std::string_view digits = position.substr(0, colon);
    int line = 0;
    for (char c : digits) {
        if (c < '0' || c > '9' || line > 100000000) return;
        line = line * 10 + (c - '0');
    }
    unit_lines_[upper_ascii(unit_name)].insert(line);
}

bool TfsScript::IsExecutableLine(int line, const std::string& unit_name) const {
    const auto lines = unit_lines_.find(upper_ascii(unit_name));
    return lines != unit_lines_.end() && lines->second.count(line) != 0;
}

} // namespace veltran
