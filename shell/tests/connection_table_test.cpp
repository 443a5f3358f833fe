#include "shell/card_list.h"
#include "shell/connection_table.h"
#include "shell/shell_state.h"
#include "shell/tree_model.h"
#include "shell/xml_text.h"

#include <gtest/gtest.h>

namespace veltran {
namespace {

struct ConnectionTable : ::testing::Test {
    TShell shell;
    THardwareTree tree;
    TCardList cards = make_connection_card_list();
    TConnectionTable table{shell, tree, cards};
    TTreeNode* project = tree.add("Project - P", tree_image::project);

    void read(const std::string& connections) {
        pugi::xml_document doc;
        ASSERT_TRUE(parse_xml(
            "<Project Title=\"P\"><Connections>" + connections + "</Connections></Project>", doc));
        table.cargar_proyecto(doc.document_element(), project);
    }
};

TEST_F(ConnectionTable, ClientsTakeSlotsInDocumentOrderWhateverTheirIds) {
    read(R"(<IOCP id="5" Title="a" IP="1.1.1.1" Port="1" Alias="x" Auto_Connection="1"/>
            <IOCP id="2" Title="b" IP="2.2.2.2" Port="2" Alias="y" Auto_Connection="0"/>
            <IOCP id="9" Title="c" IP="3.3.3.3" Port="3" Alias="z" Auto_Connection="1"/>)");
    EXPECT_EQ(table.slot(1).name, "a");
    EXPECT_EQ(table.slot(2).name, "b");
    EXPECT_EQ(table.slot(3).name, "c");
    EXPECT_EQ(table.slot(5).tipo, conn_empty);
    ASSERT_EQ(cards.cards().size(), 3u);
    EXPECT_EQ(cards.cards()[1]->caption, "2 - b (IOCP)");
    EXPECT_EQ(cards.cards()[1]->items,
              (std::vector<std::string>{"Stop", "2.2.2.2", "2", "y", "N/A", "NO"}));
    EXPECT_EQ(cards.cards()[1]->image, 6);
    ASSERT_NE(table.communications(), nullptr);
    EXPECT_EQ(table.communications()->image, tree_image::communications);
    EXPECT_EQ(table.communications()->children()[2]->text, "3 - c (IOCP)");
    EXPECT_EQ(table.communications()->children()[2]->image, tree_image::connection);
}

TEST_F(ConnectionTable, SecondSingleLinkAndTenthClientAreIgnored) {
    std::string xml = R"(<FSUIPC id="0" Title="one" Interval="100" Auto_Connection="1"/>
                         <FSUIPC id="0" Title="two" Interval="200" Auto_Connection="0"/>)";
    for (int i = 0; i < 10; ++i)
        xml += "<IOCP id=\"1\" Title=\"c" + std::to_string(i) + "\" IP=\"h\" Port=\"1\"/>";
    read(xml);
    EXPECT_EQ(table.slot(0).name, "one");
    EXPECT_EQ(table.slot(0).interval, 100);
    EXPECT_EQ(table.total_iocp(), 9);
    EXPECT_EQ(table.slot(9).name, "c8");
    EXPECT_EQ(cards.cards().size(), 10u);
}

TEST_F(ConnectionTable, EachKindGetsItsSlotCardAndNotApplicableFields) {
    read(R"(<IFLY id="10" Title="737" Interval="250" Auto_Connection="0"/>
            <IOCP_SERVER id="11" Title="srv" Port="8092" Alias="me"/>
            <FSUIPC Title="no id is not taken" Interval="1" Auto_Connection="1"/>)");
    EXPECT_EQ(table.slot(0).tipo, conn_empty);
    EXPECT_EQ(table.slot(10).tipo, conn_ifly);
    EXPECT_EQ(table.slot(10).interval, 250);
    EXPECT_EQ(table.slot(11).tipo, conn_iocp_server);
    EXPECT_EQ(table.slot(11).ip, "N/A");
    EXPECT_EQ(table.slot(11).port, "8092");
    ASSERT_EQ(cards.cards().size(), 2u);
    EXPECT_EQ(cards.cards()[0]->caption, "10 - 737 (IFLY)");
    EXPECT_EQ(cards.cards()[0]->items,
              (std::vector<std::string>{"Stop", "N/A", "N/A", "N/A", "250", "NO"}));
    EXPECT_EQ(cards.cards()[1]->caption, "11 - srv (IOCP SERVER)");
    EXPECT_EQ(cards.cards()[1]->items,
              (std::vector<std::string>{"Stop", "N/A", "8092", "me", "N/A", "N/A"}));
}

TEST_F(ConnectionTable, ReadingClearsTheModifiedFlag) {
    shell.modified = true;
    read("");
    EXPECT_FALSE(shell.modified);
    EXPECT_TRUE(table.communications()->expanded);
}

TEST_F(ConnectionTable, WritesTheSlotsItHolds) {
    read(R"(<IOCP id="4" Title="a" IP="h" Port="1" Alias="" Auto_Connection="1"/>
            <FSUIPC id="0" Title="f" Interval="50" Auto_Connection="0"/>)");
    EXPECT_EQ(table.connections_text(),
              "\t<Connections nIOCPSERVER=\"0\" nIfly=\"0\" nFsuipc=\"1\" nIocp=\"1\">\r\n"
              "\t\t<FSUIPC id=\"0\" Title=\"f\" Interval=\"50\" Auto_Connection=\"0\"></FSUIPC>\r\n"
              "\t\t<IOCP id=\"1\" Title=\"a\" IP=\"h\" Port=\"1\" Alias=\"\" "
              "Auto_Connection=\"1\"></IOCP>\r\n"
              "\t</Connections>\r\n");
}

} // namespace
} // namespace veltran
