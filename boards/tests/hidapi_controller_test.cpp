// The real back end on this machine: it enumerates whatever HID devices
// exist (usually none) without error and lists only boards.
#include "board_test_support.h"

#include "boards/board_kinds.h"
#include "boards/hidapi_controller.h"

#include <gtest/gtest.h>

namespace veltran::test {
namespace {

TEST(HidapiController, EnumeratesTheDevicesOfThisMachine) {
    ensure_qt_application();
    TShell shell;
    THardwareTree tree;
    TUSBGEST boards(shell, std::make_unique<THidapiController>());
    boards.t_hardware = &tree;
    settle();
    for (std::size_t i = 0; i < boards.board_count(); ++i) {
        const ThidComponent& board = boards.board(i);
        EXPECT_TRUE(board.Hiddev->vendor_id() == talux_vendor_id) << board.sn;
        EXPECT_TRUE(kind_flags(board.Hiddev->vendor_id(), board.Hiddev->product_id()).has_value());
    }
    EXPECT_TRUE(shell.log_list().empty());
    boards.DeviceChange(); // "Update Hardware"
    EXPECT_TRUE(shell.log_list().empty());
}

} // namespace
} // namespace veltran::test
