// The page's two seams for the benchmarks: a desktop that answers every box with its first
// button and keeps what was shown, and a navigator that keeps which screens were asked for.
// A benchmark that meets a message box reports it as an error instead of a figure.
#pragma once

#include "platform/desktop.h"
#include "ui/navigator.h"

#include <QStringList>

namespace contracts_bench {

class RecordingDesktop final : public desktop::Desktop {
public:
    QStringList boxes;  // "title: text" of every message and question

    void message(QWidget*, const QString& title, const QString& text, desktop::Icon) override {
        boxes.append(title + QStringLiteral(": ") + text);
    }
    desktop::Answer ask(QWidget*, const QString& title, const QString& text, desktop::Icon,
                        const QList<desktop::Answer>& buttons, desktop::Answer fallback) override {
        boxes.append(title + QStringLiteral(": ") + text);
        return buttons.isEmpty() ? fallback : buttons.first();
    }
    bool openUrl(const QUrl&) override { return true; }
    bool openFile(const QString&) override { return true; }
};

class RecordingNavigator final : public ui::Navigator {
public:
    QStringList asked;  // screen names, in order

    void show(const QString& screenName) override { asked.append(screenName); }
    int showModal(const QString& screenName) override {
        asked.append(screenName);
        return 0;
    }
};

}  // namespace contracts_bench
