// One module host: compile, run and stop with their log lines and cards, the
// names registered before each compile, and the events it calls.
#include "host_fixture.h"

#include <gtest/gtest.h>

namespace veltran::testing {
namespace {

using Lines = std::vector<std::string>;

class ModuleHost : public THostTest {};

TEST_F(ModuleHost, CompileReportsSuccessWithoutRunning) {
    const int a = add_module("A", "PROGRAM A;\nBegin\n  debug('main');\nEnd.");
    host(a).Compile();
    EXPECT_EQ(log(), Lines{"CODE=\"A\", Compile Sucess"});
    EXPECT_EQ(card(a).image, card_image_idle);
    EXPECT_EQ(card(a).items, (Lines{"Compile OK.", "0 Hz"}));
    EXPECT_FALSE(host(a).running());
}

TEST_F(ModuleHost, ASyntaxErrorIsReportedOnTheLogAndTheCard) {
    const int a = add_module("A", "PROGRAM A;\nBegin\n  debug('main')\n  debug('x');\nEnd.");
    host(a).Run();
    EXPECT_EQ(log(), Lines{"Error in CODE \"A\", Error type=\"';' expected\", Position=\"4:3\""});
    EXPECT_EQ(card(a).image, card_image_error);
    EXPECT_EQ(card(a).items[0], "Error:';' expected 4:3");
    EXPECT_FALSE(host(a).running());
}

TEST_F(ModuleHost, RunExecutesTheMainBlockAndStopEndsTheRun) {
    const int a = add_module("A", "PROGRAM A;\nBegin\n  debug('main  ');\nEnd.");
    host(a).Run();
    EXPECT_TRUE(host(a).running());
    EXPECT_EQ(card(a).image, card_image_running);
    EXPECT_EQ(card(a).items[0], "Running");
    host(a).Stop();
    EXPECT_FALSE(host(a).running());
    EXPECT_EQ(card(a).image, card_image_idle);
    EXPECT_EQ(card(a).items[0], "Stop");
    EXPECT_EQ(log(),
              (Lines{"CODE=\"A\", Running", "Code=\"A\", Text=\"main\"", "CODE=\"A\", Stop"}));
}

Treqhard request(std::uint8_t type, const std::string& name) {
    Treqhard r;
    r.tipo = type;
    r.tipo_text = request_type_text(static_cast<TRequestType>(type));
    r.name = name;
    r.board = "TALUX0BBBBB";
    r.in1 = 3;
    r.in2 = 4;
    r.out1 = 7;
    r.display = 9;
    return r;
}

TEST_F(ModuleHost, RegistersConstantsRequestNamesAndGlobals) {
    modules().add_global("CITY", "Zürich");
    const int a = add_module("A", "PROGRAM A;\nBegin\n"
                                  "  debug(IntToStr(hInput + 10 * hOutput + 100 * hDigit + "
                                  "1000 * hAdc + 10000 * hServo));\n"
                                  "  debug(KNOB_board + ' ' + IntToStr(KNOB_in1) + "
                                  "IntToStr(KNOB_in2) + IntToStr(SW_in1) + IntToStr(LAMP_out1) + "
                                  "IntToStr(DISP_display));\n"
                                  "  KNOB := KNOB + 5;\n"
                                  "  debug(IntToStr(KNOB) + ' ' + CITY);\n"
                                  "  if not Test_Hardware then debug('no test');\n"
                                  "End.");
    auto& requests = host(a).requests;
    requests = {request(req_encoder, "KNOB"), request(req_input, "SW"), request(req_output, "LAMP"),
                request(req_display, "DISP")};
    host(a).Run();
    EXPECT_EQ(log(), (Lines{"CODE=\"A\", Running", "Code=\"A\", Text=\"54321\"",
                            "Code=\"A\", Text=\"TALUX0BBBBB 34379\"",
                            "Code=\"A\", Text=\"5 Zürich\"", "Code=\"A\", Text=\"no test\""}));
}

TEST_F(ModuleHost, ADeletedRequestAndAPerKindConstantOfAnotherKindAreNotNames) {
    for (const char* name : {"GONE", "SW_in2", "SW_out1", "LAMP_in1"}) {
        const int a = add_module(name, std::string("PROGRAM A;\nBegin\n  debug(IntToStr(") + name +
                                           "));\nEnd.");
        host(a).requests = {request(req_input, "GONE"), request(req_input, "SW"),
                            request(req_output, "LAMP")};
        host(a).requests[0].borrado = true;
        host(a).Compile();
        EXPECT_EQ(card(a).image, card_image_error) << name;
    }
}

TEST_F(ModuleHost, EventsReachOnlyARunningModuleAndOnlyItsDeclaredProcedures) {
    const int a =
        add_module("A", "PROGRAM A;\n"
                        "procedure OnInputChange(sn:string;input,value:byte);\n"
                        "begin debug(sn + ' ' + IntToStr(input) + ' ' + IntToStr(value)); end;\n"
                        "procedure OnTimer3; begin debug('tick'); end;\n"
                        "Begin\nEnd.");
    modules().input_changed(main_board, 5, '1');
    host(a).Compile();
    modules().input_changed(main_board, 5, '1');
    host(a).Run();
    modules().input_changed(main_board, 5, '1');
    modules().timer_elapsed(2); // not declared: nothing at all
    modules().timer_elapsed(3);
    modules().all_inputs_changed(main_board, "0000100000000000");
    host(a).Stop();
    modules().input_changed(main_board, 5, '0');
    modules().timer_elapsed(3);
    EXPECT_EQ(lines_starting("Code="),
              (Lines{"Code=\"A\", Text=\"TALUX0AAAAA 5 1\"", "Code=\"A\", Text=\"tick\""}))
        << ::testing::PrintToString(log());
}

// Every event of the table with its arguments, as a script sees them.
TEST_F(ModuleHost, EveryEventPassesItsArguments) {
    const int a = add_module(
        "A", "PROGRAM A;\n"
             "procedure OnInputChangeAll(sn,inputs:string); begin debug(sn + ' ' + inputs); end;\n"
             "procedure OnADCChange(sn:string;nadc:byte;value:integer);\n"
             "  begin debug(sn + IntToStr(nadc) + ' ' + IntToStr(value)); end;\n"
             "procedure OnEncoderChange(id_encoder,value:integer);\n"
             "  begin debug('enc ' + IntToStr(id_encoder) + ' ' + IntToStr(value)); end;\n"
             "procedure OnIOCPConnect(socket:byte); begin debug('con ' + IntToStr(socket)); end;\n"
             "procedure OnIOCPConnectFail(socket:byte); begin debug('fail ' + IntToStr(socket)); "
             "end;\n"
             "procedure OnIOCPConnectClosed(socket:byte); begin debug('closed ' + "
             "IntToStr(socket)); end;\n"
             "procedure OnIOCPChange(socket:byte;offset,value:integer);\n"
             "  begin debug('chg ' + IntToStr(socket) + IntToStr(offset) + IntToStr(value)); end;\n"
             "procedure OnIOCPChangeSyncro(socket:byte;offset,value:integer);\n"
             "  begin debug('syn ' + IntToStr(socket) + IntToStr(offset) + IntToStr(value)); end;\n"
             "procedure OnIOCPServerChange(offset,value:integer);\n"
             "  begin debug('srv ' + IntToStr(offset) + IntToStr(value)); end;\n"
             "procedure OnFSUIPCError(msg:string); begin debug('ferr ' + msg); end;\n"
             "procedure OnFSUIPCConnect(msg:string); begin debug('fcon ' + msg); end;\n"
             "procedure OnFSUIPCDisConnect(msg:string); begin debug('fdis ' + msg); end;\n"
             "procedure OnFSUIPCChange(offset:integer;value:variant);\n"
             "  begin debug('fchg ' + IntToStr(offset) + ' ' + VarToStr(value)); end;\n"
             "procedure OnIFLYChange(offset:integer;value:variant);\n"
             "  begin debug('ichg ' + IntToStr(offset) + ' ' + VarToStr(value)); end;\n"
             "procedure OnIFLYConnect; begin debug('icon'); end;\n"
             "procedure OnIFLYDisConnect; begin debug('idis'); end;\n"
             "procedure OnTimer0; begin debug('t0'); end;\n"
             "procedure OnTimer9; begin debug('t9'); end;\n"
             "Begin\nEnd.");
    host(a).Run();
    modules().all_inputs_changed(main_board, "0100");
    modules().adc_changed(main_board, 2, 511);
    modules().encoder_changed(4, -7);
    modules().iocp_connected(1);
    modules().iocp_connect_failed(2);
    modules().iocp_connection_closed(3);
    modules().iocp_changed(1, 2, 3);
    modules().iocp_change_syncro(4, 5, 6);
    modules().iocp_server_changed(7, 8);
    modules().fsuipc_error("no sim");
    modules().fsuipc_connected("up");
    modules().fsuipc_disconnected("down");
    modules().fsuipc_changed(0x560, Variant(std::int64_t{1234567890123}));
    modules().ifly_changed(12, Variant::from_utf8("on"));
    modules().ifly_connected();
    modules().ifly_disconnected();
    modules().timer_elapsed(0);
    modules().timer_elapsed(9);
    modules().timer_elapsed(10); // no such timer
    const Lines expected = {"TALUX0AAAAA 0100",
                            "TALUX0AAAAA2 511",
                            "enc 4 -7",
                            "con 1",
                            "fail 2",
                            "closed 3",
                            "chg 123",
                            "syn 456",
                            "srv 78",
                            "ferr no sim",
                            "fcon up",
                            "fdis down",
                            "fchg 1376 1234567890123",
                            "ichg 12 on",
                            "icon",
                            "idis",
                            "t0",
                            "t9"};
    Lines texts;
    for (const std::string& line : lines_starting("Code="))
        texts.push_back(line.substr(std::string("Code=\"A\", Text=\"").size(),
                                    line.size() - std::string("Code=\"A\", Text=\"").size() - 1));
    EXPECT_EQ(texts, expected);
}

TEST_F(ModuleHost, AScriptErrorInAnEventIsLoggedAndTheOtherModulesStillGetTheEvent) {
    const std::string failing = "PROGRAM A;\n"
                                "procedure OnInputChange(sn:string;input,value:byte);\n"
                                "begin\n"
                                "  debug('before');\n"
                                "  debug(IntToStr(StrToInt(sn)));\n"
                                "end;\n"
                                "Begin\nEnd.";
    const int a = add_module("A", failing);
    const int b = add_module("B", "PROGRAM B;\n"
                                  "procedure OnInputChange(sn:string;input,value:byte);\n"
                                  "begin debug('got ' + IntToStr(input)); end;\n"
                                  "Begin\nEnd.");
    modules().Run_all();
    modules().input_changed(main_board, 5, '1');
    modules().input_changed(main_board, 6, '1');
    const std::string error = "Error in CODE \"A\", Error type=\"'TALUX0AAAAA' is not a valid "
                              "integer value\", Position=\"5:3\", Event=\"OnInputChange\"";
    EXPECT_EQ(lines_starting("Code=\"B\""),
              (Lines{"Code=\"B\", Text=\"got 5\"", "Code=\"B\", Text=\"got 6\""}));
    EXPECT_EQ(lines_starting("Error"), (Lines{error, error}));
    EXPECT_TRUE(host(a).running());
    EXPECT_TRUE(host(b).running());
    EXPECT_EQ(card(a).items[0], "Running");
}

TEST_F(ModuleHost, AScriptErrorInTheMainBlockLeavesTheModuleStopped) {
    const int a = add_module("A", "PROGRAM A;\n"
                                  "procedure OnTimer1; begin debug('tick'); end;\n"
                                  "Begin\n"
                                  "  CreateTimer(1, 100);\n"
                                  "  RegEncoder('TALUX0AAAAA', 1, 2, 0, 9, 0, 0, False, 0);\n"
                                  "  debug(IntToStr(StrToInt('x')));\n"
                                  "End.");
    host(a).Run();
    EXPECT_FALSE(host(a).running());
    EXPECT_EQ(card(a).image, card_image_error);
    EXPECT_EQ(card(a).items[0], "Error:'x' is not a valid integer value 6:3");
    EXPECT_EQ(lines_starting("Error"),
              Lines{"Error in CODE \"A\", Error type=\"'x' is not a valid integer value\", "
                    "Position=\"6:3\", Event=\"Main\""});
    EXPECT_EQ(modules().timers().timer(1), nullptr) << "what it set up is gone";
    EXPECT_EQ(modules().encoders().n_encoders(), 0);
}

TEST_F(ModuleHost, AnEventProcedureWithTooFewParametersIsTheModulesError) {
    const int a = add_module("A", "PROGRAM A;\n"
                                  "procedure OnInputChange(sn:string);\n"
                                  "begin debug('never'); end;\n"
                                  "Begin\nEnd.");
    host(a).Run();
    modules().input_changed(main_board, 1, '1');
    EXPECT_EQ(lines_starting("Error"),
              Lines{"Error in CODE \"A\", Error type=\"List index out of bounds (1)\", "
                    "Position=\"\", Event=\"OnInputChange\""});
    EXPECT_TRUE(host(a).running());
}

} // namespace
} // namespace veltran::testing
