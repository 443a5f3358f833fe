#pragma once
// One Qt application for all the host tests, and ways to run its event loop.

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

namespace veltran::testing {

inline void ensure_qt_application() {
    static int argc = 1;
    static char name[] = "host_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// Runs the event loop until `done` holds or five seconds have passed.
inline bool wait_until(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// Runs the event loop for a while, for what must not happen.
inline void run_events_for(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace veltran::testing
