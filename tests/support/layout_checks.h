// Checks a screen's labels against its layout table: text, place, font size and olive colour.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QLabel>
#include <QRect>
#include <QWidget>

#include <span>

namespace testing_support {

struct LayoutText {
    const char* name;
    const char* text;
    QRect place;  // an empty size: sized to its text, only the corner is checked
    int pixels;
};

inline void expectLayoutTexts(const QWidget& screen, std::span<const LayoutText> texts) {
    for (const LayoutText& t : texts) {
        auto* label = screen.findChild<QLabel*>(QString::fromLatin1(t.name));
        ASSERT_NE(label, nullptr) << t.name;
        EXPECT_EQ(label->text(), QString::fromUtf8(t.text)) << t.name;
        if (t.place.size().isEmpty())
            EXPECT_EQ(label->pos(), t.place.topLeft()) << t.name;
        else
            EXPECT_EQ(label->geometry(), t.place) << t.name;
        EXPECT_EQ(label->font().pixelSize(), t.pixels) << t.name;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(128, 128, 0)) << t.name;
    }
}

}  // namespace testing_support
