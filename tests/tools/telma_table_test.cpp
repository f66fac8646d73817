// telma-table as a user runs it: output, errors on standard error, exit status.
#include "platform/paradox/table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

const std::string kCorpus = TELMA_CORPUS_DIR;

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Result {
    int status;
    std::string out, err;
};

class TableTool : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() / ("telma-table-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    Result run(const std::string& args) {
        const auto out = dir_ / "stdout", err = dir_ / "stderr";
        const std::string cmd = std::string("'") + TELMA_TABLE_EXE + "' " + args + " >'" + out.string() + "' 2>'" +
                                err.string() + "'";
        int rc = std::system(cmd.c_str());
        return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, readFile(out), readFile(err)};
    }
    std::string q(const std::filesystem::path& p) { return "'" + p.string() + "'"; }
    std::filesystem::path write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    std::filesystem::path dir_;
};

TEST_F(TableTool, DumpMatchesTheCorpusByteForByte) {
    for (const char* c : {"db/AREACODES.DB:db_AREACODES", "db/CUSTOMER.DB:db_CUSTOMER", "fields/memo.db:fields_memo",
                          "mtdemo/CUSTOMER.DB:mtdemo_CUSTOMER", "fields/date7.db:fields_date7"}) {
        std::string s = c;
        auto colon = s.find(':');
        SCOPED_TRACE(s);
        auto r = run("dump " + q(kCorpus + "/" + s.substr(0, colon)));
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, readFile(kCorpus + "/expected/" + s.substr(colon + 1) + ".tsv"));
    }
}

TEST_F(TableTool, CreateImportDumpRoundTrip) {
    const auto db = dir_ / "71BKontrakts.db";
    auto r = run("create " + q(db));
    ASSERT_EQ(r.status, 0) << r.err;
    // Bare names, a subset of the fields in another order; KKK empty takes the next number.
    const auto tsv = write("in.tsv",
                           "KNomer\tKKK\tKPredmet\n"
                           "12/2024\t\tРемонт кровли\\tи фасада\n"
                           "13/2024\t\\N\tСтроительство «школы»\\nв два этапа\n");
    r = run("import " + q(db) + " " + q(tsv));
    ASSERT_EQ(r.status, 0) << r.err;
    r = run("dump " + q(db));
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string header, first, second;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(header.rfind("#KKK/0x16/4\tKNomer/0x01/60\tKPredmet/0x01/255\t", 0), 0u) << header;
    const std::string nulls = std::string("\t\\N").append("\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N\t\\N");
    EXPECT_EQ(first, "1\t12/2024\tРемонт кровли\\tи фасада" + nulls);
    EXPECT_EQ(second, "2\t13/2024\tСтроительство «школы»\\nв два этапа" + nulls);

    // What dump wrote imports into a fresh table and dumps the same again.
    const auto copy = dir_ / "copy.db";
    ASSERT_EQ(run("create " + q(copy)).status, 0);
    const auto dumped = write("dumped.tsv", r.out);
    r = run("import " + q(copy) + " " + q(dumped));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(run("dump " + q(copy)).out, readFile(dumped));
    EXPECT_EQ(run("check " + q(copy)).status, 0);
}

TEST_F(TableTool, BadRowChangesNothing) {
    const auto db = dir_ / "t.db";
    ASSERT_EQ(run("create " + q(db)).status, 0);
    struct Case {
        const char* name;
        std::string tsv;
        const char* says;
    } cases[] = {
        {"too long", "KNomer\n1\n2\n" + std::string(61, 'x') + "\n", "строка 4"},
        {"unknown field", "KNomer\tKWho\n1\t2\n", "KWho"},
        {"wrong count", "KNomer\tKSumma\n1\t2\n3\n", "строка 3"},
        {"duplicate key", "KKK\tKNomer\n5\ta\n5\tb\n", "ключом"},
        {"unwritable char", "KNomer\nok\n日本\n", "KNomer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto r = run("import " + q(db) + " " + q(write("bad.tsv", c.tsv)));
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(paradox::Table::open(db).recordCount(), 0u);
    }
}

TEST_F(TableTool, CheckReportsDamageWithExitStatusOne) {
    const auto good = dir_ / "AREACODES.DB";
    std::filesystem::copy_file(kCorpus + "/db/AREACODES.DB", good);
    std::filesystem::permissions(good, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::copy_file(kCorpus + "/db/AREACODES.PX", dir_ / "AREACODES.PX");
    std::filesystem::permissions(dir_ / "AREACODES.PX", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    auto r = run("check " + q(good));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("370"), std::string::npos);
    {
        // The index's count for the first block no longer matches the block.
        std::fstream f(dir_ / "AREACODES.PX", std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(0x800 + 6 + 5 + 2 + 1);
        f.put(0x10);
    }
    r = run("check " + q(good));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("AREACODES.PX"), std::string::npos) << r.err;
    std::filesystem::resize_file(good, 20000);
    r = run("check " + q(good));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("повреждён"), std::string::npos) << r.err;
}

TEST_F(TableTool, InfoAndUsage) {
    auto r = run("info " + q(kCorpus + "/mtdemo/EMPLOYEE.DB"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Версия: 3.x"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Записей: 21"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("EMPLOYEE.PX"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Employee Name"), std::string::npos) << r.out;
    for (const char* bad : {"", "frobnicate x", "dump", "import a.db", "dump " "/nonexistent/x.db"}) {
        SCOPED_TRACE(bad);
        r = run(bad);
        EXPECT_EQ(r.status, 1);
        EXPECT_FALSE(r.err.empty());
    }
}

}  // namespace
