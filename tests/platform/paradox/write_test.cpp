// Changing tables: insert, update, remove, create, and the checks on typed text.
#include "platform/paradox/io.h"
#include "platform/paradox/table.h"
#include "platform/paradox/tsv.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace paradox::testing {
namespace {

using Texts = std::vector<std::optional<std::string>>;


class Writing : public TempFolder {};

TEST_F(Writing, InsertedRecordsSurviveReopenWithCounterAndIndex) {
    auto path = smallKeyed();
    {
        auto t = Table::open(path);
        EXPECT_FALSE(t.readOnly());
        EXPECT_EQ(t.insert({std::nullopt, "Первый", "примечание", "1.5"}), 0u);
        EXPECT_EQ(t.insert({"", "Второй", std::nullopt, std::nullopt}), 1u);
        EXPECT_EQ(t.info().autoIncrement, 2);
    }
    auto t = Table::open(path);
    ASSERT_EQ(t.recordCount(), 2u);
    EXPECT_EQ(t.rowTexts(0), (Texts{"1", "Первый", "примечание", "1.5"}));
    EXPECT_EQ(t.rowTexts(1), (Texts{"2", "Второй", std::nullopt, std::nullopt}));
    EXPECT_EQ(t.info().autoIncrement, 2);
    EXPECT_EQ(t.info().effectiveCodePage, 1251);
    EXPECT_EQ(t.info().version, 70);
    EXPECT_TRUE(t.check().empty());
}

TEST_F(Writing, KeyedInsertsKeepKeyOrderAcrossBlockSplits) {
    auto path = smallKeyed();
    auto t = Table::open(path);
    std::vector<int> keys(60);
    for (int i = 0; i < 60; ++i) keys[static_cast<std::size_t>(i)] = (i * 37) % 60 + 1;  // a shuffled 1..60
    for (int k : keys) {
        auto row = t.insert({std::to_string(k), "r" + std::to_string(k), std::nullopt, std::nullopt});
        EXPECT_EQ(t.text(row, 0), std::to_string(k));
    }
    ASSERT_EQ(t.recordCount(), 60u);
    EXPECT_GT(t.info().blockCount, 10);
    for (std::size_t r = 0; r < 60; ++r) EXPECT_EQ(t.text(r, 0), std::to_string(r + 1));
    EXPECT_EQ(t.check(), std::vector<std::string>{});
    auto again = Table::open(path);
    EXPECT_EQ(dumpOf(again), dumpOf(t));
    EXPECT_TRUE(again.check().empty());
    EXPECT_EQ(again.info().autoIncrement, 60);
}

TEST_F(Writing, IndexGainsAnUpperLevelWhenOneBlockCannotHoldIt) {
    // Seven records per 2 KB block; 1,600 records need more entries than one index block holds.
    MemoryEnv env;
    auto t = Table::create("/mem/wide.db", {{"Id", FieldType::Long, 4}, {"Text", FieldType::Alpha, 250}, {"N", FieldType::Number, 8}},
                           1, &env);
    ASSERT_EQ(t.info().blockSize, 2048);
    for (int i = 1; i <= 1600; ++i) t.insert({std::to_string(i * 2), "строка", std::nullopt});
    EXPECT_EQ(t.insert({"601", "между", std::nullopt}), 300u);
    t.remove(0);
    t.remove(1000);
    EXPECT_EQ(t.check(), std::vector<std::string>{});
    const std::string* px = env.get("/mem/wide.px");
    ASSERT_NE(px, nullptr);
    EXPECT_EQ(static_cast<int>((*px)[0x20]), 2);  // index levels
    auto again = Table::open("/mem/wide.db", {.env = &env});
    EXPECT_EQ(again.recordCount(), 1599u);
    EXPECT_EQ(again.check(), std::vector<std::string>{});
    EXPECT_EQ(again.text(299, 0), "601");
}

TEST_F(Writing, DuplicateKeyIsRefused) {
    auto t = Table::open(smallKeyed());
    t.insert({"5", "a", std::nullopt, std::nullopt});
    try {
        t.insert({"5", "b", std::nullopt, std::nullopt});
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::BadValue);
    }
    EXPECT_EQ(t.recordCount(), 1u);
}

