// The application title, the full-stop rule and the general error display.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include <stdexcept>

#include "app/app_title.h"
#include "app/error_display.h"
#include "support/recording_desktop.h"
#include "test_app.h"

namespace {

TEST(ApplicationTitle, FileNameCutAtFirstFullStopFirstCharacterKept)
{
    const struct { const char* path; const char* title; } cases[] = {
        {"/usr/bin/Telma", "Telma"},
        {"TELMA.exe", "Telma"},
        {"/opt/x.y/telma.bin.old", "telma"},
        {"C:/Program/ProJect1.EXE", "Project1"},
        {"Я.exe", "Я"},
        {".hidden", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::applicationTitle(QString::fromUtf8(c.path)), QString::fromUtf8(c.title)) << c.path;
}

TEST(FullStopRule, AddedOnlyAfterCharactersAboveTheFullStop)
{
    const struct { const char* text; const char* shown; } cases[] = {
        {"Файл не найден", "Файл не найден."},
        {"Ошибка 42", "Ошибка 42."},
        {"Уже с точкой.", "Уже с точкой."},
        {"Внимание!", "Внимание!"},
        {"Поле (KNomer)", "Поле (KNomer)"},
        {"Запятая,", "Запятая,"},
        {"Дефис-", "Дефис-"},
        {"Пробел ", "Пробел "},
        {"Вопрос?", "Вопрос?."},  // '?' has a greater code than '.'
        {"Кавычка»", "Кавычка»."},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::withFullStop(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown)) << c.text;
}

// A widget whose mouse handler fails, as a handler of a screen might.
class FailingWidget : public QWidget {
public:
    int presses = 0;
    bool fail = true;
protected:
    void mousePressEvent(QMouseEvent*) override
    {
        ++presses;
        if (fail)
            throw std::runtime_error("Не удалось открыть файл шаблона 1Razoskr.docx");
    }
};

TEST(GeneralErrorDisplay, FailureInAHandlerIsShownAndTheProgramGoesOn)
{
    auto& application = testing_support::telmaApplication();
    testing_support::RecordingDesktop desktop;
    app::ErrorDisplay display(desktop, QStringLiteral("Telma"));
    application.setErrorDisplay(&display);

    FailingWidget widget;
    widget.resize(50, 50);
    widget.show();
    QTest::mouseClick(&widget, Qt::LeftButton);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, QStringLiteral("Telma"));
    EXPECT_EQ(desktop.boxes[0].text, QStringLiteral("Не удалось открыть файл шаблона 1Razoskr.docx."));
    EXPECT_EQ(desktop.boxes[0].icon, desktop::Icon::Error);
    EXPECT_TRUE(desktop.boxes[0].buttons.isEmpty());  // a plain box with its OK button

    // The next event is handled as usual.
    widget.fail = false;
    QTest::mouseClick(&widget, Qt::LeftButton);
    EXPECT_EQ(widget.presses, 2);
    EXPECT_EQ(desktop.boxes.size(), 1u);
    application.setErrorDisplay(nullptr);
}

}  // namespace
