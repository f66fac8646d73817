#include "app/screen_factories.h"
#include "app/screen_registry.h"
#include "contracts/contract_card.h"
#include "contracts/contracts_page.h"

#include <stdexcept>

namespace app {

std::unique_ptr<QWidget> makeContractsPage(ScreenRegistry& registry)
{
    return std::make_unique<contracts::TForm3>(registry, registry.desktop());
}

// Built after the data module, whose table its edits show.
std::unique_ptr<QDialog> makeContractCard(ScreenRegistry& registry)
{
    if (!registry.dataModule())
        throw std::logic_error("makeContractCard: the data module is not created yet");
    return std::make_unique<contracts::TForm5>(*registry.dataModule());
}

}  // namespace app
