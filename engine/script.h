#pragma once
// TfsScript: one scope of a compiled script. A module's script is a scope
// whose Parent is the shared root scope holding the library; every script
// procedure owns a nested scope for its parameters and locals. A scope holds
// a table of named items and the statements of its block.
//
// Use: set Parent and Lines, register the host's constants, variables and
// functions, Compile, Execute the main block once, then CallFunction whenever
// something happens; Clear before compiling again.

#include "engine/method_helper.h"
#include "engine/script_items.h"
#include "engine/variant.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltran {

class TfsStatement;
class TfsXMLItem;
struct TfsILOptions;
class TfsScript;
struct TfsRunState;

using TfsRunLineEvent = std::function<void(TfsScript& Sender, const std::string& UnitName,
                                           const std::string& SourcePos)>;
using TfsGetUnitEvent =
    std::function<void(TfsScript& Sender, const std::string& UnitName, std::string& UnitText)>;

class TfsScript {
public:
    TfsScript();
    virtual ~TfsScript();
    TfsScript(const TfsScript&) = delete;
    TfsScript& operator=(const TfsScript&) = delete;

    // ---- source and context ----
    // The script text, 8-bit (Windows-1252) as LoadScriptFile gives it; the
    // engine's messages (ErrorMsg, error texts) are UTF-8.
    const std::string& Lines() const { return lines_; }
    void SetLines(std::string_view text) { lines_ = text; }
    TfsScript* Parent = nullptr;
    std::string SyntaxType = "PascalScript";
    TfsAddedBy AddedBy = 0;
    bool ExtendedCharset = false;
    bool UseClassLateBinding = false;
    std::vector<std::string> IncludePath{""};
    std::vector<std::string> Macros;
    TfsRunLineEvent OnRunLine;
    TfsGetUnitEvent OnGetUnit;
    TfsGetUnitEvent OnGetILUnit;
    TfsGetVariableValueEvent OnGetVarValue;

    // ---- the name table ----
    // Enters the item under the name (several items may share a name; the
    // one entered last is found first). The scope owns the item.
    TfsObject& Add(const std::string& name, std::unique_ptr<TfsObject> item);
    // Enters an item owned elsewhere (a procedure's parameters).
    void AddReference(const std::string& name, TfsObject& item);
    // Takes the item out of the table; its ownership passes to the caller
    // (null for an item the scope did not own). Compiled code may still
    // refer to it: keep it alive while that code can run, or Clear first.
    std::unique_ptr<TfsObject> Remove(TfsObject& item);
    int Count() const { return static_cast<int>(entries_.size()); }
    TfsObject& Items(int index) const;
    // The first item of that name in this scope if it is a variable-like
    // item; Find also tries each Parent in turn.
    TfsCustomVariable* FindLocal(std::string_view name) const;
    TfsCustomVariable* Find(std::string_view name) const;
    TfsClassVariable* FindClass(std::string_view name) const;

    // Frees every item except the library's, the statements and the
    // executable-line index; clears the error.
    void Clear();
    void ClearItems(TfsAddedBy owner);
    void RemoveItems(TfsAddedBy owner);

    // ---- registration (a name that exists already makes these do nothing) ----
    virtual void AddType(const std::string& type_name, TfsVarType parent_type);
    virtual void AddConst(const std::string& name, const std::string& type_name,
                          const Variant& value);
    virtual void AddVariable(const std::string& name, const std::string& type_name,
                             const Variant& value);
    virtual void AddObject(const std::string& name, const std::string& class_name,
                           const void* object);
    virtual void AddEnum(const std::string& type_name, std::string_view names);
    virtual void AddEnumSet(const std::string& type_name, std::string_view names);
    // Registers a function by its declaration string ("function Max(a, b:
    // Integer): Integer"); raises an error for a declaration it cannot read.
    virtual TfsMethodHelper& AddMethod(const std::string& syntax, TfsCallMethodEvent call_event,
                                       const std::string& category = "",
                                       const std::string& description = "");
    virtual TfsMethodHelper& AddMethod(const std::string& syntax, TfsCallMethodNewEvent call_event,
                                       const std::string& category = "",
                                       const std::string& description = "");
    virtual TfsClassVariable* AddClass(const std::string& class_name, const std::string& ancestor);
    // Creates one object of each library module class for this scope, once.
    void AddRTTI();
    void ClearRTTI();
    bool RTTIAdded() const { return rtti_added_; }

    // The kind a type name stands for: that of the item found under the name,
    // or fvtClass when there is none.
    TfsVarType kind_of_type(std::string_view type_name) const;
    // Whether class `derived` is registered and is `base` or descends from it.
    bool descends_from(std::string_view derived, std::string_view base) const;

