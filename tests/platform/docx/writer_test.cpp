// New documents: readable by the package reader, laid out as asked, the same bytes every time.
#include "platform/docx/document_writer.h"
#include "platform/docx/package.h"
#include "platform/docx/zip_archive.h"

#include <gtest/gtest.h>

namespace {

std::vector<docx::Paragraph> sample()
{
    docx::Paragraph heading;
    heading.align = docx::Align::Center;
    heading.runs = {{"УВЕДОМЛЕНИЕ", true, false}};
    docx::Paragraph body;
    body.firstLine = 709;
    body.runs = {{"По контракту <KNomer> от ", false, false}, {"[дата]", false, true}, {" & <KDate>.", false, false}};
    docx::Paragraph sign;
    sign.align = docx::Align::Left;
    sign.rightTabs = {9355};
    sign.runs = {{"<KDPodr>\t_______________ <KFPodr>", false, false}};
    return {heading, body, sign};
}

TEST(DocxWriter, WritesAReadablePackageWithTheLayout)
{
    const std::string bytes = docx::writeDocument(sample());
    docx::Package package = docx::Package::fromBytes(bytes, "new.docx");
    EXPECT_EQ(package.text(), "УВЕДОМЛЕНИЕ\nПо контракту <KNomer> от [дата] & <KDate>.\n<KDPodr>\t_______________ <KFPodr>\n");
    const docx::ZipReader zip(bytes, "new.docx");
    EXPECT_EQ(zip.names().front(), "[Content_Types].xml");
    const std::string xml = zip.read("word/document.xml");
    for (const char* piece : {"<w:pgSz w:w=\"11906\" w:h=\"16838\"/>", "<w:jc w:val=\"center\"/>",
                              "<w:jc w:val=\"both\"/>", "w:firstLine=\"709\"", "<w:highlight w:val=\"yellow\"/>",
                              "<w:b/>", "<w:tab w:val=\"right\" w:pos=\"9355\"/>",
                              "<w:t xml:space=\"preserve\">По контракту &lt;KNomer&gt; от </w:t>"})
        EXPECT_NE(xml.find(piece), std::string::npos) << piece;
    const std::string styles = zip.read("word/styles.xml");
    EXPECT_NE(styles.find("w:ascii=\"Times New Roman\""), std::string::npos);
    EXPECT_NE(styles.find("<w:sz w:val=\"24\"/>"), std::string::npos);
}

TEST(DocxWriter, SameInputSameBytes)
{
    EXPECT_EQ(docx::writeDocument(sample()), docx::writeDocument(sample()));
}

TEST(DocxWriter, PlaceholdersAreSingleRunsTheMergeFinds)
{
    docx::Package package = docx::Package::fromBytes(docx::writeDocument(sample()), "new.docx");
    EXPECT_EQ(package.replaceAll("<KNomer>", "7"), 1u);
    EXPECT_EQ(package.replaceAll("<KFPodr>", "И. И. Иванов"), 1u);
    EXPECT_NE(package.text().find("По контракту 7 от"), std::string::npos);
}

}  // namespace
