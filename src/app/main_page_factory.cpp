#include "app/main_page.h"
#include "app/screen_factories.h"
#include "app/screen_registry.h"

namespace app {

std::unique_ptr<QWidget> makeMainPage(ScreenRegistry& registry)
{
    return std::make_unique<TForm1>(registry, [&registry] { return registry.requestEnd(); });
}

}  // namespace app
