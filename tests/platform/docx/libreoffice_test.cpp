// A merged letter as the user sees it: converted to plain text by LibreOffice, when installed.
#include "docx_fixture.h"

#include "platform/docx/package.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

using namespace docx_test;
namespace fs = std::filesystem;

namespace {

bool haveOffice()
{
    return std::system("command -v soffice >/dev/null 2>&1") == 0;
}

TEST(DocxInOffice, MergedLetterOpensAndShowsTheValues)
{
    if (!haveOffice())
        GTEST_SKIP() << "soffice is not installed";
    std::random_device random;
    const fs::path dir = fs::temp_directory_path() / ("telma-office-" + std::to_string(random()));
    fs::create_directories(dir);
    const std::string body =
        para(run("Контракт № &lt;KN") + run("omer&gt;", "<w:b/>") + run(" от &lt;KDate&gt;.")) +
        "<w:tbl><w:tblGrid><w:gridCol w:w=\"4000\"/></w:tblGrid><w:tr><w:tc><w:p>" + run("&lt;KZakaz&gt;") +
        "</w:p></w:tc></w:tr></w:tbl>" + para(run("&lt;KInfo&gt;"));
    docx::Package package = docx::Package::fromBytes(makeDocx(body), "letter.docx");
    package.replaceAll("<KNomer>", "0373-17");
    package.replaceAll("<KDate>", "01.02.2026");
    package.replaceAll("<KZakaz>", "ГКУ \"Дирекция\" & <Ко>");
    package.replaceAll("<KInfo>", "строка один\nстрока два");
    package.save(dir / "letter.docx");

    const std::string command = "cd '" + dir.string() + "' && HOME='" + dir.string() +
                                "' soffice -env:UserInstallation=file://" + dir.string() +
                                "/profile --headless --convert-to txt:Text letter.docx >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(dir / "letter.txt", std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(text.find("Контракт № 0373-17 от 01.02.2026."), std::string::npos) << text;
    EXPECT_NE(text.find("ГКУ \"Дирекция\" & <Ко>"), std::string::npos) << text;
    EXPECT_NE(text.find("строка один\nстрока два"), std::string::npos) << text;
    EXPECT_EQ(text.find("<K"), std::string::npos) << text;
    fs::remove_all(dir);
}

}  // namespace
