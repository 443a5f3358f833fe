#pragma once
// The controller of simulated boards: the boards of a simulation file,
// plugged in from the start, enumerated and opened like real devices, their
// reports delivered on the GUI thread through the same path. From the start
// of a run it plays the file's timed instructions.

#include "boards/hid_controller.h"
#include "boards/sim_script.h"

#include <QElapsedTimer>
#include <QTimer>

#include <memory>
#include <vector>

namespace veltran {

class TSimController : public THidController {
public:
    TSimController(TSimSetup setup, TSimTrace trace);
    ~TSimController() override;

    std::size_t board_count() const { return slots_.size(); }
    TSimBoard& board(std::size_t index) { return *slots_[index].board; }

    // The board leaves or returns; the program sees a device change.
    void unplug(std::size_t index);
    void plug(std::size_t index);
    void apply(const TSimAction& action);

    void run_started() override;
    void run_stopped() override;

protected:
    std::vector<THidDeviceInfo> scan() override;
    std::shared_ptr<THidDevice> open(const THidDeviceInfo& info) override;

private:
    struct TSlot {
        std::unique_ptr<TSimBoard> board;
        bool plugged = true;
    };
    std::string path_of(const TSlot& slot) const;
    void turn_encoder(TSimBoard& board, const TSimAction& action);
    void play_due();
    void schedule_next();

    std::vector<TSlot> slots_;
    std::vector<TSimAction> actions_;
    std::size_t next_action_ = 0;
    QElapsedTimer clock_;
    QTimer timer_;
};

} // namespace veltran
