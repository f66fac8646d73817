#include "contract_table_file.h"

#include "platform/paradox/io.h"
#include "support/no_sync_env.h"
#include "platform/paradox/table.h"
#include "tools/contract_schema.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace contracts_bench {

namespace fs = std::filesystem;

namespace {

// A realistic contract: every field the page shows filled, the notes fields empty, texts
// varying from record to record.
std::vector<std::optional<std::string>> contract(long i) {
    static const char* const objects[] = {"здания школы", "детского сада", "поликлиники", "жилого дома",
                                          "котельной", "спортивного комплекса"};
    static const char* const streets[] = {"Садовая", "Ленина", "Строителей", "Первомайская", "Заводская"};
    const std::string n = std::to_string(i);
    return {std::nullopt,
            "0148300012525" + n,
            std::string("Капитальный ремонт кровли и фасада ") + objects[i % 6] + " № " + n,
            std::string("г. Тула, ул. ") + streets[i % 5] + ", д. " + std::to_string(1 + i % 170),
            "Управление капитального строительства администрации г. Тулы",
            std::to_string(1000000 + (i * 1375) % 90000000) + ".50",
            std::nullopt,
            std::to_string(1 + i % 28) + "." + (i % 12 < 9 ? "0" : "") + std::to_string(1 + i % 12) + ".2025",
            "ООО «СтройМонтаж»",
            "Начальник управления",
            "Петрова Е. А.",
            "Генеральный директор",
            "Соколов И. В.",
            std::nullopt,
            std::nullopt,
            std::nullopt,
            "Муниципальный контракт"};
}

fs::path dataFolder() { return fs::path(TELMA_BINARY_DIR) / "bench-data" / "contracts"; }

}  // namespace

fs::path generatedTable() {
    const fs::path dir = dataFolder() / ("contracts-" + std::to_string(kRecords));
    const fs::path table = dir / telma::kContractTableFile;
    if (fs::exists(dir / "done")) return table;

    // Made beside the final folder and renamed into place when complete, so that an
    // interrupted generation never leaves a short table that looks finished.
    const fs::path partial = dataFolder() / ("contracts-" + std::to_string(kRecords) + ".partial");
    fs::remove_all(partial);
    fs::create_directories(partial);
    const auto start = std::chrono::steady_clock::now();
    {
        bench_support::NoSyncEnv env;
        auto t = paradox::Table::create(partial / telma::kContractTableFile, telma::contractFields(),
                                        telma::kContractKeyFields, &env);
        for (long i = 0; i < kRecords; ++i) t.insert(contract(i + 1));
    }
    std::ofstream(partial / "done") << kRecords << '\n';
    fs::remove_all(dir);
    fs::rename(partial, dir);
    std::fprintf(stderr, "contracts_bench: table of %ld contracts generated in %.1f s (%s)\n", kRecords,
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                 table.c_str());
    return table;
}

namespace {

// Copies left by runs that died before cleaning up (each is the size of the table).
void removeAbandonedCopies() {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dataFolder(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("work-", 0) != 0) continue;
        const long pid = std::strtol(name.c_str() + 5, nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), ec);
    }
}

}  // namespace

WorkingCopy::WorkingCopy() {
    const fs::path source = generatedTable();
    removeAbandonedCopies();
    folder_ = dataFolder() / ("work-" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (const auto& entry : fs::directory_iterator(source.parent_path())) {
        if (entry.path().filename() == "done") continue;
        const fs::path copied = folder_ / entry.path().filename();
        fs::copy_file(entry.path(), copied);
        // On disk before the clock starts: otherwise the first post's sync writes out the
        // whole copy and its time is the copy's, not the post's.
        const int fd = ::open(copied.c_str(), O_RDONLY);
        if (fd < 0 || ::fsync(fd) != 0) throw std::runtime_error("cannot sync the working copy " + copied.string());
        ::close(fd);
    }
    table_ = folder_ / source.filename();
}

WorkingCopy::~WorkingCopy() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

}  // namespace contracts_bench
