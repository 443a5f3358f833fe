#include "engine/script_error.h"
#include "engine/xml_document.h"
#include "engine/xml_text.h"

#include <gtest/gtest.h>

#include <sstream>

namespace veltran {
namespace {

std::string save(const TfsXMLDocument& doc) {
    std::ostringstream out;
    doc.SaveToStream(out);
    return out.str();
}

void load(TfsXMLDocument& doc, const std::string& text) {
    std::istringstream in(text);
    doc.LoadFromStream(in);
}

void fill_sample(TfsXMLDocument& doc) {
    doc.Root().Name = "program";
    TfsXMLItem& expr = doc.Root().Add();
    expr.Name = "expr";
    expr.Text = R"(pos="1:1" pos1="1:4")";
    expr.Add().Name = "number";
    expr.Items(0).Text = R"(text="1" pos="1:2")";
    doc.Root().Add().Name = "types";
}

TEST(XmlDocument, WritesChildlessElementsInTheEmptyForm) {
    TfsXMLDocument doc;
    fill_sample(doc);
    EXPECT_EQ(save(doc), R"(<?xml version="1.0"?><program><expr pos="1:1" pos1="1:4">)"
                         R"(<number text="1" pos="1:2"/></expr><types/></program>)");
}

TEST(XmlDocument, AutoIndentPutsOneElementOnEachLine) {
    TfsXMLDocument doc;
    fill_sample(doc);
    doc.AutoIndent = true;
    EXPECT_EQ(save(doc), "<?xml version=\"1.0\"?>\r\n<program>\r\n"
                         "  <expr pos=\"1:1\" pos1=\"1:4\">\r\n"
                         "    <number text=\"1\" pos=\"1:2\"/>\r\n"
                         "  </expr>\r\n  <types/>\r\n</program>\r\n");
}

TEST(XmlDocument, ReadsBackNamesAttributesAndChildOrder) {
    for (bool indent : {false, true}) {
        TfsXMLDocument doc;
        fill_sample(doc);
        doc.AutoIndent = indent;
        TfsXMLDocument copy;
        load(copy, save(doc));
        const TfsXMLItem& root = copy.Root();
        ASSERT_EQ(root.Count(), 2);
        EXPECT_EQ(root.Name, "program");
        EXPECT_EQ(root[0].Name, "expr");
        EXPECT_EQ(root[0].Text, R"(pos="1:1" pos1="1:4")");
        ASSERT_EQ(root[0].Count(), 1);
        EXPECT_EQ(root[0][0].Text, R"(text="1" pos="1:2")");
        EXPECT_EQ(root[0][0].Count(), 0);
        EXPECT_EQ(root[1].Name, "types");
        EXPECT_EQ(root[1].Count(), 0);
        EXPECT_EQ(root[0].Parent(), &copy.Root());
    }
}

TEST(XmlDocument, IgnoresTextAndCommentsAndMatchesClosingTagsInAnyCase) {
    TfsXMLDocument doc;
    load(doc, "junk <?xml version=\"1.0\"?>\n<!-- a <comment> -- here -->"
              "<Root a=\"1\" >text<!----><Child/>more</ROOT>");
    EXPECT_EQ(doc.Root().Name, "Root");
    EXPECT_EQ(doc.Root().Text, R"(a="1")");
    ASSERT_EQ(doc.Root().Count(), 1);
    EXPECT_EQ(doc.Root()[0].Name, "Child");
    EXPECT_EQ(doc.Root().Find("CHILD"), 0);
    EXPECT_EQ(doc.Root().Find("other"), -1);
}

TEST(XmlDocument, EmptyElementWithBlankBeforeTheSlash) {
    TfsXMLDocument doc;
    load(doc, R"(<?xml?><a x="1" />)");
    EXPECT_EQ(doc.Root().Text, R"(x="1")");
    EXPECT_EQ(doc.Root().Count(), 0);
}

TEST(XmlDocument, LeavesTheStreamJustAfterTheRootElement) {
    std::istringstream in("<?xml?><a><b/></a>tail");
    TfsXMLDocument doc;
    doc.LoadFromStream(in);
    std::string rest;
    in >> rest;
    EXPECT_EQ(rest, "tail");
}

TEST(XmlDocument, AttributesTravelAsUtf8AndAreHeldAsAnsi) {
    TfsXMLDocument doc;
    doc.Root().Name = "a";
    doc.Root().SetProp("text", "\xE9t\xE9 \x80");
    const std::string written = save(doc);
    EXPECT_NE(written.find("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"), std::string::npos);
    TfsXMLDocument copy;
    load(copy, written);
    EXPECT_EQ(copy.Root().Prop("text"), "\xE9t\xE9 \x80");
}

TEST(XmlDocument, MalformedDocumentsAreInvalidFileFormat) {
    const char* cases[] = {
        "",                           // no header
        "<a/>",                       // first item is not the declaration
        "<?xml?>",                    // no root element
        "<?xml?><a><b x=\"<\"/></a>", // '<' inside a tag
        "<?xml?><a><b",               // ends inside a tag
        "<?xml?><a><b></c></a>",      // closing tag of another element
        "<?xml?><a><b/>",             // root never closed
        "<?xml?></a>",                // closing tag with nothing open
        "<?xml?><a><!-- open comment ></a>",
    };
    for (const char* text : cases) {
        TfsXMLDocument doc;
        try {
            load(doc, text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const TfsError& e) {
            EXPECT_STREQ(e.what(), "Invalid file format") << text;
        }
    }
}

TEST(XmlDocument, DeepNestingIsReadWrittenCopiedAndFreedWithoutRecursion) {
    constexpr int depth = 100000;
    std::string text = "<?xml?>";
    for (int i = 0; i < depth; ++i)
        text += "<e>";
    for (int i = 0; i < depth; ++i)
        text += "</e>";
    TfsXMLDocument doc;
    load(doc, text);
    TfsXMLItem copy;
    copy.Assign(doc.Root());
    int levels = 1;
    for (const TfsXMLItem* item = &copy; item->Count(); item = &item->Items(0))
        ++levels;
    EXPECT_EQ(levels, depth);
    TfsXMLDocument again;
    load(again, save(doc));
    EXPECT_EQ(again.Root().Count(), 1);
}

TEST(XmlDocument, FileErrorsNameThePath) {
    TfsXMLDocument doc;
    EXPECT_THROW(doc.LoadFromFile("/nonexistent/x.xml"), TfsError);
    EXPECT_THROW(doc.SaveToFile("/nonexistent/x.xml"), TfsError);
}

struct EscapeCase {
    const char* value;
    const char* written;
};

TEST(XmlText, EscapesWhatWouldBreakATagAndReadsEveryValueBack) {
    const EscapeCase cases[] = {
        {"a\"b", "a&#34;b"},        {"<>", "&#60;&#62;"},
        {"x\r\ny", "x&#13;&#10;y"}, {"R&D", "R&D"}, // a plain ampersand stays as it is
        {"&amp;", "&amp;"},       // nothing else is decoded, so nothing else is escaped
        {"&quot;", "&#38;quot;"}, // would read back as a quote
        {"&#65;", "&#38;#65;"},   // would read back as "A"
        {"tab\tend", "tab\tend"},
    };
    for (const EscapeCase& c : cases) {
        EXPECT_EQ(xml_escape(c.value), c.written) << c.value;
        EXPECT_EQ(xml_unescape(c.written), c.value) << c.written;
    }
}

TEST(XmlText, DecodesReferencesAndQuotEntity) {
    EXPECT_EQ(xml_unescape("&quot;x&#62;&#8364;"), "\"x>\x80");
    EXPECT_EQ(xml_unescape("&#;&#12x;&#"), "&#;&#12x;&#"); // not references
    EXPECT_EQ(xml_unescape("&#0;"), std::string(1, '\0'));
}

TEST(XmlItem, PropertiesAreFoundByWholeNameInAnyCase) {
    TfsXMLItem item("expr", R"(pos1="1:9" Pos="1:2" xtext="no" text="a&#34;b")");
    EXPECT_EQ(item.Prop("pos"), "1:2");
    EXPECT_EQ(item.Prop("POS1"), "1:9");
    EXPECT_EQ(item.Prop("text"), "a\"b");
    EXPECT_TRUE(item.PropExists("xtext"));
    EXPECT_FALSE(item.PropExists("po"));
    EXPECT_EQ(item.Prop("missing"), "");
}

TEST(XmlItem, SetPropReplacesInPlaceOrAppends) {
    TfsXMLItem item;
    item.SetProp("text", "a<b");
    EXPECT_EQ(item.Text, R"(text="a&#60;b")");
    item.SetProp("pos", "1:1");
    item.SetProp("TEXT", "c");
    EXPECT_EQ(item.Text, R"(text="c" pos="1:1")");
}

TEST(XmlItem, FindItemAppendsAMissingChildAndAssignCopiesDeeply) {
    TfsXMLItem root("root");
    int marker = 0;
    TfsXMLItem& types = root.FindItem("types");
    EXPECT_EQ(&root.FindItem("TYPES"), &types);
    types.Data = &marker;
    types.Add().Name = "alias";
    root.InsertItem(0, std::make_unique<TfsXMLItem>("first"));
    EXPECT_EQ(root.IndexOf(&types), 1);
    EXPECT_EQ(&types[0].Root(), &root);

    TfsXMLItem copy;
    copy.Assign(root);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy[0].Name, "first");
    EXPECT_EQ(copy[1].Data, &marker);
    EXPECT_EQ(copy[1][0].Name, "alias");
    EXPECT_EQ(copy[1][0].Parent(), &copy[1]);
    EXPECT_NE(&copy[1], &types);
}

} // namespace
} // namespace veltran
