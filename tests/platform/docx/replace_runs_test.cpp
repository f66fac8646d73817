// Placeholders spread over runs the way word processors split them, and the stories they hide in.
#include "docx_fixture.h"

#include "platform/docx/package.h"
#include "platform/docx/zip_archive.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

using namespace docx_test;

namespace {

std::string partOf(const docx::Package& package, const std::string& name)
{
    const std::string bytes = package.toBytes();
    return docx::ZipReader(bytes, "out").read(name);
}

// The rPr of the run whose text contains `needle`, as XML, after a save and a fresh parse.
std::string formattingOfRunWith(const std::string& xml, const std::string& needle)
{
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata));
    for (const pugi::xpath_node& t : doc.select_nodes("//w:t")) {
        if (std::string(t.node().child_value()).find(needle) == std::string::npos)
            continue;
        std::ostringstream out;
        t.node().parent().child("w:rPr").print(out, "", pugi::format_raw);
        return out.str();
    }
    return "<not found>";
}

struct SplitCase {
    const char* what;
    std::string body;
    std::string expected;  // text() of the main document after replacing <KNomer> by 17/4
};

class SplitRuns : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitRuns, PlaceholderIsFoundAndReplacedOnce)
{
    const SplitCase& c = GetParam();
    docx::Package package = docx::Package::fromBytes(makeDocx(c.body), "split.docx");
    EXPECT_EQ(package.replaceAll("<KNomer>", "17/4"), 1u) << c.what;
    EXPECT_EQ(package.text(), c.expected) << c.what;
    // And the same after a save and a fresh read: the package holds it, not only the object.
    docx::Package again = docx::Package::fromBytes(package.toBytes(), "again.docx");
    EXPECT_EQ(again.text(), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Docx, SplitRuns,
    ::testing::Values(
        SplitCase{"one run", para(run("№ &lt;KNomer&gt; от")), "№ 17/4 от\n"},
        SplitCase{"three runs with different revision ids",
                  "<w:p><w:r w:rsidR=\"001\"><w:t>№ &lt;</w:t></w:r><w:r w:rsidR=\"002\"><w:t>KNomer</w:t></w:r>"
                  "<w:r w:rsidR=\"003\"><w:t>&gt; от</w:t></w:r></w:p>",
                  "№ 17/4 от\n"},
        SplitCase{"every character its own run",
                  para(run("&lt;") + run("K") + run("N") + run("o") + run("m") + run("e") + run("r") + run("&gt;")),
                  "17/4\n"},
        SplitCase{"proofing marks and a bookmark between the pieces",
                  para(run("&lt;K") + "<w:proofErr w:type=\"spellStart\"/>" + run("Nom") +
                       "<w:bookmarkStart w:id=\"0\" w:name=\"x\"/>" + run("er") + "<w:bookmarkEnd w:id=\"0\"/>" +
                       "<w:proofErr w:type=\"spellEnd\"/>" + run("&gt;.")),
                  "17/4.\n"},
        SplitCase{"split across an insertion and a hyperlink",
                  para(run("a&lt;KN") + "<w:ins w:id=\"1\" w:author=\"x\">" + run("om") + "</w:ins>" +
                       "<w:hyperlink r:id=\"rId9\">" + run("er&gt;b") + "</w:hyperlink>"),
                  "a17/4b\n"},
        SplitCase{"pieces in empty runs and a run with formatting",
                  para(run("") + run("&lt;", "<w:b/>") + run("") + run("KNomer&gt;", "<w:i/>") + run(" end")),
                  "17/4 end\n"},
        SplitCase{"deleted text between the pieces is not part of the placeholder",
                  para(run("&lt;KNo") + "<w:del w:id=\"2\" w:author=\"x\"><w:r><w:delText>zz</w:delText></w:r></w:del>" +
                       run("mer&gt;")),
                  "17/4\n"}));

TEST(DocxReplace, ReplacementTakesFormattingOfTheRunWhereTheMatchBegins)
{
    const std::string body =
        para(run("Номер: ") + run("&lt;KNo", "<w:b/>") + run("mer&gt;", "<w:i/>") + run(" конец", "<w:u w:val=\"single\"/>"));
    docx::Package package = docx::Package::fromBytes(makeDocx(body), "fmt.docx");
    package.replaceAll("<KNomer>", "ZZ-1");
    const std::string xml = partOf(package, "word/document.xml");
    EXPECT_EQ(formattingOfRunWith(xml, "ZZ-1"), "<w:rPr><w:b/></w:rPr>");
    EXPECT_EQ(formattingOfRunWith(xml, "конец"), "<w:rPr><w:u w:val=\"single\"/></w:rPr>");
    EXPECT_EQ(package.text(), "Номер: ZZ-1 конец\n");
}

TEST(DocxReplace, RepeatedAdjacentAndOverlappingCandidates)
{
    struct Case {
        std::string body;
        std::size_t count;
        std::string expected;
    };
    const Case cases[] = {
        {para(run("&lt;A&gt;&lt;A&gt;") + run("x&lt;A") + run("&gt;")), 3, "11x1\n"},
        {para(run("&lt;&lt;A&gt;&gt;")), 1, "<1>\n"},
        {para(run("&lt;A&gt;")) + para(run("и &lt;A&gt;")), 2, "1\nи 1\n"},
        {para(run("&lt;a&gt; &lt;A &gt; &lt;AB&gt;")), 0, "<a> <A > <AB>\n"},  // exact and case-sensitive
        {para(run("&lt;A") + "<w:r><w:tab/></w:r>" + run("&gt;")), 0, "<A\t>\n"},  // a tab is not inside a name
    };
    for (const Case& c : cases) {
        docx::Package package = docx::Package::fromBytes(makeDocx(c.body), "rep.docx");
        EXPECT_EQ(package.replaceAll("<A>", "1"), c.count) << c.body;
        EXPECT_EQ(package.text(), c.expected) << c.body;
    }
}

TEST(DocxReplace, EveryStoryOfTheLetterIsSearched)
{
    const std::string cell = "<w:tbl><w:tr><w:tc><w:p>" + run("ячейка &lt;K&gt;") + "</w:p></w:tc></w:tr></w:tbl>";
    const std::string drawingBox =
        "<w:p><w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing><wp:anchor><a:graphic><a:graphicData>"
        "<wps:wsp><wps:txbx><w:txbxContent><w:p>" + run("рамка &lt;K&gt;") +
        "</w:p></w:txbxContent></wps:txbx></wps:wsp></a:graphicData></a:graphic></wp:anchor></w:drawing></mc:Choice>"
        "<mc:Fallback><w:pict><v:shape><v:textbox><w:txbxContent><w:p>" + run("vml &lt;K&gt;") +
        "</w:p></w:txbxContent></v:textbox></v:shape></w:pict></mc:Fallback></mc:AlternateContent></w:r>" +
        run("после рамки") + "</w:p>";
    const std::string control =
        "<w:sdt><w:sdtPr><w:alias w:val=\"x\"/></w:sdtPr><w:sdtContent><w:p>" + run("элемент &lt;K&gt;") +
        "</w:p></w:sdtContent></w:sdt>";
    const std::string link = para("<w:hyperlink r:id=\"rId5\">" + run("ссылка &lt;K&gt;") + "</w:hyperlink>");
    const std::string fields =
        para("<w:fldSimple w:instr=\" MERGEFIELD K \">" + run("поле &lt;K&gt;") + "</w:fldSimple>") +
        para("<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText>&lt;K&gt;</w:instrText></w:r>"
             "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" + run("итог &lt;K&gt;") +
             "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>");
    const std::string body = para(run("текст &lt;K&gt;")) + cell + drawingBox + control + link + fields;
    const std::vector<Part> parts = {
        {"word/header1.xml", "header+xml", partXml("hdr", para(run("верх &lt;K&gt;")))},
        {"word/footer1.xml", "footer+xml", partXml("ftr", para(run("низ &lt;K&gt;")))},
        {"word/footnotes.xml", "footnotes+xml",
         partXml("footnotes", "<w:footnote w:id=\"1\">" + para(run("сноска &lt;K&gt;")) + "</w:footnote>")},
        {"word/endnotes.xml", "endnotes+xml",
         partXml("endnotes", "<w:endnote w:id=\"1\">" + para(run("концевая &lt;K&gt;")) + "</w:endnote>")},
        {"word/comments.xml", "comments+xml",
         partXml("comments", "<w:comment w:id=\"1\">" + para(run("примечание &lt;K&gt;")) + "</w:comment>")},
    };
    docx::Package package = docx::Package::fromBytes(makeDocx(body, parts), "stories.docx");
    EXPECT_EQ(package.storyParts(),
              (std::vector<std::string>{"word/document.xml", "word/header1.xml", "word/footer1.xml",
                                        "word/footnotes.xml", "word/endnotes.xml", "word/comments.xml"}));
    EXPECT_EQ(package.replaceAll("<K>", "V"), 13u);
    const std::string text = docx::Package::fromBytes(package.toBytes(), "o.docx").text();
    EXPECT_EQ(text.find("<K>"), std::string::npos) << text;
    for (const char* expected : {"текст V", "ячейка V", "рамка V", "vml V", "элемент V", "ссылка V", "поле V",
                                 "итог V", "верх V", "низ V", "сноска V", "концевая V", "примечание V", "после рамки"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    // A field's code is not its shown text and stays as it is.
    EXPECT_NE(partOf(package, "word/document.xml").find("<w:instrText>&lt;K&gt;</w:instrText>"), std::string::npos);
}

TEST(DocxReplace, TextBoxDoesNotJoinTheSurroundingParagraph)
{
    // "<K" before the box and ">" after it are not a placeholder: the box lies between them.
    const std::string body =
        "<w:p>" + run("&lt;K") + "<w:r><w:drawing><wp:inline><a:graphic><a:graphicData><wps:wsp><wps:txbx><w:txbxContent>" +
        para(run("в рамке")) + "</w:txbxContent></wps:txbx></wps:wsp></a:graphicData></a:graphic></wp:inline></w:drawing></w:r>" +
        run("&gt;") + "</w:p>";
    docx::Package package = docx::Package::fromBytes(makeDocx(body), "box.docx");
    EXPECT_EQ(package.replaceAll("<K>", "V"), 0u);
    EXPECT_EQ(package.replaceAll("в рамке", "W"), 1u);
}

}  // namespace
