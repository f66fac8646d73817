#include "app/startup.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>

#include "app/app_title.h"
#include "app/error_display.h"
#include "app/screen_factories.h"
#include "app/screen_registry.h"
#include "app/telma_application.h"
#include "contracts/contracts_page.h"
#include "platform/desktop.h"

namespace app {

void buildScreens(ScreenRegistry& registry, const DataModuleFactory& makeDataModule)
{
    registry.add(makeMainPage(registry));
    registry.add(makeContractsPage(registry));
    makeDataModule(registry);
    // The contracts page was built before the table was open; it is bound now.
    if (auto* contractsPage = qobject_cast<contracts::TForm3*>(registry.screen(QStringLiteral("Form3"))))
        contractsPage->setDataModule(registry.dataModule());
    registry.add(makeContractCard(registry));
    for (int number : letterPageNumbers()) {
        registry.add(makeLetterPage(registry, number));
        if (number == 6)
            registry.add(makeLettersIndex(registry));
    }
    registry.add(makeCabinetPage(registry));
    for (int number : {61, 62, 63})
        registry.add(makeContactPage(registry, number));
    for (int number : {64, 65, 67})
        registry.add(makeGuidancePage(registry, number));
}

int runTelma(TelmaApplication& application, desktop::Desktop& desktop, const DataModuleFactory& makeDataModule)
{
    const QString title = applicationTitle(QCoreApplication::applicationFilePath());
    std::unique_ptr<ScreenRegistry> registry;
    try {
        registry = std::make_unique<ScreenRegistry>(desktop, title);
        buildScreens(*registry, makeDataModule);
    } catch (const std::exception& error) {
        registry.reset();
        const QString message = QString::fromUtf8(error.what());
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        desktop.message(nullptr, QStringLiteral("Application Error"), message, desktop::Icon::Error);
        return 1;
    }

    ErrorDisplay errorDisplay(desktop, title);
    application.setErrorDisplay(&errorDisplay);
    // Queued, so the main page's close finishes before the loop ends.
    QObject::connect(registry.get(), &ScreenRegistry::ended, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    showScreen(registry->mainPage());
    application.exec();
    application.setErrorDisplay(nullptr);
    registry.reset();
    return 0;
}

}  // namespace app
