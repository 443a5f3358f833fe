#include "engine/text.h"
#include "project_fixture.h"
#include "shell/project_file.h"
#include "shell/request_xml.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace veltran {
namespace {

using testing_support::ProjectTest;

std::string project_text(const std::string& version, const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<Project Title=\"P\" version=\"" +
           version + "\">\r\n" + body + "</Project>\r\n";
}

class ProjectFile : public ProjectTest {
protected:
    // Writes the open project to name and returns the file's bytes.
    std::string save_as_bytes(const std::string& name) {
        model.project.save_to(path(name));
        return read(path(name));
    }
    void load(const std::string& file) { model.project.cargar_proyecto(file); }
};

TEST_F(ProjectFile, HandWrittenFileInTheExactLayoutIsWrittenBackByteForByte) {
    load(data("exact_layout.pscp"));
    ASSERT_NE(model.project.project_node(), nullptr);
    EXPECT_FALSE(model.shell.modified);
    EXPECT_EQ(save_as_bytes("out.pscp"), read(data("exact_layout.pscp")));
}

TEST_F(ProjectFile, WrittenFileReadAndWrittenAgainIsByteIdentical) {
    load(write("in.pscp", new_project_file_text("Fresh", "about\nit")));
    const int slot = model.modules.add_newcode("NEW");
    model.modules.suma_request(slot);
    TRequestDialogValues v;
    v.name = "SW", v.type_text = "INPUT", v.type_index = 1, v.in1 = "4", v.extra = true,
    v.in_on = 9;
    model.modules.add_new_request(slot, 0, false, v);
    model.modules.add_global("G", "x");
    model.connections.Add_card(conn_iocp, "C", "127.0.0.1", "8090", "al", 0, 1);
    const std::string first = save_as_bytes("a.pscp");

    TProjectModel again;
    again.project.cargar_proyecto(path("a.pscp"));
    again.project.save_to(path("b.pscp"));
    EXPECT_EQ(read(path("b.pscp")), first);
}

TEST_F(ProjectFile, ReservedCharactersAreEscapedAndReadBack) {
    load(write("in.pscp", new_project_file_text("Q", "a <b> & \"c\"")));
    model.project.page.name = "Title \"quoted\" <&>";
    const int slot = model.modules.add_newcode("M");
    model.modules.slot(slot).host->Code_ = "if a < b then s := ']]>' + \"&\";\nline\twith tab";
    model.modules.add_global("na\"me", "va<l>ue\nsecond line");
    model.modules.suma_request(slot);
    TRequestDialogValues v;
    v.name = "R\"1", v.type_text = "DISPLAY", v.type_index = 3, v.extra = true,
    v.nil_character = "&";
    model.modules.add_new_request(slot, 0, false, v);
    save_as_bytes("q.pscp");

    TProjectModel back;
    back.project.cargar_proyecto(path("q.pscp"));
    ASSERT_NE(back.project.project_node(), nullptr);
    EXPECT_EQ(back.project.page.name, "Title \"quoted\" <&>");
    EXPECT_EQ(back.project.page.description, "a <b> & \"c\"");
    ASSERT_EQ(back.modules.globales().size(), 1u);
    EXPECT_EQ(back.modules.globales()[0].name, "na\"me");
    EXPECT_EQ(back.modules.globales()[0].value, "va<l>ue\nsecond line");
    const TCodeModule& m = *back.modules.slot(0).host;
    EXPECT_EQ(trim(m.Code_), "if a < b then s := ']]>' + \"&\";\nline\twith tab");
    ASSERT_EQ(m.requests.size(), 1u);
    EXPECT_EQ(m.requests[0].name, "R\"1");
    EXPECT_EQ(m.requests[0].dis_char, "&");
}

TEST_F(ProjectFile, OldProjectLoadsModuleTextsFromTheirFilesAndIsMarkedModified) {
    load(data("old_project/old.pscp"));
    ASSERT_EQ(model.modules.cont_codigos(), 2);
    EXPECT_EQ(model.modules.slot(0).host->name_code, "FIRST");
    EXPECT_EQ(model.modules.slot(0).host->Code_, "PROGRAM FIRST;\nBegin\nEnd.");
    // Windows-1252 text becomes UTF-8; the folder separator of the file name is a backslash.
    EXPECT_EQ(model.modules.slot(1).host->Code_, "PROGRAM SECOND; // caf\xC3\xA9\nBegin\nEnd.");
    EXPECT_TRUE(model.shell.modified);
    EXPECT_EQ(model.shell.toolbar_state(), TToolbarState::project_open);
}

TEST_F(ProjectFile, OldProjectWithAMissingModuleFileStopsWithAFileErrorAndLeavesNothingOpen) {
    write("present.pas", "Begin End.");
    const std::string file = write(
        "old.pscp",
        project_text("70",
                     "\t<Modules>\r\n\t\t<Code Title=\"A\" Filename=\"present.pas\"></Code>\r\n"
                     "\t\t<Code Title=\"B\" Filename=\"absent.pas\"></Code>\r\n\t</Modules>\r\n"));
    EXPECT_THROW(load(file), TFileError);
    EXPECT_EQ(model.project.project_node(), nullptr);
    EXPECT_TRUE(model.tree.root().children().empty());
    EXPECT_EQ(model.shell.toolbar_state(), TToolbarState::no_project);
}

TEST_F(ProjectFile, EncryptedModuleIsDecodedFromBase64InTheAnsiCodePage) {
    load(write(
        "e.pscp",
        project_text("72", "\t<Modules>\r\n\t\t<Code Title=\"S\" request=\"0\" encrypted=\"1\">\r\n"
                           "\t\t\t<PASCAL>QmVnaW4NCiAgZGVidWcoJ2NhZuknKTsNCkVuZC4=</PASCAL>\r\n"
                           "\t\t</Code>\r\n\t</Modules>\r\n")));
    ASSERT_EQ(model.modules.cont_codigos(), 1);
    EXPECT_TRUE(model.modules.slot(0).encrypted);
    EXPECT_EQ(model.modules.slot(0).host->Code_, "Begin\n  debug('caf\xC3\xA9');\nEnd.");
    // Saved as plain text.
    model.project.Save_project();
    EXPECT_NE(read(path("e.pscp")).find("encrypted=\"0\">\r\n\t\t\t<PASCAL><![CDATA[Begin\r\n"),
              std::string::npos);
}

TEST_F(ProjectFile, FilesThatAreNoProjectLoadNothingAndSayNothing) {
    const std::string valid = read(data("exact_layout.pscp"));
    struct Case {
        const char* name;
        std::string content;
    };
    const Case cases[] = {
        {"not xml", "this is not xml at all"},
        {"empty", ""},
        {"other root", "<?xml version=\"1.0\"?>\r\n<Code Title=\"x\"></Code>\r\n"},
        {"no title", "<?xml version=\"1.0\"?>\r\n<Project version=\"72\"></Project>\r\n"},
        {"empty title", "<Project Title=\"\" version=\"72\"></Project>"},
        {"truncated", valid.substr(0, valid.size() / 2)},
        {"binary", std::string("\0\xFF\xFE<\x01Project", 12)},
    };
    for (const Case& c : cases) {
        TProjectModel fresh;
        fresh.project.cargar_proyecto(write("bad.pscp", c.content));
        EXPECT_EQ(fresh.project.project_node(), nullptr) << c.name;
        EXPECT_TRUE(fresh.project.project_file().empty()) << c.name;
        EXPECT_TRUE(fresh.tree.root().children().empty()) << c.name;
        EXPECT_TRUE(fresh.shell.log_list().empty()) << c.name;
    }
}

TEST_F(ProjectFile, HugeAndMissingFilesLoadNothing) {
    const std::string huge = path("huge.pscp");
    write("huge.pscp", "<Project Title=\"H\" version=\"72\">");
    std::filesystem::resize_file(huge, max_document_size + 1);
    load(huge);
    EXPECT_EQ(model.project.project_node(), nullptr);
    load(path("does-not-exist.pscp"));
    EXPECT_EQ(model.project.project_node(), nullptr);
}

TEST_F(ProjectFile, SavingTwiceKeepsThePreviousVersionAsBackup) {
    const std::string file = write("p.pscp", new_project_file_text("P", ""));
    load(file);
    model.project.page.description = "first save";
    model.project.Save_project();
    const std::string after_first = read(file);
    model.project.page.description = "second save";
    model.project.Save_project();
    EXPECT_EQ(read(file + ".backup"), after_first);
    EXPECT_NE(read(file), after_first);
    EXPECT_FALSE(model.shell.modified);
}

TEST_F(ProjectFile, SaveTrimsModuleTextsInMemoryAndInTheFile) {
    load(write("p.pscp", new_project_file_text("P", "")));
    const int slot = model.modules.add_newcode("M");
    model.modules.slot(slot).host->Code_ = "\n\n  Begin\nEnd.\n\n\t";
    model.project.Save_project();
    EXPECT_EQ(model.modules.slot(slot).host->Code_, "Begin\nEnd.");
    EXPECT_NE(read(path("p.pscp")).find("<PASCAL><![CDATA[Begin\r\nEnd.\r\n\t\t\t]]></PASCAL>"),
              std::string::npos);
}

TEST_F(ProjectFile, SaveWithoutAnExistingFolderWritesNothing) {
    const std::string file = write("p.pscp", new_project_file_text("P", ""));
    load(file);
    const std::string before = read(file);
    model.project.page.folder = path("no-such-folder") + "/";
    model.project.page.description = "changed";
    model.project.Save_project();
    EXPECT_EQ(read(file), before);
    EXPECT_FALSE(file_exists(file + ".backup"));
}

TEST_F(ProjectFile, FailedWriteRaisesAndLeavesTheOldFileIntact) {
    const std::string file = write("p.pscp", new_project_file_text("P", ""));
    load(file);
    const std::string before = read(file);
    std::filesystem::create_directory(file + ".writing"); // the temporary file cannot be created
    model.project.page.description = "changed";
    EXPECT_THROW(model.project.Save_project(), TFileError);
    EXPECT_EQ(read(file), before);
}

TEST_F(ProjectFile, LoadFromMemoryReadsEverythingButTouchesNoProjectFile) {
    model.shell.modified = true;
    model.project.cargar_proyecto_memoria(read(data("exact_layout.pscp")), "/opt/player/player");
    ASSERT_NE(model.project.project_node(), nullptr);
    EXPECT_EQ(model.project.project_node()->text, "Project - Layout");
    EXPECT_TRUE(model.project.project_file().empty());
    EXPECT_TRUE(model.project.page.name.empty());
    EXPECT_EQ(model.modules.cont_codigos(), 2);
    EXPECT_EQ(model.modules.slot(0).host->filename, "/opt/player/player");
    EXPECT_EQ(model.modules.globales().size(), 2u);
    EXPECT_EQ(model.connections.slot(2).name, "B");
    EXPECT_FALSE(model.shell.modified);
}

TEST_F(ProjectFile, HeaderValues) {
    struct Case {
        std::string content;
        std::string title;
        std::int32_t version;
        std::string description;
    };
    const Case cases[] = {
        {"<Project Title=\"T\" version=\"72\"><Description>\n  x \n</Description></Project>", "T",
         72, "x"},
        {"<Project Title=\"T\"></Project>", "T", 0, ""},
        {"<Project Title=\"T\" version=\"abc\"></Project>", "T", 0, ""},
        {"<Project version=\"72\"><Description>d</Description></Project>", "", 72, "d"},
        {"<Project "
         "Title=\"T\"><Description>one</Description><Description>two</Description></Project>",
         "T", 0, "two"},
        {"<Project Title=\"T\"><X><Description>inner</Description></X></Project>", "T", 0, ""},
        {"<Other Title=\"T\" version=\"72\"></Other>", "", 0, ""},
    };
    for (const Case& c : cases) {
        const std::string file = write("h.pscp", c.content);
        EXPECT_EQ(sacar_titulo(file), c.title) << c.content;
        EXPECT_EQ(sacar_version(file), c.version) << c.content;
        EXPECT_EQ(sacar_descripcion(file), c.description) << c.content;
    }
}

TEST_F(ProjectFile, NewProjectFileHasTwoBlanksBeforeVersion) {
    EXPECT_EQ(new_project_file_text("Cockpit", "line 1\nline 2"),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
              "<Project Title=\"Cockpit\"  version=\"72\">\r\n"
              "\t<Connections nFsuipc=\"0\" nIocp=\"0\">\r\n"
              "\t</Connections>\r\n"
              "\t<Modules>\r\n"
              "\t</Modules>\r\n"
              "\t<Description>\r\n"
              "line 1\r\n"
              "line 2\r\n"
              "\t</Description>\r\n"
              "</Project>\r\n");
}

TEST_F(ProjectFile, CloseRemovesTheProjectAndResetsTheShell) {
    load(data("exact_layout.pscp"));
    model.project.cerrar_proyecto();
    EXPECT_EQ(model.project.project_node(), nullptr);
    EXPECT_TRUE(model.tree.root().children().empty());
    EXPECT_TRUE(model.module_cards.cards().empty());
    EXPECT_TRUE(model.connection_cards.cards().empty());
    EXPECT_EQ(model.modules.cont_codigos(), 0);
    EXPECT_EQ(model.connections.slot(0).tipo, conn_empty);
    EXPECT_TRUE(model.project.project_file().empty());
    EXPECT_TRUE(model.shell.project_folder.empty());
    EXPECT_EQ(model.shell.toolbar_state(), TToolbarState::no_project);
}

TEST_F(ProjectFile, SaveAsStoresTheFileNameAsTitleAndReopensTheProject) {
    load(data("exact_layout.pscp"));
    struct Yes : TAsker {
        int asked = 0;
        bool ask_yes_no(std::string_view, std::string_view) override { return ++asked, true; }
    } yes;
    ASSERT_TRUE(model.project.save_as(path("Renamed.pscp"), yes));
    EXPECT_EQ(yes.asked, 0);
    EXPECT_EQ(sacar_titulo(path("Renamed.pscp")), "Renamed");
    ASSERT_NE(model.project.project_node(), nullptr);
    EXPECT_EQ(model.project.project_node()->text, "Project - Renamed");
    EXPECT_EQ(model.project.project_file(), path("Renamed.pscp"));

    struct No : TAsker {
        bool ask_yes_no(std::string_view text, std::string_view caption) override {
            EXPECT_EQ(text, "Project File EXISTS, Do you want save proyect?");
            EXPECT_EQ(caption, "Save project as");
            return false;
        }
    } no;
    const std::string before = read(path("Renamed.pscp"));
    model.project.page.description = "changed";
    EXPECT_FALSE(model.project.save_as(path("Renamed.pscp"), no));
    EXPECT_EQ(read(path("Renamed.pscp")), before);
}

} // namespace
} // namespace veltran
