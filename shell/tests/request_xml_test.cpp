#include "shell/base64.h"
#include "shell/request_xml.h"
#include "shell/xml_text.h"

#include <functional>
#include <gtest/gtest.h>

namespace veltran {
namespace {

Treqhard parse(const std::string& element) {
    pugi::xml_document doc;
    EXPECT_TRUE(parse_xml(element, doc)) << element;
    return read_request(doc.document_element());
}

TEST(RequestElement, FieldsFollowTheReadingRules) {
    struct Case {
        const char* what;
        const char* element;
        std::function<void(const Treqhard&)> check;
    };
    const Case cases[] = {
        {"extra=0 ignores the configuration",
         R"(<REQUEST type="ENCODER" name="E" extra="0" enc_min="5"/>)",
         [](const Treqhard& r) {
             EXPECT_EQ(r.enc_min, 0);
             EXPECT_FALSE(r.extra);
         }},
        {"iocp=0 keeps iocp_conn at 0",
         R"(<REQUEST type="INPUT" name="I" extra="1" iocp="0" iocp_offset="9" iocp_conn="3"/>)",
         [](const Treqhard& r) {
             EXPECT_FALSE(r.iocp_sel);
             EXPECT_EQ(r.iocp_conn, 0);
             EXPECT_EQ(r.iocp_offset, 0);
         }},
        {"iocp=1 reads offset and connection",
         R"(<REQUEST type="INPUT" name="I" extra="1" iocp="1" iocp_offset="9" iocp_conn="10"/>)",
         [](const Treqhard& r) {
             EXPECT_TRUE(r.iocp_sel);
             EXPECT_EQ(r.iocp_offset, 9);
             EXPECT_EQ(r.iocp_conn, 10);
         }},
        {"out_off goes to out_off",
         R"(<REQUEST type="OUTPUT" name="O" extra="1" out_on="4" out_off="7" in_off="2"/>)",
         [](const Treqhard& r) {
             EXPECT_EQ(r.out_on, 4);
             EXPECT_EQ(r.out_off, 7);
             EXPECT_EQ(r.in_off, 2);
         }},
        {"inputs only for ENCODER and INPUT",
         R"(<REQUEST type="OUTPUT" name="O" in1="3" in2="4" out1="5"/>)",
         [](const Treqhard& r) {
             EXPECT_EQ(r.in1, 0);
             EXPECT_EQ(r.in2, 0);
             EXPECT_EQ(r.out1, 5);
         }},
        {"in2 only for ENCODER", R"(<REQUEST type="INPUT" name="I" in1="3" in2="4"/>)",
         [](const Treqhard& r) {
             EXPECT_EQ(r.in1, 3);
             EXPECT_EQ(r.in2, 0);
         }},
        {"display only for DISPLAY", R"(<REQUEST type="DISPLAY" name="D" display="6" out1="2"/>)",
         [](const Treqhard& r) {
             EXPECT_EQ(r.display, 6);
             EXPECT_EQ(r.out1, 0);
         }},
        {"ifly=0 empties the name",
         R"(<REQUEST type="INPUT" name="I" extra="1" ifly="0" ifly_offset="X"/>)",
         [](const Treqhard& r) {
             EXPECT_FALSE(r.ifly_sel);
             EXPECT_EQ(r.ifly_offset, "");
         }},
        {"every value is read whatever the type",
         R"(<REQUEST type="INPUT" name="I" extra="1" enc_max="8" digits="3" nilchar="-" enc_multi="1,5"/>)",
         [](const Treqhard& r) {
             EXPECT_EQ(r.enc_max, 8);
             EXPECT_EQ(r.dis_ndigitos, 3);
             EXPECT_EQ(r.dis_char, "-");
             EXPECT_FLOAT_EQ(r.enc_multi, 1.5f);
         }},
        {"malformed numbers read as 0",
         R"(<REQUEST type="ENCODER" name="E" in1="x" extra="1" enc_min="12abc"/>)",
         [](const Treqhard& r) {
             EXPECT_EQ(r.in1, 0);
             EXPECT_EQ(r.enc_min, 0);
         }},
        {"no type keeps tipo 0", R"(<REQUEST name="N" board="B"/>)",
         [](const Treqhard& r) {
             EXPECT_EQ(r.tipo, 0);
             EXPECT_EQ(r.tipo_text, "");
             EXPECT_EQ(r.name, "N");
         }},
        {"unknown type keeps its text", R"(<REQUEST type="SERVO" name="S"/>)",
         [](const Treqhard& r) {
             EXPECT_EQ(r.tipo, 0);
             EXPECT_EQ(r.tipo_text, "SERVO");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.check(parse(c.element));
    }
}

TEST(RequestElement, UnknownTypeIsWrittenBackAsItWasRead) {
    const Treqhard r =
        parse(R"(<REQUEST type="SERVO" name="S" board="TALUX300001" servo="3" speed="fast"/>)");
    EXPECT_EQ(request_line(r, '.'),
              "\t\t\t<REQUEST type=\"SERVO\" name=\"S\" board=\"TALUX300001\" servo=\"3\" "
              "speed=\"fast\" ></REQUEST>\r\n");
}

TEST(RequestElement, EncoderFactorUsesTheUsersDecimalSeparator) {
    Treqhard r;
    r.tipo = req_encoder;
    r.tipo_text = "ENCODER";
    r.name = "E";
    r.extra = true;
    r.enc_multi = 0.1f;
    const std::string line = request_line(r, ',');
    EXPECT_NE(line.find("enc_multi=\"0,1\" "), std::string::npos) << line;
}

TEST(Base64, ModuleCodeDecoding) {
    struct Case {
        const char* text;
        std::string bytes;
    };
    const Case cases[] = {
        {"QUJD", "ABC"}, {"QUI=", "AB"},    {"QQ==", "A"},    {"QUJ", ""},
        {"", ""},        {"QUJDRA", "ABC"}, {"6Q==", "\xE9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decode_base64(c.text), c.bytes) << c.text;
}

} // namespace
} // namespace veltran
