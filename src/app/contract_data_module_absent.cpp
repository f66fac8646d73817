#include "app/startup.h"

#include <stdexcept>

namespace app {

// Built only when the contract register is missing from the build: the program cannot
// work without its table, so start-up says so.
void createContractDataModule(ScreenRegistry&)
{
    throw std::runtime_error("Программа собрана без таблицы контрактов: соберите её вместе с модулем контрактов");
}

}  // namespace app