    // ---- compiling and running ----
    // Compiles Lines; true when ErrorMsg stayed empty (ErrorPos is then
    // cleared). What was compiled adds to what the scope already holds.
    // An unregistered SyntaxType raises "Language '<name>' not found".
    bool Compile();
    // Only the grammar walk: writes the IL document of Lines.
    bool GetILCode(std::ostream& stream);
    // Only the declaration pass, over an IL document read from the stream
    // ("Invalid file format" when it is none).
    bool SetILCode(std::istream& stream);
    // The declaration pass over an IL document already read.
    bool compile_il(const TfsXMLItem& il_root);
    // Runs the main block once; run-time errors pass out as exceptions.
    void Execute();
    bool Run();

    // Calls a script procedure by name (this scope only, or outward when
    // sGlobal); Params is a Variant array, element i going to parameter i.
    // Returns the function's result, or null (also when nothing is found).
    Variant CallFunction(std::string_view name, const Variant& params, bool sGlobal = false);
    // The same, copying every parameter's final value back into Params.
    Variant CallFunction1(std::string_view name, Variant& params, bool sGlobal = false);
    // The same for a procedure found earlier (a host looks it up once).
    Variant CallFunction2(TfsProcVariable* func, const Variant& params);
    Variant CallFunction2(TfsProcVariable* func, std::span<const Variant> params);
    // The procedure CallFunction would call, or null.
    TfsProcVariable* FindProc(std::string_view name, bool sGlobal = false) const;

    // Evaluates an expression text in the context of what is running.
    Variant Evaluate(std::string_view expression);
    bool EvaluteRiseError = false;

    // Stops what is running at the next statement boundary of every scope.
    void Terminate();
    // At most this many statements and loop passes per Execute or call from
    // the host (0: no limit); reaching it terminates the run.
    std::int64_t StepLimit = 0;
    // Whether the last run ended because the step limit was reached.
    bool step_limit_reached() const;

    Variant GetVariable(std::string_view name) const;
    void SetVariable(std::string_view name, const Variant& value);

    // ---- errors and state ----
    const std::string& ErrorMsg() const { return error_msg_; }
    const std::string& ErrorPos() const { return error_pos_; }
    const std::string& ErrorUnit() const { return error_unit_; }
    void set_error(std::string message, std::string position, std::string unit);
    bool IsRunning() const { return is_running_; }
    TfsScript* MainProg() const { return main_prog_; }
    TfsScript* ProgRunning() const { return prog_running_; }

    // ---- executable-line index ----
    void AddCodeLine(const std::string& unit_name, std::string_view position);
    bool IsExecutableLine(int line, const std::string& unit_name = "") const;

    // ---- for the compiler and the compiled code ----
    TfsStatement& Statement() const { return *statement_; }
    std::uint8_t flags = 0; // the fs_..._flag bits of statements.h
    TfsRunState& run_state() const { return *run_; }
    // Makes this scope a procedure's scope inside `parent`, sharing its run state.
    void nest_in(TfsScript& parent);
    // Runs the statements of this scope as a procedure body or the main block.
    void run_block();
    void set_running(bool running) { is_running_ = running; }
    // The first scope outward whose Execute ran, or null.
    TfsScript* main_program();
    void set_prog_running(TfsScript* scope) { prog_running_ = scope; }
    // The run-line hook of this scope or the nearest parent that has one.
    const TfsRunLineEvent* run_line_hook() const;
    // Terminates this scope and, recursively, the scopes of its procedures.
    void terminate_scopes();

private:
    struct TEntry {
        std::string key; // upper case
        TfsObject* item;
        std::unique_ptr<TfsObject> owned;
    };

    TfsILOptions il_options();
    void add_entry(const std::string& name, TfsObject& item, std::unique_ptr<TfsObject> owned);
    TfsCustomVariable& add_value_item(const std::string& name, const std::string& type_name,
                                      const Variant& value, bool read_only);
    TfsMethodHelper& add_method(const std::string& syntax, const std::string& category,
                                const std::string& description);
    void add_enum_values(const std::string& type_name, std::string_view names, bool as_set);
    void free_entries_if(const std::function<bool(const TfsObject&)>& doomed);
    void forget_compiled_code();
    void refuse_while_running(const char* operation) const;
    Variant call_with(TfsProcVariable& func, std::span<const Variant> params, Variant* copy_back);

    std::string lines_;
    std::vector<TEntry> entries_;
    std::unique_ptr<TfsStatement> statement_;
    std::unique_ptr<TfsRunState> own_run_;
    TfsRunState* run_;
    std::string error_msg_, error_pos_, error_unit_;
    std::map<std::string, std::set<int>> unit_lines_;
    TfsScript* main_prog_ = nullptr;
    TfsScript* prog_running_ = nullptr;
    bool is_running_ = false;
    bool rtti_added_ = false;
};

inline const std::vector<Variant*>& TfsProcVariable::frame() {
    if (frame_items_ != program_->Count()) find_frame();
    return frame_;
}

// The process-wide root scope holding the library; created on first request
// and freed at exit.
TfsScript* fsGlobalUnit();

// The process-wide list of library module classes AddRTTI instantiates.
using TfsRTTIModuleFactory = std::unique_ptr<TfsRTTIModule> (*)(TfsScript& script);
void fsRegisterRTTIModule(TfsRTTIModuleFactory factory);

} // namespace veltran
