#include "engine/core_names.h"

#include "engine/script.h"

namespace veltran {
namespace {

struct TTypeName {
    const char* name;
    TfsVarType kind;
};

constexpr TTypeName type_names[] = {
    {"Byte", fvtInt},
    {"Word", fvtInt},
    {"Integer", fvtInt},
    {"Longint", fvtInt},
    {"Cardinal", fvtInt},
    {"TColor", fvtInt},
    {"TAlphaColor", fvtInt},
    {"Int64", fvtInt64},
    {"Boolean", fvtBool},
    {"Real", fvtFloat},
    {"Single", fvtFloat},
    {"Double", fvtFloat},
    {"Extended", fvtFloat},
    {"Currency", fvtFloat},
    {"TDate", fvtFloat},
    {"TTime", fvtFloat},
    {"TDateTime", fvtFloat},
    {"Char", fvtChar},
    {"String", fvtString},
    {"Variant", fvtVariant},
    {"Pointer", fvtVariant},
    {"Array", fvtArray},
    {"Constructor", fvtConstructor},
};

} // namespace

void register_core_names(TfsScript& root) {
    for (const TTypeName& t : type_names)
        root.AddType(t.name, t.kind);
    root.AddConst("True", "Boolean", Variant(true));
    root.AddConst("False", "Boolean", Variant(false));
    root.AddConst("nil", "Variant", Variant(0));
    root.AddConst("Null", "Variant", Variant::null());
    root.Add("__StringHelper", std::make_unique<TfsStringHelper>());
    root.Add("__ArrayHelper",
             std::make_unique<TfsArrayHelper>("__ArrayHelper", 3, fvtVariant, "", 1));
    root.AddVariable("ExceptionClassName", "String", Variant(u""));
    root.AddVariable("ExceptionMessage", "String", Variant(u""));
}

} // namespace veltran
