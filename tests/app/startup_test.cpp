// Start-up: the screens and the data module in their order, each screen's window, and the
// failure box when the data module cannot be created.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <stdexcept>

#include "app/main_page.h"
#include "app/screen_registry.h"
#include "app/startup.h"
#include "support/contract_fixture.h"
#include "support/recording_desktop.h"
#include "test_app.h"

namespace {

// Stands in for the data module: noted in the creation log like the real one.
void fakeDataModule(app::ScreenRegistry& registry)
{
    registry.adoptDataModule(testing_support::MemoryContracts().module);
}

QStringList expectedOrder()
{
    QStringList order{"Form1", "Form3", "fDM15", "Form5", "Form6", "Form8", "Form9", "Form10", "Form11",
                      "Form12", "Form14"};
    for (int n = 16; n <= 59; ++n)
        order << QStringLiteral("Form%1").arg(n);
    order << "Form60" << "Form61" << "Form62" << "Form63" << "Form64" << "Form65" << "Form67";
    return order;
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::telmaApplication();
        registry = std::make_unique<app::ScreenRegistry>(desktop, QStringLiteral("Telma"));
        app::buildScreens(*registry, fakeDataModule);
    }
    testing_support::RecordingDesktop desktop;
    std::unique_ptr<app::ScreenRegistry> registry;
};

TEST_F(Startup, CreatesEveryScreenOnceHiddenInOrderMainPageFirst)
{
    EXPECT_EQ(registry->creationLog(), expectedOrder());
    const auto screens = registry->screens();
    ASSERT_EQ(screens.size(), 61u);  // the sixty-one screens; the data module has no window
    EXPECT_NE(qobject_cast<app::TForm1*>(registry->mainPage()), nullptr);
    for (QWidget* s : screens) {
        EXPECT_FALSE(s->isVisible()) << qPrintable(s->objectName());
        EXPECT_TRUE(s->isWindow()) << qPrintable(s->objectName());
        EXPECT_EQ(s->palette().color(QPalette::Window), QColor(255, 255, 255)) << qPrintable(s->objectName());
        EXPECT_TRUE(s->autoFillBackground()) << qPrintable(s->objectName());
    }
    // Only the contract card is a dialog.
    for (QWidget* s : screens)
        EXPECT_EQ(qobject_cast<QDialog*>(s) != nullptr, s->objectName() == "Form5") << qPrintable(s->objectName());
}

TEST_F(Startup, EachScreenHasItsCaptionPositionAndSize)
{
    const struct { const char* name; const char* caption; QRect outer; bool minMax; } cases[] = {
        {"Form1", "Система TELMA версия 0.1", {200, 60, 1100, 800}, true},
        {"Form3", "Страница контрактов", {201, 115, 1100, 700}, false},
        {"Form5", "Карточка контракта", {202, 114, 1088, 702}, true},
        {"Form6", "ZER Сопроводительное письмо к актам скрытых работ", {200, 160, 1100, 700}, true},
        {"Form18", "ZER Уведомление начале выполнения допработ ", {200, 160, 1100, 700}, true},
        {"Form58", "ZER Разъяснение по неприменимости демонтажа результатов работ для контроля скрытых ",
         {200, 160, 1100, 700}, true},
        {"Form59", "ZER Общее разъяснение по скрытым работам", {200, 160, 1100, 700}, true},
        {"Form8", "ВСЕ ПИСЬМА", {200, 60, 1100, 800}, true},
        {"Form60", "Кабинет", {200, 60, 1100, 800}, true},
        {"Form61", "Получить консультацию", {200, 60, 1100, 800}, true},
        {"Form62", "Заказать письмо", {200, 60, 1100, 800}, true},
        {"Form63", "Обратная связь", {200, 60, 1100, 800}, true},
        {"Form64", "Правила отправки писем", {200, 60, 1100, 800}, true},
        {"Form65", "Недопущение спорных ситуаций", {200, 60, 1100, 800}, true},
        {"Form67", "Не успели отправить письмо вовремя", {200, 60, 1100, 800}, true},
    };
    for (const auto& c : cases) {
        QWidget* s = registry->screen(QString::fromLatin1(c.name));
        EXPECT_EQ(s->windowTitle(), QString::fromUtf8(c.caption)) << c.name;
        // Without a window manager the frame has no width: outer and client agree.
        EXPECT_EQ(s->frameGeometry(), c.outer) << c.name;
        const Qt::WindowFlags flags = s->windowFlags();
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint) << c.name;
        EXPECT_EQ(bool(flags & Qt::WindowMinimizeButtonHint), c.minMax) << c.name;
        EXPECT_EQ(bool(flags & Qt::WindowMaximizeButtonHint), c.minMax) << c.name;
    }
}

TEST(StartupFailure, ShowsApplicationErrorBeforeAnyScreenAndExitsWithOne)
{
    auto& application = testing_support::telmaApplication();
    testing_support::RecordingDesktop desktop;
    const int code = app::runTelma(application, desktop, [](app::ScreenRegistry&) {
        throw std::runtime_error("Таблица контрактов 71BKontrakts.db не найдена в папке /tmp/x");
    });
    EXPECT_EQ(code, 1);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, QStringLiteral("Application Error"));
    EXPECT_EQ(desktop.boxes[0].text, QStringLiteral("Таблица контрактов 71BKontrakts.db не найдена в папке /tmp/x"));
    EXPECT_EQ(desktop.boxes[0].icon, desktop::Icon::Error);
    EXPECT_TRUE(desktop.boxes[0].visibleScreens.isEmpty()) << qPrintable(desktop.boxes[0].visibleScreens.join(","));
    // Nothing built before the failure outlives it.
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName().startsWith("Form")) << qPrintable(w->objectName());
}

TEST(StartupRun, ShowsTheMainPageAndEndsWithZeroWhenItIsClosed)
{
    auto& application = testing_support::telmaApplication();
    testing_support::RecordingDesktop desktop;
    bool mainShown = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "Form1" && w->isVisible()) {
                mainShown = true;
                // Another screen open does not keep the program alive.
                for (QWidget* other : QApplication::topLevelWidgets())
                    if (other->objectName() == "Form60")
                        other->show();
                w->close();
            }
    });
    const int code = app::runTelma(application, desktop, fakeDataModule);
    EXPECT_TRUE(mainShown);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(desktop.boxes.empty());
}

}  // namespace
