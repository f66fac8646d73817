// The data module TfDM15: the contract table tbl1 and its data source ds1. The application
// owns the one instance (fDM15) and hands it to the screens by reference.
#pragma once

#include "contracts/contract_table.h"
#include "contracts/data_source.h"

#include <filesystem>
#include <memory>

namespace contracts {

// The fields no screen writes; their stored values still reach the letters.
inline constexpr const char* kUnwrittenFields[] = {"KKK", "KMetka", "KInfo", "KDWork", "KDHidden"};

class TfDM15 {
public:
    static constexpr const char* kTableFile = "71BKontrakts.db";

    // Opens the table file (by default "71BKontrakts.db" in the current directory); throws
    // an error naming the file and the folder when it cannot be opened.
    explicit TfDM15(const std::filesystem::path& file = kTableFile);
    // Over any store (tests, tools).
    explicit TfDM15(std::unique_ptr<RecordStore> store);

    TfDM15(const TfDM15&) = delete;
    TfDM15& operator=(const TfDM15&) = delete;

    ContractTable tbl1;
    DataSource ds1;
};

}  // namespace contracts
