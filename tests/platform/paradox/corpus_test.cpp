// Every table of the compatibility corpus reads exactly as its expected dump says.
#include "platform/paradox/table.h"
#include "platform/paradox/tsv.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

const std::string kCorpus = TELMA_CORPUS_DIR;

std::size_t utf8Count(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct CorpusCase {
    const char* table;
    const char* expected;
    friend void PrintTo(const CorpusCase& c, std::ostream* os) { *os << c.table; }
};

class CorpusDump : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusDump, MatchesExpectedText) {
    const auto& c = GetParam();
    auto table = paradox::Table::open(kCorpus + "/" + c.table, {.readOnly = true});
    std::ostringstream out;
    paradox::tsv::dump(table, out);
    const std::string expected = readFile(kCorpus + "/expected/" + c.expected);
    ASSERT_FALSE(expected.empty());
    // Compare line by line so that a failure names the first differing record.
    std::istringstream want(expected), got(out.str());
    std::string a, b;
    int line = 0;
    while (std::getline(want, a)) {
        ++line;
        ASSERT_TRUE(std::getline(got, b)) << "missing line " << line;
        ASSERT_EQ(a, b) << "line " << line;
    }
    EXPECT_FALSE(std::getline(got, b)) << "extra line: " << b;
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, CorpusDump,
    ::testing::Values(CorpusCase{"db/AREACODES.DB", "db_AREACODES.tsv"}, CorpusCase{"db/CUSTOMER.DB", "db_CUSTOMER.tsv"},
                      CorpusCase{"db/NOTE1251.DB", "db_NOTE1251.tsv"}, CorpusCase{"fields/date35.db", "fields_date35.tsv"},
                      CorpusCase{"fields/date4.db", "fields_date4.tsv"}, CorpusCase{"fields/date5.db", "fields_date5.tsv"},
                      CorpusCase{"fields/date7.db", "fields_date7.tsv"}, CorpusCase{"fields/logical.db", "fields_logical.tsv"},
                      CorpusCase{"fields/long.db", "fields_long.tsv"}, CorpusCase{"fields/memo.db", "fields_memo.tsv"},
                      CorpusCase{"fields/time.db", "fields_time.tsv"}, CorpusCase{"mtdemo/CUSTOMER.DB", "mtdemo_CUSTOMER.tsv"},
                      CorpusCase{"mtdemo/EMPLOYEE.DB", "mtdemo_EMPLOYEE.tsv"}),
    [](const auto& info) {
        std::string n = info.param.expected;
        n = n.substr(0, n.size() - 4);
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

}  // namespace

namespace {

paradox::Table openCorpus(const std::string& name) { return paradox::Table::open(kCorpus + "/" + name, {.readOnly = true}); }

std::vector<std::string> column(const paradox::Table& t, int field) {
    std::vector<std::string> out;
    for (std::size_t r = 0; r < t.recordCount(); ++r) out.push_back(t.text(r, field));
    return out;
}

TEST(CorpusFacts, BcdFieldsReadAsDecimalNumbers) {
    auto t = openCorpus("fields/bcd.db");
    ASSERT_EQ(t.recordCount(), 3u);
    EXPECT_EQ(column(t, 0), (std::vector<std::string>{"1.23", "-1.23", "0"}));
    EXPECT_EQ(column(t, 1), (std::vector<std::string>{"1", "-1", ""}));
    EXPECT_EQ(column(t, 2), (std::vector<std::string>{"0.123", "-0.123", "0.9999"}));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(t.value(2, 1)));
    EXPECT_EQ(t.fields()[0].type, paradox::FieldType::Bcd);
}

TEST(CorpusFacts, BlobAndMemoLengths) {
    auto bytes = openCorpus("fields/bytes.db");
    ASSERT_EQ(bytes.recordCount(), 1u);
    auto b = std::get<std::vector<std::uint8_t>>(bytes.value(0, 0));
    EXPECT_EQ(b.size(), 255u);

    auto fmemo = openCorpus("fields/fmemo.db");
    EXPECT_EQ(utf8Count(std::get<std::string>(fmemo.value(0, 1))), 169u);

    auto graphic = openCorpus("fields/graphic.db");
    ASSERT_EQ(graphic.recordCount(), 3u);
    EXPECT_EQ(std::get<std::vector<std::uint8_t>>(graphic.value(0, 1)).size(), 20078u);
    EXPECT_EQ(graphic.text(0, 2), "GIF");

    auto memo = openCorpus("fields/memo.db");
    EXPECT_EQ(utf8Count(memo.text(0, 1)), 555u);
    EXPECT_EQ(memo.text(1, 1), "01234567890\n");
}

TEST(CorpusFacts, TimestampsAndTimes) {
    auto t = openCorpus("fields/timestamp.db");
    EXPECT_EQ(column(t, 0), (std::vector<std::string>{"", "2020-02-01 01:00:01.000"}));
}

TEST(CorpusFacts, HeaderInformation) {
    struct Case {
        const char* file;
        int version;
        bool keyed;
        int codePage, effective;
    } cases[] = {
        {"db/AREACODES.DB", 70, true, 1252, 1252}, {"db/NOTE1251.DB", 70, true, 936, 1251},
        {"fields/date35.db", 35, false, 0, 1251},  {"mtdemo/EMPLOYEE.DB", 30, true, 0, 1251},
        {"fields/long.db", 50, true, 850, 850},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto t = openCorpus(c.file);
        EXPECT_EQ(t.info().version, c.version);
        EXPECT_EQ(t.info().keyed, c.keyed);
        EXPECT_EQ(t.info().codePage, c.codePage);
        EXPECT_EQ(t.info().effectiveCodePage, c.effective);
    }
    auto longTable = openCorpus("fields/long.db");
    EXPECT_EQ(longTable.info().autoIncrement, 3);
    EXPECT_EQ(longTable.info().keyFieldCount, 1);
    EXPECT_EQ(longTable.info().indexFiles, std::vector<std::string>{"long.px"});
    EXPECT_EQ(longTable.info().sortOrderName, "ascii");
    EXPECT_EQ(openCorpus("db/AREACODES.DB").info().sortOrderName, "DBWINUS0");
    EXPECT_EQ(openCorpus("mtdemo/EMPLOYEE.DB").info().sortOrderName, "");
}

TEST(CorpusFacts, SecondaryIndexesOpenForReadingOnly) {
    for (const char* f : {"db/CUSTOMER.DB", "db/AREACODES.DB"}) {
        SCOPED_TRACE(f);
        auto t = paradox::Table::open(kCorpus + "/" + f);
        EXPECT_TRUE(t.readOnly());
        EXPECT_NE(t.readOnlyReason().find("вторичные индексы"), std::string::npos) << t.readOnlyReason();
    }
}

TEST(CorpusFacts, PasswordProtectedTableIsRefused) {
    try {
        openCorpus("encrypt/encrypted.db");
        FAIL() << "opened an encrypted table";
    } catch (const paradox::Error& e) {
        EXPECT_EQ(e.kind(), paradox::ErrorKind::Encrypted);
        EXPECT_NE(std::string(e.what()).find("encrypted.db"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("паролем"), std::string::npos);
    }
}

}  // namespace
