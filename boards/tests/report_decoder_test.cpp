// Decoding of every kind's input reports into script events, against the
// byte layouts of the report protocol; and reports that are short, random,
// late or from nowhere.
#include "board_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace veltran::test {
namespace {

// `count` characters '0' with '1' at the given 1-based inputs.
std::string bits(int count, std::initializer_list<int> on = {}) {
    std::string s(static_cast<std::size_t>(count), '0');
    for (int n : on)
        s[static_cast<std::size_t>(n - 1)] = '1';
    return s;
}

struct TDecodeCase {
    const char* what;
    std::string serial;
    TReportData report;
    std::vector<std::string> events;
};

// Each case's board first got an all-zero report, so that only what the
// case's report changes is announced.
const std::vector<TDecodeCase> decode_cases = {
    {"main board input 5",
     M,
     data_of({{62, 0x08}}),
     {"feed " + M + " " + bits(16) + " " + bits(16, {5}), "input " + M + " 5 1",
      "all " + M + " " + bits(16, {5})}},
    {"main board input 9 is bit 7 of D[63]",
     M,
     data_of({{63, 0x80}}),
     {"feed " + M + " " + bits(16) + " " + bits(16, {9}), "input " + M + " 9 1",
      "all " + M + " " + bits(16, {9})}},
    {"two inputs of one group: one event each, then the group once",
     M,
     data_of({{62, 0xC0}}),
     {"feed " + M + " " + bits(16) + " " + bits(16, {1, 2}), "input " + M + " 1 1",
      "input " + M + " 2 1", "all " + M + " " + bits(16, {1, 2})}},
    {"expansion 0 input 1 is bit 7 of D[2]",
     M,
     data_of({{2, 0x80}}),
     {"feed " + M + "-EXP0 " + bits(64) + " " + bits(64, {1}), "input " + M + "-EXP0 1 1",
      "all " + M + "-EXP0 " + bits(64, {1})}},
    {"expansion 4 input 64 is bit 0 of D[41]",
     M,
     data_of({{41, 0x01}}),
     {"feed " + M + "-EXP4 " + bits(64) + " " + bits(64, {64}), "input " + M + "-EXP4 64 1",
      "all " + M + "-EXP4 " + bits(64, {64})}},
    {"expansion 10 input 1 is bit 7 of D[42]",
     M,
     data_of({{42, 0x80}}),
     {"feed " + M + "-EXP10 " + bits(32) + " " + bits(32, {1}), "input " + M + "-EXP10 1 1",
      "all " + M + "-EXP10 " + bits(32, {1})}},
    {"expansion 14 input 32 is bit 0 of D[61]",
     M,
     data_of({{61, 0x01}}),
     {"feed " + M + "-EXP14 " + bits(32) + " " + bits(32, {32}), "input " + M + "-EXP14 32 1",
      "all " + M + "-EXP14 " + bits(32, {32})}},
    {"groups in table order: expansions first, the board itself last",
     M,
     data_of({{62, 0x80}, {18, 0x01}}),
     {"feed " + M + "-EXP2 " + bits(64) + " " + bits(64, {8}), "input " + M + "-EXP2 8 1",
      "all " + M + "-EXP2 " + bits(64, {8}), "feed " + M + " " + bits(16) + " " + bits(16, {1}),
      "input " + M + " 1 1", "all " + M + " " + bits(16, {1})}},
    {"an input report with D[1] not 0 is ignored", M, data_of({{1, 1}, {62, 0xFF}}), {}},
    {"an unknown report type is ignored", M, data_of({{0, 7}, {62, 0xFF}}), {}},
    {"main board axis 3 from D[6], D[7]: L + 255 H",
     M,
     data_of({{0, 1}, {6, 255}, {7, 3}}),
     {"adc " + M + " 3 1020"}},
    {"main board axes 1 and 5",
     M,
     data_of({{0, 1}, {2, 1}, {10, 0}, {11, 1}}),
     {"adc " + M + " 1 1", "adc " + M + " 5 255"}},
    {"ADCs of a servo/ADC expansion raise no event", M, data_of({{0, 1}, {1, 20}, {2, 9}}), {}},
    {"an ADC report for an address outside 20..24 is ignored",
     M,
     data_of({{0, 1}, {1, 25}, {2, 9}}),
     {}},
    {"joystick axis 1 from D[0], D[1]", J, data_of({{0, 255}, {1, 3}}), {"adc " + J + " 1 1020"}},
    {"joystick axis 8 from D[14], D[15]", J, data_of({{14, 2}, {15, 1}}), {"adc " + J + " 8 257"}},
    {"joystick button 32 is bit 0 of D[19]",
     J,
     data_of({{19, 0x01}}),
     {"feed " + J + " " + bits(32) + " " + bits(32, {32}), "input " + J + " 32 1",
      "all " + J + " " + bits(32, {32})}},
    {"servo/ADC board axis 2 from D[2], D[3]; D[0] is no report type there",
     S,
     data_of({{0, 2}, {2, 4}, {3, 1}}),
     {"adc " + S + " 1 2", "adc " + S + " 2 259"}},
    {"a DC motor feedback report raises no event", D, data_of({{0, 2}, {1, 7}, {2, 9}}), {}},
    {"a board in bootloader mode raises no event", B, data_of({{0, 0}, {62, 0xFF}, {5, 17}}), {}},
};

TEST(ReportDecoder, DecodesEveryKindOfReport) {
    for (const TDecodeCase& c : decode_cases) {
        TBoardsFixture f{all_kinds()};
        f.report(c.serial, TReportData{});
        f.events.lines.clear();
        f.report(c.serial, c.report);
        EXPECT_EQ(f.events.lines, c.events) << c.what;
        EXPECT_TRUE(f.log().empty()) << c.what;
    }
}

TEST(ReportDecoder, TheFirstInputReportAnnouncesEveryInputOfEveryGroup) {
    TBoardsFixture f{all_kinds()};
    f.report(M, TReportData{});
    // 5 x 64 + 5 x 32 + 16 inputs, one feed and one group event per group.
    EXPECT_EQ(f.events.lines.size(), 496u + 2 * 11);
    EXPECT_EQ(f.events.lines.front(),
              "feed " + M + "-EXP0 " + std::string(64, '-') + " " + bits(64));
    EXPECT_EQ(f.events.lines[1], "input " + M + "-EXP0 1 0");
    EXPECT_EQ(f.events.lines.back(), "all " + M + " " + bits(16));
    f.events.lines.clear();
    f.report(M, TReportData{});
    EXPECT_TRUE(f.events.lines.empty());
}

TEST(ReportDecoder, TheFirstAxisReportAnnouncesOnlyAxesThatAreNot0) {
    TBoardsFixture f{all_kinds()};
    f.report(S, data_of({{4, 10}}));
    EXPECT_EQ(f.events.lines, std::vector<std::string>{"adc " + S + " 3 10"});
}

TEST(ReportDecoder, RoundingStepsApplyPerAxis) {
    struct TCase {
        std::uint8_t low;
        std::int32_t expected;
    };
    TBoardsFixture f{all_kinds()};
    f.boards->envio_ene_ejes_joy("C", M, 1, 1, 10);
    f.boards->envio_ene_ejes_joy("C", J, 2, 1, 10);
    for (const TCase& c : {TCase{25, 20}, TCase{35, 40}, TCase{14, 10}, TCase{15, 20}}) {
        f.events.lines.clear();
        f.report(M, data_of({{0, 1}, {2, c.low}, {4, c.low}}));
        EXPECT_EQ(f.events.lines.at(0), "adc " + M + " 1 " + std::to_string(c.expected));
        EXPECT_EQ(f.events.lines.at(1), "adc " + M + " 2 " + std::to_string(c.low))
            << "no step on axis 2";
        f.report(J, data_of({{2, c.low}}));
        EXPECT_EQ(f.boards->devolver_adc(J, 2), c.expected);
    }
}

TEST(ReportDecoder, ServoAdcExpansionValuesAreStored) {
    TBoardsFixture f{all_kinds()};
    f.report(M, data_of({{0, 1}, {1, 22}, {2, 9}, {3, 1}, {32, 4}, {33, 2}}));
    const TTaluxExp& slot = f.boards->board(0).talux_exp[22];
    EXPECT_EQ(slot.adcs_servos[0], 264);
    EXPECT_EQ(slot.adcs_servos[15], 514);
}

TEST(ReportDecoder, VersionsComeFromEachKindsOwnBytes) {
    TBoardsFixture f{all_kinds()};
    f.report(J, data_of({{30, 2}, {31, 5}}));
    f.report(S, data_of({{16, 1}, {17, 13}}));
    f.report(M, data_of({{0, 255}, {10, 3}, {11, 0}}));
    EXPECT_EQ(f.boards->GetVersion(J), "V.2.5");
    EXPECT_EQ(f.boards->GetVersion(S), "V.1.13");
    EXPECT_EQ(f.boards->GetVersion(M), "V.3.0");
    EXPECT_EQ(f.boards->GetVersion(D), "");
    EXPECT_EQ(f.boards->GetVersion(B), "");
    f.report(S, data_of({{16, 1}, {17, 14}}));
    EXPECT_EQ(f.boards->GetVersion(S), "V.1.14");
    EXPECT_TRUE(f.log().empty());
}

TEST(ReportDecoder, TestWindowsGetInputsAxesMotorFeedbackAndBootloaderReports) {
    TBoardsFixture f{all_kinds()};
    f.report(J, data_of({{0, 5}, {16, 0x80}}));
    f.report(D, data_of({{0, 2}, {1, 7}, {2, 9}}));
    f.report(B, data_of({{5, 17}}));
    EXPECT_EQ(f.windows.lines,
              (std::vector<std::string>{"adc " + J + " 1 5", "inputs " + J + " " + bits(32, {1}),
                                        "motor 7 9", "boot " + B + " 17"}));
}

TEST(ReportDecoder, EncodersAreFedBeforeTheInputEventsOfTheirGroup) {
    TBoardsFixture f{all_kinds()};
    f.report(M, TReportData{});
    f.events.lines.clear();
    f.report(M, data_of({{54, 0x40}}));
    ASSERT_EQ(f.events.lines.size(), 3u);
    EXPECT_EQ(f.events.lines[0], "feed " + M + "-EXP13 " + bits(32) + " " + bits(32, {2}));
}

TEST(ReportDecoder, ShortReportsAreDroppedLongOnesCutTo64Bytes) {
    TBoardsFixture f{all_kinds()};
    f.report(M, TReportData{});
    f.events.lines.clear();
    f.hid->device(M).send_bytes(std::vector<std::uint8_t>(63, 0xFF));
    settle();
    EXPECT_TRUE(f.events.lines.empty());
    std::vector<std::uint8_t> long_report(80, 0);
    long_report[62] = 0x80;
    long_report[70] = 0xFF;
    f.hid->device(M).send_bytes(long_report);
    settle();
    EXPECT_EQ(f.events.lines.at(1), "input " + M + " 1 1");
}

TEST(ReportDecoder, RandomReportsOfAnyLengthDecodeWithoutHarm) {
    TBoardsFixture f{all_kinds()};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 70);
    for (int i = 0; i < 2000; ++i) {
        for (const std::string& serial : {M, J, D, S, B}) {
            std::vector<std::uint8_t> report(static_cast<std::size_t>(length(random)));
            for (auto& b : report)
                b = static_cast<std::uint8_t>(byte(random));
            // Often a report type the decoder knows, so that its branches run.
            if (report.size() > 1 && i % 2 == 0) report[0] = static_cast<std::uint8_t>(i % 3);
            if (report.size() > 1 && i % 7 == 0) report[0] = 255;
            f.hid->device(serial).send_bytes(report);
        }
        settle();
        for (const std::string& line : f.events.lines) {
            if (line.starts_with("input ")) {
                ASSERT_TRUE(line.back() == '0' || line.back() == '1') << line;
            }
        }
        f.events.lines.clear();
    }
    EXPECT_EQ(f.boards->board_count(), 5u);
    EXPECT_TRUE(f.log().empty());
}

