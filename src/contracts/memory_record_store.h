// A record store held in memory: for tests of the editing rules and for tools that need a
// table without a file. Writes can be made to fail, as a locked file would.
#pragma once

#include "contracts/record_store.h"

#include <functional>

namespace contracts {

class MemoryRecordStore final : public RecordStore {
public:
    MemoryRecordStore(std::vector<FieldDef> fields, std::vector<QStringList> rows = {},
                      QString location = QStringLiteral("память"));

    const std::vector<FieldDef>& fields() const override { return fields_; }
    std::size_t rowCount() const override { return rows_.size(); }
    QStringList rowTexts(std::size_t row) const override;
    std::size_t update(std::size_t row, const QStringList& texts) override;
    std::size_t insert(const QStringList& texts) override;
    void remove(std::size_t row) override;
    void checkText(int field, const QString& text) const override;
    void refresh() override { ++refreshCount_; }
    bool readOnly() const override { return readOnly_; }
    QString location() const override { return location_; }

    void setReadOnly(bool on) { readOnly_ = on; }
    // Called before every write; throw from it to refuse the write.
    void setWriteHook(std::function<void(const char* operation)> hook) { hook_ = std::move(hook); }
    std::vector<QStringList>& rows() { return rows_; }
    int refreshCount() const { return refreshCount_; }

private:
    QStringList normalised(const QStringList& texts) const;

    std::vector<FieldDef> fields_;
    std::vector<QStringList> rows_;
    QString location_;
    bool readOnly_ = false;
    long long counter_ = 0;
    int refreshCount_ = 0;
    std::function<void(const char*)> hook_;
};

}  // namespace contracts
