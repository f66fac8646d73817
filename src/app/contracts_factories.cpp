#include "app/screen_factories.h"
#include "app/screen_registry.h"
#include "app/screen_windows.h"

namespace app {

std::unique_ptr<QWidget> makeContractsPage(ScreenRegistry&)
{
    return bareScreen({QStringLiteral("Form3"), QStringLiteral("Страница контрактов"),
                       QRect(201, 115, 1100, 700), ui::TitleButtons::CloseOnly});
}

std::unique_ptr<QDialog> makeContractCard(ScreenRegistry&)
{
    return bareDialogScreen({QStringLiteral("Form5"), QStringLiteral("Карточка контракта"),
                             QRect(202, 114, 1088, 702), ui::TitleButtons::All});
}

}  // namespace app
