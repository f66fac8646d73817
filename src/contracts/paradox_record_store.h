// The record store over a Paradox table file: texts in UTF-8 on the library's side, QString
// here. Rows read for the grids are kept in a small cache, dropped on every write.
#pragma once

#include "contracts/record_store.h"
#include "platform/paradox/table.h"

#include <QHash>

#include <filesystem>

namespace contracts {

class ParadoxRecordStore final : public RecordStore {
public:
    explicit ParadoxRecordStore(paradox::Table table);
    // Opens the file for reading and writing, or for reading only when the file allows no more.
    static std::unique_ptr<ParadoxRecordStore> open(const std::filesystem::path& path);

    const std::vector<FieldDef>& fields() const override { return fields_; }
    std::size_t rowCount() const override { return table_.recordCount(); }
    QStringList rowTexts(std::size_t row) const override;
    std::size_t update(std::size_t row, const QStringList& texts) override;
    std::size_t insert(const QStringList& texts) override;
    void remove(std::size_t row) override;
    void checkText(int field, const QString& text) const override;
    void refresh() override;
    bool readOnly() const override { return table_.readOnly(); }
    QString location() const override;

    paradox::Table& table() { return table_; }

private:
    static std::vector<std::optional<std::string>> toStore(const QStringList& texts, std::size_t n);

    paradox::Table table_;
    std::vector<FieldDef> fields_;
    mutable QHash<qsizetype, QStringList> cache_;
};

}  // namespace contracts
