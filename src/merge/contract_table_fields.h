// The contract table tbl1 as the merge's field source: its field definitions in file order and
// AsString of the current record (values written but not posted included).
#pragma once

#include "contracts/contract_table.h"
#include "merge/generate_letter.h"
#include "merge/merge_fields.h"

namespace merge {

class ContractTableFields : public MergeFields {
public:
    explicit ContractTableFields(contracts::ContractTable& table) : table_(table) {}
    int fieldCount() const override { return static_cast<int>(table_.FieldDefs().size()); }
    QString fieldName(int position) const override
    {
        return table_.FieldDefs().at(static_cast<std::size_t>(position)).name;
    }
    // FieldByName throws for a name the table has no field of, which ends the merge.
    QString fieldText(const QString& name) const override { return table_.FieldByName(name).AsString(); }

private:
    contracts::ContractTable& table_;
};

// The letter page's call: the merge over the shared contract table.
inline QString GenerateLetter(const QString& templateFile, const QString& workingCopyFile,
                              contracts::ContractTable& tbl1, desktop::Desktop& desktop, QWidget* parent = nullptr)
{
    const ContractTableFields fields(tbl1);
    return GenerateLetter(templateFile, workingCopyFile, fields, desktop, parent);
}

}  // namespace merge
