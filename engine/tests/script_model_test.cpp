// The program model: kinds and compatibility, registration, lookup,
// declaration strings and the executable-line index.
#include "engine/script.h"
#include "engine/script_exception.h"
#include "engine/variant_ops.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

// ---- kinds ---------------------------------------------------------------------

struct CompatCase {
    TfsVarType target;
    TfsVarType value;
    bool assignment; // accepted by the assignment check
    bool operand;    // accepted inside expressions
};

class Compatibility : public testing::TestWithParam<CompatCase> {};

TEST_P(Compatibility, FollowsTheTable) {
    const CompatCase& c = GetParam();
    const auto no_classes = [](std::string_view, std::string_view) { return false; };
    EXPECT_EQ(types_compatible({c.target, ""}, {c.value, ""}, TfsCheck::assignment, no_classes),
              c.assignment);
    EXPECT_EQ(types_compatible({c.target, ""}, {c.value, ""}, TfsCheck::operand, no_classes),
              c.operand);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Compatibility,
    testing::Values(
        CompatCase{fvtInt, fvtInt, true, true}, CompatCase{fvtInt, fvtFloat, false, true},
        CompatCase{fvtInt, fvtInt64, true, true}, CompatCase{fvtInt, fvtString, false, false},
        CompatCase{fvtInt, fvtVariant, true, true}, CompatCase{fvtInt, fvtEnum, true, true},
        CompatCase{fvtBool, fvtInt, false, false}, CompatCase{fvtBool, fvtVariant, true, true},
        CompatCase{fvtFloat, fvtInt, true, true}, CompatCase{fvtFloat, fvtInt64, false, false},
        CompatCase{fvtString, fvtChar, true, true}, CompatCase{fvtChar, fvtString, true, true},
        CompatCase{fvtString, fvtInt, false, false}, CompatCase{fvtArray, fvtArray, true, true},
        CompatCase{fvtArray, fvtInt, false, false}, CompatCase{fvtVariant, fvtClass, true, true},
        CompatCase{fvtConstructor, fvtVariant, false, false},
        CompatCase{fvtInt64, fvtFloat, true, true}, CompatCase{fvtEnum, fvtInt, true, true},
        CompatCase{fvtClass, fvtVariant, true, true}, CompatCase{fvtClass, fvtInt, false, false}));

TEST(Compatibility, EnumsMatchByTypeNameAndClassesByAncestry) {
    const auto descends = [](std::string_view derived, std::string_view base) {
        return derived == "TButton" && base == "TControl";
    };
    EXPECT_TRUE(types_compatible({fvtEnum, "TColors"}, {fvtEnum, "tcolors"}, TfsCheck::assignment,
                                 descends));
    EXPECT_FALSE(types_compatible({fvtEnum, "TColors"}, {fvtEnum, "TSizes"}, TfsCheck::assignment,
                                  descends));
    EXPECT_TRUE(types_compatible({fvtClass, "TControl"}, {fvtClass, "TButton"},
                                 TfsCheck::assignment, descends));
    EXPECT_FALSE(types_compatible({fvtClass, "TButton"}, {fvtClass, "TControl"},
                                  TfsCheck::assignment, descends));
}

TEST(Compatibility, MessageNamesBothTypes) {
    EXPECT_EQ(incompatible_types_message({fvtInt, "byte"}, {fvtFloat, ""}),
              "Incompatible types: 'Integer', 'Extended'");
    EXPECT_EQ(incompatible_types_message({fvtClass, "TReqHardware"}, {fvtString, ""}),
              "Incompatible types: 'TReqHardware', 'String'");
}

TEST(Kinds, VariablesStoreByKind) {
    EXPECT_EQ(stored_for_kind(fvtInt, Variant(2.7)).vtype(), varInteger);
    EXPECT_EQ(stored_for_kind(fvtInt, Variant(2.7)).to_int(), 3);
    EXPECT_EQ(stored_for_kind(fvtFloat, Variant(2)).vtype(), varDouble);
    EXPECT_EQ(stored_for_kind(fvtFloat, Variant::of_date(3)).vtype(), varDate);
    EXPECT_EQ(stored_for_kind(fvtString, Variant(12)).to_utf8(), "12");
    EXPECT_EQ(stored_for_kind(fvtBool, Variant::from_utf8("True")).vtype(), varBoolean);
    EXPECT_EQ(stored_for_kind(fvtInt64, Variant(5)).vtype(), varInt64);
    EXPECT_EQ(stored_for_kind(fvtChar, Variant(5)).vtype(), varInteger); // unconverted
    EXPECT_THROW(stored_for_kind(fvtInt, Variant::from_utf8("abc")), TfsException);
}

