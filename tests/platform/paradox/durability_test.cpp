// Crash safety, locks, other programs' changes, read-only files and bad files.
#include "platform/paradox/io.h"
#include "platform/paradox/table.h"
#include "platform/paradox/tsv.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace paradox::testing {
namespace {

using Texts = std::vector<std::optional<std::string>>;


void copyFolder(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::create_directories(to);
    for (const auto& e : std::filesystem::directory_iterator(from))
        if (e.is_regular_file()) std::filesystem::copy_file(e.path(), to / e.path().filename());
}

struct CrashCase {
    const char* name;
    std::function<void(Table&)> change;
    friend void PrintTo(const CrashCase& c, std::ostream* os) { *os << c.name; }
};

class CrashPoints : public TempFolder, public ::testing::WithParamInterface<CrashCase> {};

// The change is stopped after every possible number of writes and syncs; the
// reopened table must then hold exactly the old or exactly the new records.
TEST_P(CrashPoints, ReopenedTableHoldsOldOrNewNeverDamaged) {
    const auto fixture = dir_ / "fixture";
    std::filesystem::create_directories(fixture);
    {
        auto t = Table::create(fixture / "c.db", {{"Id", FieldType::AutoIncrement, 4}, {"Name", FieldType::Alpha, 200},
                                                 {"Sum", FieldType::Alpha, 100}}, 1);
        for (int i = 0; i < 13; ++i) t.insert({std::nullopt, "запись " + std::to_string(i + 1), "100.00"});
    }
    std::string oldDump, newDump;
    {
        copyFolder(fixture, dir_ / "expected");
        auto t = Table::open(dir_ / "expected" / "c.db");
        oldDump = dumpOf(t);
        GetParam().change(t);
        newDump = dumpOf(t);
        ASSERT_NE(oldDump, newDump);
    }
    bool sawOld = false;
    for (long budget = 0;; ++budget) {
        ASSERT_LT(budget, 200) << "the change never finished";
        const auto run = dir_ / ("run" + std::to_string(budget));
        copyFolder(fixture, run);
        bool stopped = false;
        {
            StoppingEnv env(budget);
            auto t = Table::open(run / "c.db", {.env = &env});
            try {
                GetParam().change(t);
            } catch (const StoppingEnv::Stopped&) {
                stopped = true;
            }
        }
        auto reopened = Table::open(run / "c.db");
        const std::string now = dumpOf(reopened);
        EXPECT_TRUE(now == oldDump || now == newDump) << "after " << budget << " steps:\n" << now;
        EXPECT_EQ(reopened.check(), std::vector<std::string>{}) << "after " << budget << " steps";
        EXPECT_FALSE(std::filesystem::exists(run / "c.db-journal"));
        if (now == oldDump) sawOld = true;
        std::filesystem::remove_all(run);
        if (!stopped) {
            EXPECT_EQ(now, newDump);
            break;
        }
    }
    EXPECT_TRUE(sawOld);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, CrashPoints,
    ::testing::Values(
        CrashCase{"UpdateText", [](Table& t) { t.update(4, {"5", "изменено", "250.50"}); }},
        CrashCase{"AppendIntoNewBlock", [](Table& t) { t.insert({std::nullopt, "новая", std::nullopt}); }},
        CrashCase{"InsertSplittingBlock", [](Table& t) { t.insert({"0", "перед первой", std::nullopt}); }},
        CrashCase{"RemoveLastRecordOfBlock", [](Table& t) { t.remove(12); }},
        CrashCase{"UpdateMovingKey", [](Table& t) { t.update(0, {"50", "первая стала последней", std::nullopt}); }}),
    [](const auto& info) { return std::string(info.param.name); });

class Sharing : public TempFolder {};

TEST_F(Sharing, LockHeldByAnotherHandleMakesWritesBusy) {
    auto path = smallKeyed();
    auto t = Table::open(path);
    int fd = ::open(path.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &fl), 0);
    try {
        t.insert({std::nullopt, "x", std::nullopt, std::nullopt});
        FAIL() << "wrote through a held lock";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Busy);
        EXPECT_NE(std::string(e.what()).find("занята"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("small.db"), std::string::npos);
    }
    EXPECT_EQ(t.recordCount(), 0u);
    // Reading waits for no one, but is refused while a change may be half-written;
    // and a journal beside a locked table belongs to that change: it is not rolled back.
    std::ofstream(path.string() + "-journal") << "in progress";
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            attempt == 0 ? (void)Table::open(path) : t.refresh();
            FAIL() << "read a table whose writer holds the lock";
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), ErrorKind::Busy);
        }
    }
    EXPECT_TRUE(std::filesystem::exists(path.string() + "-journal"));
    EXPECT_EQ(t.fields().size(), 4u);  // a refused refresh leaves the table as it was
    std::filesystem::remove(path.string() + "-journal");
    ::close(fd);
    t.refresh();
    EXPECT_EQ(t.insert({std::nullopt, "x", std::nullopt, std::nullopt}), 0u);
}

TEST_F(Sharing, RefreshShowsAnotherProgramsChangeAndStaleWritesAreRefused) {
    auto path = smallKeyed();
    auto a = Table::open(path);
    auto b = Table::open(path);
    a.insert({std::nullopt, "от A", std::nullopt, std::nullopt});
    EXPECT_EQ(b.recordCount(), 0u);
    b.refresh();
    ASSERT_EQ(b.recordCount(), 1u);
    EXPECT_EQ(b.text(0, 1), "от A");

    a.insert({std::nullopt, "ещё от A", std::nullopt, std::nullopt});
    try {
        b.update(0, {"1", "от B", std::nullopt, std::nullopt});
        FAIL() << "wrote over a change it had not read";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Busy);
    }
    EXPECT_EQ(b.recordCount(), 2u);  // read again
    b.update(0, {"1", "от B", std::nullopt, std::nullopt});
    auto c = Table::open(path);
    EXPECT_EQ(c.text(0, 1), "от B");
    EXPECT_EQ(c.text(1, 1), "ещё от A");
    EXPECT_TRUE(c.check().empty());
}

