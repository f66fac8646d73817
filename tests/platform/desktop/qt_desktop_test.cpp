// The real desktop's message boxes: icon, title, text, Russian buttons and the answer given.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "platform/desktop.h"

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "desktop_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Runs `inspect` on the box once it is up, then presses the button with the given text
// (or closes the box when the text is empty).
void whenBoxShown(std::function<void(QMessageBox*)> inspect, QString press)
{
    QTimer::singleShot(0, [inspect, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        inspect(box);
        if (press.isEmpty()) {
            box->reject();
            return;
        }
        for (QAbstractButton* b : box->buttons())
            if (b->text() == press) {
                b->click();
                return;
            }
        ADD_FAILURE() << "no button " << qPrintable(press);
        box->reject();
    });
}

TEST(QtDesktop, MessageShowsTitleTextIconAndOneOkButton)
{
    application();
    desktop::QtDesktop desktop;
    bool seen = false;
    whenBoxShown([&](QMessageBox* box) {
        seen = true;
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Telma"));
        EXPECT_EQ(box->text(), QStringLiteral("Нет файла <KNomer>."));  // shown as plain text
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->buttons()[0]->text(), QStringLiteral("OK"));
    }, QStringLiteral("OK"));
    desktop.message(nullptr, QStringLiteral("Telma"), QStringLiteral("Нет файла <KNomer>."), desktop::Icon::Error);
    EXPECT_TRUE(seen);
}

TEST(QtDesktop, AskReturnsThePressedButtonAndTheLastOneWhenClosed)
{
    application();
    desktop::QtDesktop desktop;
    using desktop::Answer;
    const QList<Answer> buttons{Answer::Yes, Answer::No, Answer::Cancel};
    const struct { const char* press; Answer expected; } cases[] = {
        {"Да", Answer::Yes}, {"Нет", Answer::No}, {"Отмена", Answer::Cancel}, {"", Answer::Cancel},
    };
    for (const auto& c : cases) {
        whenBoxShown([](QMessageBox* box) {
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            QStringList texts;
            for (QAbstractButton* b : box->buttons())
                texts << b->text();
            texts.sort();
            EXPECT_EQ(texts, (QStringList{"Да", "Нет", "Отмена"}));
            EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("Да"));
        }, QString::fromUtf8(c.press));
        EXPECT_EQ(desktop.ask(nullptr, QStringLiteral("Telma"), QStringLiteral("Сохранить изменения в контракте?"),
                              desktop::Icon::Question, buttons, Answer::Yes),
                  c.expected)
            << c.press;
    }
}

}  // namespace