TEST_F(Writing, UpdateInPlaceAndUpdateThatMovesTheKey) {
    auto t = Table::open(smallKeyed());
    for (int i = 0; i < 20; ++i) t.insert({std::nullopt, "n" + std::to_string(i + 1), std::nullopt, std::nullopt});
    EXPECT_EQ(t.update(3, {"4", "четыре", "x", "2"}), 3u);
    EXPECT_EQ(t.rowTexts(3), (Texts{"4", "четыре", "x", "2"}));
    // An empty counter on update keeps the record's number.
    EXPECT_EQ(t.update(4, {std::nullopt, "пять", std::nullopt, std::nullopt}), 4u);
    EXPECT_EQ(t.text(4, 0), "5");
    // A new key moves the record to its place in key order.
    EXPECT_EQ(t.update(0, {"100", "сто", std::nullopt, std::nullopt}), 19u);
    EXPECT_EQ(t.text(19, 1), "сто");
    EXPECT_EQ(t.text(0, 0), "2");
    EXPECT_TRUE(t.check().empty());
    auto again = Table::open(t.path());
    EXPECT_EQ(dumpOf(again), dumpOf(t));
}

TEST_F(Writing, RemoveDownToEmptyAndInsertAgain) {
    auto t = Table::open(smallKeyed());
    for (int i = 0; i < 14; ++i) t.insert({std::nullopt, "n", std::nullopt, std::nullopt});
    t.remove(6);
    EXPECT_EQ(t.recordCount(), 13u);
    EXPECT_EQ(t.text(6, 0), "8");
    while (t.recordCount() > 0) t.remove(t.recordCount() - 1);
    EXPECT_EQ(t.info().blockCount, 0);
    EXPECT_TRUE(t.check().empty());
    auto again = Table::open(t.path());
    EXPECT_EQ(again.recordCount(), 0u);
    // The counter goes on from where it was; freed blocks are used again.
    EXPECT_EQ(again.insert({std::nullopt, "снова", std::nullopt, std::nullopt}), 0u);
    EXPECT_EQ(again.text(0, 0), "15");
    EXPECT_EQ(std::filesystem::file_size(t.path()), std::filesystem::file_size(again.path()));
    EXPECT_TRUE(again.check().empty());
}

TEST_F(Writing, UnkeyedTableAppendsAndKeepsOrder) {
    auto path = copyCorpus("fields/date7.db");
    auto t = Table::open(path);
    ASSERT_FALSE(t.readOnly()) << t.readOnlyReason();
    const auto before = t.recordCount();
    EXPECT_EQ(t.insert({"2021-12-31", "23:59:59.500"}), before);
    t.remove(0);
    auto again = Table::open(path);
    ASSERT_EQ(again.recordCount(), before);
    EXPECT_EQ(again.rowTexts(before - 1), (Texts{"2021-12-31", "23:59:59.500"}));
    EXPECT_EQ(again.text(0, 0), "2018-02-01");
}

TEST_F(Writing, CorpusKeyedTableKeepsItsIndexValid) {
    auto path = copyCorpus("fields/long.db");
    auto t = Table::open(path);
    ASSERT_TRUE(t.check().empty());
    EXPECT_EQ(t.insert({std::nullopt, "-7"}), 3u);
    EXPECT_EQ(t.rowTexts(3), (Texts{"4", "-7"}));
    t.update(0, {"1", "123456"});
    auto again = Table::open(path);
    EXPECT_EQ(again.rowTexts(0), (Texts{"1", "123456"}));
    EXPECT_EQ(again.info().autoIncrement, 4);
    EXPECT_TRUE(again.check().empty());
}

TEST_F(Writing, OldestFormatTableTakesChangesInKeyOrder) {
    auto path = copyCorpus("mtdemo/EMPLOYEE.DB");
    auto t = Table::open(path);
    ASSERT_FALSE(t.readOnly()) << t.readOnlyReason();
    ASSERT_EQ(t.info().version, 30);
    const auto n = t.recordCount();
    const auto at = t.insert({"A", "50", "Новый сотрудник"});
    EXPECT_EQ(t.rowTexts(at), (Texts{"A", "50", "Новый сотрудник"}));
    EXPECT_EQ(t.text(at - 1, 0), "A");
    EXPECT_EQ(t.text(at + 1, 0), "B");
    t.update(0, {"A", "1", "Cynthia Elkins-Smith"});
    auto again = Table::open(path);
    EXPECT_EQ(again.recordCount(), n + 1);
    EXPECT_EQ(again.text(0, 2), "Cynthia Elkins-Smith");
    EXPECT_EQ(again.rowTexts(at), (Texts{"A", "50", "Новый сотрудник"}));
    EXPECT_EQ(again.info().effectiveCodePage, 1251);
    EXPECT_TRUE(again.check().empty());
}

