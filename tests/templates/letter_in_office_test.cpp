// A built letter template merged with the demo contract, as the user sees it in LibreOffice.
#include "demo_contract.h"
#include "merge/letter_catalogue.h"
#include "platform/docx/package.h"
#include "tools/telma_templates_source.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

TEST(LetterInOffice, MergedTemplateShowsTheContract)
{
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "soffice is not installed";
    fs::path built;
    for (const merge::LetterType& t : merge::letterCatalogue()) {
        const fs::path candidate = fs::path(TELMA_BINARY_DIR) / "PTemplates" / t.TemplateFile.toStdString();
        // A letter with the usual blocks, so that the outgoing number line is there to see.
        std::ifstream source(fs::path(TELMA_SOURCE_DIR) / "templates" / (t.TemplateFile.chopped(5).toStdString() + ".txt"));
        const std::string text(std::istreambuf_iterator<char>(source), {});
        if (fs::is_regular_file(candidate) && text.find("@noaddressee") == std::string::npos) {
            built = candidate;
            break;
        }
    }
    if (built.empty())
        GTEST_SKIP() << "no template built yet";

    std::random_device random;
    const fs::path dir = fs::temp_directory_path() / ("telma-office-" + std::to_string(random()));
    fs::create_directories(dir);
    docx::Package package = docx::Package::open(built);
    for (const std::string& field : templates::contractFields())
        package.replaceAll("<" + field + ">", kDemo.at(field));
    package.save(dir / "letter.docx");
    const std::string command = "cd '" + dir.string() + "' && HOME='" + dir.string() +
                                "' soffice -env:UserInstallation=file://" + dir.string() +
                                "/profile --headless --convert-to txt:Text letter.docx >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << built;
    std::ifstream in(dir / "letter.txt", std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    for (const char* field : {"KNomer", "KDate", "KZakaz", "KPodr", "KFPodr", "KWVS"})
        EXPECT_NE(text.find(kDemo.at(field)), std::string::npos) << field << " in " << built << ":\n" << text;
    EXPECT_NE(text.find("Исх. №"), std::string::npos) << text;
    EXPECT_EQ(text.find("<K"), std::string::npos) << text;
    fs::remove_all(dir);
}