TEST(ReportDecoder, ReportsFromAnUnlistedDeviceAreLoggedAndDropped) {
    TBoardsFixture f{{board_info(M, 0xDDD0), board_info("OTHER000001", 0xDDD0, 0x1234)}};
    // Check the foreign device out behind the manager's back.
    f.hid->set_enumeration_handler([](const THidDeviceInfo&, int) { return true; });
    f.hid->enumerate();
    auto foreign = std::static_pointer_cast<TFakeDevice>(f.hid->check_out(1));
    ASSERT_TRUE(foreign);
    foreign->send(data_of({{62, 0xFF}}));
    settle();
    EXPECT_EQ(f.log(), std::vector<std::string>{"Board not found \"OTHER000001\""});
    EXPECT_TRUE(f.events.lines.empty());
}

TEST(ReportDecoder, ReportsQueuedBeforeADeviceChangeAreDropped) {
    TBoardsFixture f{{board_info(M, 0xDDD0)}};
    TFakeDevice& old_device = f.hid->device(M);
    old_device.send(data_of({{62, 0xFF}}));
    f.boards->DeviceChange();
    settle();
    EXPECT_TRUE(f.events.lines.empty());
    EXPECT_FALSE(old_device.is_open());
}

TEST(ReportDecoder, ADeviceChangeInsideAnInputEventLeavesTheDecodingSound) {
    TBoardsFixture f{{board_info(M, 0xDDD0)}};
    bool changed = false;
    f.events.on_input = [&] {
        if (changed) return;
        changed = true;
        f.boards->DeviceChange();
    };
    f.report(M, data_of({{62, 0x80}}));
    EXPECT_TRUE(changed);
    // The decoding went on into the replaced record: every group was announced.
    EXPECT_EQ(f.events.lines.back(), "all " + M + " " + bits(16, {1}));
    EXPECT_EQ(f.boards->board_count(), 1u);
    EXPECT_TRUE(f.boards->board(0).talux_exp[64].entradas.empty());
}

