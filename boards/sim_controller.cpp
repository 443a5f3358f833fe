#include "boards/sim_controller.h"

#include "boards/board_kinds.h"

#include <algorithm>

namespace veltran {
namespace {

// An opening of a simulated board. Once the board has been unplugged this
// device is dead, also after the board has been plugged in again.
class TSimDevice : public THidDevice {
public:
    TSimDevice(THidDeviceInfo info, TSimBoard& board)
        : THidDevice(std::move(info)), board_(board), power_cycle_(board.power_cycles()) {}

protected:
    void write_report(const std::uint8_t* report, std::size_t length) override {
        if (board_.power_cycles() == power_cycle_) board_.receive(report, length);
    }
    void start_reading() override {
        board_.attach_sender(
            [this](const TReportData& report) { post_report(report.data(), report.size()); }, this);
    }
    void stop_reading() override { board_.detach_sender(this); }

private:
    TSimBoard& board_;
    int power_cycle_;
};

// The input levels (N1, N2) of one detent, after the rest position 00.
constexpr std::array<std::array<bool, 2>, 4> detent_up{
    {{true, false}, {true, true}, {false, true}, {false, false}}};
constexpr std::array<std::array<bool, 2>, 4> detent_down{
    {{false, true}, {true, true}, {true, false}, {false, false}}};

} // namespace

TSimController::TSimController(TSimSetup setup, TSimTrace trace)
    : actions_(std::move(setup.actions)) {
    for (TSimBoardConfig& config : setup.boards)
        slots_.push_back({std::make_unique<TSimBoard>(std::move(config), trace), true});
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { play_due(); });
}

TSimController::~TSimController() {
    check_in_all();
}

std::string TSimController::path_of(const TSlot& slot) const {
    return "sim:" + slot.board->serial() + ":" + std::to_string(slot.board->power_cycles());
}

std::vector<THidDeviceInfo> TSimController::scan() {
    std::vector<THidDeviceInfo> devices;
    for (const TSlot& slot : slots_)
        if (slot.plugged)
            devices.push_back({path_of(slot), talux_vendor_id,
                               sim_product_id(slot.board->config().kind), slot.board->serial()});
    return devices;
}

std::shared_ptr<THidDevice> TSimController::open(const THidDeviceInfo& info) {
    for (TSlot& slot : slots_)
        if (slot.plugged && path_of(slot) == info.path)
            return std::make_shared<TSimDevice>(info, *slot.board);
    return nullptr;
}

void TSimController::unplug(std::size_t index) {
    TSlot& slot = slots_[index];
    if (!slot.plugged) return;
    slot.plugged = false;
    slot.board->power_off();
    notify_device_change();
}

void TSimController::plug(std::size_t index) {
    TSlot& slot = slots_[index];
    if (slot.plugged) return;
    slot.plugged = true;
    slot.board->power_on();
    notify_device_change();
}

void TSimController::apply(const TSimAction& action) {
    TSimBoard& board = *slots_[action.board].board;
    switch (action.kind) {
    case TSimActionKind::input:
        board.set_input(action.address, action.first, action.second != 0);
        break;
    case TSimActionKind::adc: board.set_axis(action.address, action.first, action.second); break;
    case TSimActionKind::encoder: turn_encoder(board, action); break;
    case TSimActionKind::unplug: unplug(action.board); break;
    case TSimActionKind::plug: plug(action.board); break;
    }
}

// Each level change is one input report, as the board sends it.
void TSimController::turn_encoder(TSimBoard& board, const TSimAction& action) {
    const auto set_levels = [&](bool a, bool b) {
        board.set_input(action.address, action.first, a);
        board.set_input(action.address, action.second, b);
    };
    set_levels(false, false);
    const auto& detent = action.steps > 0 ? detent_up : detent_down;
    for (int i = 0; i < std::abs(action.steps); ++i)
        for (const auto& levels : detent)
            set_levels(levels[0], levels[1]);
}

void TSimController::run_started() {
    next_action_ = 0;
    clock_.start();
    schedule_next();
}

void TSimController::run_stopped() {
    timer_.stop();
}

void TSimController::schedule_next() {
    if (next_action_ >= actions_.size()) return;
    const qint64 due = actions_[next_action_].at_ms - clock_.elapsed();
    timer_.start(static_cast<int>(std::max<qint64>(0, due)));
}

void TSimController::play_due() {
    while (next_action_ < actions_.size() && actions_[next_action_].at_ms <= clock_.elapsed())
        apply(actions_[next_action_++]);
    schedule_next();
}

} // namespace veltran
