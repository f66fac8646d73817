// The contract table's seventeen fields in their order: KKK an autoincrement key
// (so that a record posted without it is still stored), the others Alpha texts long
// enough for real contract data.
#pragma once

#include "platform/paradox/table.h"

#include <vector>

namespace telma {

inline constexpr const char* kContractTableFile = "71BKontrakts.db";

inline std::vector<paradox::FieldDef> contractFields() {
    using paradox::FieldType;
    return {
        {"KKK", FieldType::AutoIncrement, 4}, {"KNomer", FieldType::Alpha, 60},
        {"KPredmet", FieldType::Alpha, 255},  {"KObjekt", FieldType::Alpha, 255},
        {"KZakaz", FieldType::Alpha, 255},    {"KSumma", FieldType::Alpha, 40},
        {"KMetka", FieldType::Alpha, 255},    {"KDate", FieldType::Alpha, 40},
        {"KPodr", FieldType::Alpha, 255},     {"KDZakaz", FieldType::Alpha, 120},
        {"KFZakaz", FieldType::Alpha, 120},   {"KDPodr", FieldType::Alpha, 120},
        {"KFPodr", FieldType::Alpha, 120},    {"KInfo", FieldType::Alpha, 255},
        {"KDWork", FieldType::Alpha, 40},     {"KDHidden", FieldType::Alpha, 255},
        {"KWVS", FieldType::Alpha, 120},
    };
}

inline constexpr int kContractKeyFields = 1;

}  // namespace telma
