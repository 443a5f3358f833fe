#include "host/script_timers.h"

#include "fake_module_events.h"
#include "qt_event_loop.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

namespace veltran {
namespace {

class ScriptTimers : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::ensure_qt_application(); }

    // Runs the event loop until `done` holds or the deadline passes; the
    // deadline only keeps a broken timer from hanging the test.
    template <typename Done> bool run_until(Done done, int deadline_ms = 5000) {
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done()) loop.quit();
        });
        deadline.start(deadline_ms);
        poll.start(1);
        if (!done()) loop.exec();
        return done();
    }

    testing::TFakeModuleEvents events;
    TScriptTimers timers{events};
};

TEST_F(ScriptTimers, ACreatedTimerFiresItsProcedure) {
    timers.create_timer(3, 20);
    EXPECT_EQ(timers.get_timer(3), true);
    ASSERT_TRUE(run_until([&] { return events.timer_events.size() >= 2; }));
    EXPECT_EQ(events.timer_events[0], "OnTimer3");
    EXPECT_EQ(events.timer_events[1], "OnTimer3");
}

TEST_F(ScriptTimers, OnlyTheTenSlotsHoldTimers) {
    for (std::int64_t id : {-1LL, 10LL, 11LL, 1LL << 40}) {
        timers.create_timer(id, 100);
        EXPECT_EQ(timers.timer(id), nullptr) << id;
        EXPECT_EQ(timers.get_timer(id), std::nullopt) << id;
        timers.set_timer(id, true);
    }
    timers.create_timer(0, 100);
    timers.create_timer(9, 100);
    EXPECT_NE(timers.timer(0), nullptr);
    EXPECT_NE(timers.timer(9), nullptr);
}

TEST_F(ScriptTimers, CreatingTwiceKeepsTheFirstTimerAndItsInterval) {
    timers.create_timer(3, 100);
    const TTIMERS* first = timers.timer(3);
    timers.create_timer(3, 500);
    EXPECT_EQ(timers.timer(3), first);
    EXPECT_EQ(first->interval(), 100);
    EXPECT_EQ(first->id(), 3);
}

TEST_F(ScriptTimers, SetTimerSwitchesAndGetTimerTells) {
    EXPECT_EQ(timers.get_timer(4), std::nullopt);
    timers.set_timer(4, true); // no timer there: nothing happens
    EXPECT_EQ(timers.timer(4), nullptr);

    timers.create_timer(4, 10);
    timers.set_timer(4, false);
    EXPECT_EQ(timers.get_timer(4), false);
    timers.create_timer(5, 10);
    ASSERT_TRUE(run_until([&] { return events.timer_events.size() >= 3; }));
    for (const std::string& fired : events.timer_events)
        EXPECT_EQ(fired, "OnTimer5");

    timers.set_timer(4, true);
    EXPECT_EQ(timers.get_timer(4), true);
    ASSERT_TRUE(run_until([&] {
        return std::find(events.timer_events.begin(), events.timer_events.end(), "OnTimer4") !=
               events.timer_events.end();
    }));
}

struct TIntervalCase {
    std::int64_t asked;
    int kept;
};

class TimerIntervals : public ScriptTimers, public ::testing::WithParamInterface<TIntervalCase> {};

TEST_P(TimerIntervals, KeepWithinWhatAGuiTimerDoes) {
    timers.create_timer(1, GetParam().asked);
    EXPECT_EQ(timers.timer(1)->interval(), GetParam().kept);
    EXPECT_EQ(timers.get_timer(1), true);
}

INSTANTIATE_TEST_SUITE_P(Timers, TimerIntervals,
                         ::testing::Values(TIntervalCase{100, 100}, TIntervalCase{1, 10},
                                           TIntervalCase{0, 0}, TIntervalCase{-5, 0},
                                           TIntervalCase{4294967295LL, INT_MAX}));

TEST_F(ScriptTimers, AnIntervalOfZeroNeverFires) {
    timers.create_timer(2, 0);
    timers.create_timer(6, 10);
    ASSERT_TRUE(run_until([&] { return events.timer_events.size() >= 3; }));
    for (const std::string& fired : events.timer_events)
        EXPECT_EQ(fired, "OnTimer6");
}

TEST_F(ScriptTimers, FreeAllEmptiesEverySlot) {
    timers.create_timer(0, 10);
    timers.create_timer(7, 10);
    timers.free_all();
    for (std::int64_t id = 0; id < timer_slot_count; ++id)
        EXPECT_EQ(timers.get_timer(id), std::nullopt);
    timers.create_timer(8, 10); // still usable afterwards
    ASSERT_TRUE(run_until([&] { return !events.timer_events.empty(); }));
    for (const std::string& fired : events.timer_events)
        EXPECT_EQ(fired, "OnTimer8");
}

TEST_F(ScriptTimers, AStopFromInsideATickFreesTheTimerSafely) {
    events.on_timer = [&](std::string_view) { timers.free_all(); };
    timers.create_timer(3, 10);
    ASSERT_TRUE(run_until([&] { return !events.timer_events.empty(); }));
    EXPECT_EQ(timers.get_timer(3), std::nullopt);
    events.on_timer = nullptr;
    timers.create_timer(3, 10); // the freed timer is deleted by now: its tick has returned
    ASSERT_TRUE(run_until([&] { return events.timer_events.size() >= 2; }));
}

TEST(TimerProcedures, AreNamedAfterTheSlot) {
    EXPECT_EQ(timer_procedure(0), "OnTimer0");
    EXPECT_EQ(timer_procedure(9), "OnTimer9");
    EXPECT_EQ(timer_procedure(10), "");
}

} // namespace
} // namespace veltran
