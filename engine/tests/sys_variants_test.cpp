#include "engine/sys_variants.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltran {
namespace {

using test::error_of;

Variant bounds(std::vector<Variant> values) {
    return Variant::array_of(values);
}

TEST(VariantFunctions, VarArrayCreateMakesTheBoundsAndTheZeroElements) {
    const Variant a = var_array_create(bounds({Variant(0), Variant(9)}), varVariant);
    EXPECT_EQ(a.vtype(), varArray | varVariant);
    EXPECT_EQ(a.array_dim_count(), 1);
    EXPECT_EQ(a.array_bound(0).low, 0);
    EXPECT_EQ(a.array_bound(0).high, 9);
    EXPECT_TRUE(a.array_get1(5).is_empty());

    const Variant grid = var_array_create(
        bounds({Variant(1), Variant(2), Variant::from_utf8("-1"), Variant(1.0)}), varInteger);
    EXPECT_EQ(grid.array_dim_count(), 2);
    EXPECT_EQ(grid.array_bound(1).low, -1);
    EXPECT_EQ(grid.array_bound(1).high, 1);
    const std::int32_t corner[] = {2, 1};
    EXPECT_EQ(grid.array_get(corner).vtype(), varInteger);
    EXPECT_EQ(grid.array_get(corner).int_value(), 0);

    const Variant names = var_array_create(bounds({Variant(0), Variant(1)}), varOleStr);
    EXPECT_EQ(names.array_get1(1).vtype(), varOleStr);
    EXPECT_EQ(names.array_get1(1).to_utf8(), "");
    const Variant flags = var_array_create(bounds({Variant(0), Variant(0)}), varBoolean);
    EXPECT_FALSE(flags.array_get1(0).to_bool());
    const Variant none = var_array_create(bounds({Variant(0), Variant(-1)}), varInteger);
    EXPECT_EQ(none.array_bound(0).count(), 0);
}

TEST(VariantFunctions, VarArrayCreateRefusesWhatIsNoArrayDescription) {
    const char* invalid = "EVariantInvalidArgError: Invalid argument";
    EXPECT_EQ(error_of([] { var_array_create(bounds({Variant(0)}), varVariant); }), invalid);
    EXPECT_EQ(error_of([] { var_array_create(bounds({}), varVariant); }), invalid);
    EXPECT_EQ(error_of([] { var_array_create(Variant(5), varVariant); }), invalid);
    EXPECT_EQ(error_of([] { var_array_create(bounds({Variant(0), Variant(1)}), 99); }), invalid);
    EXPECT_EQ(error_of([] {
                  var_array_create(bounds({Variant(0), Variant(1)}), varNull);
              }),
              invalid);
    EXPECT_EQ(error_of([] {
                  var_array_create(bounds({Variant(5), Variant(1)}), varVariant);
              }),
              "EVariantBadIndexError: Variant or safe array index out of bounds");
    EXPECT_EQ(error_of([] {
                  var_array_create(
                      bounds({Variant(0), Variant(100000), Variant(0), Variant(100000)}),
                      varVariant);
              }),
              "EOutOfMemory: Out of memory");
}

TEST(VariantFunctions, LengthCountsCharactersOrTheFirstDimension) {
    EXPECT_EQ(length_of(Variant::from_utf8("abc")), 3);
    EXPECT_EQ(length_of(Variant::from_utf8("")), 0);
    EXPECT_EQ(length_of(Variant::from_ansi("\xE9t\xE9")), 3);
    EXPECT_EQ(length_of(Variant(12345)), 5);
    EXPECT_EQ(length_of(Variant(2.5)), 3);
    EXPECT_EQ(length_of(var_array_create(bounds({Variant(0), Variant(9)}), varVariant)), 10);
    EXPECT_EQ(length_of(var_array_create(bounds({Variant(1), Variant(3), Variant(0), Variant(9)}),
                                         varVariant)),
              3);
    EXPECT_EQ(error_of([] { length_of(Variant::null()); }).substr(0, 21), "EVariantTypeCastError");
}

TEST(VariantFunctions, SetLengthResizesStringsAndArrays) {
    EXPECT_EQ(with_length(Variant::from_utf8("abcdef"), 2).to_utf8(), "ab");
    EXPECT_EQ(with_length(Variant::from_ansi("ab"), 3).to_utf8(), "ab ");
    EXPECT_EQ(with_length(Variant::ole_string(u"abc"), 0).to_utf8(), "");

    Variant a = var_array_create(bounds({Variant(0), Variant(2)}), varVariant);
    a.array_put1(1, Variant(7));
    const Variant longer = with_length(a, 5);
    EXPECT_EQ(longer.array_bound(0).high, 4);
    EXPECT_EQ(longer.array_get1(1).int_value(), 7);
    EXPECT_EQ(a.array_bound(0).high, 2); // the original value is unchanged
    EXPECT_EQ(with_length(a, 0).array_bound(0).count(), 0);

    EXPECT_EQ(error_of([] { with_length(Variant(5), 3); }),
              "EVariantInvalidOpError: Invalid variant operation");
    EXPECT_EQ(error_of([&] { with_length(a, -1); }),
              "EVariantBadIndexError: Variant or safe array index out of bounds");
}

} // namespace
} // namespace veltran
