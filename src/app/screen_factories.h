// One factory per kind of screen. Start-up calls them in its fixed order; each returns a
// hidden, fully built screen whose objectName is its instance name.
#pragma once

#include <QDialog>
#include <QWidget>

#include <memory>

namespace app {

class ScreenRegistry;

std::unique_ptr<QWidget> makeMainPage(ScreenRegistry& registry);
std::unique_ptr<QWidget> makeContractsPage(ScreenRegistry& registry);
std::unique_ptr<QDialog> makeContractCard(ScreenRegistry& registry);
// formNumber: 6, 9 to 12, 14, 16 to 59.
std::unique_ptr<QWidget> makeLetterPage(ScreenRegistry& registry, int formNumber);
std::unique_ptr<QWidget> makeLettersIndex(ScreenRegistry& registry);
std::unique_ptr<QWidget> makeCabinetPage(ScreenRegistry& registry);
// formNumber: 61 consultation, 62 order a letter, 63 feedback.
std::unique_ptr<QWidget> makeContactPage(ScreenRegistry& registry, int formNumber);
// formNumber: 64, 65, 67.
std::unique_ptr<QWidget> makeGuidancePage(ScreenRegistry& registry, int formNumber);

// The letter pages' class numbers in creation order.
const std::vector<int>& letterPageNumbers();

}  // namespace app
