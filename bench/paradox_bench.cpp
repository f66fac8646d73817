// Contract tables of 100, 10,000 and 100,000 records: open and read every record
// as text; one durable update, append and delete (journal and syncs included).
#include "platform/paradox/io.h"
#include "support/no_sync_env.h"
#include "platform/paradox/table.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using Texts = std::vector<std::optional<std::string>>;

const std::vector<paradox::FieldDef>& contractFields() {
    using paradox::FieldType;
    static const std::vector<paradox::FieldDef> fields = {
        {"KKK", FieldType::AutoIncrement, 4}, {"KNomer", FieldType::Alpha, 60},   {"KPredmet", FieldType::Alpha, 255},
        {"KObjekt", FieldType::Alpha, 255},   {"KZakaz", FieldType::Alpha, 255},  {"KSumma", FieldType::Alpha, 40},
        {"KMetka", FieldType::Alpha, 255},    {"KDate", FieldType::Alpha, 40},    {"KPodr", FieldType::Alpha, 255},
        {"KDZakaz", FieldType::Alpha, 120},   {"KFZakaz", FieldType::Alpha, 120}, {"KDPodr", FieldType::Alpha, 120},
        {"KFPodr", FieldType::Alpha, 120},    {"KInfo", FieldType::Alpha, 255},   {"KDWork", FieldType::Alpha, 40},
        {"KDHidden", FieldType::Alpha, 255},  {"KWVS", FieldType::Alpha, 120},
    };
    return fields;
}

Texts contract(long i) {
    const std::string n = std::to_string(i);
    return {std::nullopt, n + "/2024-СМР", "Капитальный ремонт кровли и фасада здания № " + n,
            "г. Москва, ул. Строителей, д. " + n, "ГБУ «Жилищник района № " + n + "»", "1250000.00",
            std::nullopt, "12.03.2024", "ООО «СтройМонтаж»", "Директор", "Иванов И. И.", "Генеральный директор",
            "Петров П. П.", std::nullopt, "31.12.2024", std::nullopt, "государственный контракт"};
}

std::filesystem::path dataFolder() {
    auto dir = std::filesystem::path(TELMA_BINARY_DIR) / "bench-data" / "paradox";
    std::filesystem::create_directories(dir);
    return dir;
}

// A generated table of n records, made once and kept in the build tree.
std::filesystem::path generated(long n) {
    const auto dir = dataFolder() / ("contracts-" + std::to_string(n));
    const auto db = dir / "71BKontrakts.db";
    if (std::filesystem::exists(dir / "done")) return db;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    bench_support::NoSyncEnv env;
    auto t = paradox::Table::create(db, contractFields(), 1, &env);
    for (long i = 0; i < n; ++i) t.insert(contract(i + 1));
    std::ofstream(dir / "done") << n;
    return db;
}

// A fresh copy of a generated table for benchmarks that change it.
std::filesystem::path workingCopy(long n) {
    const auto src = generated(n);
    const auto dir = dataFolder() / ("work-" + std::to_string(n));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const auto& e : std::filesystem::directory_iterator(src.parent_path()))
        if (e.path().filename() != "done") std::filesystem::copy_file(e.path(), dir / e.path().filename());
    return dir / src.filename();
}

void BM_OpenAndReadAll(benchmark::State& state) {
    const auto db = generated(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto t = paradox::Table::open(db, {.readOnly = true});
        for (std::size_t r = 0; r < t.recordCount(); ++r) {
            auto texts = t.rowTexts(r);
            for (const auto& s : texts)
                if (s) bytes += s->size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_OpenOnly(benchmark::State& state) {
    const auto db = generated(state.range(0));
    for (auto _ : state) {
        auto t = paradox::Table::open(db, {.readOnly = true});
        benchmark::DoNotOptimize(t.recordCount());
    }
}

void BM_DurableUpdate(benchmark::State& state) {
    const auto db = workingCopy(state.range(0));
    auto t = paradox::Table::open(db);
    const std::size_t row = t.recordCount() / 2;
    auto texts = t.rowTexts(row);
    long i = 0;
    for (auto _ : state) {
        texts[5] = std::to_string(++i) + ".00";
        t.update(row, texts);
    }
}

void BM_DurableAppend(benchmark::State& state) {
    const auto db = workingCopy(state.range(0));
    auto t = paradox::Table::open(db);
    long i = 0;
    for (auto _ : state) t.insert(contract(++i));
}

void BM_DurableDelete(benchmark::State& state) {
    const auto db = workingCopy(state.range(0));
    auto t = paradox::Table::open(db);
    const std::size_t row = t.recordCount() / 2;
    for (auto _ : state) {
        state.PauseTiming();
        auto texts = t.rowTexts(row);
        state.ResumeTiming();
        t.remove(row);
        state.PauseTiming();
        t.insert(texts);  // put it back, so that every delete meets the same table
        state.ResumeTiming();
    }
}

BENCHMARK(BM_OpenAndReadAll)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenOnly)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DurableUpdate)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DurableAppend)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DurableDelete)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
