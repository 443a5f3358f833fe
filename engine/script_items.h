#pragma once
// The named items of a script scope: variables, constants, type names,
// parameters, script procedures and the accessors of indexed values. Every
// item holds its value in place, so compiled code refers to it by address and
// never looks a name up while running.

#include "engine/var_type.h"
#include "engine/variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace veltran {

class TfsScript;
class TfsParamItem;

// Anything a scope's name table holds (items and library modules).
class TfsObject {
public:
    virtual ~TfsObject() = default;
};

// Who registered an item, so that a host can remove what it added
// (`RemoveItems`); library items carry fs_library_marker and survive `Clear`.
using TfsAddedBy = std::intptr_t;
inline constexpr TfsAddedBy fs_library_marker = 1;

// The read hook of variables: its result replaces the stored value unless it
// is null.
using TfsGetVariableValueEvent =
    std::function<Variant(const std::string& VarName, TfsVarType VarTyp, const Variant& OldValue)>;

class TfsCustomVariable : public TfsObject {
public:
    TfsCustomVariable(std::string name, TfsVarType typ, std::string type_name);
    ~TfsCustomVariable() override;

    virtual Variant GetValue();
    virtual void SetValue(const Variant& value);

    const std::string& Name() const { return name_; }
    const std::string& UppercaseName() const { return upper_name_; }
    std::string GetFullTypeName() const { return full_type_name(Typ, TypeName); }
    TfsTypeRec type_rec() const { return {Typ, TypeName}; }

    // The parameters (of a procedure, registered function or accessor).
    int Count() const { return static_cast<int>(params_.size()); }
    // Raises "List index out of bounds (i)" for an index beyond the list.
    TfsParamItem& GetParam(int index) const;
    TfsParamItem& AddParam(std::unique_ptr<TfsParamItem> param);
    int GetNumberOfRequiredParams() const;

    // Direct access to the stored value, for compiled code.
    Variant* PValue() { return &value_; }

    TfsVarType Typ;
    std::string TypeName;
    TfsAddedBy AddedBy = 0;
    bool IsMacro = false;
    bool IsReadOnly = false;
    bool NeedResult = true;
    // The related item: the Result variable of a function, the accessor of an
    // array variable.
    TfsCustomVariable* RefItem = nullptr;
    std::string SourcePos;
    std::string SourceUnit;
    TfsGetVariableValueEvent OnGetVarValue;

protected:
    Variant value_ = Variant::null();

private:
    std::string name_;
    std::string upper_name_;
    std::vector<std::unique_ptr<TfsParamItem>> params_;
};

// A variable or constant: converts what it is assigned to its kind.
class TfsVariable : public TfsCustomVariable {
public:
    using TfsCustomVariable::TfsCustomVariable;
    Variant GetValue() override;
    void SetValue(const Variant& value) override;
    // Whether compiled code may read and write the stored value directly.
    bool is_plain() const { return !OnGetVarValue; }
};

// A variable of kind Char or String: always holds a UTF-16 string.
class TfsStringVariable : public TfsVariable {
public:
    TfsStringVariable(std::string name, TfsVarType typ, std::string type_name);
    void SetValue(const Variant& value) override;
};

// A type name; its kind is the kind of the type.
class TfsTypeVariable : public TfsCustomVariable {
public:
    using TfsCustomVariable::TfsCustomVariable;
};

// A formal parameter; stores what it is given, unconverted.
class TfsParamItem : public TfsCustomVariable {
public:
    TfsParamItem(std::string name, TfsVarType typ, std::string type_name, bool is_optional,
                 bool is_var_param);
    Variant DefValue = Variant::null();
    bool IsOptional;
    bool IsVarParam;
};

// A script procedure or function with its own scope for parameters and
// locals. Reading its value calls it with the values its parameters hold.
class TfsProcVariable : public TfsCustomVariable {
public:
    TfsProcVariable(std::string name, TfsVarType typ, std::string type_name, TfsScript* parent,
                    bool is_func);
    ~TfsProcVariable() override;

    Variant GetValue() override;
    // Runs the body once (the parameters already hold the arguments); the
    // result is the Result variable's value for a function, null otherwise.
    Variant invoke();

    TfsScript& Program() const { return *program_; }
    TfsVariable* result_variable() const { return static_cast<TfsVariable*>(RefItem); }
    // The values of every variable and parameter of the scope: what a call
    // saves and restores around a recursive call (script.h defines it).
    const std::vector<Variant*>& frame();

    bool Executing = false;
    bool IsFunc;

private:
    std::unique_ptr<TfsScript> program_;
    TfsScript* main_program_ = nullptr;
    Variant result_reset_;
    bool result_reset_known_ = false;
    void find_frame();
    std::vector<Variant*> frame_;
    int frame_items_ = -1; // the scope's item count the frame was found for
};

// Base of the accessors of members and indexes: filled with the item and the
// value they apply to before every use.
class TfsCustomHelper : public TfsCustomVariable {
public:
    using TfsCustomVariable::TfsCustomVariable;
    TfsCustomVariable* ParentRef = nullptr;
    Variant ParentValue;
};

// Indexes a Variant array of one to three dimensions; one index parameter per
// dimension. Other dimension counts read null and ignore writes.
class TfsArrayHelper : public TfsCustomHelper {
public:
    TfsArrayHelper(std::string name, int dim_count, TfsVarType typ, std::string type_name,
                   int required = -1);
    Variant GetValue() override;
    void SetValue(const Variant& value) override;
};

// One character of a string value, by its 1-based index parameter.
class TfsStringHelper : public TfsCustomHelper {
public:
    TfsStringHelper();
    Variant GetValue() override;
    void SetValue(const Variant& value) override;
};

// A registered host class. This platform has no run-time type information,
// so a class contributes its name, its ancestor and its members registered by
// the host.
class TfsClassVariable : public TfsCustomVariable {
public:
    TfsClassVariable(std::string class_name, std::string ancestor);
    const std::string& Ancestor() const { return ancestor_; }

private:
    std::string ancestor_;
};

// A library module: registers its library into the given scope when created.
class TfsRTTIModule : public TfsObject {
public:
    explicit TfsRTTIModule(TfsScript& script) : script_(script) {}
    TfsScript& Script() const { return script_; }

private:
    TfsScript& script_;
};

// One character of a string as a one-character string; the index must lie
// within 1..length ("Range check error" otherwise).
Variant string_char_at(const Variant& text, std::int32_t index);
// The string with character `index` replaced by the first character of the
// value's text.
Variant string_with_char(const Variant& text, std::int32_t index, const Variant& value);

} // namespace veltran