// ---- registration and lookup ---------------------------------------------------

class Registration : public testing::Test {
protected:
    Registration() { script.Parent = fsGlobalUnit(); }
    TfsScript script;
};

TEST_F(Registration, ConstantsConvertToTheirKindAndAreReadOnly) {
    script.AddConst("hInput", "byte", Variant(1));
    script.AddConst("Board", "string", Variant(7));
    TfsCustomVariable* input = script.Find("HINPUT");
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->Typ, fvtInt);
    EXPECT_TRUE(input->IsReadOnly);
    EXPECT_EQ(script.GetVariable("Board").vtype(), varUString);
    input->SetValue(Variant(5));
    EXPECT_EQ(script.GetVariable("hInput").to_int(), 1);
}

TEST_F(Registration, AnExistingNameKeepsTheOlderItem) {
    script.AddConst("Limit", "Integer", Variant(1));
    script.AddConst("Limit", "Integer", Variant(2));
    script.AddVariable("True", "Integer", Variant(3)); // the root's constant wins
    EXPECT_EQ(script.GetVariable("Limit").to_int(), 1);
    EXPECT_EQ(script.GetVariable("True").vtype(), varBoolean);
    EXPECT_EQ(script.FindLocal("True"), nullptr);
}

TEST_F(Registration, AMethodRegisteredTwiceIsFoundByItsLastRegistration) {
    TfsMethodHelper& first = script.AddMethod("procedure Beep", TfsCallMethodEvent{});
    TfsMethodHelper& second = script.AddMethod("procedure Beep(i: Integer)", TfsCallMethodEvent{});
    EXPECT_NE(&first, &second);
    EXPECT_EQ(script.FindLocal("beep"), &second);
    EXPECT_EQ(script.Count(), 2);
}

TEST_F(Registration, VariablesGetTheScopesReadHook) {
    script.OnGetVarValue = [](const std::string& name, TfsVarType, const Variant& old) {
        return name == "Hooked" ? Variant(99) : old;
    };
    script.AddVariable("Hooked", "Integer", Variant(1));
    script.AddConst("Plain", "Integer", Variant(1));
    EXPECT_EQ(script.GetVariable("Hooked").to_int(), 99);
    EXPECT_EQ(script.GetVariable("Plain").to_int(), 1);
}

TEST_F(Registration, EnumerationsCountUpOrDouble) {
    script.AddEnum("TLight", "lOff, lOn ,lBlink");
    script.AddEnumSet("TFlags", "fA,fB,fC");
    EXPECT_EQ(script.Find("TLight")->Typ, fvtEnum);
    EXPECT_EQ(script.GetVariable("lBlink").to_int(), 2);
    EXPECT_EQ(script.Find("lOn")->TypeName, "TLight");
    EXPECT_EQ(script.GetVariable("fC").to_int(), 4);
}

TEST_F(Registration, VariablesWriteCreatesAVariant) {
    script.SetVariable("Fresh", Variant(4));
    TfsCustomVariable* fresh = script.FindLocal("Fresh");
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->Typ, fvtVariant);
    script.SetVariable("Fresh", Variant::from_utf8("x"));
    EXPECT_EQ(script.GetVariable("Fresh").to_utf8(), "x");
    EXPECT_TRUE(script.GetVariable("Missing").is_null());
}

TEST_F(Registration, ClearKeepsOnlyTheLibrary) {
    script.AddConst("A", "Integer", Variant(1));
    script.AddedBy = fs_library_marker;
    script.AddConst("B", "Integer", Variant(2));
    script.AddedBy = 0;
    script.Clear();
    EXPECT_EQ(script.FindLocal("A"), nullptr);
    EXPECT_NE(script.FindLocal("B"), nullptr);
}

TEST_F(Registration, RemoveItemsFreesWhatOneOwnerAdded) {
    script.AddedBy = 7;
    script.AddConst("Mine", "Integer", Variant(1));
    script.AddedBy = 8;
    script.AddConst("Theirs", "Integer", Variant(1));
    script.RemoveItems(7);
    EXPECT_EQ(script.FindLocal("Mine"), nullptr);
    EXPECT_NE(script.FindLocal("Theirs"), nullptr);
}

