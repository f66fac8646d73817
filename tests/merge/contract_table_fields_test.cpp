// The merge over the real contract table: field order, the current record, unposted values.
#include "merge/contract_table_fields.h"

#include "contracts/memory_record_store.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<contracts::RecordStore> store()
{
    std::vector<contracts::FieldDef> fields = {{"KKK", 4, true}, {"KNomer", 60, false}, {"KDate", 40, false}};
    return std::make_unique<contracts::MemoryRecordStore>(
        fields, std::vector<QStringList>{{"1", "17/4", "01.02.2026"}, {"2", "0373", "03.03.2026"}});
}

TEST(ContractTableFields, FieldsInOrderAndTextsOfTheCurrentRecord)
{
    contracts::ContractTable table(store());
    const merge::ContractTableFields fields(table);
    ASSERT_EQ(fields.fieldCount(), 3);
    EXPECT_EQ(fields.fieldName(0), "KKK");
    EXPECT_EQ(fields.fieldName(2), "KDate");
    EXPECT_EQ(fields.fieldText("KNomer"), "17/4");
    table.moveTo(1);
    EXPECT_EQ(fields.fieldText("KNomer"), "0373");
    table.Edit();
    table.FieldByName("KNomer").setText("не сохранено");  // written, not posted: used
    EXPECT_EQ(fields.fieldText("KNomer"), "не сохранено");
    EXPECT_THROW(fields.fieldText("KNope"), std::exception);
}

TEST(ContractTableFields, EmptyTableGivesEmptyTexts)
{
    contracts::ContractTable table(std::make_unique<contracts::MemoryRecordStore>(
        std::vector<contracts::FieldDef>{{"KNomer", 60, false}}));
    const merge::ContractTableFields fields(table);
    EXPECT_EQ(fields.fieldText("KNomer"), QString());
}

}  // namespace
