// telma-letter, driven as a batch user would: the real executable, its files and exit status.
#include "../platform/docx/docx_fixture.h"
#include "platform/docx/package.h"
#include "platform/paradox/table.h"
#include "tools/contract_schema.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;
using namespace docx_test;

namespace {

struct ToolResult {
    int status;
    std::string err;
};

class TelmaLetter : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        dir = fs::temp_directory_path() / ("telma-letter-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(dir);
        auto contracts = paradox::Table::create(dir / "71BKontrakts.db", telma::contractFields(), telma::kContractKeyFields);
        std::vector<std::optional<std::string>> first(17), second(17);
        first[1] = "17/4", first[7] = "01.02.2026", first[4] = "ГКУ «Первый»";
        second[1] = "0373-99", second[7] = "03.03.2026", second[4] = "ООО \"Второй\" & Ко", second[13] = "строка 1\nстрока 2";
        contracts.insert(first);
        contracts.insert(second);
        std::ofstream(dir / "t.docx", std::ios::binary)
            << makeDocx(para(run("№ &lt;KNo") + run("mer&gt; от &lt;KDate&gt;, &lt;KZakaz&gt;")) + para(run("&lt;KInfo&gt;&lt;KMetka&gt;")));
    }
    void TearDown() override { fs::remove_all(dir); }

    ToolResult letter(const std::string& args)
    {
        const std::string cmd = "cd '" + dir.string() + "' && " TELMA_LETTER_EXE " " + args + " 2>err.txt";
        const int rc = std::system(cmd.c_str());
        std::ifstream in(dir / "err.txt");
        return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, std::string(std::istreambuf_iterator<char>(in), {})};
    }

    fs::path dir;
};

TEST_F(TelmaLetter, MergesTheChosenRecord)
{
    const ToolResult r = letter("--table 71BKontrakts.db --record 2 --template t.docx --out letter.docx");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(docx::Package::open(dir / "letter.docx").text(),
              "№ 0373-99 от 03.03.2026, ООО \"Второй\" & Ко\nстрока 1\nстрока 2\n");
    ASSERT_EQ(letter("--out first.docx --template t.docx --record 1 --table 71BKontrakts.db").status, 0);
    EXPECT_EQ(docx::Package::open(dir / "first.docx").text(), "№ 17/4 от 01.02.2026, ГКУ «Первый»\n\n");
}

TEST_F(TelmaLetter, ClearErrorsAndNoOutput)
{
    std::ofstream(dir / "bad.docx") << "not a package";
    struct Case {
        std::string args;
        std::string inMessage;
    };
    const Case cases[] = {
        {"--table 71BKontrakts.db --record 3 --template t.docx --out o.docx", "нет записи 3"},
        {"--table 71BKontrakts.db --record 0 --template t.docx --out o.docx", "номер записи «0»"},
        {"--table 71BKontrakts.db --record x --template t.docx --out o.docx", "номер записи «x»"},
        {"--table 71BKontrakts.db --record 1 --template none.docx --out o.docx", "нет шаблона «none.docx»"},
        {"--table 71BKontrakts.db --record 1 --template bad.docx --out o.docx", "bad.docx"},
        {"--table missing.db --record 1 --template t.docx --out o.docx", "missing.db"},
        {"--table 71BKontrakts.db --record 1 --template t.docx", "нужны все четыре параметра"},
        {"--table 71BKontrakts.db --record 1 --template t.docx --out o.docx --extra", "неизвестный параметр «--extra»"},
        {"--table 71BKontrakts.db --record 1 --template t.docx --out", "нет значения"},
        {"--table 71BKontrakts.db --record 1 --template t.docx --out no/such/dir/o.docx", "не удалось записать"},
    };
    for (const Case& c : cases) {
        const ToolResult r = letter(c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_NE(r.err.find(c.inMessage), std::string::npos) << c.args << "\n" << r.err;
        EXPECT_FALSE(fs::exists(dir / "o.docx")) << c.args;
    }
}

}  // namespace
