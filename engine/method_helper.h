#pragma once
// A function registered by the host or the library, described by a Pascal
// heading ("function Copy(s: String; from, count: Integer): String"). Its
// handler receives the arguments in one argument array the item keeps for
// all its calls, so a call allocates nothing.

#include "engine/script_items.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace veltran {

class TfsMethodHelper;

// A declaration string read into its parts.
struct TfsMethodHeading {
    std::string name;
    bool is_macro = false;
    std::string result_type; // empty for a procedure
    std::vector<std::unique_ptr<TfsParamItem>> params;
};

// Reads "function Name(a, b: Integer; var c: String = 'x'): Integer": the
// first word says whether it is a function (or a macro), the result type is
// the name after the last ':', parameter types resolve in `script`. Raises an
// error for a heading without a name or with a parameter list not closed by ')'.
TfsMethodHeading parse_method_heading(const std::string& syntax, const TfsScript& script);

// The argument-array style: Params holds one Variant per parameter; values
// the handler leaves in by-reference parameters go back to the caller.
using TfsCallMethodEvent =
    std::function<Variant(void* Instance, TfsClassVariable* ClassType,
                          const std::string& MethodName, std::span<Variant> Params)>;
// The item style: the handler reads Caller.GetVParam(i) and returns
// by-reference results with Caller.SetVParam(i, value).
using TfsCallMethodNewEvent =
    std::function<Variant(void* Instance, TfsClassVariable* ClassType,
                          const std::string& MethodName, TfsMethodHelper& Caller)>;

class TfsMethodHelper : public TfsCustomHelper {
public:
    // Reads the declaration; raises an error when it is not a heading
    // (no name, or a parameter list not closed by ')').
    TfsMethodHelper(const std::string& syntax, TfsScript& script);

    // Calls the handler with the values the parameters hold.
    Variant GetValue() override;
    // Assigning to an indexed property: the handler gets NAME.SET and the
    // value after the arguments.
    void SetValue(const Variant& value) override;

    // Calls the handler with the arguments already stored in arguments().
    Variant call();
    std::span<Variant> arguments() { return args_; }

    // Argument i (index Count is the value being assigned to an indexed property).
    const Variant& GetVParam(int index) const;
    void SetVParam(int index, const Variant& value);

    std::string Category;
    std::string Description;
    std::string Syntax;
    bool IndexMethod = false;
    TfsClassVariable* ClassRef = nullptr;
    TfsCallMethodEvent OnCall;
    TfsCallMethodNewEvent OnCallNew;

private:
    TfsMethodHelper(TfsMethodHeading heading, const std::string& syntax, const TfsScript& script);
    void* instance() const;
    void load_arguments();
    void store_var_params();

    std::vector<Variant> args_;
    Variant set_value_;
    std::string get_name_; // NAME.GET, the name an indexed property is read by
    std::string set_name_; // NAME.SET
};

} // namespace veltran
