#include "project_fixture.h"
#include "shell/log_channel.h"
#include "shell/project_file.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

using testing_support::ProjectTest;

struct Answer : TAsker {
    explicit Answer(bool yes) : yes(yes) {}
    bool yes;
    int asked = 0;
    bool ask_yes_no(std::string_view text, std::string_view caption) override {
        EXPECT_EQ(text, "File Exists,Do you want save this file?");
        EXPECT_EQ(caption, "Export Code");
        ++asked;
        return yes;
    }
};

class ModuleTable : public ProjectTest {
protected:
    void SetUp() override {
        ProjectTest::SetUp();
        model.project.cargar_proyecto(write("p.pscp", new_project_file_text("P", "")));
        ASSERT_NE(model.modules.software_codes(), nullptr);
    }
    TModuleTable& modules() { return model.modules; }
    int add_request(int slot, const std::string& name, int type_index = 1) {
        const int index = modules().suma_request(slot) - 1;
        TRequestDialogValues v;
        v.name = name;
        v.type_index = type_index;
        v.type_text = std::string(request_type_text(static_cast<TRequestType>(type_index + 1)));
        modules().add_new_request(slot, index, false, v);
        return index;
    }
};

TEST_F(ModuleTable, NewModuleFillsTheNextSlotWithCardNodeAndTemplate) {
    model.shell.modified = false;
    const int slot = modules().add_newcode("RADIO");
    ASSERT_EQ(slot, 0);
    const TModuleSlot& s = modules().slot(slot);
    EXPECT_TRUE(s.active);
    ASSERT_NE(s.card, nullptr);
    EXPECT_EQ(s.card->caption, "RADIO");
    EXPECT_EQ(s.card->items, (std::vector<std::string>{"Loaded", "0 Hz"}));
    EXPECT_EQ(s.card->image, 6);
    EXPECT_EQ(s.host->id_code, 0);
    EXPECT_EQ(s.host->Code_, new_code_template("RADIO"));
    EXPECT_EQ(s.tree_node->text, "RADIO");
    EXPECT_EQ(s.tree_node->image, tree_image::module);
    EXPECT_TRUE(modules().software_codes()->expanded);
    EXPECT_TRUE(model.shell.modified);
}

TEST_F(ModuleTable, DeletedSlotsAreNeverReused) {
    modules().add_newcode("A");
    modules().add_newcode("B");
    modules().add_newcode("C");
    modules().borrar_code("B");
    EXPECT_EQ(modules().add_newcode("D"), 3);
    EXPECT_FALSE(modules().in_use(1));
    EXPECT_EQ(modules().get_id("D"), 3);
    EXPECT_EQ(modules().get_id("B"), -1);
    EXPECT_EQ(modules().software_codes()->children().size(), 3u);
}

