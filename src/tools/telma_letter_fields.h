// One record of a Paradox contract table as the merge's field source.
#pragma once

#include "merge/merge_fields.h"
#include "platform/paradox/table.h"

namespace telma_letter {

class TableRecordFields : public merge::MergeFields {
public:
    // `row` counted from 0 in table order; it must exist.
    TableRecordFields(const paradox::Table& table, std::size_t row) : table_(table), row_(row) {}
    int fieldCount() const override { return static_cast<int>(table_.fields().size()); }
    QString fieldName(int position) const override
    {
        return QString::fromStdString(table_.fields().at(static_cast<std::size_t>(position)).name);
    }
    QString fieldText(const QString& name) const override
    {
        const int index = table_.fieldIndex(name.toStdString());
        if (index < 0)
            throw merge::MergeError(QStringLiteral("В таблице «%1» нет поля «%2».")
                                        .arg(QString::fromStdString(table_.path().string()), name));
        return QString::fromStdString(table_.text(row_, index));
    }

private:
    const paradox::Table& table_;
    std::size_t row_;
};

}  // namespace telma_letter
