// Requests with extra configuration moving values by themselves: inputs and
// encoders to IOCP and iFly, IOCP and iFly values to outputs and displays.
#include "host_fixture.h"

#include "shell/connection_table.h"

#include <gtest/gtest.h>

#include <climits>

namespace veltran::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(ScaledEncoderValue, RoundsHalvesToTheEvenNeighbour) {
    struct TCase {
        std::int32_t value;
        float multi;
        std::int32_t sent;
    };
    for (const TCase& c : {TCase{1, 2.5f, 2}, TCase{3, 2.5f, 8}, TCase{-1, 2.5f, -2},
                           TCase{7, 0.1f, 1}, TCase{5, 0, 0}, TCase{118001, 25, 2950025},
                           TCase{INT_MAX, 2, INT_MAX}, TCase{INT_MIN, 2, INT_MIN}})
        EXPECT_EQ(scaled_encoder_value(c.value, c.multi), c.sent) << c.value << " x " << c.multi;
}

class RequestBindings : public THostTest {
protected:
    RequestBindings() {
        model->connections.Add_card(conn_iocp, "Sim", "127.0.0.1", "8092", "", 0, 0);
        model->connections.Add_card(conn_iocp_server, "Server", "", "8093", "", 0, 0);
        module = add_module("A", "PROGRAM A;\n"
                                 "procedure OnInputChange(sn:string;input,value:byte);\n"
                                 "begin WriteIocp(1, 999, input); end;\n"
                                 "Begin\nEnd.");
    }
    Treqhard& add(std::uint8_t type, const std::string& board = main_board) {
        Treqhard r;
        r.tipo = type;
        r.name = "R" + std::to_string(host(module).requests.size());
        r.board = board;
        r.extra = true;
        return host(module).requests.emplace_back(r);
    }
    Treqhard& input(int in1, std::int32_t connection, std::int32_t offset) {
        Treqhard& r = add(req_input);
        r.in1 = static_cast<std::uint8_t>(in1);
        r.iocp_sel = true;
        r.iocp_conn = connection;
        r.iocp_offset = offset;
        r.in_on = 5;
        r.in_off = 7;
        return r;
    }
    void add_ifly() { model->connections.Add_card(conn_ifly, "iFly", "", "", "", 100, 0); }
    void run() { host(module).Run(); }
    // The link calls other than the script's own WriteIocp to offset 999.
    Lines binding_calls() {
        Lines calls;
        for (const std::string& c : links.calls)
            if (c.find(" 999=") == std::string::npos) calls.push_back(c);
        return calls;
    }
    bool traced(const std::string& line) {
        return std::find(trace.begin(), trace.end(), line) != trace.end();
    }

    int module = 0;
};

TEST_F(RequestBindings, AnInputWritesItsOnAndOffValuesAfterTheScript) {
    input(5, 1, 100);
    run();
    modules().input_changed(main_board, 5, '1');
    modules().input_changed(main_board, 5, '0');
    EXPECT_EQ(links.calls, (Lines{"iocp 1 999=5", "iocp 1 100=5", "iocp 1 999=5", "iocp 1 100=7"}));
}

TEST_F(RequestBindings, PushButtonSettingsSuppressTheirValue) {
    struct TCase {
        std::int32_t push_on, push_off;
        Lines calls;
    };
    for (const TCase& c :
         {TCase{0, 1, {"iocp 1 100=5"}}, TCase{1, 0, {"iocp 1 100=7"}}, TCase{1, 1, {}}}) {
        links.calls.clear();
        host(module).requests.clear();
        Treqhard& r = input(5, 1, 100);
        r.in_push_on = c.push_on;
        r.in_push_off = c.push_off;
        run();
        modules().input_changed(main_board, 5, '1');
        modules().input_changed(main_board, 5, '0');
        EXPECT_EQ(binding_calls(), c.calls) << c.push_on << c.push_off;
    }
}

