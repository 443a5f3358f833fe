#include "host/ini_procedures.h"

#include "fake_log_view.h"
#include "shell/log_channel.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace veltran {
namespace {

namespace fs = std::filesystem;

struct TPathCase {
    const char* project_file;
    const char* name;
    const char* expected;
};

class IniPathCases : public ::testing::TestWithParam<TPathCase> {};

TEST_P(IniPathCases, TakesAFolderPartAsGivenAndABareNameBesideTheProject) {
    const TPathCase& c = GetParam();
    EXPECT_EQ(ini_file_path(c.project_file, c.name), fs::path(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Ini, IniPathCases,
    ::testing::Values(TPathCase{"/cockpit/737.pscp", "panel.ini", "/cockpit/panel.ini"},
                      TPathCase{"/cockpit/737.pscp", "/etc/panel.ini", "/etc/panel.ini"},
                      TPathCase{"/cockpit/737.pscp", "data/panel.ini", "data/panel.ini"},
                      TPathCase{"", "panel.ini", "panel.ini"}));

class IniProcedures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        shell.set_view(&view);
    }

    fs::path in_folder(const char* name) const {
        return fs::path(folder.path().toStdString()) / name;
    }
    std::string project_file() const { return in_folder("737.pscp").string(); }
    TIniCaller caller() { return {shell, "Overhead", project_file_}; }

    void write_file(const char* name, std::string_view bytes) const {
        std::ofstream(in_folder(name), std::ios::binary) << bytes;
    }
    std::string file_text(const char* name) const {
        std::ifstream in(in_folder(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string missing_line(const char* name) const {
        return "Error in CODE \"Overhead\", Error type= File INI not Exists, Filename=" +
               in_folder(name).string();
    }

    QTemporaryDir folder;
    TShell shell;
    testing::TFakeLogView view;
    std::string project_file_ = project_file();
};

TEST_F(IniProcedures, MissingFileLogsTheErrorAndIsNeverCreated) {
    EXPECT_EQ(read_ini_file(caller(), "missing.ini", "A", "x"), std::nullopt);
    write_ini_file(caller(), "missing.ini", "A", "x", "1");
    EXPECT_FALSE(fs::exists(in_folder("missing.ini")));
    const std::string line = missing_line("missing.ini");
    EXPECT_EQ(shell.log_list(), (std::vector<std::string>{line, line}));
    EXPECT_EQ(view.html_lines.front(), channel_prefix(log_error_code) + line);
}

TEST_F(IniProcedures, AFolderIsNotAnIniFile) {
    fs::create_directory(in_folder("folder.ini"));
    EXPECT_EQ(read_ini_file(caller(), "folder.ini", "A", "x"), std::nullopt);
    EXPECT_EQ(shell.log_list(), std::vector<std::string>{missing_line("folder.ini")});
}

TEST_F(IniProcedures, ReadsAndWritesBesideTheProjectKeepingTheRest) {
    const std::string before = "; cockpit settings\r\n[Radio]\r\nCom1=118.50\r\n\r\n"
                               "[Lights]\r\nBeacon=0\r\nStrobe = 1 \r\n";
    write_file("panel.ini", before);
    EXPECT_EQ(read_ini_file(caller(), "panel.ini", "radio", "com1"), "118.50");
    EXPECT_EQ(read_ini_file(caller(), "panel.ini", "Lights", "Strobe"), "1");
    EXPECT_EQ(read_ini_file(caller(), "panel.ini", "Lights", "Taxi"), std::nullopt);

    write_ini_file(caller(), "panel.ini", "Lights", "beacon", "1");
    write_ini_file(caller(), "panel.ini", "Radio", "Com2", "121.90");
    EXPECT_EQ(file_text("panel.ini"), "; cockpit settings\r\n[Radio]\r\nCom1=118.50\r\n"
                                      "Com2=121.90\r\n\r\n[Lights]\r\nBeacon=1\r\nStrobe = 1 \r\n");
    EXPECT_EQ(read_ini_file(caller(), "panel.ini", "LIGHTS", "BEACON"), "1");
    EXPECT_TRUE(shell.log_list().empty());
}

TEST_F(IniProcedures, AFolderPartIsTakenAsGiven) {
    write_file("abs.ini", "[A]\nx=7\n");
    const TIniCaller no_project{shell, "New", ""};
    EXPECT_EQ(read_ini_file(no_project, in_folder("abs.ini").string(), "A", "x"), "7");
}

TEST_F(IniProcedures, KeepsTheEncodingOfTheFile) {
    write_file("utf8.ini", "[Caf\xC3\xA9]\nname=cr\xC3\xA8me\n");
    EXPECT_EQ(read_ini_file(caller(), "utf8.ini", "CAF\xE9", "NAME"), "cr\xE8me");
    write_ini_file(caller(), "utf8.ini", "Caf\xE9", "name", "cr\xEApe");
    EXPECT_EQ(file_text("utf8.ini"), "[Caf\xC3\xA9]\nname=cr\xC3\xAApe\n");

    write_file("ansi.ini", "[Caf\xE9]\nname=cr\xE8me\n");
    EXPECT_EQ(read_ini_file(caller(), "ansi.ini", "Caf\xE9", "name"), "cr\xE8me");
    write_ini_file(caller(), "ansi.ini", "Caf\xE9", "name", "cr\xEApe");
    EXPECT_EQ(file_text("ansi.ini"), "[Caf\xE9]\nname=cr\xEApe\n");
}

TEST_F(IniProcedures, KeepsThePermissionsOfTheFile) {
    write_file("private.ini", "[A]\nx=1\n");
    const fs::perms owner_only = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(in_folder("private.ini"), owner_only);
    write_ini_file(caller(), "private.ini", "A", "x", "2");
    EXPECT_EQ(file_text("private.ini"), "[A]\nx=2\n");
    EXPECT_EQ(fs::status(in_folder("private.ini")).permissions(), owner_only);
}

TEST_F(IniProcedures, WritesThroughALinkIntoItsTarget) {
    write_file("target.ini", "[A]\nx=1\n");
    fs::create_symlink(in_folder("target.ini"), in_folder("link.ini"));
    write_ini_file(caller(), "link.ini", "A", "x", "2");
    EXPECT_TRUE(fs::is_symlink(in_folder("link.ini")));
    EXPECT_EQ(file_text("target.ini"), "[A]\nx=2\n");
}

} // namespace
} // namespace veltran
