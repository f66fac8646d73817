// A data module over the contract table's seventeen fields held in memory, for widget tests
// that need the shared table without a file.
#pragma once

#include "contracts/data_module.h"
#include "contracts/memory_record_store.h"
#include "tools/contract_schema.h"

#include <QStringList>

#include <filesystem>
#include <optional>
#include <string>

#include <memory>
#include <vector>

namespace testing_support {

inline std::vector<contracts::FieldDef> contractFieldDefs() {
    std::vector<contracts::FieldDef> defs;
    for (const paradox::FieldDef& f : telma::contractFields())
        defs.push_back({QString::fromStdString(f.name), f.type == paradox::FieldType::AutoIncrement ? 0 : f.length,
                        f.type == paradox::FieldType::AutoIncrement});
    return defs;
}

// A record with KKK, KNomer and KPredmet set; the other fields empty.
inline QStringList contractRow(int key, const QString& nomer, const QString& predmet = QString()) {
    QStringList row;
    for (std::size_t i = 0; i < telma::contractFields().size(); ++i) row.append(QString());
    row[0] = QString::number(key);
    row[1] = nomer;
    row[2] = predmet;
    return row;
}

// A new contract table file "71BKontrakts.db" in the folder, one record per number (KNomer).
inline std::filesystem::path createContractFile(const QString& folder, const std::vector<std::string>& numbers) {
    const auto file = std::filesystem::path(folder.toStdString()) / telma::kContractTableFile;
    auto table = paradox::Table::create(file, telma::contractFields(), telma::kContractKeyFields);
    std::vector<std::optional<std::string>> row(telma::contractFields().size());
    for (const std::string& number : numbers) {
        row[1] = number;
        table.insert(row);
    }
    return file;
}

struct MemoryContracts {
    contracts::MemoryRecordStore* store = nullptr;
    std::shared_ptr<contracts::TfDM15> module;

    explicit MemoryContracts(std::vector<QStringList> rows = {}) {
        auto s = std::make_unique<contracts::MemoryRecordStore>(contractFieldDefs(), std::move(rows),
                                                                 QStringLiteral("71BKontrakts.db"));
        store = s.get();
        module = std::make_shared<contracts::TfDM15>(std::move(s));
    }
    contracts::ContractTable& table() { return module->tbl1; }
    // A stored value by field name.
    QString stored(std::size_t row, const char* field) const {
        return store->rows().at(row).value(module->tbl1.fieldIndex(QString::fromLatin1(field)));
    }
};

}  // namespace testing_support