TEST_F(ModuleTable, TitleLookups) {
    modules().add_newcode("RADIO");
    modules().add_newcode("Panel");
    modules().borrar_code("Panel");
    struct Case {
        const char* text;
        int by_title; // dame_idcodigo: trimmed, any case, deleted slots too
        int by_node;  // get_id: exact node text of a slot in use
    };
    const Case cases[] = {
        {"RADIO", 0, 0},  {" Radio ", 0, -1}, {"radio", 0, -1},
        {"Panel", 1, -1}, {"PANEL", 1, -1},   {"X", -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(modules().dame_idcodigo(c.text), c.by_title) << c.text;
        EXPECT_EQ(modules().get_id(c.text), c.by_node) << c.text;
    }
}

TEST_F(ModuleTable, DeletedRequestDoesNotBlockItsName) {
    const int slot = modules().add_newcode("M");
    const int index = add_request(slot, "Gear");
    EXPECT_TRUE(modules().esta_request(slot, " GEAR "));
    modules().slot(slot).host->requests[index].borrado = true;
    EXPECT_FALSE(modules().esta_request(slot, "Gear"));
}

TEST_F(ModuleTable, DeleteRequestMarksEveryConfirmedRequestOfThatName) {
    const int slot = modules().add_newcode("M");
    add_request(slot, "SW");
    add_request(slot, "SW");
    add_request(slot, "OTHER");
    struct Count : TAsker {
        int asked = 0;
        bool ask_yes_no(std::string_view text, std::string_view caption) override {
            EXPECT_EQ(text, "Do you want delete this Request?");
            EXPECT_EQ(caption, "Delete Request");
            return ++asked == 1; // yes to the first, no to the second
        }
    } answers;
    model.shell.modified = false;
    modules().delete_request(modules().slot(slot).host->requests[0].nodo_request, answers);
    const auto& requests = modules().slot(slot).host->requests;
    EXPECT_EQ(answers.asked, 2);
    EXPECT_TRUE(requests[0].borrado);
    EXPECT_FALSE(requests[1].borrado);
    EXPECT_FALSE(requests[2].borrado);
    EXPECT_EQ(modules().slot(slot).tree_node->children().size(), 2u);
    EXPECT_TRUE(model.shell.modified);
}

TEST_F(ModuleTable, RequestFromTheDialog) {
    const int slot = modules().add_newcode("M");
    const int index = modules().suma_request(slot) - 1;
    TRequestDialogValues v;
    v.board = "TALUX100001-EXP12XYZW"; // 21 characters: cut to 17
    v.name = "KNOB";
    v.type_index = 0;
    v.type_text = "ENCODER";
    v.in1 = "5";
    v.in2 = "";
    v.connection_index = 9; // "SERVER"
    v.enc_half_index = 1;
    v.push_button_on = true;
    v.digits_index = 8;
    EXPECT_TRUE(modules().add_new_request(slot, index, false, v));
    const Treqhard& r = modules().slot(slot).host->requests[index];
    EXPECT_EQ(r.board, "TALUX100001-EXP12");
    EXPECT_EQ(r.tipo, req_encoder);
    EXPECT_EQ(r.in1, 5);
    EXPECT_EQ(r.in2, 0);
    EXPECT_EQ(r.iocp_conn, 10);
    EXPECT_EQ(r.enc_half, 1);
    EXPECT_EQ(r.in_push_on, 1);
    EXPECT_EQ(r.dis_ndigitos, 8);
    ASSERT_NE(r.nodo_request, nullptr);
    EXPECT_EQ(r.nodo_request->image, 12);

    v.name = "KNOB2";
    modules().add_new_request(slot, index, true, v);
    EXPECT_EQ(r.nodo_request->text, "KNOB2");
    EXPECT_EQ(modules().slot(slot).tree_node->children().size(), 1u);

    v.board = "TALUX100001-EXP1"; // 16 characters stay whole
    modules().add_new_request(slot, index, true, v);
    EXPECT_EQ(r.board, "TALUX100001-EXP1");
}

TEST_F(ModuleTable, DeleteAllEmptiesTheTableAndItsNodes) {
    modules().add_newcode("A");
    modules().add_newcode("B");
    model.shell.modified = false;
    modules().borrar_todos();
    EXPECT_EQ(modules().cont_codigos(), 0);
    EXPECT_TRUE(modules().software_codes()->children().empty());
    EXPECT_TRUE(model.module_cards.cards().empty());
    EXPECT_TRUE(model.shell.modified);
    EXPECT_EQ(modules().add_newcode("C"), 0);
}

TEST_F(ModuleTable, GlobalsAreAppendedWithoutNodeOrModification) {
    model.shell.modified = false;
    modules().add_global("A", "1");
    modules().add_global("A", "2");
    EXPECT_EQ(modules().globales().size(), 2u);
    EXPECT_TRUE(modules().software_codes()->children().empty());
    EXPECT_FALSE(model.shell.modified);
}

TEST_F(ModuleTable, SlotBeyondTheLastIsRefusedWithALogLine) {
    for (int i = 0; i < TModuleTable::slot_count; ++i)
        ASSERT_EQ(modules().add_newcode("M" + std::to_string(i)), i);
    EXPECT_EQ(modules().add_newcode("ONE MORE"), -1);
    EXPECT_EQ(modules().cont_codigos(), TModuleTable::slot_count);
    ASSERT_FALSE(model.shell.log_list().empty());
    EXPECT_EQ(model.shell.log_list().back(),
              "Error in CODE \"ONE MORE\", Error type= no free module slot (at most 1001 modules)");
}

TEST_F(ModuleTable, ExportAndImportKeepTextAndRequests) {
    const int slot = modules().add_newcode("CALC");
    modules().slot(slot).host->Code_ = "Begin\n  if a < b then c := 1; // a & b\nEnd.";
    add_request(slot, "OUT", 2);
    Answer yes(true);
    ASSERT_TRUE(modules().export_code(path("calc"), slot, yes)); // the extension is added
    ASSERT_TRUE(file_exists(path("calc.scp7")));
    EXPECT_EQ(read(path("calc.scp7")), "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                                       "<CODE Title=\"CALC\" request=\"0\">\r\n"
                                       "<PASCAL><![CDATA[Begin\r\n"
                                       "  if a < b then c := 1; // a & b\r\n"
                                       "End.\r\n"
                                       "]]></PASCAL>\r\n"
                                       "\t\t\t<REQUEST type=\"OUTPUT\" name=\"OUT\" board=\"\" "
                                       "out1=\"0\" extra=\"0\" ></REQUEST>\r\n"
                                       "</CODE>\r\n");

    const int imported = modules().import_code(path("calc.scp7"));
    ASSERT_EQ(imported, 1);
    const TCodeModule& m = *modules().slot(imported).host;
    EXPECT_EQ(m.name_code, "CALC(1)");
    EXPECT_EQ(m.Code_, "Begin\n  if a < b then c := 1; // a & b\nEnd.");
    EXPECT_TRUE(m.filename.empty());
    ASSERT_EQ(m.requests.size(), 1u);
    EXPECT_EQ(m.requests[0].name, "OUT");
    EXPECT_EQ(modules().slot(imported).tree_node->children().front()->image, 14);
}

TEST_F(ModuleTable, ImportingTheSameFileAgainMakesTitlesUnique) {
    const std::string file =
        write("t.scp7", "<CODE Title=\"T\" request=\"0\"><PASCAL>x</PASCAL></CODE>");
    const char* expected[] = {"T", "T(1)", "T(1)(2)"};
    for (const char* title : expected) {
        const int slot = modules().import_code(file);
        ASSERT_GE(slot, 0);
        EXPECT_EQ(modules().slot(slot).host->name_code, title);
    }
}

TEST_F(ModuleTable, ImportOfAFileThatIsNoCodeFileAddsNothing) {
    const char* contents[] = {"", "not xml", "<CODE request=\"0\"/>", "<Project Title=\"x\"/>",
                              "<CODE Title=\"x\""};
    for (const char* content : contents)
        EXPECT_EQ(modules().import_code(write("bad.scp7", content)), -1) << content;
    EXPECT_EQ(modules().import_code(path("missing.scp7")), -1);
    EXPECT_EQ(modules().cont_codigos(), 0);
}

TEST_F(ModuleTable, ExportOverAnExistingFileAsksFirst) {
    const int slot = modules().add_newcode("M");
    const std::string file = write("m.scp7", "old");
    Answer no(false);
    EXPECT_FALSE(modules().export_code(file, slot, no));
    EXPECT_EQ(no.asked, 1);
    EXPECT_EQ(read(file), "old");
    Answer yes(true);
    EXPECT_TRUE(modules().export_code(file, slot, yes));
    EXPECT_NE(read(file), "old");
}

TEST(NewCodeTemplate, IsTheEventSkeleton) {
    EXPECT_EQ(new_code_template("RADIO"),
              "PROGRAM RADIO;\n"
              "//BOARDS EVENTs\n"
              "procedure OnInputChange(sn:string;input,value:byte);\nbegin\nend;\n"
              "procedure OnInputChangeAll(sn,inputs:string);\nbegin\nend;\n"
              "procedure OnADCChange(sn:string;nadc:byte;value:integer);\nbegin\nend;\n"
              "procedure OnEncoderChange(id_encoder,value:integer);\nbegin\nend;\n"
              "//IOCP EVENTs\n"
              "procedure OnIOCPConnect(socket:byte);\nbegin\nend;\n"
              "procedure OnIOCPConnectClosed(socket:byte);\nbegin\nend;\n"
              "procedure OnIOCPConnectFail(socket:byte);\nbegin\nend;\n"
              "procedure OnIOCPChange(socket:byte;offset,value:integer);\nbegin\nend;\n"
              "procedure OnIOCPServerChange(offset,value:integer);\nbegin\nend;\n"
              "//FSUIPC EVENTs\n"
              "procedure OnFSUIPCError(msg:string);\nbegin\nend;\n"
              "procedure OnFSUIPCConnect(msg:string);\nbegin\nend;\n"
              "procedure OnFSUIPCDisConnect(msg:string);\nbegin\nend;\n"
              "procedure OnFSUIPCChange(offset:integer;value:variant);\nbegin\nend;\n"
              "//IFLY EVENTs\n"
              "procedure OnIFLYChange(offset:integer;value:variant);\nbegin\nend;\n"
              "procedure OnIFLYConnect;\nbegin\nend;\n"
              "procedure OnIFLYDisConnect;\nbegin\nend;\n"
              "//MAIN\nBegin\n //WRITE HERE YOUR CODE\nEnd.");
}

} // namespace
} // namespace veltran
