// The board side of the hardware requests and of WriteDisplaysSwap.
#include "board_test_support.h"

#include "boards/board_bindings.h"
#include "boards/board_procedures.h"

#include <gtest/gtest.h>

namespace veltran::test {
namespace {

TEST(BoardBindings, AnOutputRequestTestsTheOnValueThenTheOffValue) {
    TBoardsFixture f{{board_info(M, 0xDDD0)}};
    auto& sent = f.hid->written(M);
    sent.clear();
    drive_output(*f.boards, "Panel", {M, 2, 5, 5}, 5);
    EXPECT_EQ(sent,
              (std::vector<TReportBuffer>{buffer_of({{1, 1}, {63, 0x02}}), buffer_of({{1, 1}})}));
    sent.clear();
    drive_output(*f.boards, "Panel", {M, 2, 1, 0}, 1);
    drive_output(*f.boards, "Panel", {M, 2, 1, 0}, 7);
    EXPECT_EQ(sent, std::vector<TReportBuffer>{buffer_of({{1, 1}, {63, 0x02}})});
}

TEST(BoardBindings, DisplayRequestsShowIocpAndIflyValues) {
    struct TCase {
        const char* what;
        std::function<void(TUSBGEST&)> act;
        TBytes digits; // B[3].. of the display report
    };
    const std::string display = M + "-EXP15";
    const TDisplayBinding binding{display, 1, "0", 4, 3};
    const TCase cases[] = {
        {"an IOCP value in decimal with the request's fill and point",
         [&](TUSBGEST& b) { show_iocp_value(b, "Panel", binding, 42); },
         {{3, 0x6D}, {4, 0x33}, {5, 0x7E | 0x80}, {6, 0x7E}}},
        {"a negative IOCP value",
         [&](TUSBGEST& b) { show_iocp_value(b, "Panel", binding, -7); },
         {{3, 0x70}, {4, 0x01}, {5, 0x7E | 0x80}, {6, 0x7E}}},
        {"iFly 14: blank with the point on digit 1",
         [&](TUSBGEST& b) { show_ifly_value(b, "Panel", binding, "14"); },
         {{3, 0x80}}},
        {"iFly 12: a minus",
         [&](TUSBGEST& b) { show_ifly_value(b, "Panel", binding, "12"); },
         {{3, 0x01}}},
        {"iFly 13: a plus has no pattern",
         [&](TUSBGEST& b) { show_ifly_value(b, "Panel", binding, "13"); },
         {}},
        {"iFly 9",
         [&](TUSBGEST& b) { show_ifly_value(b, "Panel", binding, "9"); },
         {{3, 0x7B}, {4, 0x7E}, {5, 0x7E | 0x80}, {6, 0x7E}}},
    };
    for (const TCase& c : cases) {
        TBoardsFixture f{{board_info(M, 0xDDD0)}};
        c.act(*f.boards);
        TBytes expected = c.digits;
        for (TBytes::value_type b : TBytes{{1, 2}, {2, 15}, {35, 5}, {36, 5}, {37, 5}, {38, 5}})
            expected.push_back(b);
        EXPECT_EQ(f.hid->written(M).back(), buffer_of(expected)) << c.what;
    }
}

TEST(BoardProcedures, SwapDisplayTextReversesAndAppendsTheFill) {
    struct TCase {
        const char* text;
        const char* fill;
        int digits;
        const char* swapped;
    };
    const TCase cases[] = {
        {"123", "0", 5, "32100"}, {"12", " ", 2, "21"},    {"12345", "0", 3, "54321"},
        {"", "-", 2, "--"},       {"7", "ab", 3, "7abab"}, {"7", "0", -1, "7"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(swap_display_text(c.text, c.fill, c.digits), c.swapped) << c.text;
}

TEST(BoardProcedures, DeclarationsAreTheRegisteredTexts) {
    for (const TBoardProcedure& p : board_procedures) {
        EXPECT_TRUE(p.declaration.starts_with("procedure ") ||
                    p.declaration.starts_with("function "))
            << p.declaration;
        std::string name(p.declaration.substr(p.declaration.find(' ') + 1));
        name = name.substr(0, name.find_first_of("(:"));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return std::toupper(c); });
        EXPECT_EQ(name, p.dispatch_name);
    }
}

} // namespace
} // namespace veltran::test
