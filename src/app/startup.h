// Start-up: every screen and the data module created once, hidden, in the fixed order
// (the main page first, so it is the main window), then the event loop until the main
// page is closed.
#pragma once

#include <functional>
#include <memory>

namespace desktop { class Desktop; }

namespace app {

class ScreenRegistry;
class TelmaApplication;

// Creates the data module (opening the contract table) and hands it to the registry;
// throws when the table cannot be opened.
using DataModuleFactory = std::function<void(ScreenRegistry&)>;

// The data module of the contract table.
void createContractDataModule(ScreenRegistry& registry);

// Builds the screens and the data module in start-up order.
void buildScreens(ScreenRegistry& registry, const DataModuleFactory& makeDataModule = createContractDataModule);

// Builds everything, shows the main page and runs the event loop. A failure while building
// shows the "Application Error" box and returns 1; otherwise returns 0 when the main page
// has been closed.
int runTelma(TelmaApplication& application, desktop::Desktop& desktop,
             const DataModuleFactory& makeDataModule = createContractDataModule);

}  // namespace app
