// Long random sequences of changes, compared after every step with a plain list:
// block splits, emptied blocks, reused blocks and moved keys all meet here.
#include "platform/paradox/io.h"
#include "platform/paradox/table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace paradox {
namespace {

using Texts = std::vector<std::optional<std::string>>;

void expectSame(const Table& t, const std::vector<Texts>& model, int step) {
    ASSERT_EQ(t.recordCount(), model.size()) << "step " << step;
    for (std::size_t r = 0; r < model.size(); ++r) ASSERT_EQ(t.rowTexts(r), model[r]) << "step " << step << " row " << r;
}

TEST(RandomChanges, KeyedTableMatchesASortedList) {
    MemoryEnv env;
    auto t = Table::create("/mem/k.db", {{"Id", FieldType::Long, 4}, {"Text", FieldType::Alpha, 250}, {"N", FieldType::Short, 2}},
                           1, &env);
    std::vector<Texts> model;
    std::mt19937 rng(20241211);
    auto keyOf = [](const Texts& r) { return std::stol(*r[0]); };
    for (int step = 0; step < 1500; ++step) {
        const int op = static_cast<int>(rng() % 10);
        if (op < 5 || model.empty()) {
            long key = static_cast<long>(rng() % 5000);
            Texts row{std::to_string(key), "запись " + std::to_string(step), std::to_string(step % 300)};
            auto pos = std::lower_bound(model.begin(), model.end(), key, [&](const Texts& r, long k) { return keyOf(r) < k; });
            if (pos != model.end() && keyOf(*pos) == key) {
                EXPECT_THROW(t.insert(row), Error);
            } else {
                auto at = t.insert(row);
                EXPECT_EQ(at, static_cast<std::size_t>(pos - model.begin()));
                model.insert(pos, row);
            }
        } else if (op < 8) {
            std::size_t r = rng() % model.size();
            t.remove(r);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(r));
        } else {
            std::size_t r = rng() % model.size();
            Texts row = model[r];
            row[1] = "изменено " + std::to_string(step);
            if (op == 9) row[0] = std::to_string(rng() % 5000);  // the key moves
            const long key = std::stol(*row[0]);
            bool clash = false;
            for (std::size_t i = 0; i < model.size(); ++i)
                if (i != r && keyOf(model[i]) == key) clash = true;
            if (clash) {
                EXPECT_THROW(t.update(r, row), Error);
            } else {
                auto at = t.update(r, row);
                model.erase(model.begin() + static_cast<std::ptrdiff_t>(r));
                auto pos = std::lower_bound(model.begin(), model.end(), key, [&](const Texts& x, long k) { return keyOf(x) < k; });
                EXPECT_EQ(at, static_cast<std::size_t>(pos - model.begin()));
                model.insert(pos, row);
            }
        }
        expectSame(t, model, step);
        if (step % 100 == 0) {
            ASSERT_EQ(t.check(), std::vector<std::string>{}) << "step " << step;
        }
    }
    auto again = Table::open("/mem/k.db", {.env = &env});
    expectSame(again, model, -1);
    EXPECT_EQ(again.check(), std::vector<std::string>{});
}

TEST(RandomChanges, UnkeyedTableMatchesAList) {
    MemoryEnv env;
    auto t = Table::create("/mem/u.db", {{"Text", FieldType::Alpha, 255}, {"D", FieldType::Date, 4}}, 0, &env);
    std::vector<Texts> model;
    std::mt19937 rng(7);
    for (int step = 0; step < 1200; ++step) {
        const int op = static_cast<int>(rng() % 10);
        if (op < 5 || model.empty()) {
            Texts row{"строка " + std::to_string(step), std::nullopt};
            EXPECT_EQ(t.insert(row), model.size());
            model.push_back(row);
        } else if (op < 8) {
            std::size_t r = rng() % model.size();
            t.remove(r);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(r));
        } else {
            std::size_t r = rng() % model.size();
            model[r][1] = "2024-01-" + std::to_string(10 + step % 19);
            EXPECT_EQ(t.update(r, model[r]), r);
        }
        expectSame(t, model, step);
    }
    auto again = Table::open("/mem/u.db", {.env = &env});
    expectSame(again, model, -1);
    EXPECT_TRUE(again.check().empty());
}

}  // namespace
}  // namespace paradox