TEST_F(RequestBindings, AnInputMatchesItsTrimmedBoardAndItsInputOnly) {
    input(5, 1, 100).board = " TALUX0AAAAA ";
    run();
    modules().input_changed(main_board + " ", 5, '1');
    modules().input_changed(main_board, 6, '1');
    modules().input_changed("TALUX0BBBBB", 5, '1');
    modules().input_changed(main_board + "-EXP3", 5, '1');
    EXPECT_EQ(binding_calls(), Lines{"iocp 1 100=5"});
}

TEST_F(RequestBindings, IocpWritesNeedTheirConnectionAndTenIsTheServer) {
    input(1, 1, 100);
    input(1, 2, 200);  // slot 2 holds no client
    input(1, 10, 300); // the server
    input(1, 0, 400);
    input(1, 11, 500);
    host(module).requests.back().iocp_sel = false;
    run();
    modules().input_changed(main_board, 1, '1');
    EXPECT_EQ(binding_calls(), (Lines{"iocp 1 100=5", "server 300=5"}));
}

TEST_F(RequestBindings, AnInputBoundToIflySendsTheLastCommandOfThatNameWhileThereIsAnIflyLink) {
    Treqhard& r = input(1, 0, 0);
    r.iocp_sel = false;
    r.ifly_sel = true;
    r.ifly_offset = "KEY_COM1";
    Treqhard& unknown = input(1, 0, 0);
    unknown.iocp_sel = false;
    unknown.ifly_sel = true;
    unknown.ifly_offset = "KEY_NONE";
    run();
    modules().input_changed(main_board, 1, '1');
    EXPECT_EQ(binding_calls(), Lines{}) << "no iFly connection";
    add_ifly();
    modules().input_changed(main_board, 1, '1');
    EXPECT_EQ(binding_calls(), Lines{"ifly 2 5"});
}

TEST_F(RequestBindings, AnEncoderSendsItsScaledValue) {
    Treqhard& r = add(req_encoder);
    r.in1 = 9;
    r.in2 = 10;
    r.enc_min = 0;
    r.enc_max = 100;
    r.enc_init = 0;
    r.enc_multi = 2.5f;
    r.iocp_sel = true;
    r.iocp_conn = 1;
    r.iocp_offset = 200;
    r.ifly_sel = true;
    r.ifly_offset = "KEY_NAV1";
    add_ifly();
    run();
    const std::int32_t id = host(module).requests[0].enc_id;
    modules().encoder_changed(id, 3);
    modules().encoder_changed(id + 1, 3);
    EXPECT_EQ(binding_calls(), (Lines{"ifly 1 8", "iocp 1 200=8"}));
    // Turned on its board, it announces itself.
    links.calls.clear();
    modules().feed_encoders(main_board, "0000000000000000", "0000000010000000");
    EXPECT_EQ(binding_calls(), (Lines{"ifly 1 2", "iocp 1 200=2"}));
}

TEST_F(RequestBindings, CompilingTwiceRegistersTheEncoderTwiceAndTheRequestKeepsTheLastId) {
    Treqhard& r = add(req_encoder);
    r.enc_max = 10;
    host(module).Compile();
    host(module).Compile();
    EXPECT_EQ(modules().encoders().n_encoders(), 2);
    EXPECT_EQ(host(module).requests[0].enc_id, 1);
    host(module).Stop();
    EXPECT_EQ(modules().encoders().n_encoders(), 0);
    run();
    EXPECT_EQ(host(module).requests[0].enc_id, 0) << "after Stop and Run, ids start at 0 again";
}

class OutputBindings : public RequestBindings {
protected:
    OutputBindings() { wait_for_board(); }
    Treqhard& output(std::int32_t connection, std::int32_t offset, std::int32_t on,
                     std::int32_t off) {
        Treqhard& r = add(req_output);
        r.out1 = 4;
        r.iocp_sel = true;
        r.iocp_conn = connection;
        r.iocp_offset = offset;
        r.out_on = on;
        r.out_off = off;
        return r;
    }
    Treqhard& display(const std::string& board = main_board + "-EXP15") {
        Treqhard& r = add(req_display, board);
        r.display = 1;
        r.dis_ndigitos = 4;
        r.dis_char = "0";
        r.dis_dp = 0;
        return r;
    }
    TSimBoard& board() { return sim->board(0); }
};

