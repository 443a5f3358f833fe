// The built-in procedures called from scripts: what each gives back, what it
// does to the boards, timers and encoders, and how a bad argument fails.
#include "host_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace veltran::testing {
namespace {

using Lines = std::vector<std::string>;

class Builtins : public THostTest {
protected:
    // Runs a module whose main block is `body`; returns its debug texts and
    // error lines.
    Lines run(const std::string& body, const std::string& declarations = "") {
        shell().clear_lines();
        const int a = add_module("A", "PROGRAM A;\n" + declarations + "Begin\n" + body + "\nEnd.");
        host(a).filename = project_file;
        host(a).Run();
        Lines out;
        for (const std::string& line : log()) {
            if (line.starts_with("Code=\"A\", Text=\""))
                out.push_back(line.substr(16, line.size() - 17));
            else if (!line.starts_with("CODE="))
                out.push_back(line);
        }
        return out;
    }
    std::string project_file = ::testing::TempDir() + "/builtins/p.pscp";
};

struct TValueCase {
    const char* expression;
    const char* shown;
};

class BuiltinValues : public Builtins, public ::testing::WithParamInterface<TValueCase> {};

TEST_P(BuiltinValues, GiveTheirResultToTheScript) {
    EXPECT_EQ(run(std::string("  debug(VarToStr(") + GetParam().expression + "));"),
              Lines{GetParam().shown});
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuiltinValues,
    ::testing::Values(TValueCase{"TestBit(5, 0, 8)", "1"}, TValueCase{"TestBit(5, 1, 8)", "0"},
                      TValueCase{"SetBit(261, 1, 1, 8)", "7"},
                      TValueCase{"ChangeBit(7, 0, 4)", "6"},
                      TValueCase{"SwapDig('12345', 3, '0')", "321"},
                      TValueCase{"SwapDig('123', 5, '0')", "00321"},
                      TValueCase{"BCDToInt(4660)", "1234"}, TValueCase{"IntToBCD(1234)", "4660"},
                      TValueCase{"GetTimer(4)", ""}, TValueCase{"GetEncoder(0)", "0"},
                      TValueCase{"GetEncoder(-1)", "0"}, TValueCase{"GetEncoder(2000000)", "0"},
                      TValueCase{"ReadAdc('TALUX0AAAAA', 9)", "-1"},
                      TValueCase{"ReadAdc('TALUX0ZZZZZ', 1)", "-1"},
                      TValueCase{"SetBoard('a', 'b')", ""}, TValueCase{"ReadIocp(1, 100)", ""}));

TEST_F(Builtins, ArgumentsAreConvertedAndOneThatDoesNotConvertFailsTheCall) {
    EXPECT_EQ(run("  v := '5';\n"
                  "  debug(IntToStr(TestBit(v, 0, 8)));\n"
                  "  v := 'x';\n"
                  "  debug(IntToStr(TestBit(v, 0, 8)));",
                  "var v: variant;\n"),
              (Lines{"1", "Error in CODE \"A\", Error type=\"Could not convert variant of type "
                          "(UnicodeString) into type (Integer)\", Position=\"7:3\", "
                          "Event=\"Main\""}));
}

TEST_F(Builtins, TimersAreCreatedOnlyInTheTenSlotsAndOnlyOnce) {
    EXPECT_EQ(run("  CreateTimer(10, 100);\n"
                  "  CreateTimer(3, 100);\n"
                  "  CreateTimer(3, 250);\n"
                  "  debug(VarToStr(GetTimer(3)));\n"
                  "  SetTimer(3, False);\n"
                  "  debug(VarToStr(GetTimer(3)));\n"
                  "  SetTimer(4, True);"),
              (Lines{"True", "False"}));
    EXPECT_EQ(modules().timers().timer(10), nullptr);
    ASSERT_NE(modules().timers().timer(3), nullptr);
    EXPECT_EQ(modules().timers().timer(3)->interval(), 100);
    EXPECT_EQ(modules().timers().timer(4), nullptr);
}

TEST_F(Builtins, EncodersRegisterReadAndSet) {
    EXPECT_EQ(run("  debug(IntToStr(RegEncoder('TALUX0AAAAA', 1, 2, 0, 99, 1, 7, True, 100)));\n"
                  "  debug(IntToStr(RegEncoderExt('TALUX0AAAAA', 3, 4, 0, 9, 0, 5, 2, 0)));\n"
                  "  SetEncValue(0, '42');\n"
                  "  SetEncValue(1000, 3);\n"
                  "  SetEncValue(-5, 3);\n"
                  "  debug(IntToStr(GetEncoder(0)) + ' ' + IntToStr(GetEncoder(1)));"),
              (Lines{"0", "1", "42 5"}));
    const TEncoderTable& table = modules().encoders();
    EXPECT_EQ(table.n_encoders(), 2);
    EXPECT_EQ(table.get_encoder(1000), 0);
}

TEST_F(Builtins, RegEncoderTakesItsArgumentsInTheDeclaredOrder) {
    run("  RegEncoder('TALUX0AAAAA', 9, 10, 100, 110, 1, 105, False, 0);");
    modules().feed_encoders(main_board, "0000000000000000", "0000000010000000");
    EXPECT_EQ(modules().encoders().get_encoder(0), 106) << "inputs 9 and 10, up from 105";
    modules().encoders().set_enc_value(0, 110);
    modules().feed_encoders(main_board, "0000000010000000", "0000000011000000");
    EXPECT_EQ(modules().encoders().get_encoder(0), 100) << "wraps around from 110 to 100";
}

class BoardBuiltins : public Builtins {
protected:
    BoardBuiltins() { wait_for_board(); }
    TSimBoard& board() { return sim->board(0); }
};

TEST_F(BoardBuiltins, WriteOutAndTheDisplaysReachTheBoard) {
    EXPECT_EQ(run("  WriteOut('TALUX0AAAAA', 3, 1);\n"
                  "  WriteOut('TALUX0AAAAA', 258, 1);\n" // 258 as a byte is 2
                  "  WriteDisplays('TALUX0AAAAA-EXP15', 1, '12', ' ', 4, 0);\n"
                  "  WriteDisplaysSwap('TALUX0AAAAA-EXP15', 5, '345', '0', 5, 0);\n"
                  "  SetDisplayIntensity('TALUX0AAAAA-EXP15', 2, 9);"),
              Lines{});
    EXPECT_TRUE(board().output(64, 3));
    EXPECT_TRUE(board().output(64, 2));
    EXPECT_EQ(board().display_text(15), std::string(23, ' ') + "54300  12");
    EXPECT_EQ(board().intensity(15, 2), 9);
}

TEST_F(BoardBuiltins, BoardErrorsAreTheBoardLayersAndABadAddressFailsTheCall) {
    EXPECT_EQ(run("  WriteOut('TALUX0ZZZZZ', 1, 1);\n"
                  "  WriteOut('TALUX0AAAAA-EXPx', 1, 1);\n"
                  "  debug('not reached');"),
              (Lines{"Code=\"A\", Board not found=\"TALUX0ZZZZZ\"",
                     "Error in CODE \"A\", Error type=\"'x' is not a valid integer value\", "
                     "Position=\"4:3\", Event=\"Main\""}));
}

TEST_F(BoardBuiltins, SyncAnnouncesTheInputsAgain) {
    switch_input(2, true);
    ASSERT_TRUE(wait_until(
        [&] { return model->boards.board(0).talux_exp[64].entradas == "0100000000000000"; }));
    const int a = add_module("A", "PROGRAM A;\n"
                                  "procedure OnInputChangeAll(sn,inputs:string);\n"
                                  "begin debug(inputs); end;\n"
                                  "Begin\nEnd.");
    host(a).Run();
    run("  Sync;");
    EXPECT_TRUE(logged("Code=\"A\", Text=\"0100000000000000\""));
}

TEST_F(Builtins, IniFilesAreReadAndWrittenBesideTheProject) {
    std::filesystem::create_directories(std::filesystem::path(project_file).parent_path());
    const std::string ini = std::filesystem::path(project_file).parent_path() / "panel.ini";
    std::ofstream(ini) << "[Radio]\nCOM1=118.25\n";
    EXPECT_EQ(run("  debug(ReadIniFile('panel.ini', 'radio', 'com1'));\n"
                  "  debug(VarToStr(ReadIniFile('panel.ini', 'radio', 'nav1')));\n"
                  "  WriteIniFile('panel.ini', 'Radio', 'NAV1', '110.50');\n"
                  "  debug(ReadIniFile('panel.ini', 'radio', 'nav1'));\n"
                  "  debug(VarToStr(ReadIniFile('gone.ini', 'a', 'b')));"),
              (Lines{"118.25", "0", "110.50",
                     "Error in CODE \"A\", Error type= File INI not Exists, Filename=" +
                         (std::filesystem::path(project_file).parent_path() / "gone.ini").string(),
                     "0"}));
}

TEST_F(Builtins, LinkProceduresReachTheLinks) {
    run("  WriteIocp(2, 100, 7);\n"
        "  RegIOCPOffset(2, 101);\n"
        "  WriteIocpServer(5, 6);\n"
        "  WriteIFLY(12, 1);\n"
        "  WriteIocpKey(1, 2, 3);\n"
        "  InitOffsetFSUIPC(1376, 4);\n"
        "  WriteFSUIPC(1376, 4, 1);\n"
        "  RegIFLYOffset(3);\n"
        "  debug(sendkey('Notepad', 'a'));");
    EXPECT_EQ(links.calls, (Lines{"iocp 2 100=7", "register 2 101", "server 5=6", "ifly 12 1"}));
}

} // namespace
} // namespace veltran::testing
