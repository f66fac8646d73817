#include "app/startup.h"

#include "app/pending_change.h"
#include "app/screen_registry.h"
#include "contracts/data_module.h"

namespace app {

// Opens the contract table from the current folder; before the program ends, a pending
// contract change is saved or dropped on the user's word.
void createContractDataModule(ScreenRegistry& registry)
{
    auto module = std::make_shared<contracts::TfDM15>();
    std::weak_ptr<contracts::TfDM15> weak = module;
    registry.adoptDataModule(module);
    registry.setEndCheck([&registry, weak] {
        const auto dm = weak.lock();
        return !dm || settlePendingChange(dm->tbl1, registry.desktop(), registry.mainPage(), registry.applicationTitle());
    });
}

}  // namespace app
