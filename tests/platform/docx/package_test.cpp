// Replacement values, what the saved package keeps, and the errors of broken templates.
#include "docx_fixture.h"

#include "platform/docx/error.h"
#include "platform/docx/package.h"
#include "platform/docx/zip_archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace docx_test;
namespace fs = std::filesystem;

namespace {

fs::path freshDir()
{
    std::random_device random;
    fs::path dir = fs::temp_directory_path() / ("telma-docx-" + std::to_string(random()) + std::to_string(random()));
    fs::create_directories(dir);
    return dir;
}

void writeFile(const fs::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

TEST(DocxValues, SpecialCharactersBreaksAndTabs)
{
    struct Case {
        std::string value;
        std::string expectedText;  // what the reader sees
        std::string expectedXml;   // a piece of the saved document.xml
    };
    const Case cases[] = {
        {"ООО \"Рога & Копыта\" <малое>", "ООО \"Рога & Копыта\" <малое>", "&amp; Копыта\" &lt;малое&gt;"},
        {"первая\nвторая\r\nтретья\rчетвёртая", "первая\nвторая\nтретья\nчетвёртая",
         "первая</w:t><w:br/><w:t xml:space=\"preserve\">вторая</w:t><w:br/>"},
        {"a\tb", "a\tb", "a</w:t><w:tab/><w:t xml:space=\"preserve\">b"},
        {std::string("x\x01y\x0Bz\x1F") + "\xEF\xBF\xBF" + "!", "xyz!", "xyz!"},  // not XML 1.0 characters
        {"bad\xC3\x28utf\xFF-8", "bad(utf-8", "bad(utf-8"},                      // broken UTF-8 bytes
        {"", "[]", "[]"},
        {"  пробелы  ", "[  пробелы  ]", "[  пробелы  ]"},
    };
    for (const Case& c : cases) {
        docx::Package package = docx::Package::fromBytes(makeDocx(para(run("[&lt;F&gt;]"))), "v.docx");
        ASSERT_EQ(package.replaceAll("<F>", c.value), 1u);
        const std::string bytes = package.toBytes();
        const std::string expectedText =
            c.expectedText.front() == '[' ? c.expectedText : "[" + c.expectedText + "]";
        EXPECT_EQ(docx::Package::fromBytes(bytes, "o").text(), expectedText + "\n");
        EXPECT_NE(docx::ZipReader(bytes, "o").read("word/document.xml").find(c.expectedXml), std::string::npos)
            << c.expectedXml;
    }
}

TEST(DocxPackage, PartsNotChangedAreKeptAsStored)
{
    const std::string image(5000, '\x7F');
    const std::string original = makeDocx(
        para(run("&lt;A&gt;")), {{"word/header1.xml", "header+xml", partXml("hdr", para(run("без полей")))}},
        {{"word/media/image1.png", image}, {"customXml/item1.xml", "<a>  \r\n &amp; </a>"}});
    docx::Package untouched = docx::Package::fromBytes(original, "t.docx");
    EXPECT_EQ(untouched.toBytes(), original);  // nothing replaced: the very same bytes

    docx::Package package = docx::Package::fromBytes(original, "t.docx");
    package.replaceAll("<A>", "1");
    const std::string out = package.toBytes();
    const docx::ZipReader before(original, "before"), after(out, "after");
    ASSERT_EQ(after.names(), before.names());
    for (const std::string& name : before.names()) {
        if (name == "word/document.xml")
            EXPECT_NE(after.read(name), before.read(name));
        else
            EXPECT_EQ(after.read(name), before.read(name)) << name;
    }
}

TEST(DocxPackage, BrokenTemplatesGiveErrorsNamingThem)
{
    const std::string good = makeDocx(para(run("x")));
    std::string truncated = good.substr(0, good.size() / 2);
    std::string flipped = good;
    flipped[flipped.size() / 3] ^= 0x55;
    struct Case {
        const char* what;
        std::string bytes;
        docx::ZipLimits limits;
        const char* inMessage;
    };
    docx::ZipLimits tiny;
    tiny.maxEntrySize = 100;
    const Case cases[] = {
        {"plain text", "это не документ", {}, "не ZIP-архив"},
        {"empty file", "", {}, "не ZIP-архив"},
        {"truncated archive", truncated, {}, "1Uved.docx"},
        {"corrupted bytes", flipped, {}, "1Uved.docx"},
        {"no main document", docx::writeZip({{"[Content_Types].xml", "<Types/>"}, {"a.txt", "x"}}, 0),
         {}, "нет основного документа"},
        {"malformed document XML",
         docx::writeZip({{"word/document.xml", "<w:document><w:body><w:p></w:body>"}}, 0), {}, "word/document.xml"},
        {"malformed header XML",
         makeDocx(para(run("x")), {{"word/header1.xml", "header+xml", "<w:hdr><w:p>"}}), {}, "word/header1.xml"},
        {"malformed relationships", docx::writeZip({{"_rels/.rels", "<Relationships"}, {"word/document.xml", "<x/>"}}, 0),
         {}, "_rels/.rels"},
        {"part expands beyond the bound", good, tiny, "допустимый размер"},
    };
    for (const Case& c : cases) {
        try {
            docx::Package package = docx::Package::fromBytes(c.bytes, "1Uved.docx", c.limits);
            // Some corruptions only show when the part is read; none may pass silently into a letter.
            if (std::string(c.what) == "corrupted bytes" && package.text() == "x\n")
                continue;
            ADD_FAILURE() << c.what << ": no error";
        } catch (const docx::Error& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("1Uved.docx"), std::string::npos) << c.what << ": " << message;
            EXPECT_NE(message.find(c.inMessage), std::string::npos) << c.what << ": " << message;
        }
    }
}

TEST(DocxPackage, ZipBombIsRefusedBeforeItIsExpanded)
{
    const std::string bomb = makeDocx(para(run("x")), {}, {{"word/media/zeros.bin", std::string(129u << 20, '\0')}});
    EXPECT_LT(bomb.size(), 1u << 20);
    try {
        docx::Package::fromBytes(bomb, "bomb.docx");
        FAIL() << "a 129 MB part passed";
    } catch (const docx::Error& e) {
        EXPECT_NE(std::string(e.what()).find("zeros.bin"), std::string::npos) << e.what();
    }
}

TEST(DocxPackage, OpenAndSaveFiles)
{
    const fs::path dir = freshDir();
    writeFile(dir / "t.docx", makeDocx(para(run("&lt;A&gt;"))));
    docx::Package package = docx::Package::open(dir / "t.docx");
    package.replaceAll("<A>", "готово");
    package.save(dir / "out.docx");
    EXPECT_EQ(docx::Package::open(dir / "out.docx").text(), "готово\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);  // no temporary left

    // A folder that is a directory, a missing file, a folder that does not exist: errors, nothing written.
    EXPECT_THROW(docx::Package::open(dir), docx::Error);
    EXPECT_THROW(docx::Package::open(dir / "missing.docx"), docx::Error);
    EXPECT_THROW(package.save(dir / "no-such-folder" / "out.docx"), docx::Error);
    EXPECT_FALSE(fs::exists(dir / "no-such-folder"));
    fs::remove_all(dir);
}

}  // namespace