TEST_F(Writing, EveryTypedFieldRoundTripsThroughText) {
    auto path = dir_ / "types.db";
    Table::create(path,
                  {{"A", FieldType::Alpha, 10}, {"D", FieldType::Date, 4}, {"S", FieldType::Short, 2},
                   {"L", FieldType::Long, 4}, {"M", FieldType::Money, 8}, {"N", FieldType::Number, 8},
                   {"B", FieldType::Logical, 1}, {"T", FieldType::Time, 4}, {"TS", FieldType::Timestamp, 8},
                   {"C", FieldType::Bcd, 2}, {"Y", FieldType::Bytes, 4}, {"Memo", FieldType::Memo, 30}});
    auto t = Table::open(path);
    const Texts row{"Ёлка", "2024-02-29", "-32767", "2147483647", "-12.5", "3.14159265358979",
                    "0", "12:34:56.789", "2020-02-01 01:00:01.000", "-123.45", "00ff10a0", "строка\nвторая"};
    t.insert(row);
    t.insert(Texts(12, std::nullopt));
    auto again = Table::open(path);
    EXPECT_EQ(again.rowTexts(0), row);
    EXPECT_EQ(again.rowTexts(1), Texts(12, std::nullopt));
}

struct BadText {
    int field;
    std::string text;
    ErrorKind kind;
};

TEST_F(Writing, TextsTheFieldCannotHoldAreRefusedNamingTheField) {
    auto path = dir_ / "checks.db";
    Table::create(path, {{"KNomer", FieldType::Alpha, 5}, {"Count", FieldType::Short, 2},
                         {"When", FieldType::Date, 4}, {"Price", FieldType::Bcd, 2}, {"Memo", FieldType::Memo, 15}});
    auto t = Table::open(path);
    const BadText cases[] = {
        {0, "123456", ErrorKind::TooLong},           {0, "ЖЖЖЖЖЖ", ErrorKind::TooLong},
        {0, "日本", ErrorKind::Unrepresentable},       {0, std::string("a\xff", 2), ErrorKind::BadValue},
        {1, "40000", ErrorKind::BadValue},           {1, "12x", ErrorKind::BadValue},
        {2, "2023-02-29", ErrorKind::BadValue},      {2, "вчера", ErrorKind::BadValue},
        {3, "1.234", ErrorKind::BadValue},           {4, "это длиннее пяти", ErrorKind::TooLong},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            t.checkText(c.field, c.text);
            FAIL() << "accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), c.kind);
            EXPECT_NE(std::string(e.what()).find("Поле \"" + t.fields()[static_cast<std::size_t>(c.field)].name + "\""),
                      std::string::npos)
                << e.what();
        }
        Texts row(5, std::nullopt);
        row[static_cast<std::size_t>(c.field)] = c.text;
        EXPECT_THROW(t.insert(row), Error);
    }
    EXPECT_EQ(t.recordCount(), 0u);
    EXPECT_NO_THROW(t.checkText(0, "ЖЖЖЖЖ"));
    EXPECT_NO_THROW(t.checkText(0, ""));
    try {
        t.insert({"a"});
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::BadValue);
    }
    EXPECT_EQ(Table::open(path).recordCount(), 0u);
}

TEST_F(Writing, CreateRefusesAnExistingFileAndBadDefinitions) {
    auto path = smallKeyed();
    EXPECT_THROW(Table::create(path, {{"X", FieldType::Alpha, 10}}), Error);
    EXPECT_THROW(Table::create(dir_ / "b.db", {{"X", FieldType::Alpha, 0}}), Error);
    EXPECT_THROW(Table::create(dir_ / "c.db", {{"X", FieldType::Alpha, 5}, {"X", FieldType::Alpha, 5}}), Error);
    EXPECT_THROW(Table::create(dir_ / "d.db", {{"X", FieldType::Date, 3}}), Error);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "b.db"));
}

}  // namespace
}  // namespace paradox::testing
