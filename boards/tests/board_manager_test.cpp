// The board list across device changes, the hardware tree, the version
// texts and the synchronisation pass.
#include "board_test_support.h"

#include <gtest/gtest.h>

namespace veltran::test {
namespace {

const std::string M2 = "TALUX0FFFFF";

std::vector<std::string> tree_lines(const TTreeNode& node, int depth = 0) {
    std::vector<std::string> lines;
    for (const auto& child : node.children()) {
        lines.push_back(std::string(static_cast<std::size_t>(depth) * 2, ' ') + child->text + " [" +
                        std::to_string(child->image) + "]" + (child->expanded ? " +" : ""));
        for (std::string& line : tree_lines(*child, depth + 1))
            lines.push_back(std::move(line));
    }
    return lines;
}

TEST(BoardList, TakesTheFiveProductIdsOfTheVendorOnly) {
    TBoardsFixture f{{board_info(M, 0xDDD0), board_info("OTHER000001", 0xDDD0, 0x1234),
                      board_info(J, 0xDDD1), board_info("TALUX0GGGGG", 0xDDD5),
                      board_info(D, 0xDDD2), board_info(S, 0xDDD3), board_info(B, 0xDDE1)}};
    ASSERT_EQ(f.boards->board_count(), 5u);
    struct TCase {
        std::string serial;
        bool esjoy, es_adcser, es_boot, es_main;
    };
    const TCase cases[] = {{M, false, false, false, true},
                           {J, true, false, false, false},
                           {D, false, false, false, false},
                           {S, false, true, false, false},
                           {B, false, false, true, false}};
    for (std::size_t i = 0; i < 5; ++i) {
        const ThidComponent& board = f.boards->board(i);
        EXPECT_EQ(board.sn, cases[i].serial);
        EXPECT_EQ(board.esjoy, cases[i].esjoy) << board.sn;
        EXPECT_EQ(board.es_adcser, cases[i].es_adcser) << board.sn;
        EXPECT_EQ(board.es_boot, cases[i].es_boot) << board.sn;
        EXPECT_EQ(board.es_main, cases[i].es_main) << board.sn;
    }
    // Devices of other kinds are never checked out.
    for (const auto& device : f.hid->opened)
        EXPECT_TRUE(device->serial() != "OTHER000001" && device->serial() != "TALUX0GGGGG");
}

TEST(BoardList, IsBuiltInTheConstructorAndListedOnceTheLoopRuns) {
    ensure_qt_application();
    TShell shell;
    THardwareTree tree;
    auto controller = std::make_unique<TFakeController>();
    controller->plugged = {board_info(M, 0xDDD0)};
    TFakeController* hid = controller.get();
    TUSBGEST boards(shell, std::move(controller));
    boards.t_hardware = &tree;
    EXPECT_EQ(boards.board_count(), 1u);
    EXPECT_TRUE(tree.root().children().empty());
    EXPECT_TRUE(hid->written(M).empty()) << "no configuration request before the tree exists";
    settle();
    ASSERT_EQ(hid->opened.size(), 2u) << "the start-up notification rebuilds the list";
    EXPECT_FALSE(hid->opened[0]->is_open());
    EXPECT_EQ(hid->written(M), std::vector<TReportBuffer>{buffer_of({{1, 255}})});
    EXPECT_EQ(tree_lines(tree.root()),
              (std::vector<std::string>{"Hardware [5] +", "  " + M + " [0]"}));
}

TEST(BoardList, TheTreeShowsTheBoardsInReverseOrderWithTheirImages) {
    TBoardsFixture f{{board_info(M, 0xDDD0), board_info(J, 0xDDD1), board_info(D, 0xDDD2),
                      board_info(S, 0xDDD3), board_info(B, 0xDDE1),
                      board_info("TALUX9HHHHH", 0xDDE1), board_info("XALUX0IIIII", 0xDDD0)}};
    EXPECT_EQ(tree_lines(f.tree.root()),
              (std::vector<std::string>{"Hardware [5] +", "  TALUX9HHHHH [18]", "  " + B + " [18]",
                                        "  " + S + " [19]", "  " + D + " [22]", "  " + J + " [17]",
                                        "  " + M + " [0]"}));
    // The board with an unknown prefix is listed and decoded, but has no node
    // and, though a main board, is not asked for its configuration.
    EXPECT_EQ(f.boards->board_count(), 7u);
    EXPECT_TRUE(f.hid->written("XALUX0IIIII").empty());
    EXPECT_TRUE(f.boards->board(0).padre != nullptr);
}

TEST(BoardList, AConfigurationReportListsThePresentExpansionsInAddressOrder) {
    TBoardsFixture f{{board_info(M, 0xDDD0)}};
    // Addresses 0, 5, 12, 17, 22, 27 and 33.
    f.report(M, data_of({{0, 255}, {2, 0x84}, {3, 0x08}, {4, 0x42}, {5, 0x10}, {6, 0x40}}));
    EXPECT_EQ(tree_lines(f.tree.root()),
              (std::vector<std::string>{
                  "Hardware [5] +", "  " + M + " [0] +", "    " + M + "-EXP0 (64INs) [1]",
                  "    " + M + "-EXP5 (64OUTs) [2]", "    " + M + "-EXP12 (32I32Os) [1]",
                  "    " + M + "-EXP17 (32DISs) [4]", "    " + M + "-EXP22 (16SER16ADCs) [19]",
                  "    " + M + "-EXP27 (64OUTs) [2]", "    " + M + "-EXP33 [-1]"}));
    const ThidComponent& board = f.boards->board(0);
    EXPECT_EQ(board.talux_exp[33].activo, 1);
    EXPECT_EQ(board.talux_exp[34].activo, 0);
    EXPECT_FALSE(board.leido_conf);
    EXPECT_EQ(board.nodo->text, M + "-EXP33");
    // A later report replaces the expansion nodes.
    f.report(M, data_of({{0, 255}, {2, 0x40}}));
    EXPECT_EQ(tree_lines(f.tree.root()).size(), 3u);
}

TEST(BoardList, TwoMainBoardsListTheirExpansionsUnderTheirOwnNodes) {
    TBoardsFixture f{{board_info(M, 0xDDD0), board_info(M2, 0xDDD0)}};
    EXPECT_EQ(f.hid->written(M).size(), 1u);
    EXPECT_EQ(f.hid->written(M2).size(), 1u);
    f.report(M2, data_of({{0, 255}, {2, 0x80}}));
    f.report(M, data_of({{0, 255}, {2, 0x40}}));
    EXPECT_EQ(tree_lines(f.tree.root()),
              (std::vector<std::string>{"Hardware [5] +", "  " + M2 + " [0] +",
                                        "    " + M2 + "-EXP0 (64INs) [1]", "  " + M + " [0] +",
                                        "    " + M + "-EXP1 (64INs) [1]"}));
}

TEST(BoardList, ADeviceChangeGivesEveryBoardAFreshRecord) {
    TBoardsFixture f{{board_info(M, 0xDDD0)}};
    f.boards->envio_salida("C", M, 1, 1);
    f.report(M, data_of({{0, 255}, {2, 0x80}}));
    // Any HID device coming or going rebuilds the list.
    f.hid->plugged.push_back(board_info("OTHER000001", 0x0001, 0x1234));
    f.hid->change();
    settle();
    ASSERT_EQ(f.boards->board_count(), 1u);
    EXPECT_EQ(f.boards->board(0).talux_exp[0].activo, 0);
    EXPECT_EQ(f.boards->board(0).version, "");
    f.boards->envio_salida("C", M, 2, 1);
    EXPECT_EQ(f.hid->written(M).back(), buffer_of({{1, 1}, {63, 0x02}})) << "output 1 is off again";
    EXPECT_EQ(tree_lines(f.tree.root()).size(), 2u) << "expansions wait for the next configuration";
}

TEST(BoardList, ANotificationWithoutAChangeKeepsTheRecords) {
    TBoardsFixture f{{board_info(M, 0xDDD0)}};
    const ThidComponent* record = &f.boards->board(0);
    f.hid->change();
    settle();
    EXPECT_EQ(&f.boards->board(0), record);
}

TEST(BoardList, TheFirstOfTwoDevicesWithOneSerialIsListedAndGetsBothReports) {
    THidDeviceInfo second = board_info(M, 0xDDD0);
    second.path += ":second";
    TBoardsFixture f{{board_info(M, 0xDDD0), second}};
    ASSERT_EQ(f.boards->board_count(), 1u);
    auto& twin = *f.hid->opened.back();
    EXPECT_TRUE(twin.is_open());
    twin.send(data_of({{62, 0x80}}));
    settle();
    EXPECT_EQ(f.events.lines.back(), "all " + M + " 1000000000000000");
    EXPECT_EQ(f.boards->board(0).talux_exp[64].entradas, "1000000000000000");
    f.boards->DeviceChange();
    EXPECT_FALSE(twin.is_open()) << "the twin is checked in at the next change";
}

TEST(BoardList, IdentityLookupsIgnoreCase) {
    TBoardsFixture f{{board_info(M, 0xDDD0), board_info(J, 0xDDD1)}};
    EXPECT_EQ(f.boards->get_id_sn("talux1bbbbb"), 1);
    EXPECT_EQ(f.boards->get_id_sn(M + "X"), -1);
    EXPECT_EQ(f.boards->get_id_sn(M + "-EXP1"), -1);
    EXPECT_EQ(f.boards->GetVersion("TALUX0ZZZZZ"), "");
    EXPECT_EQ(f.log(), std::vector<std::string>{"Board not found \"TALUX0ZZZZZ\""});
}

TEST(Syncro, AnnouncesTheKnownInputsOfBoardsAndActiveInputExpansions) {
    TBoardsFixture f{{board_info(M, 0xDDD0), board_info(J, 0xDDD1), board_info(M2, 0xDDD0)}};
    // Expansions 3 and 12 present; expansion 1 sends bits but is absent.
    f.report(M, data_of({{0, 255}, {2, 0x10}, {3, 0x08}}));
    f.report(M, data_of({{62, 0x40}, {26, 0x80}, {10, 0xFF}}));
    f.report(J, data_of({{16, 0x80}}));
    f.events.lines.clear();
    f.boards->Syncro();
    std::vector<std::string> expected = {"feed " + M + " " + std::string(16, '-') +
                                         " 0100000000000000"};
    for (int i = 1; i <= 16; ++i)
        expected.push_back("input " + M + " " + std::to_string(i) + (i == 2 ? " 1" : " 0"));
    expected.push_back("all " + M + " 0100000000000000");
    ASSERT_GE(f.events.lines.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(f.events.lines.begin(), f.events.lines.begin() + 18),
              expected);
    // Then expansion 3 (64 inputs) and expansion 12 (32 inputs); nothing of
    // expansion 1, of the joystick, or of the second board (no report yet).
    EXPECT_EQ(f.events.lines.size(), 18u + 66u + 34u);
    EXPECT_EQ(f.events.lines[18],
              "feed " + M + "-EXP3 " + std::string(64, '-') + " 1" + std::string(63, '0'));
    EXPECT_EQ(f.events.lines[18 + 66],
              "feed " + M + "-EXP12 " + std::string(32, '-') + " " + std::string(32, '0'));
    EXPECT_EQ(f.events.lines.back(), "all " + M + "-EXP12 " + std::string(32, '0'));
}

} // namespace
} // namespace veltran::test