TEST_F(Sharing, ReadOnlyFileOpensForReadingOnlyAndSaysWhy) {
    auto path = smallKeyed();
    StoppingEnv env(-1);
    env.filesReadOnly = true;
    auto t = Table::open(path, {.env = &env});
    EXPECT_TRUE(t.readOnly());
    EXPECT_NE(t.readOnlyReason().find("только для чтения"), std::string::npos);
    try {
        t.insert({std::nullopt, "x", std::nullopt, std::nullopt});
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::ReadOnly);
        EXPECT_NE(std::string(e.what()).find("small.db"), std::string::npos);
    }
    auto asked = Table::open(path, {.readOnly = true});
    EXPECT_TRUE(asked.readOnly());
    EXPECT_THROW(asked.remove(0), Error);
}

TEST_F(Sharing, TextKeyWithForeignSortOrderIsNotChanged) {
    auto path = copyCorpus("mtdemo/EMPLOYEE.DB");
    EXPECT_FALSE(Table::open(path).readOnly());  // "ascii": byte order, as this library keeps keys
    {
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(0x29);
        f.put(0x4c);
    }
    auto t = Table::open(path);
    EXPECT_TRUE(t.readOnly());
    EXPECT_NE(t.readOnlyReason().find("порядком сортировки"), std::string::npos) << t.readOnlyReason();
}

TEST_F(Sharing, UnfinishedJournalIsDiscardedAndWholeOneRolledBack) {
    auto path = smallKeyed();
    {
        auto t = Table::open(path);
        t.insert({std::nullopt, "старое", std::nullopt, std::nullopt});
    }
    const std::string before = dumpOf(Table::open(path));
    // A journal cut short: the change it belonged to had not started.
    {
        std::ofstream j(path.string() + "-journal", std::ios::binary);
        j << "PXJRNL01 cut short";
    }
    EXPECT_EQ(dumpOf(Table::open(path)), before);
    EXPECT_FALSE(std::filesystem::exists(path.string() + "-journal"));
    // A read-only file with a journal beside it cannot be rolled back: said so.
    {
        std::ofstream j(path.string() + "-journal", std::ios::binary);
        j << "x";
    }
    StoppingEnv env(-1);
    env.filesReadOnly = true;
    try {
        Table::open(path, {.env = &env});
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::ReadOnly);
    }
}

struct BadFile {
    const char* name;
    std::function<void(const std::filesystem::path&)> make;
    ErrorKind kind;
    friend void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }
};

class BadFiles : public TempFolder, public ::testing::WithParamInterface<BadFile> {};

void patch(const std::filesystem::path& p, std::size_t offset, std::initializer_list<unsigned char> bytes) {
    std::fstream f(p, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(offset));
    for (auto b : bytes) f.put(static_cast<char>(b));
}

void copyTo(const char* corpus, const std::filesystem::path& p) {
    std::filesystem::copy_file(std::filesystem::path(kCorpus) / corpus, p);
    std::filesystem::permissions(p, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_P(BadFiles, GiveTheirOwnClearError) {
    const auto path = dir_ / "bad.db";
    GetParam().make(path);
    try {
        auto t = Table::open(path);
        for (std::size_t r = 0; r < t.recordCount(); ++r) (void)t.rowTexts(r);
        FAIL() << "opened";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), GetParam().kind) << e.what();
        EXPECT_NE(std::string(e.what()).find("bad."), std::string::npos) << e.what();  // names the file
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadFiles,
    ::testing::Values(
        BadFile{"Missing", [](const auto&) {}, ErrorKind::NotFound},
        BadFile{"Empty", [](const auto& p) { std::ofstream(p).flush(); }, ErrorKind::NotParadox},
        BadFile{"Text", [](const auto& p) { std::ofstream(p) << std::string(3000, 'z'); }, ErrorKind::NotParadox},
        BadFile{"Folder", [](const auto& p) { std::filesystem::create_directory(p); }, ErrorKind::NotParadox},
        BadFile{"IndexFile", [](const auto& p) { copyTo("fields/long.px", p); }, ErrorKind::NotParadox},
        BadFile{"Truncated", [](const auto& p) {
                    copyTo("db/AREACODES.DB", p);
                    std::filesystem::resize_file(p, 30000);
                }, ErrorKind::Corrupt},
        BadFile{"ChainLoop", [](const auto& p) {
                    copyTo("db/AREACODES.DB", p);
                    patch(p, 0x800 + 16384, {0x02, 0x00});  // block 2 points back at itself
                }, ErrorKind::Corrupt},
        BadFile{"RecordCountWrong", [](const auto& p) {
                    copyTo("fields/time.db", p);
                    patch(p, 0x06, {0x09});
                }, ErrorKind::Corrupt},
        BadFile{"FieldLengthsWrong", [](const auto& p) {
                    copyTo("fields/long.db", p);
                    patch(p, 0x78 + 1, {0x09});
                }, ErrorKind::Corrupt},
        BadFile{"MemoFileMissing", [](const auto& p) { copyTo("fields/memo.db", p); }, ErrorKind::NotFound},
        BadFile{"Encrypted", [](const auto& p) { copyTo("encrypt/encrypted.db", p); }, ErrorKind::Encrypted}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace paradox::testing