TEST_F(Registration, ClassesResolveAncestry) {
    script.AddClass("TControl", "TObject");
    script.AddClass("TButton", "TControl");
    script.AddClass("TLoopA", "TLoopB");
    script.AddClass("TLoopB", "TLoopA");
    EXPECT_TRUE(script.descends_from("TButton", "tcontrol"));
    EXPECT_FALSE(script.descends_from("TControl", "TButton"));
    EXPECT_FALSE(script.descends_from("TLoopA", "TButton")); // a loop ends the walk
    EXPECT_EQ(script.kind_of_type("TButton"), fvtClass);
}

TEST(RootScope, HoldsTheKindsAndTheSharedAccessors) {
    TfsScript* root = fsGlobalUnit();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root, fsGlobalUnit());
    EXPECT_EQ(root->kind_of_type("Cardinal"), fvtInt);
    EXPECT_EQ(root->kind_of_type("TDateTime"), fvtFloat);
    EXPECT_EQ(root->kind_of_type("Pointer"), fvtVariant);
    EXPECT_TRUE(root->GetVariable("Null").is_null());
    EXPECT_EQ(root->GetVariable("nil").to_int(), 0);
    EXPECT_NE(dynamic_cast<TfsStringHelper*>(root->Find("__StringHelper")), nullptr);
    EXPECT_NE(dynamic_cast<TfsArrayHelper*>(root->Find("__ArrayHelper")), nullptr);
    EXPECT_EQ(root->GetVariable("ExceptionMessage").vtype(), varUString);
}

TEST(LineIndex, RemembersLinesPerUnit) {
    TfsScript script;
    script.AddCodeLine("", "3:5");
    script.AddCodeLine("", "3:9");
    script.AddCodeLine("Lib", "7:1");
    EXPECT_TRUE(script.IsExecutableLine(3));
    EXPECT_FALSE(script.IsExecutableLine(4));
    EXPECT_TRUE(script.IsExecutableLine(7, "lib"));
    EXPECT_FALSE(script.IsExecutableLine(7));
}

// ---- declaration strings -------------------------------------------------------

struct DeclarationCase {
    const char* syntax;
    const char* name;
    TfsVarType result;  // fvtClass also for procedures
    const char* params; // each parameter as kind digit, 'v' when by reference, 'o' when optional
};

class Declarations : public testing::TestWithParam<DeclarationCase> {};

std::string parameter_code(const TfsCustomVariable& method) {
    std::string code;
    for (int i = 0; i < method.Count(); ++i) {
        const TfsParamItem& p = method.GetParam(i);
        if (!code.empty()) code += ' ';
        code += std::to_string(p.Typ);
        if (p.IsVarParam) code += 'v';
        if (p.IsOptional) code += 'o';
    }
    return code;
}

TEST_P(Declarations, AreReadIntoNameResultAndParameters) {
    const DeclarationCase& c = GetParam();
    TfsScript script;
    script.Parent = fsGlobalUnit();
    TfsMethodHelper& method = script.AddMethod(c.syntax, TfsCallMethodEvent{});
    EXPECT_EQ(method.Name(), c.name);
    EXPECT_EQ(method.Typ, c.result);
    EXPECT_EQ(parameter_code(method), c.params);
    EXPECT_EQ(static_cast<int>(method.arguments().size()), method.Count());
}

