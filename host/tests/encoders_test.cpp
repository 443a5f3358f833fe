#include "host/encoders.h"

#include "fake_day_clock.h"
#include "fake_log_view.h"
#include "fake_module_events.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace veltran {
namespace {

using Announced = std::vector<std::pair<std::int32_t, std::int32_t>>;

class Encoders : public ::testing::Test {
protected:
    Encoders() {
        shell.debug_page_visible = true;
        shell.set_view(&view);
    }

    // Feeds one level pair after another into encoder `id`, `ms` apart.
    void turn(std::int32_t id, const std::vector<const char*>& pairs, double ms = 200) {
        for (const char* pair : pairs) {
            clock.advance_ms(ms);
            table.step_encoder(id, pair[0], pair[1]);
        }
    }
    std::vector<std::int32_t> announced_values() const {
        std::vector<std::int32_t> values;
        for (const auto& [id, value] : events.encoder_events)
            values.push_back(value);
        return values;
    }

    testing::TFakeModuleEvents events;
    testing::TFakeLogView view;
    TShell shell;
    testing::TFakeDayClock clock;
    TEncoderTable table{events, shell, clock};
};

struct TTurnCase {
    const char* name;
    TEncoderSetup setup;
    bool half;
    std::int32_t type; // -1 registers with RegEncoder, any other with RegEncoderExt
    std::vector<const char*> pairs;
    double ms_apart;
    std::vector<std::int32_t> announced;
};

class EncoderTurns : public Encoders, public ::testing::WithParamInterface<TTurnCase> {};

TEST_P(EncoderTurns, DecodesTheLevelsIntoAnnouncedValues) {
    const TTurnCase& c = GetParam();
    const std::int32_t id =
        c.type == -1 ? table.reg_encoder(c.setup, c.half) : table.reg_encoder_ext(c.setup, c.type);
    turn(id, c.pairs, c.ms_apart);
    EXPECT_EQ(announced_values(), c.announced);
    const std::int32_t last = c.announced.empty() ? c.setup.init : c.announced.back();
    EXPECT_EQ(table.get_encoder(id), last);
}

TEncoderSetup range(std::int32_t init, std::int32_t min, std::int32_t max,
                    std::int32_t recursive = 0, float speed = 0) {
    TEncoderSetup s;
    s.sn = "TALUX000001";
    s.in1 = 1;
    s.in2 = 2;
    s.init = init;
    s.min = min;
    s.max = max;
    s.recursive = recursive;
    s.speed = speed;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, EncoderTurns,
    ::testing::Values(
        TTurnCase{"FullCycleUp",
                  range(0, 0, 100),
                  false,
                  -1,
                  {"00", "10", "11", "01", "00"},
                  200,
                  {1, 2, 3, 4}},
        TTurnCase{"FullCycleDown",
                  range(10, 0, 100),
                  false,
                  -1,
                  {"00", "01", "11", "10", "00"},
                  200,
                  {9, 8, 7, 6}},
        TTurnCase{"SameLevelsAgainChangeNothing",
                  range(0, 0, 100),
                  false,
                  -1,
                  {"00", "10", "10", "11", "11"},
                  200,
                  {1, 2}},
        TTurnCase{"BounceOnOneEdge",
                  range(5, 0, 100),
                  false,
                  -1,
                  {"00", "10", "00", "10", "00"},
                  200,
                  {6, 5, 6, 5}},
        TTurnCase{"HalfCycleUpFromElevenOnly",
                  range(0, -10, 10),
                  true,
                  -1,
                  {"11", "01", "00", "10", "11", "01"},
                  200,
                  {1, 2}},
        TTurnCase{"HalfCycleDownFromElevenOnly",
                  range(0, -10, 10),
                  true,
                  -1,
                  {"11", "10", "00", "01", "11", "10"},
                  200,
                  {-1, -2}},
        TTurnCase{"WrapsAroundUp", range(359, 0, 359, 1), false, -1, {"00", "10"}, 200, {0}},
        TTurnCase{"WrapsAroundDown", range(0, 0, 359, 1), false, -1, {"00", "01"}, 200, {359}},
        TTurnCase{"StopsAtTheMaximum",
                  range(99, 0, 100),
                  false,
                  -1,
                  {"00", "10", "11", "01"},
                  200,
                  {100}},
        TTurnCase{"StopsAtTheMinimum", range(1, 0, 100), false, -1, {"00", "01", "11"}, 200, {0}},
        TTurnCase{"NoOverflowAtTheIntegerEnd",
                  range(INT_MAX, INT_MIN, INT_MAX, 1, 100),
                  false,
                  -1,
                  {"00", "10"},
                  50,
                  {INT_MIN}},
        TTurnCase{"FastTurnStepsByTen",
                  range(0, -1000, 1000, 0, 100),
                  false,
                  -1,
                  {"00", "10", "11", "01"},
                  50,
                  {10, 20, 30}},
        TTurnCase{"SlowTurnStepsByOne",
                  range(0, -1000, 1000, 0, 100),
                  false,
                  -1,
                  {"00", "10", "11", "01"},
                  100,
                  {1, 2, 3}},
        TTurnCase{"FastHalfCycleStepsByTen",
                  range(0, -1000, 1000, 0, 100),
                  true,
                  -1,
                  {"11", "01", "11", "01"},
                  50,
                  {10, 20}},
        TTurnCase{"NoThresholdNeverFast",
                  range(0, -1000, 1000, 0, 0),
                  false,
                  -1,
                  {"00", "10", "11"},
                  1,
                  {1, 2}},
        TTurnCase{"PatternDownOnZeroOneEleven",
                  range(10, 0, 100),
                  false,
                  1,
                  {"00", "01", "11"},
                  200,
                  {9}},
        TTurnCase{"PatternDownOnElevenTenZero",
                  range(10, 0, 100),
                  false,
                  1,
                  {"11", "10", "00"},
                  200,
                  {9}},
        TTurnCase{"PatternNeverFastAndNeverUp",
                  range(10, 0, 100, 0, 100),
                  false,
                  2,
                  {"00", "10", "11", "01", "00", "10", "11"},
                  1,
                  {}}),
    [](const ::testing::TestParamInfo<TTurnCase>& info) { return std::string(info.param.name); });

TEST_F(Encoders, AnnouncesTheEncoderIdWithTheValue) {
    table.reg_encoder(range(0, 0, 9), false);
    const std::int32_t second = table.reg_encoder(range(0, 0, 9), false);
    ASSERT_EQ(second, 1);
    turn(second, {"00", "10"});
    EXPECT_EQ(events.encoder_events, (Announced{{1, 1}}));
}

TEST_F(Encoders, PatternDecodingWritesItsDebugLine) {
    const std::int32_t id = table.reg_encoder_ext(range(10, 0, 100), 1);
    turn(id, {"00", "01", "11"});
    EXPECT_EQ(view.debug_lines, std::vector<std::string>{"aqui 11010100 end= 9"});
}

TEST_F(Encoders, ASlowTurnAcrossMidnightStaysSlow) {
    const std::int32_t id = table.reg_encoder(range(0, -100, 100, 0, 100), false);
    clock.now = 1.0 - 150 / testing::TFakeDayClock::milliseconds_per_day;
    turn(id, {"00", "10", "11", "01"}, 100);
    EXPECT_LT(clock.now, 0.5); // the day turned over during the turn
    EXPECT_EQ(announced_values(), (std::vector<std::int32_t>{1, 2, 3}));
}

TEST_F(Encoders, AfterClearIdsStartAtZeroAgain) {
    table.reg_encoder(range(0, 0, 9), false);
    table.reg_encoder(range(0, 0, 9), false);
    table.clear();
    EXPECT_EQ(table.n_encoders(), 0);
    EXPECT_EQ(table.reg_encoder(range(0, 0, 9), false), 0);
}

TEST_F(Encoders, AReusedRecordStartsWithNoneOfThePreviousState) {
    const std::int32_t old_id = table.reg_encoder(range(3, 0, 9), false);
    turn(old_id, {"00", "10"}); // levels 10 and value 4 announced
    table.clear();
    events.encoder_events.clear();
    const std::int32_t id = table.reg_encoder(range(3, 0, 9), false);
    ASSERT_EQ(id, old_id);
    turn(id, {"00"}); // against the stale levels 10 this would turn down
    EXPECT_EQ(table.get_encoder(id), 3);
    turn(id, {"10"}); // 4 was the previous occupant's last announcement
    EXPECT_EQ(events.encoder_events, (Announced{{id, 4}}));
}

TEST_F(Encoders, TheTableHoldsOneThousandAndOneEncoders) {
    for (std::int32_t i = 0; i < encoder_records; ++i)
        ASSERT_EQ(table.reg_encoder(range(i, 0, i), false), i);
    EXPECT_EQ(table.reg_encoder(range(0, 0, 9), false), -1);
    EXPECT_EQ(table.reg_encoder_ext(range(0, 0, 9), 1), -1);
    EXPECT_EQ(table.get_encoder(encoder_records - 1), encoder_records - 1);
}

TEST_F(Encoders, IdsOutsideTheRegisteredOnesReadZeroAndCannotBeSet) {
    const std::int32_t id = table.reg_encoder(range(7, 0, 9), false);
    table.reg_encoder(range(8, 0, 9), false);
    table.clear();
    table.reg_encoder(range(5, 0, 9), false); // record 1 is stale now
    for (std::int32_t bad : {-1, 1, 2, encoder_records, encoder_records + 1, INT_MAX, INT_MIN}) {
        EXPECT_EQ(table.get_encoder(bad), 0) << bad;
        table.set_enc_value(bad, 3);
        EXPECT_EQ(table.step_encoder(bad, '1', '0'), 0) << bad;
    }
    EXPECT_EQ(table.get_encoder(id), 5);
    EXPECT_TRUE(events.encoder_events.empty());
}

TEST_F(Encoders, ASetValueIsNotAnnouncedButTheNextTurnIs) {
    const std::int32_t id = table.reg_encoder(range(5, 0, 100), false);
    table.set_enc_value(id, 50);
    EXPECT_EQ(table.get_encoder(id), 50);
    EXPECT_TRUE(events.encoder_events.empty());
    turn(id, {"00", "01"});
    EXPECT_EQ(events.encoder_events, (Announced{{id, 49}}));
    table.set_enc_value(id, 50);
    turn(id, {"11"}); // back to the last announced value: still news to the script
    EXPECT_EQ(events.encoder_events, (Announced{{id, 49}, {id, 49}}));
}

class EncoderFeeding : public Encoders {
protected:
    EncoderFeeding() {
        TEncoderSetup s = range(0, -100, 100);
        s.in1 = 3;
        s.in2 = 4;
        main_id = table.reg_encoder(s, false);
        s.sn = " TALUX000001-EXP5 ";
        s.in1 = 15;
        s.in2 = 16;
        expansion_id = table.reg_encoder(s, false);
    }
    std::int32_t main_id = 0;
    std::int32_t expansion_id = 0;
};

TEST_F(EncoderFeeding, StepsTheEncodersOfTheReportingBoardFromTheFirstTransition) {
    table.feed("TALUX000001", "0000000000000000", "0010000000000000");
    table.feed("TALUX000001", "0010000000000000", "0011000000000000");
    EXPECT_EQ(events.encoder_events, (Announced{{main_id, 1}, {main_id, 2}}));
}

TEST_F(EncoderFeeding, MatchesTheTrimmedBoardName) {
    table.feed("TALUX000001-EXP5", "0000000000000000", "0000000000000010");
    table.feed("TALUX000001-EXP5  ", "0000000000000010", "0000000000000011");
    EXPECT_EQ(events.encoder_events, (Announced{{expansion_id, 1}, {expansion_id, 2}}));
}

TEST_F(EncoderFeeding, IgnoresOtherBoardsAndOtherInputs) {
    table.feed("TALUX000002", "0000000000000000", "0010000000000000");
    table.feed("TALUX000001-EXP6", "0000000000000000", "0000000000000010");
    table.feed("TALUX000001", "0000000000000000", "1100000000000000");
    EXPECT_TRUE(events.encoder_events.empty());
}

TEST_F(EncoderFeeding, InputsBeyondTheReportAreNotRead) {
    table.feed("TALUX000001-EXP5", "00000000", "11111111");
    table.feed("TALUX000001", "", "001");
    EXPECT_TRUE(events.encoder_events.empty());
    // Without the previous levels the first step only learns where it rests.
    table.feed("TALUX000001", "", "0010");
    table.feed("TALUX000001", "0010", "0011");
    EXPECT_EQ(events.encoder_events, (Announced{{main_id, 1}}));
}

TEST_F(EncoderFeeding, AnUnknownPreviousStateIsNotTakenForLowLevels) {
    // As a synchronisation announces a board: against a string of '-'.
    table.feed("TALUX000001", "----------------", "0010000000000000");
    EXPECT_TRUE(events.encoder_events.empty()) << "it only learns where the encoder rests";
    table.feed("TALUX000001", "0010000000000000", "0011000000000000");
    EXPECT_EQ(events.encoder_events, (Announced{{main_id, 1}}));
}

TEST_F(EncoderFeeding, AModuleStoppedByAnAnnouncementEndsTheRound) {
    events.on_encoder = [this](std::int32_t, std::int32_t) { table.clear(); };
    TEncoderSetup s = range(0, -100, 100);
    s.in1 = 3;
    s.in2 = 4;
    table.reg_encoder(s, false); // a second encoder on the same inputs
    table.feed("TALUX000001", "0000", "0010");
    EXPECT_EQ(events.encoder_events, (Announced{{main_id, 1}}));
}

} // namespace
} // namespace veltran
