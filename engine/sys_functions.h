#pragma once
// TfsSysFunctions: the library every script sees. Created once per scope by
// AddRTTI (in this system once, for the shared root scope), it registers, in
// this order: the type names, True, False, nil and Null, the shared string and
// array accessors, the variables ExceptionClassName and ExceptionMessage (the
// engine's core names, entered here unless the scope has them already), the
// functions of its six categories, and the Variant type codes (varEmpty ..
// varByRef).
//
// Each function is bound to its own handler when it is registered, so a call
// goes straight to its code without comparing names. Texts of numbers and
// dates follow format_settings(); ShowMessage writes to message_output().

#include "engine/script_items.h"
#include "engine/sys_math.h"

#include <memory>
#include <string>

namespace veltran {

class TfsSysFunctions : public TfsRTTIModule {
public:
    explicit TfsSysFunctions(TfsScript& script);

    // The category of each function, as its registration names it.
    const std::string FCatStr = "ctString";
    const std::string FCatDate = "ctDate";
    const std::string FCatConv = "ctConv";
    const std::string FCatFormat = "ctFormat";
    const std::string FCatMath = "ctMath";
    const std::string FCatOther = "ctOther";

    TRandomGenerator& random() { return random_; }

private:
    void add_functions(TfsScript& script);
    void add_type_codes(TfsScript& script);

    TRandomGenerator random_;
};

// The factory AddRTTI calls; the engine registers it at start-up.
std::unique_ptr<TfsRTTIModule> make_sys_functions(TfsScript& script);

} // namespace veltran