// The 38 built-in procedures of the module host, exactly as registered.
INSTANTIATE_TEST_SUITE_P(
    BuiltIns, Declarations,
    testing::Values(
        DeclarationCase{"procedure debug(s: String)", "debug", fvtClass, "4"},
        DeclarationCase{"procedure WriteIocp(i,ii,iii:integer)", "WriteIocp", fvtClass, "0 0 0"},
        DeclarationCase{"procedure RegIOCPOffset(i,ii:integer)", "RegIOCPOffset", fvtClass, "0 0"},
        DeclarationCase{"function  ReadIocp(i:byte;ii:integer):integer", "ReadIocp", fvtInt, "0 0"},
        DeclarationCase{"procedure WriteIocpKey(i,ii,iii:integer)", "WriteIocpKey", fvtClass,
                        "0 0 0"},
        DeclarationCase{"procedure InitOffsetFSUIPC(i,ii:integer)", "InitOffsetFSUIPC", fvtClass,
                        "0 0"},
        DeclarationCase{"procedure WriteFSUIPC(i,ii:cardinal;iii:variant)", "WriteFSUIPC", fvtClass,
                        "0 0 7"},
        DeclarationCase{"function  ReadFSUIPC(i,ii:cardinal):variant", "ReadFSUIPC", fvtVariant,
                        "0 0"},
        DeclarationCase{"procedure CreateTimer(i,ii:cardinal)", "CreateTimer", fvtClass, "0 0"},
        DeclarationCase{"procedure SetTimer(i:cardinal;ii:boolean)", "SetTimer", fvtClass, "0 1"},
        DeclarationCase{"procedure GetTimer(i:cardinal):boolean", "GetTimer", fvtClass, "0"},
        DeclarationCase{
            "function  "
            "RegEncoder(i:string;ii,iii,iv,v,vi,vii:integer;viii:boolean;ix:single):integer",
            "RegEncoder", fvtInt, "4 0 0 0 0 0 0 1 2"},
        DeclarationCase{
            "function  RegEncoderExt(i:string;ii,iii,iv,v,vi,vii,viii:integer;ix:single):integer",
            "RegEncoderExt", fvtInt, "4 0 0 0 0 0 0 0 2"},
        DeclarationCase{"function  GetEncoder(i:integer):integer", "GetEncoder", fvtInt, "0"},
        DeclarationCase{"procedure SetEncValue(i:integer;ii:variant)", "SetEncValue", fvtClass,
                        "0 7"},
        DeclarationCase{"procedure WriteDisplays(i:string;ii:byte;iii,iv:string;v,vi:byte)",
                        "WriteDisplays", fvtClass, "4 0 4 4 0 0"},
        DeclarationCase{"procedure WriteDisplaysSwap(i:string;ii:byte;iii,iv:string;v,vi:byte)",
                        "WriteDisplaysSwap", fvtClass, "4 0 4 4 0 0"},
        DeclarationCase{"procedure SetDisplayIntensity(i:string;ii,iii:byte)",
                        "SetDisplayIntensity", fvtClass, "4 0 0"},
        DeclarationCase{"procedure WriteOut(i:string;ii,iii:byte)", "WriteOut", fvtClass, "4 0 0"},
        DeclarationCase{"function  TestBit(i,ii,iii:integer):integer)", "TestBit", fvtInt, "0 0 0"},
        DeclarationCase{"function  SetBit(i,ii,iii,iv:integer):integer)", "SetBit", fvtInt,
                        "0 0 0 0"},
        DeclarationCase{"function  ChangeBit(i,ii,iii:integer):integer)", "ChangeBit", fvtInt,
                        "0 0 0"},
        DeclarationCase{"function  SetBoard(i,ii:string):TReqHardware)", "SetBoard", fvtClass,
                        "4 4"},
        DeclarationCase{"procedure Sync", "Sync", fvtClass, ""},
        DeclarationCase{"procedure WriteIFLY(i,ii:integer)", "WriteIFLY", fvtClass, "0 0"},
        DeclarationCase{"procedure RegIFLYOffset(i:integer)", "RegIFLYOffset", fvtClass, "0"},
        DeclarationCase{"function  ReadIFLY(i:integer):variant", "ReadIFLY", fvtVariant, "0"},
        DeclarationCase{"procedure EnableADCChannel(i:string;ii,iiii:byte;iii:integer)",
                        "EnableADCChannel", fvtClass, "4 0 0 0"},
        DeclarationCase{"procedure WriteIocpServer(i,ii:integer)", "WriteIocpServer", fvtClass,
                        "0 0"},
        DeclarationCase{"function SwapDig(i:string;ii:integer;iii:string):string)", "SwapDig",
                        fvtString, "4 0 4"},
        DeclarationCase{"function ReadIniFile(i,ii,iii:string):variant)", "ReadIniFile", fvtVariant,
                        "4 4 4"},
        DeclarationCase{"procedure WriteIniFile(i,ii,iii,iv:string)", "WriteIniFile", fvtClass,
                        "4 4 4 4"},
        DeclarationCase{"function sendkey(i,ii:string):string)", "sendkey", fvtString, "4 4"},
        DeclarationCase{"function ReadAdc(i:string;ii:integer):integer)", "ReadAdc", fvtInt, "4 0"},
        DeclarationCase{"procedure EnableServo(i:string;ii,iii,iv:byte)", "EnableServo", fvtClass,
                        "4 0 0 0"},
        DeclarationCase{"procedure WriteServo(i:string;ii,iii:byte)", "WriteServo", fvtClass,
                        "4 0 0"},
        DeclarationCase{"function BCDToInt(i:Integer):Word", "BCDToInt", fvtInt, "0"},
        DeclarationCase{"function IntToBCD(i:Integer):Integer", "IntToBCD", fvtInt, "0"}));

