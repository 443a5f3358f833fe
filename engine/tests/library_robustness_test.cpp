// Arbitrary pictures, masks and formats never crash a formatter: each gives a
// text or raises the library's own error. Run under the sanitizers, this
// catches reads and writes outside the buffers.
#include "engine/sys_format.h"
#include "engine/sys_format_datetime.h"
#include "engine/sys_format_float.h"
#include "engine/sys_mask_text.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace veltran {
namespace {

std::u16string random_text(std::mt19937& gen, std::u16string_view alphabet, std::size_t most) {
    std::uniform_int_distribution<std::size_t> length(0, most);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::u16string text(length(gen), u' ');
    for (char16_t& c : text)
        c = alphabet[pick(gen)];
    return text;
}

// Runs the call; a TfsException is an accepted outcome, anything else fails.
template <class F> void survives(F&& call, std::u16string_view input) {
    try {
        call();
    } catch (const TfsException&) {
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what() << " for " << test::u8(input);
    }
}

TEST(LibraryRobustness, ArbitraryPicturesGiveATextOrTheLibrarysError) {
    std::mt19937 gen(20240229);
    const TFormatSettings fs;
    const double values[] = {0,       -0.0,    1.5, -2.675,   1e300,
                             -1e-300, 45351.5, NAN, INFINITY, 123456789};
    const std::vector<Variant> args = {Variant(5),    Variant::from_utf8("x"),
                                       Variant(2.5),  Variant(std::int64_t{-7}),
                                       Variant(true), Variant::null()};
    for (int round = 0; round < 3000; ++round) {
        const double value = values[static_cast<std::size_t>(round) % std::size(values)];
        const std::u16string picture = random_text(gen, u"0#.,;Ee+-'\"x% ", 24);
        survives([&] { format_float(picture, value, fs); }, picture);
        const std::u16string date_picture = random_text(gen, u"dmyhnsztcaAMP/:'\" ampm", 24);
        survives([&] { format_date_time(date_picture, std::fmod(std::fabs(value), 2e6), fs); },
                 date_picture);
        const std::u16string mask = random_text(gen, u"LlAaCc09#<>\\!;_:/-()01 ", 24);
        survives([&] { format_mask_text(mask, u"5551234567abcdef", fs); }, mask);
        const std::u16string format = random_text(gen, u"%dsxfgnmpue*:.-0123456789 ", 16);
        survives([&] { format_text(format, args, fs); }, format);
    }
}

} // namespace
} // namespace veltran
