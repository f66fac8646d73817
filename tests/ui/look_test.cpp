// The common look: colour values, fonts by pixel height, pictures, picture buttons and labels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/images.h"
#include "ui/labels.h"
#include "ui/picture_button.h"
#include "ui/screen_window.h"

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "ui_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class Look : public ::testing::Test {
protected:
    void SetUp() override { application(); }
};

TEST(Colors, ColourValuesAreBlueGreenRed)
{
    EXPECT_EQ(ui::fromColorValue(4894334), QColor(126, 174, 74));
    EXPECT_EQ(ui::fromColorValue(14479331), QColor(227, 239, 220));
    EXPECT_EQ(ui::fromColorValue(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ui::kAccentGreen, QColor(126, 174, 74));
    EXPECT_EQ(ui::kOlive, QColor(128, 128, 0));
    EXPECT_EQ(ui::kPurple, QColor(128, 0, 128));
    EXPECT_EQ(ui::kTeal, QColor(0, 128, 128));
}

TEST_F(Look, FontsByPixelHeightFallBackToAnInstalledSansFace)
{
    const QFont title = ui::verdana(16, true);
    EXPECT_EQ(title.pixelSize(), 16);
    EXPECT_TRUE(title.bold());
    EXPECT_EQ(title.family(), QStringLiteral("Verdana"));
    EXPECT_EQ(ui::tahoma(11).pixelSize(), 11);
    // Whatever face stands in, text is drawn at the asked height.
    const QFontInfo info(ui::verdana(73, true));
    EXPECT_EQ(info.pixelSize(), 73);
}

TEST_F(Look, EveryPictureLoadsAtItsSize)
{
    const struct { ui::Picture picture; QSize size; } cases[] = {
        {ui::Picture::AllLetters, {50, 50}}, {ui::Picture::Contracts, {50, 50}},
        {ui::Picture::Cabinet, {50, 50}},    {ui::Picture::Consultation, {50, 50}},
        {ui::Picture::OrderLetter, {50, 50}}, {ui::Picture::Feedback, {50, 50}},
        {ui::Picture::Ring, {41, 41}},       {ui::Picture::Document, {41, 41}},
        {ui::Picture::Square, {41, 41}},     {ui::Picture::Illustration, {1065, 683}},
    };
    for (const auto& c : cases) {
        const QPixmap pixmap = ui::picture(c.picture);
        EXPECT_EQ(pixmap.size(), c.size) << static_cast<int>(c.picture);
        const QImage image = pixmap.toImage();
        if (c.size.width() <= 50) {
            // A flat green tile: the corner is the accent green, and there is a white symbol.
            EXPECT_EQ(image.pixelColor(1, 1), ui::kAccentGreen) << static_cast<int>(c.picture);
            bool white = false;
            for (int y = 0; y < image.height() && !white; ++y)
                for (int x = 0; x < image.width() && !white; ++x)
                    white = image.pixelColor(x, y) == QColor(255, 255, 255);
            EXPECT_TRUE(white) << static_cast<int>(c.picture);
        }
    }
}

TEST_F(Look, PictureButtonClicksOnReleaseOverItAndTakesNoFocus)
{
    QWidget parent;
    parent.resize(200, 200);
    auto* button = new ui::PictureButton(&parent, QStringLiteral("img1"), ui::picture(ui::Picture::Ring), {10, 20},
                                         QStringLiteral("ДОПЫ"));
    parent.show();
    QSignalSpy clicks(button, &ui::PictureButton::clicked);
    EXPECT_EQ(button->geometry(), QRect(10, 20, 41, 41));
    EXPECT_EQ(button->toolTip(), QStringLiteral("ДОПЫ"));
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(button, Qt::RightButton);
    EXPECT_EQ(clicks.count(), 1);
    // Pressed on it, let go elsewhere: no click, as with any button.
    QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(button, Qt::LeftButton, {}, {100, 100});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(button->hasFocus());
}

TEST_F(Look, LabelKindsHaveTheirColourPointerAndReaction)
{
    QWidget parent;
    auto* text = ui::textLabel(&parent, QStringLiteral("lbl1"), QStringLiteral("Текст"), {5, 6}, ui::verdana(13));
    auto* section = ui::sectionLink(&parent, QStringLiteral("lbl2"), QStringLiteral("ВСЕ ПИСЬМА"), QRect(5, 30, 0, 0),
                                    ui::verdana(13));
    auto* web = ui::webLink(&parent, QStringLiteral("lbl3"), QStringLiteral("+7 000"), QRect(5, 60, 120, 16),
                            ui::verdana(13));
    parent.show();

    EXPECT_EQ(text->palette().color(QPalette::WindowText), ui::kOlive);
    EXPECT_EQ(text->pos(), QPoint(5, 6));
    EXPECT_EQ(text->size(), text->sizeHint());  // sized to its text
    EXPECT_TRUE(text->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(section->palette().color(QPalette::WindowText), ui::kPurple);
    EXPECT_EQ(section->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(web->palette().color(QPalette::WindowText), ui::kTeal);
    EXPECT_EQ(web->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(web->geometry(), QRect(5, 60, 120, 16));

    QSignalSpy sectionClicks(section, &ui::LinkLabel::clicked);
    QSignalSpy webClicks(web, &ui::LinkLabel::clicked);
    QTest::mouseClick(section, Qt::LeftButton);
    QTest::mouseClick(web, Qt::LeftButton);
    EXPECT_EQ(sectionClicks.count(), 1);
    EXPECT_EQ(webClicks.count(), 1);
}

TEST_F(Look, ScreenWindowHasItsIdentityGeometryButtonsAndWhiteBackground)
{
    QWidget window;
    ui::setUpScreenWindow(&window, {QStringLiteral("Form3"), QStringLiteral("Страница контрактов"),
                                    QRect(201, 115, 1100, 700), ui::TitleButtons::CloseOnly});
    EXPECT_EQ(window.objectName(), QStringLiteral("Form3"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Страница контрактов"));
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.frameGeometry(), QRect(201, 115, 1100, 700));
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(255, 255, 255));
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.frameGeometry(), QRect(201, 115, 1100, 700));
}

}  // namespace
