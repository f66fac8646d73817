// The main page: its six picture buttons, the labels that do not react, the header band.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "app/screen_registry.h"
#include "app/startup.h"
#include "support/contract_fixture.h"
#include "support/recording_desktop.h"
#include "test_app.h"
#include "ui/colors.h"
#include "ui/picture_button.h"

namespace {

class MainPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::telmaApplication();
        registry = std::make_unique<app::ScreenRegistry>(desktop, QStringLiteral("Telma"));
        app::buildScreens(*registry, [](app::ScreenRegistry& r) { r.adoptDataModule(testing_support::MemoryContracts().module); });
        registry->show(QStringLiteral("Form1"));
        page = registry->mainPage();
    }
    QStringList visibleScreens() const
    {
        QStringList names;
        for (QWidget* s : registry->screens())
            if (s->isVisible())
                names << s->objectName();
        return names;
    }
    testing_support::RecordingDesktop desktop;
    std::unique_ptr<app::ScreenRegistry> registry;
    QWidget* page = nullptr;
};

TEST_F(MainPage, EachPictureButtonShowsItsScreen)
{
    const struct { const char* button; const char* parent; QPoint at; const char* hint; const char* shows; } cases[] = {
        {"img7", "pnl1", {824, 24}, "ВСЕ ПИСЬМА", "Form8"},
        {"img8", "pnl1", {912, 24}, "КОНТРАКТЫ", "Form3"},
        {"img9", "pnl1", {1000, 24}, "КАБИНЕТ", "Form60"},
        {"img2", "Form1", {40, 672}, "ПОЛУЧИТЬ КОНСУЛЬТАЦИЮ", "Form61"},
        {"img3", "Form1", {104, 672}, "ЗАКАЗАТЬ ПИСЬМО", "Form62"},
        {"img10", "Form1", {168, 672}, "ОБРАТНАЯ СВЯЗЬ", "Form63"},
    };
    for (const auto& c : cases) {
        auto* button = page->findChild<ui::PictureButton*>(QString::fromLatin1(c.button));
        ASSERT_NE(button, nullptr) << c.button;
        EXPECT_EQ(button->parentWidget()->objectName(), QString::fromLatin1(c.parent)) << c.button;
        EXPECT_EQ(button->geometry(), QRect(c.at, QSize(50, 50))) << c.button;
        EXPECT_EQ(button->pixmap().size(), QSize(50, 50)) << c.button;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(c.hint)) << c.button;

        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(visibleScreens(), QStringList({"Form1", QString::fromLatin1(c.shows)})) << c.button;
        // A second click only brings the same window to the front.
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(visibleScreens(), QStringList({"Form1", QString::fromLatin1(c.shows)})) << c.button;
        registry->screen(QString::fromLatin1(c.shows))->close();
    }
}

TEST_F(MainPage, LabelsPictureAndBandDoNothingWhenClicked)
{
    const struct { const char* name; const char* text; int height; bool bold; } labels[] = {
        {"lbl1", "Система", 31, false},
        {"lbl2", "ТЕЛМА", 73, true},
        {"lbl5", "о", 31, false},
        {"lbl3", "Правовой Помощник", 25, false},
        {"lbl7", "Все письма", 11, false},
        {"lbl6", "Контракты", 11, false},
        {"lbl4", "Кабинет", 11, false},
    };
    for (const auto& l : labels) {
        auto* label = page->findChild<QLabel*>(QString::fromLatin1(l.name));
        ASSERT_NE(label, nullptr) << l.name;
        EXPECT_EQ(label->text(), QString::fromUtf8(l.text)) << l.name;
        EXPECT_EQ(label->font().pixelSize(), l.height) << l.name;
        EXPECT_EQ(label->font().bold(), l.bold) << l.name;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), ui::kAccentGreen) << l.name;
        EXPECT_EQ(label->parentWidget()->objectName(), QStringLiteral("pnl1")) << l.name;
        // A click lands on whatever lies under the label: it shows nothing.
        QWidget* band = label->parentWidget();
        QTest::mouseClick(band, Qt::LeftButton, {}, label->geometry().center());
        QTest::mouseClick(label, Qt::LeftButton);
        EXPECT_EQ(visibleScreens(), QStringList{"Form1"}) << l.name;
    }
    // "Правовой Помощник" takes two lines, one word on each.
    auto* lbl3 = page->findChild<QLabel*>(QStringLiteral("lbl3"));
    EXPECT_TRUE(lbl3->wordWrap());
    EXPECT_LT(lbl3->width(), lbl3->fontMetrics().horizontalAdvance(lbl3->text()));

    auto* img1 = page->findChild<QLabel*>(QStringLiteral("img1"));
    ASSERT_NE(img1, nullptr);
    EXPECT_EQ(img1->geometry(), QRect(7, 72, 1065, 681));
    EXPECT_EQ(img1->pixmap().size(), QSize(1065, 683));
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(500, 400));
    EXPECT_EQ(visibleScreens(), QStringList{"Form1"});
}

TEST_F(MainPage, HeaderBandLiesAboveThePicturesAndNothingTakesFocus)
{
    QWidget* band = page->findChild<QWidget*>(QStringLiteral("pnl1"));
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->geometry(), QRect(-9, 0, 1081, 97));
    EXPECT_EQ(page->childAt(300, 80), band);  // over the illustration's top rows
    EXPECT_EQ(band->palette().color(QPalette::Window), QColor(255, 255, 255));
    for (QWidget* w : page->findChildren<QWidget*>())
        EXPECT_EQ(w->focusPolicy(), Qt::NoFocus) << qPrintable(w->objectName());
    EXPECT_EQ(page->cursor().shape(), Qt::ArrowCursor);
    for (auto* button : page->findChildren<ui::PictureButton*>())
        EXPECT_EQ(button->cursor().shape(), Qt::ArrowCursor) << qPrintable(button->objectName());
}

}  // namespace
