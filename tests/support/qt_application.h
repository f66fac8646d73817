// The one QApplication of a widget test program, made on first use.
#pragma once

#include <QApplication>
#include <QTest>

namespace testing_support {

inline QApplication& qtApplication() {
    static int argc = 1;
    static char name[] = "telma-test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = QApplication::instance()
                                           ? static_cast<QApplication*>(QApplication::instance())
                                           : new QApplication(argc, argv);
    return *application;
}

// Put first among a fixture's members, so the application exists before its widgets.
struct WithQtApplication {
    WithQtApplication() { qtApplication(); }
};

// Types any text, Cyrillic included, one key press and release per character.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

}  // namespace testing_support