TEST(ReportDecoder, AReportOfTheSameBoardDecodedInsideAnEventLeavesTheStateConsistent) {
    // Two devices with one serial report into one record; the event handler
    // pumps the event loop, as every log line does, so the twin's report is
    // decoded while the first one's events run.
    THidDeviceInfo second = board_info(M, 0xDDD0);
    second.path += ":second";
    TBoardsFixture f{{board_info(M, 0xDDD0), second}};
    f.report(M, TReportData{});
    auto& first = *f.hid->opened[f.hid->opened.size() - 2];
    auto& twin = *f.hid->opened.back();
    int depth = 0;
    f.events.on_input = [&] {
        if (depth++ == 0) settle();
    };
    twin.send(data_of({{62, 0x40}}));
    first.send(data_of({{62, 0x80}}));
    settle();
    // Each report was decoded against what was stored when it began, and the
    // stored string and the byte cache agree with the last one stored.
    const ThidComponent& board = f.boards->board(0);
    const std::string stored = board.talux_exp[64].entradas;
    EXPECT_TRUE(stored == bits(16, {1}) || stored == bits(16, {2})) << stored;
    f.events.lines.clear();
    f.events.on_input = nullptr;
    f.report(M, stored == bits(16, {1}) ? data_of({{62, 0x80}}) : data_of({{62, 0x40}}));
    EXPECT_TRUE(f.events.lines.empty());
}

TEST(ReportDecoder, ReadErrorsGoToTheDebugPage) {
    struct TDebugView : TLogView {
        std::vector<std::string> debug;
        void log_appended(const TLogLine&) override {}
        void log_cleared() override {}
        void debug_appended(std::string_view text) override { debug.emplace_back(text); }
    } view;
    TBoardsFixture f{{board_info(M, 0xDDD0)}};
    f.shell.debug_page_visible = true;
    f.shell.set_view(&view);
    f.hid->device(M).fail(19);
    settle();
    EXPECT_EQ(view.debug, std::vector<std::string>{"DataError=" + M + " error=19"});
    f.shell.set_view(nullptr);
}

} // namespace
} // namespace veltran::test
