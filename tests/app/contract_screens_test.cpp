// The contracts page and the card inside the running application: bound to the one data
// module at start-up, the card shown modally from the grid, a refused save reported by the
// general error display while the card stays open.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include <stdexcept>

#include "app/error_display.h"
#include "app/screen_registry.h"
#include "app/startup.h"
#include "contracts/bound_edit.h"
#include "contracts/contract_card.h"
#include "contracts/contracts_page.h"
#include "contracts/editable_contract_grid.h"
#include "support/contract_fixture.h"
#include "support/recording_desktop.h"
#include "test_app.h"
#include "ui/picture_button.h"

namespace {

using testing_support::contractRow;

class ContractScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::telmaApplication();
        registry = std::make_unique<app::ScreenRegistry>(desktop, QStringLiteral("Telma"));
        app::buildScreens(*registry, [this](app::ScreenRegistry& r) { r.adoptDataModule(data.module); });
        page = qobject_cast<contracts::TForm3*>(registry->screen(QStringLiteral("Form3")));
        card = qobject_cast<contracts::TForm5*>(registry->screen(QStringLiteral("Form5")));
    }
    testing_support::MemoryContracts data{{contractRow(1, "1/26", "Кровля"), contractRow(2, "2/26", "Фасад")}};
    testing_support::RecordingDesktop desktop;
    std::unique_ptr<app::ScreenRegistry> registry;
    contracts::TForm3* page = nullptr;
    contracts::TForm5* card = nullptr;
};

TEST_F(ContractScreens, PageAndCardShowTheOneTableFromTheStart)
{
    ASSERT_NE(page, nullptr);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(page->dbgrd1()->model()->rowCount(), 2);
    EXPECT_EQ(card->editFor(QStringLiteral("KNomer"))->text(), "1/26");
    data.table().moveTo(1);
    EXPECT_EQ(card->editFor(QStringLiteral("KNomer"))->text(), "2/26");
}

TEST_F(ContractScreens, RefusedSaveIsReportedAndTheModalCardStaysOpenUntilCancelled)
{
    auto& application = testing_support::telmaApplication();
    app::ErrorDisplay display(desktop, QStringLiteral("Telma"));
    application.setErrorDisplay(&display);
    registry->show(QStringLiteral("Form3"));
    data.store->setWriteHook([](const char*) { throw std::runtime_error("Таблица «71BKontrakts.db» занята другой программой"); });

    bool stillOpenAfterError = false;
    QTimer::singleShot(0, [&] {
        contracts::BoundEdit* sum = card->editFor(QStringLiteral("KSumma"));
        sum->setFocus();
        sum->selectAll();
        QTest::keyClicks(sum, "100.00");
        QTest::mouseClick(card->findChild<ui::PictureButton*>(QStringLiteral("img1")), Qt::LeftButton);
        stillOpenAfterError = card->isVisible();
        QTest::mouseClick(card->findChild<ui::PictureButton*>(QStringLiteral("img2")), Qt::LeftButton);
    });
    page->dbgrd1DblClick();  // returns when the card has closed
    application.setErrorDisplay(nullptr);

    EXPECT_TRUE(stillOpenAfterError);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "Таблица «71BKontrakts.db» занята другой программой.");
    EXPECT_EQ(desktop.boxes[0].icon, desktop::Icon::Error);
    EXPECT_FALSE(card->isVisible());
    EXPECT_EQ(data.table().state(), contracts::DataState::Browse);
    EXPECT_EQ(data.stored(0, "KSumma"), "");
}

}  // namespace

namespace {

TEST_F(ContractScreens, KeyboardGoesBackToThePageWhenTheCardCloses)
{
    registry->show(QStringLiteral("Form3"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(page));
    QTimer::singleShot(0, [this] { card->close(); });
    page->dbgrd1DblClick();
    EXPECT_FALSE(card->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(page));
    EXPECT_EQ(QApplication::activeWindow(), page);
}

}  // namespace
