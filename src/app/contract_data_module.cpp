#include "app/startup.h"

#include "app/screen_registry.h"

namespace app {

// The contract table's data module comes with the contract register; until it is in the
// build, start-up runs without a table.
void createContractDataModule(ScreenRegistry&)
{
}

}  // namespace app