// Forms the library uses: defaults, by-reference and constant parameters,
// headings without parameters and trailing semicolons.
INSTANTIATE_TEST_SUITE_P(
    LibraryForms, Declarations,
    testing::Values(
        DeclarationCase{"procedure Inc(var i: Integer; incr: Integer = 1)", "Inc", fvtClass,
                        "0v 0o"},
        DeclarationCase{"procedure Delete(var s: String; from, count: Integer)", "Delete", fvtClass,
                        "4v 0 0"},
        DeclarationCase{"function StrToBool(const S: string): Boolean;", "StrToBool", fvtBool, "4"},
        DeclarationCase{"function Format(Fmt: String; Args: array): String", "Format", fvtString,
                        "4 6"},
        DeclarationCase{"function Pi: Extended", "Pi", fvtFloat, ""},
        DeclarationCase{"procedure Randomize", "Randomize", fvtClass, ""},
        DeclarationCase{"function Neg(x: Integer = -1): Integer", "Neg", fvtInt, "0o"},
        DeclarationCase{"function Greet(s: String = 'hi'): String", "Greet", fvtString, "4o"},
        DeclarationCase{"function Pick(a, b: Integer = 2): Integer", "Pick", fvtInt, "0 0o"},
        DeclarationCase{"function Void(): Integer", "Void", fvtInt, ""},
        DeclarationCase{"macrofunction Trace(s: String): String", "Trace", fvtString, "4"}));

TEST(Declarations, DefaultsAndMacrosAreKept) {
    TfsScript script;
    script.Parent = fsGlobalUnit();
    script.AddConst("Five", "Integer", Variant(5));
    TfsMethodHelper& a = script.AddMethod(
        "function A(x: Integer = -3; s: String = 'it''s'; n: Integer = Five): Integer",
        TfsCallMethodEvent{});
    EXPECT_EQ(a.GetParam(0).DefValue.to_int(), -3);
    EXPECT_EQ(a.GetParam(1).DefValue.to_utf8(), "it's");
    EXPECT_EQ(a.GetParam(2).DefValue.to_int(), 5);
    EXPECT_FALSE(a.IsMacro);
    EXPECT_TRUE(script.AddMethod("macroprocedure M(s: String)", TfsCallMethodEvent{}).IsMacro);
}

class BadDeclarations : public testing::TestWithParam<const char*> {};

TEST_P(BadDeclarations, AreRefused) {
    TfsScript script;
    script.Parent = fsGlobalUnit();
    EXPECT_THROW(script.AddMethod(GetParam(), TfsCallMethodEvent{}), TfsException);
    EXPECT_EQ(script.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadDeclarations,
                         testing::Values("", "procedure", "procedure P(a: Integer",
                                         "procedure P(a Integer)", "procedure P(a:)",
                                         "function F(a, : Integer): Integer"));

// ---- calling registered functions ----------------------------------------------

TEST(RegisteredFunctions, ReceiveTheirArgumentsInOneReusedArray) {
    TfsScript script;
    script.Parent = fsGlobalUnit();
    const Variant* seen = nullptr;
    TfsMethodHelper& add = script.AddMethod(
        "function Add(a, b: Integer): Integer",
        [&](void*, TfsClassVariable*, const std::string& name, std::span<Variant> params) {
            EXPECT_EQ(name, "ADD");
            seen = params.data();
            return var_add(params[0], params[1]);
        });
    add.arguments()[0] = Variant(2);
    add.arguments()[1] = Variant(3);
    EXPECT_EQ(add.call().to_int(), 5);
    const Variant* first = seen;
    add.call();
    EXPECT_EQ(seen, first);
}

TEST(RegisteredFunctions, TheItemStyleReadsAndWritesParameters) {
    TfsScript script;
    script.Parent = fsGlobalUnit();
    TfsMethodHelper& inc =
        script.AddMethod("procedure Bump(var i: Integer)",
                         [](void*, TfsClassVariable*, const std::string&, TfsMethodHelper& caller) {
                             caller.SetVParam(0, var_add(caller.GetVParam(0), Variant(1)));
                             return Variant();
                         });
    inc.arguments()[0] = Variant(41);
    inc.call();
    EXPECT_EQ(inc.arguments()[0].to_int(), 42);
    EXPECT_THROW(inc.GetVParam(2), TfsException);
}

TEST(RegisteredFunctions, WithoutHandlerGiveZero) {
    TfsScript script;
    script.Parent = fsGlobalUnit();
    EXPECT_EQ(script.AddMethod("function Nothing: Integer", TfsCallMethodEvent{}).call().to_int(),
              0);
}

} // namespace
} // namespace veltran
