// Show, Show modally and Close; minimizing the main page takes the open screens with it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/screen_registry.h"
#include "app/startup.h"
#include "support/contract_fixture.h"
#include "support/recording_desktop.h"
#include "test_app.h"

namespace {

class Screens : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::telmaApplication();
        registry = std::make_unique<app::ScreenRegistry>(desktop, QStringLiteral("Telma"));
        app::buildScreens(*registry, [](app::ScreenRegistry& r) {
            r.adoptDataModule(testing_support::MemoryContracts().module);
        });
        registry->show(QStringLiteral("Form1"));
    }
    QWidget* screen(const char* name) { return registry->screen(QString::fromLatin1(name)); }
    static int windowsNamed(const QString& name)
    {
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            count += w->objectName() == name;
        return count;
    }

    testing_support::RecordingDesktop desktop;
    std::unique_ptr<app::ScreenRegistry> registry;
};

TEST_F(Screens, ShowingAVisibleScreenOpensNoSecondWindow)
{
    registry->show(QStringLiteral("Form60"));
    registry->show(QStringLiteral("Form60"));
    EXPECT_TRUE(screen("Form60")->isVisible());
    EXPECT_EQ(windowsNamed(QStringLiteral("Form60")), 1);
    EXPECT_TRUE(screen("Form1")->isVisible());  // the caller stays open behind it
}

TEST_F(Screens, ClosingHidesAndShowingAgainBringsBackTheSameWindowInItsState)
{
    QWidget* page = screen("Form61");
    registry->show(QStringLiteral("Form61"));
    auto* note = new QLabel(QStringLiteral("что было показано"), page);
    note->setObjectName(QStringLiteral("note"));
    page->resize(900, 600);
    EXPECT_TRUE(page->close());
    EXPECT_FALSE(page->isVisible());
    EXPECT_TRUE(screen("Form1")->isVisible());

    registry->show(QStringLiteral("Form61"));
    EXPECT_EQ(screen("Form61"), page);
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->findChild<QLabel*>(QStringLiteral("note")), note);
    EXPECT_EQ(page->size(), QSize(900, 600));
}

TEST_F(Screens, ShowingAMinimizedScreenRestoresIt)
{
    registry->show(QStringLiteral("Form62"));
    screen("Form62")->setWindowState(Qt::WindowMinimized);
    registry->show(QStringLiteral("Form62"));
    EXPECT_FALSE(screen("Form62")->isMinimized());
    EXPECT_TRUE(screen("Form62")->isVisible());
}

TEST_F(Screens, ClosingTheMainPageEndsTheProgramWhateverIsOpen)
{
    QSignalSpy ended(registry.get(), &app::ScreenRegistry::ended);
    for (const char* name : {"Form60", "Form8", "Form9"})
        registry->show(QString::fromLatin1(name));
    EXPECT_TRUE(screen("Form1")->close());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(desktop.boxes.empty());  // no question asked
}

TEST_F(Screens, TheEndCheckCanKeepTheMainPageOpen)
{
    QSignalSpy ended(registry.get(), &app::ScreenRegistry::ended);
    registry->setEndCheck([] { return false; });
    EXPECT_FALSE(screen("Form1")->close());
    EXPECT_TRUE(screen("Form1")->isVisible());
    EXPECT_EQ(ended.count(), 0);
}

TEST_F(Screens, MinimizingTheMainPageMinimizesTheOpenScreensAndRestoringBringsThemBack)
{
    registry->show(QStringLiteral("Form60"));
    registry->show(QStringLiteral("Form63"));
    registry->show(QStringLiteral("Form64"));
    screen("Form64")->setWindowState(Qt::WindowMinimized);  // minimized on its own before

    screen("Form1")->setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(screen("Form60")->isMinimized());
    EXPECT_TRUE(screen("Form63")->isMinimized());
    EXPECT_FALSE(screen("Form61")->isVisible());  // hidden screens stay hidden

    screen("Form1")->setWindowState(Qt::WindowNoState);
    EXPECT_FALSE(screen("Form60")->isMinimized());
    EXPECT_FALSE(screen("Form63")->isMinimized());
    EXPECT_TRUE(screen("Form64")->isMinimized());  // it was not taken down by the main page
    EXPECT_FALSE(screen("Form61")->isVisible());
}

TEST_F(Screens, MinimizingAnotherScreenLeavesTheRestAlone)
{
    registry->show(QStringLiteral("Form60"));
    registry->show(QStringLiteral("Form61"));
    screen("Form60")->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(screen("Form1")->isMinimized());
    EXPECT_FALSE(screen("Form61")->isMinimized());
}

// A click as the window system delivers it, so that modality applies.
void systemClick(QWidget* target)
{
    QWindow* window = target->window()->windowHandle();
    ASSERT_NE(window, nullptr);
    const QPoint at = target->mapTo(target->window(), target->rect().center());
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
}

TEST_F(Screens, WhileTheCardIsOpenNoOtherScreenReacts)
{
    QWidget* contractsButton = screen("Form1")->findChild<QWidget*>(QStringLiteral("img8"));
    QWidget* cabinetButton = screen("Form1")->findChild<QWidget*>(QStringLiteral("img9"));
    ASSERT_TRUE(contractsButton && cabinetButton);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(screen("Form1")));

    bool cardWasModal = false;
    QTimer::singleShot(0, [&] {
        auto* card = qobject_cast<QDialog*>(screen("Form5"));
        cardWasModal = card->isVisible() && QApplication::activeModalWidget() == card;
        systemClick(contractsButton);
        QApplication::processEvents();
        EXPECT_FALSE(screen("Form3")->isVisible());
        card->close();
    });
    registry->showModal(QStringLiteral("Form5"));
    EXPECT_TRUE(cardWasModal);
    EXPECT_FALSE(screen("Form5")->isVisible());

    // Once the card is closed the same kind of click works again.
    systemClick(cabinetButton);
    QApplication::processEvents();
    EXPECT_TRUE(screen("Form60")->isVisible());
}

TEST_F(Screens, OnlyTheCardCanBeShownModally)
{
    EXPECT_THROW(registry->showModal(QStringLiteral("Form60")), std::logic_error);
    EXPECT_THROW(registry->show(QStringLiteral("Form7")), std::logic_error);
}

}  // namespace