TEST_F(OutputBindings, AnIocpValueSwitchesTheOutputOnAndOff) {
    output(1, 300, 1, 0);
    run();
    modules().iocp_changed(1, 300, 1);
    EXPECT_TRUE(board().output(64, 4));
    modules().iocp_changed(2, 300, 0); // another client
    modules().iocp_changed(1, 301, 0); // another offset
    EXPECT_TRUE(board().output(64, 4));
    modules().iocp_changed(1, 300, 0);
    EXPECT_FALSE(board().output(64, 4));
}

TEST_F(OutputBindings, EqualOnAndOffValuesSwitchOnAndAtOnceOff) {
    output(1, 300, 5, 5);
    run();
    trace.clear();
    modules().iocp_changed(1, 300, 5);
    EXPECT_EQ(trace, (Lines{"sim TALUX0AAAAA output 4 1", "sim TALUX0AAAAA output 4 0"}));
}

TEST_F(OutputBindings, AServerValueShowsOnADisplay) {
    Treqhard& r = display();
    r.iocp_sel = true;
    r.iocp_conn = iocp_server_connection;
    r.iocp_offset = 400;
    run();
    modules().iocp_changed(1, 400, 99); // a client's offset 400 is not the server's
    modules().iocp_server_changed(400, 123);
    EXPECT_EQ(board().display_text(15), std::string(28, ' ') + "0123");
}

TEST_F(OutputBindings, IflyValuesShowTheirSymbolsAndSwitchOutputs) {
    Treqhard& d = display();
    d.ifly_sel = true;
    d.ifly_offset = "COURSE_VAR";
    Treqhard& o = output(0, 0, 1, 0);
    o.iocp_sel = false;
    o.ifly_sel = true;
    o.ifly_offset = "GEAR_LIGHT_VAR";
    run();
    modules().ifly_changed(1, Variant(std::int32_t{12}));
    EXPECT_EQ(board().display_text(15), std::string(28, ' ') + "   -");
    modules().ifly_changed(1, Variant(std::int32_t{275}));
    EXPECT_EQ(board().display_text(15), std::string(28, ' ') + "0275");
    modules().ifly_changed(0, Variant(std::int32_t{1}));
    EXPECT_TRUE(board().output(64, 4));
    modules().ifly_changed(0, Variant::from_utf8("not a number"));
    EXPECT_TRUE(board().output(64, 4));
}

TEST_F(OutputBindings, AConnectedClientRegistersTheOffsetsBoundToIt) {
    output(1, 300, 1, 0);
    Treqhard& r = display();
    r.iocp_sel = true;
    r.iocp_conn = 1;
    r.iocp_offset = 301;
    output(2, 302, 1, 0);
    run();
    modules().iocp_connected(1);
    EXPECT_EQ(binding_calls(), (Lines{"register 1 300", "register 1 301"}));
}

TEST_F(OutputBindings, OnlyRunningModulesAndLiveRequestsWithExtraTakePart) {
    output(1, 300, 1, 0).borrado = true;
    output(1, 300, 1, 0).extra = false;
    output(1, 301, 1, 0);
    modules().iocp_changed(1, 301, 1); // not running yet
    run();
    modules().iocp_changed(1, 300, 1);
    EXPECT_FALSE(board().output(64, 4));
    host(module).Stop();
    modules().iocp_changed(1, 301, 1);
    EXPECT_FALSE(board().output(64, 4));
}

TEST_F(OutputBindings, ABoardNameThatDoesNotResolveIsTheModulesBoardError) {
    Treqhard& r = display(main_board + "-EXPx1");
    r.iocp_sel = true;
    r.iocp_conn = 1;
    r.iocp_offset = 400;
    run();
    modules().iocp_changed(1, 400, 1);
    EXPECT_EQ(lines_starting("Code="), Lines{"Code=\"A\", Board not valid=\"TALUX0AAAAA-EXPx1\""});
}

} // namespace
} // namespace veltran::testing
