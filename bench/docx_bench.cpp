// The merge's speed: open a package, seventeen replace-all passes, write it.
//   docx_bench [benchmark flags]        run the benchmarks
//   docx_bench --write-docs DIR         write the measured documents (for the peer comparison)
#include "platform/docx/document_writer.h"
#include "platform/docx/package.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

const char* const kFields[] = {"KKK",     "KNomer",  "KPredmet", "KObjekt", "KZakaz", "KSumma",
                               "KMetka",  "KDate",   "KPodr",    "KDZakaz", "KFZakaz", "KDPodr",
                               "KFPodr",  "KInfo",   "KDWork",   "KDHidden", "KWVS"};
constexpr int kFieldCount = 17;

std::string valueOf(int field)
{
    return std::string("значение поля ") + kFields[field] + " «ООО Строй»";
}

// A paragraph of body text holding `placeholders` placeholders; every third one is spread
// over three runs, as a word processor leaves them.
docx::Paragraph bodyParagraph(int seed, int placeholders)
{
    docx::Paragraph p;
    p.firstLine = 709;
    for (int k = 0; k < placeholders; ++k) {
        const char* name = kFields[(seed + k * 5) % kFieldCount];
        p.runs.push_back({"Подрядчик сообщает по контракту, что работы выполняются в срок, ", false, false});
        if ((seed + k) % 3 == 0) {
            p.runs.push_back({"<", false, false});
            p.runs.push_back({name, true, false});
            p.runs.push_back({">", false, false});
        } else {
            p.runs.push_back({std::string("<") + name + ">", false, false});
        }
    }
    p.runs.push_back({" и просит Заказчика принять их в порядке, установленном контрактом.", false, false});
    return p;
}

// About two pages: the blocks of a letter and a body of 24 paragraphs, each field at least once.
std::string letter()
{
    std::vector<docx::Paragraph> ps;
    for (int i = 0; i < 24; ++i)
        ps.push_back(bodyParagraph(i, i < kFieldCount ? 2 : 1));
    return docx::writeDocument(ps);
}

// `pages` pages of 25 paragraphs with four placeholders each: 100 placeholders a page.
std::string longDocument(int pages)
{
    std::vector<docx::Paragraph> ps;
    for (int i = 0; i < pages * 25; ++i)
        ps.push_back(bodyParagraph(i, 4));
    return docx::writeDocument(ps);
}

std::string merge(const std::string& bytes)
{
    docx::Package package = docx::Package::fromBytes(bytes, "bench.docx");
    for (int f = 0; f < kFieldCount; ++f)
        package.replaceAll(std::string("<") + kFields[f] + ">", valueOf(f));
    return package.toBytes();
}

void BM_TypicalLetter(benchmark::State& state)
{
    const std::string bytes = letter();
    for (auto _ : state)
        benchmark::DoNotOptimize(merge(bytes));
}
BENCHMARK(BM_TypicalLetter)->Unit(benchmark::kMillisecond);

void BM_LongDocument(benchmark::State& state)
{
    const std::string bytes = longDocument(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(merge(bytes));
    state.SetComplexityN(state.range(0));
    state.counters["placeholders"] = static_cast<double>(state.range(0) * 100);
}
BENCHMARK(BM_LongDocument)->Arg(25)->Arg(50)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-docs") == 0) {
        const std::filesystem::path dir = argv[2];
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "letter.docx", std::ios::binary) << letter();
        std::ofstream(dir / "long200.docx", std::ios::binary) << longDocument(200);
        std::ofstream values(dir / "values.json", std::ios::binary);
        values << "{";
        for (int f = 0; f < kFieldCount; ++f)
            values << (f ? "," : "") << "\"" << kFields[f] << "\":\"" << valueOf(f) << "\"";
        values << "}\n";
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
